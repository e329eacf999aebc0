#include "engine/core/EventOut.h"

namespace ov
{

EventOut::EventOut(bool outOfWorld) :
    m_outOfWorld(outOfWorld)
{
    setType(EVENT_TYPE_OUT);
}

void EventOut::setOutOfWorld(bool outOfWorld)
{
    m_outOfWorld = outOfWorld;
}

bool EventOut::getOutOfWorld() const
{
    return m_outOfWorld;
}

} // namespace ov
