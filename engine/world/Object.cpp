#include "engine/world/Object.h"

#include "engine/core/Digest.h"
#include "engine/core/Event.h"
#include "engine/core/GameManager.h"
#include "engine/core/LogManager.h"
#include "engine/resources/ResourceManager.h"
#include "engine/resources/Sprite.h"
#include "engine/world/ObjectList.h"
#include "engine/world/WorldManager.h"

#include <cstdarg>

namespace ov
{

namespace
{

// Ids are never reused, so a log line's "type id" names one object for the whole run.
int g_nextId = 0;

} // namespace

Object::Object() : m_id(g_nextId++)
{
    WorldManager::getInstance().registerInterest(this, EVENT_TYPE_STEP);
    logMessage("", "Spawned. Awaiting sprite or manual insert for world insertion.");
}

Object::~Object()
{
    WorldManager& world = WorldManager::getInstance();
    world.getSceneGraph().removeObject(this);

    while (!m_eventTypes.empty())
        unregisterInterest(m_eventTypes.back());

    logMessage("ALERT", "Die.");

    // The world must not keep following or deleting an object that is gone,
    // and no registry may keep its address: the constructor's step
    // registration and the types the game manager was told of are never
    // taken back otherwise.
    world.forgetObject(this);
    world.dropObject(this);
    GameManager::getInstance().dropObject(this);
}

void Object::setPosition(Vector position)
{
    m_position = position;
    // The world finds objects by place, so it must hear of every move.
    WorldManager::getInstance().getSceneGraph().updatePlace(this);
}

int Object::draw()
{
    if (!m_visible || !m_animation.getSprite())
        return 0;
    return m_animation.draw(m_position);
}

void Object::setType(const std::string& type)
{
    m_type = type;
    logMessage("", "Renamed %s.", type.c_str());
}

void Object::setVelocity(Vector velocity)
{
    m_speed = velocity.getMagnitude();
    velocity.normalize();
    m_direction = velocity;
}

void Object::setBox(Box box)
{
    m_box = box;
    WorldManager::getInstance().getSceneGraph().updatePlace(this);
}

int Object::setSprite(const std::string& label)
{
    Sprite* sprite = ResourceManager::getInstance().getSprite(label);
    if (!sprite)
    {
        logMessage("ERROR", "Error getting '%s' sprite.", label.c_str());
        return -1;
    }

    bool hadSprite = m_animation.getSprite() != nullptr;
    m_animation.setSprite(sprite);

    // Centred on the position, so the position is the middle of the art.
    float width = static_cast<float>(sprite->getWidth());
    float height = static_cast<float>(sprite->getHeight());
    m_box = Box(Vector(-width * 0.5f, -height * 0.5f), width, height);
    WorldManager::getInstance().getSceneGraph().updatePlace(this);

    m_spriteName = label;
    logMessage("", "Sprite set to '%s'.", label.c_str());

    if (!hadSprite)
        return WorldManager::getInstance().insertObject(this);
    return 0;
}

void Object::setAltitude(int altitude)
{
    SceneGraph& sceneGraph = WorldManager::getInstance().getSceneGraph();
    if (altitude != m_altitude && sceneGraph.contains(this))
    {
        // An object in the world must stay filed under a drawable altitude.
        if (altitude < 0 || altitude > MAX_ALTITUDE)
        {
            logMessage("ERROR", "Altitude %d not in range; kept %d.", altitude, m_altitude);
            return;
        }
        sceneGraph.updateAltitude(this, altitude);
    }
    m_altitude = altitude;
}

void Object::setCollisionKind(CollisionKind kind)
{
    SceneGraph& sceneGraph = WorldManager::getInstance().getSceneGraph();
    if (sceneGraph.contains(this))
        sceneGraph.updateCollisionKind(this, kind);
    m_collisionKind = kind;
}

int Object::registerInterest(const std::string& eventType)
{
    if (static_cast<int>(m_eventTypes.size()) >= MAX_OBJ_EVENTS)
        return -1;
    if (GameManager::getInstance().registerInterest(this, eventType) != 0)
        return -1;
    m_eventTypes.push_back(eventType);
    return 0;
}

int Object::unregisterInterest(const std::string& eventType)
{
    for (std::size_t i = 0; i < m_eventTypes.size(); ++i)
    {
        if (m_eventTypes[i] != eventType)
            continue;

        if (eventType == EVENT_TYPE_STEP)
            GameManager::getInstance().unregisterInterest(this, eventType);
        else
            WorldManager::getInstance().unregisterInterest(this, eventType);
        m_eventTypes.erase(m_eventTypes.begin() + static_cast<std::ptrdiff_t>(i));
        return 0;
    }
    return -1;
}

bool Object::isOnGround()
{
    ObjectList below = WorldManager::getInstance().getCollisions(this, m_position + Vector(0.0f, GROUND_PROBE));
    for (int i = 0; i < below.getCount(); ++i)
    {
        Object* other = below.get(i);
        if (other && other->getCollisionKind() == BLOCKING)
            return true;
    }
    return false;
}

std::uint32_t Object::digest() const
{
    Digest digest;
    digest.add(m_id);
    digest.add(m_type);
    for (float value : {m_position.x, m_position.y, m_direction.x, m_direction.y, m_speed, m_box.corner.x,
                        m_box.corner.y, m_box.horizontal, m_box.vertical})
        digest.add(value);
    digest.add(m_spriteName);
    digest.add(m_animation.getIndex());
    digest.add(m_animation.getSlowdownCount());
    digest.add(m_altitude);
    digest.add(static_cast<std::int32_t>(m_collisionKind));
    for (bool flag : {m_blockedBySoft, m_active, m_visible, m_gravity, m_alwaysDraw})
        digest.add(flag);
    return digest.value();
}

int Object::logMessage(const std::string& level, const char* format, ...)
{
    std::string source = m_type + " " + std::to_string(m_id);
    va_list args;
    va_start(args, format);
    int written = LogManager::getInstance().writeLogV(level, source, format, args);
    va_end(args);
    return written;
}

} // namespace ov
