#pragma once

#include "engine/core/Event.h"
#include "engine/world/Vector.h"

namespace ov
{

class Object;

// A collision between the object that moved (object1) and one it met (object2).
class EventCollision : public Event
{
public:
    // The two objects, and where object1 would have been (world cells). The objects belong to the world.
    ///@{
    EventCollision(Object* object1 = nullptr, Object* object2 = nullptr, Vector position = Vector())
        : m_position(position), m_object1(object1), m_object2(object2)
    {
        setType(EVENT_TYPE_COLLISION);
    }

    void setPosition(Vector position) { m_position = position; }
    Vector getPosition() const { return m_position; }
    void setObject1(Object* object) { m_object1 = object; }
    Object* getObject1() const { return m_object1; }
    void setObject2(Object* object) { m_object2 = object; }
    Object* getObject2() const { return m_object2; }
    ///@}

private:
    Vector m_position;
    Object* m_object1;
    Object* m_object2;
};

} // namespace ov
