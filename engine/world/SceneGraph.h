#pragma once

#include "engine/world/CollisionKind.h"
#include "engine/world/ObjectList.h"
#include "engine/world/SpatialGrid.h"

#include <vector>

namespace ov
{

class Object;

// Files every object in the world by activity, collision kind and altitude.
class SceneGraph
{
public:
    int insertObject(Object* object);
    int removeObject(Object* object);

    // Called before the object's own field changes.
    void updateAltitude(Object* object, int newAltitude);
    void updateCollisionKind(Object* object, CollisionKind newKind);
    // Called after the object's position or box changed. Objects call it on
    // the world manager's scene graph only, so only that one can answer
    // findActiveNear.
    void updatePlace(Object* object) { m_activePlaces.update(object); }

    const ObjectList& activeObjects() const { return m_activeObjects; }
    const ObjectList& inactiveObjects() const { return m_inactiveObjects; }
    const ObjectList& collidableObjects() const { return m_collidableObjects; }
    // The list of one altitude, 0 to MAX_ALTITUDE; an empty list for any other value.
    const ObjectList& altitudeObjects(int altitude) const;

    // Appends the active objects whose world boxes may meet the area (at
    // least every one that does), in the order of activeObjects.
    void findActiveNear(const Box& area, std::vector<Object*>& found) const;

    // Whether the object is in the world (active or inactive).
    bool contains(const Object* object) const
    {
        return m_activeObjects.contains(object) || m_inactiveObjects.contains(object);
    }

    // Empties every list.
    void clear();

private:
    ObjectList m_activeObjects;
    ObjectList m_inactiveObjects;
    ObjectList m_collidableObjects;
    ObjectList m_altitudeObjects[5];
    // The active objects again, by place.
    SpatialGrid m_activePlaces;
};

} // namespace ov
