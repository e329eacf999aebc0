#include "engine/core/EventCollision.h"

namespace ov
{

EventCollision::EventCollision() :
    m_position(0.0f, 0.0f),
    m_object1(nullptr),
    m_object2(nullptr)
{
    setType(EVENT_TYPE_COLLISION);
}

EventCollision::EventCollision(Object* object1, Object* object2, Vector position) :
    m_position(position),
    m_object1(object1),
    m_object2(object2)
{
    setType(EVENT_TYPE_COLLISION);
}

void EventCollision::setPosition(Vector position)
{
    m_position = position;
}

Vector EventCollision::getPosition() const
{
    return m_position;
}

void EventCollision::setObject1(Object* object)
{
    m_object1 = object;
}

Object* EventCollision::getObject1() const
{
    return m_object1;
}

void EventCollision::setObject2(Object* object)
{
    m_object2 = object;
}

Object* EventCollision::getObject2() const
{
    return m_object2;
}

} // namespace ov
