#include "engine/world/SceneGraph.h"

#include "engine/core/LogManager.h"
#include "engine/world/Object.h"

namespace ov
{

namespace
{

const char SOURCE[] = "SceneGraph";

bool altitudeInRange(int altitude)
{
    return altitude >= 0 && altitude <= MAX_ALTITUDE;
}

} // namespace

int SceneGraph::insertObject(Object* object)
{
    if (!object)
        return -1;

    LogManager::getInstance().writeLog("", SOURCE, "Inserting object '%s %d'",
                                       object->getType().c_str(), object->getId());

    if (!altitudeInRange(object->getAltitude()))
    {
        LogManager::getInstance().writeLog("ERROR", SOURCE,
                                           "Error inserting object. Object altitude not in range.");
        return -1;
    }

    if (contains(object))
        return 0;

    if (object->isActive())
    {
        // Filed by place only once it is in the list, so both keep one order.
        if (m_activeObjects.insert(object) == 0)
            m_activePlaces.insert(object);
    }
    else
    {
        m_inactiveObjects.insert(object);
    }

    if (object->getCollisionKind() != GHOST)
        m_collidableObjects.insert(object);

    m_altitudeObjects[object->getAltitude()].insert(object);
    return 0;
}

int SceneGraph::removeObject(Object* object)
{
    // An object filed as inactive is taken out as well: a destroyed object
    // must not stay behind in any list of the world.
    if (m_activeObjects.remove(object) != 0 && m_inactiveObjects.remove(object) != 0)
        return -1;
    m_activePlaces.remove(object);

    if (object->getCollisionKind() != GHOST)
        m_collidableObjects.remove(object);

    if (altitudeInRange(object->getAltitude()))
        m_altitudeObjects[object->getAltitude()].remove(object);
    return 0;
}

void SceneGraph::updateAltitude(Object* object, int newAltitude)
{
    // Without a list to file it in, the object stays where it is.
    if (!altitudeInRange(newAltitude))
        return;

    if (altitudeInRange(object->getAltitude()))
        m_altitudeObjects[object->getAltitude()].remove(object);
    m_altitudeObjects[newAltitude].insert(object);
}

void SceneGraph::updateCollisionKind(Object* object, CollisionKind newKind)
{
    CollisionKind oldKind = object->getCollisionKind();
    if (oldKind == GHOST && newKind != GHOST)
        m_collidableObjects.insert(object);
    else if (oldKind != GHOST && newKind == GHOST)
        m_collidableObjects.remove(object);
}

void SceneGraph::findActiveNear(const Box& area, std::vector<Object*>& found) const
{
    if (m_activePlaces.findNear(area, found))
        return;

    // An area too wide for the grid: every active object is a candidate.
    for (int i = 0; i < m_activeObjects.getCount(); ++i)
    {
        Object* object = m_activeObjects.get(i);
        if (!object)
            break;
        found.push_back(object);
    }
}

const ObjectList& SceneGraph::altitudeObjects(int altitude) const
{
    static const ObjectList none;
    if (!altitudeInRange(altitude))
        return none;
    return m_altitudeObjects[altitude];
}

void SceneGraph::clear()
{
    m_activeObjects.clear();
    m_inactiveObjects.clear();
    m_collidableObjects.clear();
    for (ObjectList& list : m_altitudeObjects)
        list.clear();
    m_activePlaces.clear();
}

} // namespace ov
