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
    // Files the object by its activity, collision kind and altitude; 0 (also when already filed), or -1 for none or
    // an altitude outside 0 to MAX_ALTITUDE (logged).
    int insertObject(Object* object);
    // Takes the object out of every list (it is not deleted); 0, or -1 when it was not filed.
    int removeObject(Object* object);

    // Called before the object's own field changes.
    void updateAltitude(Object* object, int newAltitude);
    // The same for its collision kind.
    void updateCollisionKind(Object* object, CollisionKind newKind);
    // Called after the object's position or box changed. Objects call it on
    // the world manager's scene graph only, so only that one can answer
    // findActiveNear.
    void updatePlace(Object* object) { m_activePlaces.update(object); }

    // The objects that are active, those that are not, and the active ones that take part in collisions.
    ///@{
    const ObjectList& activeObjects() const { return m_activeObjects; }
    const ObjectList& inactiveObjects() const { return m_inactiveObjects; }
    const ObjectList& collidableObjects() const { return m_collidableObjects; }
    ///@}
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
