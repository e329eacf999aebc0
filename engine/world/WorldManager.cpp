#include "engine/world/WorldManager.h"

#include "engine/core/EventCollision.h"
#include "engine/core/EventOut.h"
#include "engine/core/EventStep.h"
#include "engine/core/LogManager.h"
#include "engine/display/DisplayManager.h"
#include "engine/world/Geometry.h"
#include "engine/world/Object.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace ov
{

namespace
{

// Whether the other object stops the mover.
bool blocks(const Object* mover, const Object* other)
{
    CollisionKind otherKind = other->getCollisionKind();
    if (mover->getCollisionKind() == BLOCKING && otherKind == BLOCKING)
        return true;
    return mover->isBlockedBySoft() && otherKind == SOFT;
}

// Far more than the rounding of one sum of floats of this size.
float roundingSlack(float a, float b)
{
    return std::max(std::fabs(a), std::fabs(b)) * 1.0e-5f + 1.0e-3f;
}

// The region a move can touch: the mover's box at both ends of the move,
// widened by one sub-step so that rounding of the sub-steps cannot leave it,
// and by a little more so that rounding of the region's own extents cannot
// drop a box that only touches it. Both ends of each span are taken as they
// come, so a box given a negative extent is covered as well. A region too
// large only brings more candidates; the sub-step tests decide.
Box sweptBox(const Object* mover, Vector start, Vector where, Vector step)
{
    Box from = getWorldBox(mover, start);
    Box to = getWorldBox(mover, where);
    float xs[] = {from.corner.x, from.corner.x + from.horizontal, to.corner.x, to.corner.x + to.horizontal};
    float ys[] = {from.corner.y, from.corner.y + from.vertical, to.corner.y, to.corner.y + to.vertical};
    float left = *std::min_element(xs, xs + 4);
    float right = *std::max_element(xs, xs + 4);
    float top = *std::min_element(ys, ys + 4);
    float bottom = *std::max_element(ys, ys + 4);
    float padX = std::fabs(step.x) + roundingSlack(left, right);
    float padY = std::fabs(step.y) + roundingSlack(top, bottom);
    left -= padX;
    right += padX;
    top -= padY;
    bottom += padY;
    return Box(Vector(left, top), right - left, bottom - top);
}

// The objects a move could meet, in the order of the active list: the only
// ones its sub-steps need to test. The scene graph hands over the objects
// filed near the area, already in that order.
ObjectList nearbyColliders(const SceneGraph& sceneGraph, const Object* mover, const Box& area)
{
    std::vector<Object*> candidates;
    sceneGraph.findActiveNear(area, candidates);

    ObjectList nearby;
    nearby.setAllowDuplicates(true); // the candidates hold each object once
    for (Object* other : candidates)
    {
        if (other != mover && other->getCollisionKind() != GHOST && boxIntersectsBox(area, getWorldBox(other)))
            nearby.insert(other);
    }
    return nearby;
}

// Tests one sub-step of the mover at where: every object met joins hit
// (once), and the answer is whether none of them blocks.
bool stepIsFree(Object* mover, Vector where, const ObjectList& nearby, ObjectList& hit)
{
    bool free = true;
    Box moverBox = getWorldBox(mover, where);
    for (int i = 0; i < nearby.getCount(); ++i)
    {
        Object* other = nearby.get(i);
        if (!boxIntersectsBox(moverBox, getWorldBox(other)))
            continue;
        if (!hit.contains(other))
            hit.insert(other);
        if (blocks(mover, other))
            free = false;
    }
    return free;
}

} // namespace

WorldManager& WorldManager::getInstance()
{
    static WorldManager instance;
    return instance;
}

WorldManager::WorldManager()
{
    setType("WorldManager");

    const DisplayManager& display = DisplayManager::getInstance();
    Vector window = pixelsToCells(Vector(static_cast<float>(display.getWidthPixels()),
                                         static_cast<float>(display.getHeightPixels())));
    float horizontal = std::max(static_cast<float>(display.getWidthCells()), window.x);
    float vertical = std::max(static_cast<float>(display.getHeightCells()), window.y);

    m_boundary = Box(Vector(-(horizontal - window.x) * 0.5f, -(vertical - window.y) * 0.5f),
                     horizontal, vertical);
    m_view = Box(Vector(), window.x, window.y);
}

int WorldManager::start()
{
    if (!LogManager::getInstance().isStarted())
        return -1;
    if (!DisplayManager::getInstance().isStarted())
    {
        logMessage("ERROR", "Error starting WorldManager. DisplayManager not started yet.");
        return -1;
    }

    setStarted(true);
    logMessage("", "Started.");
    logMessage("", "Size of world: %f x %f.", m_boundary.horizontal, m_boundary.vertical);
    logMessage("", "Size of viewable area: %f x %f.", m_view.horizontal, m_view.vertical);
    logMessage("", "Top-left corner of world: %s.", m_boundary.corner.toString().c_str());
    return 0;
}

void WorldManager::stop()
{
    logMessage("", "Killing all Objects.");

    // Each destructor takes its object out of the scene graph, so walk a copy.
    ObjectList all = getAllObjects();
    for (int i = 0; i < all.getCount(); ++i)
    {
        Object* object = all.get(i);
        if (!object)
            break;
        delete object;
    }
    m_sceneGraph.clear();

    setStarted(false);
    if (LogManager::getInstance().isStarted())
        logMessage("", "Stopped.");
}

ObjectList WorldManager::getAllObjects() const
{
    return m_sceneGraph.activeObjects() + m_sceneGraph.inactiveObjects();
}

bool WorldManager::holds(const Object* object, int id) const
{
    return m_sceneGraph.contains(object) && object->getId() == id;
}

int WorldManager::markForDelete(Object* object)
{
    if (!m_deletions.contains(object))
        m_deletions.insert(object);
    return 0;
}

ObjectList WorldManager::getCollisions(const Object* object, Vector where) const
{
    ObjectList collisions;
    if (!object || object->getCollisionKind() == GHOST)
        return collisions;

    Box moverBox = getWorldBox(object, where);
    std::vector<Object*> candidates;
    m_sceneGraph.findActiveNear(moverBox, candidates);
    for (Object* other : candidates)
    {
        if (other == object || other->getCollisionKind() == GHOST)
            continue;
        if (boxIntersectsBox(moverBox, getWorldBox(other)))
            collisions.insert(other);
    }
    return collisions;
}

int WorldManager::moveObject(Object* object, Vector where)
{
    if (!object)
        return -1;

    Box oldBox = getWorldBox(object);

    if (object->getCollisionKind() == GHOST)
    {
        object->setPosition(where);
    }
    else
    {
        Vector start = object->getPosition();
        Vector step((where.x - start.x) / MOVE_SUBSTEPS, (where.y - start.y) / MOVE_SUBSTEPS);
        Vector current = start;
        bool xFree = true;
        bool yFree = true;
        ObjectList hit;

        // Nothing moves while the sub-steps are tested (the collision handlers
        // run afterwards), so the objects near the path are gathered once
        // instead of searching the whole world twenty times.
        ObjectList nearby = nearbyColliders(m_sceneGraph, object, sweptBox(object, start, where, step));

        // Each axis is tried on its own, so a mover blocked sideways still falls
        // and one blocked below still slides.
        for (int i = 0; i < MOVE_SUBSTEPS && (xFree || yFree); ++i)
        {
            if (xFree && step.x != 0.0f)
            {
                xFree = stepIsFree(object, Vector(current.x + step.x, current.y), nearby, hit);
                if (xFree)
                    current.x += step.x;
                else
                    object->setVelocity(Vector(0.0f, object->getSpeed() * object->getDirection().y));
            }
            if (yFree && step.y != 0.0f)
            {
                yFree = stepIsFree(object, Vector(current.x, current.y + step.y), nearby, hit);
                if (yFree)
                    current.y += step.y;
                else
                    object->setVelocity(Vector(object->getSpeed() * object->getDirection().x, 0.0f));
            }
        }

        // The handlers run before the move lands: the mover still stands at its old position.
        for (int i = 0; i < hit.getCount(); ++i)
        {
            Object* other = hit.get(i);
            EventCollision collision(object, other, current);
            object->handleEvent(collision);
            other->handleEvent(collision);
        }

        object->setPosition(current);
    }

    if (object == m_viewFollowing)
    {
        Vector p = object->getPosition();
        Vector centre = m_view.corner + Vector(m_view.horizontal * 0.5f, m_view.vertical * 0.5f);
        Vector slack(m_viewSlack.x * m_view.horizontal * 0.5f, m_viewSlack.y * m_view.vertical * 0.5f);

        if (centre.x - slack.x > p.x)
            centre.x -= centre.x - slack.x - p.x;
        else if (p.x > centre.x + slack.x)
            centre.x += p.x - (centre.x + slack.x);

        if (centre.y - slack.y > p.y)
            centre.y -= centre.y - slack.y - p.y;
        else if (p.y > centre.y + slack.y)
            centre.y += p.y - (centre.y + slack.y);

        setViewPosition(centre);
    }

    // Only the move that crosses an edge reports it, and the world edge wins.
    Box newBox = getWorldBox(object);
    if (boxIntersectsBox(oldBox, m_boundary) && !boxIntersectsBox(newBox, m_boundary))
    {
        EventOut out(true);
        object->handleEvent(out);
    }
    else if (boxIntersectsBox(oldBox, m_view) && !boxIntersectsBox(newBox, m_view))
    {
        EventOut out(false);
        object->handleEvent(out);
    }
    return 0;
}

void WorldManager::update(int stepCount)
{
    if (!m_deletions.isEmpty())
    {
        // Each destructor takes its object out of m_deletions (forgetObject),
        // so the pass walks a copy; what remains afterwards was marked by a
        // destructor during the pass and waits for the next update.
        ObjectList doomed(m_deletions);
        for (int i = 0; i < doomed.getCount(); ++i)
        {
            Object* object = doomed.get(i);
            if (!object)
                break;
            m_sceneGraph.removeObject(object);
            delete object;
        }
        if (m_deletions.isEmpty())
            m_deletions.clear();
    }

    // Objects created during the pass wait for the next frame.
    ObjectList active(m_sceneGraph.activeObjects());
    EventStep step(stepCount);
    const Vector margin(static_cast<float>(UPDATE_MARGIN), static_cast<float>(UPDATE_MARGIN));

    for (int i = 0; i < active.getCount(); ++i)
    {
        Object* object = active.get(i);
        if (!object)
            break;

        // The view may move during the pass, so the zone follows it.
        Box zone(m_view.corner - margin, m_view.horizontal + 2 * UPDATE_MARGIN,
                 m_view.vertical + 2 * UPDATE_MARGIN);
        if (!boxIntersectsBox(getWorldBox(object), zone))
            continue;

        if (object->getGravity())
            object->setVelocity(object->getVelocity() + Vector(0.0f, GRAVITY_STEP));

        Vector position = object->getPosition();
        Vector target = position + object->getVelocity();
        if (target != position)
            moveObject(object, target);

        object->handleEvent(step);
    }
}

void WorldManager::draw()
{
    for (int altitude = 0; altitude <= MAX_ALTITUDE; ++altitude)
    {
        ObjectList active(m_sceneGraph.activeObjects());
        for (int i = 0; i < active.getCount(); ++i)
        {
            Object* object = active.get(i);
            if (!object)
                break;
            if (object->getAltitude() != altitude)
                continue;
            if (object->getAlwaysDraw() || boxIntersectsBox(getWorldBox(object), m_view))
                object->draw();
        }
    }
}

void WorldManager::setViewPosition(Vector center)
{
    float right = m_boundary.corner.x + m_boundary.horizontal;
    float x = center.x - m_view.horizontal * 0.5f;
    if (x + m_view.horizontal > right)
        x = right - m_view.horizontal;
    x = std::max(x, m_boundary.corner.x);

    float bottom = m_boundary.corner.y + m_boundary.vertical;
    float y = center.y - m_view.vertical * 0.5f;
    if (y + m_view.vertical > bottom)
        y = bottom - m_view.vertical;
    y = std::max(y, m_boundary.corner.y);

    m_view.corner = Vector(x, y);
}

int WorldManager::setViewFollowing(Object* object)
{
    if (!object)
    {
        m_viewFollowing = nullptr;
        return 0;
    }
    if (object == m_viewFollowing)
        return 0;
    if (!m_sceneGraph.contains(object))
        return -1;

    m_viewFollowing = object;
    setViewPosition(object->getPosition());
    return 0;
}

void WorldManager::forgetObject(Object* object)
{
    if (m_viewFollowing == object)
        m_viewFollowing = nullptr;
    m_deletions.remove(object);
}

} // namespace ov
