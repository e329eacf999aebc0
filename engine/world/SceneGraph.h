#pragma once

#include "engine/world/CollisionKind.h"
#include "engine/world/ObjectList.h"

namespace ov
{

class Object;

// Files every object in the world by activity, collision kind and altitude.
class SceneGraph
{
public:
    SceneGraph();

    int insertObject(Object* object);
    int removeObject(Object* object);

    // Called before the object's own field changes.
    void updateAltitude(Object* object, int newAltitude);
    void updateCollisionKind(Object* object, CollisionKind newKind);

    const ObjectList& activeObjects() const;
    const ObjectList& inactiveObjects() const;
    const ObjectList& collidableObjects() const;
    // The list of one altitude, 0 to MAX_ALTITUDE; an empty list for any other value.
    const ObjectList& altitudeObjects(int altitude) const;

    // Whether the object is in the world (active or inactive).
    bool contains(const Object* object) const;

    // Empties every list.
    void clear();

private:
    ObjectList m_activeObjects;
    ObjectList m_inactiveObjects;
    ObjectList m_collidableObjects;
    ObjectList m_altitudeObjects[5];
};

} // namespace ov
