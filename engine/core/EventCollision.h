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
    EventCollision();
    EventCollision(Object* object1, Object* object2, Vector position);

    void setPosition(Vector position);
    Vector getPosition() const;
    void setObject1(Object* object);
    Object* getObject1() const;
    void setObject2(Object* object);
    Object* getObject2() const;

private:
    Vector m_position;
    Object* m_object1;
    Object* m_object2;
};

} // namespace ov
