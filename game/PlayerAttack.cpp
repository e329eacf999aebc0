#include "game/PlayerAttack.h"

#include "engine/core/EventCollision.h"
#include "engine/world/WorldManager.h"
#include "game/EnemyMaster.h"

namespace
{

const int SECOND_SWING = 12; // lifetime at which the area widens
const int THIRD_SWING = 6;   // lifetime at which it shrinks again

void markOnce(ov::Object* object)
{
    ov::WorldManager& world = ov::WorldManager::getInstance();
    if (!world.getDeletions().contains(object))
        world.markForDelete(object);
}

} // namespace

PlayerAttack::PlayerAttack(ov::Object* owner, bool facingLeft, float slope)
    : m_owner(owner), m_ownerId(owner ? owner->getId() : -1), m_facingLeft(facingLeft)
{
    // Soft: it reports every touch and stops nothing.
    setCollisionKind(ov::SOFT);
    setSprite(facingLeft ? "player-attack-l" : "player-attack-r");
    m_slope = slope;
    setHitArea(2.75f, -1.5f, 2.5f);
    registerInterest(ov::EVENT_TYPE_COLLISION);
}

void PlayerAttack::setHitArea(float length, float top, float height)
{
    // The area always reaches from the position towards the side the attack faces.
    setBox(ov::Box(ov::Vector(m_facingLeft ? -length : 0.0f, top), length, height));
}

int PlayerAttack::handleEvent(const ov::Event& event)
{
    if (event.getType() == ov::EVENT_TYPE_STEP)
    {
        step();
        return 0;
    }
    if (event.getType() != ov::EVENT_TYPE_COLLISION)
        return 0;

    const ov::EventCollision& collision = static_cast<const ov::EventCollision&>(event);
    ov::Object* victim = dynamic_cast<EnemyMaster*>(collision.getObject1());
    if (!victim)
        victim = dynamic_cast<EnemyMaster*>(collision.getObject2());
    // The swing goes on after a hit and may take further enemies.
    if (victim)
        markOnce(victim);
    return 0;
}

void PlayerAttack::step()
{
    if (!ov::WorldManager::getInstance().holds(m_owner, m_ownerId))
    {
        // The player is gone: nothing left to swing for.
        markOnce(this);
        return;
    }

    ov::Vector place = m_owner->getPosition();
    setPosition(ov::Vector(place.x + (m_facingLeft ? -0.5f : 0.5f), place.y + m_slope - 0.5f));

    --m_lifetime;
    if (m_lifetime == SECOND_SWING)
        setHitArea(3.5f, -0.5f, 2.0f);
    else if (m_lifetime == THIRD_SWING)
        setHitArea(2.25f, -0.25f, 2.0f);
    if (m_lifetime <= 0)
        markOnce(this);
}
