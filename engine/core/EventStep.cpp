#include "engine/core/EventStep.h"

namespace ov
{

EventStep::EventStep() :
    m_stepCount(0)
{
    setType(EVENT_TYPE_STEP);
}

EventStep::EventStep(int stepCount) :
    m_stepCount(stepCount)
{
    setType(EVENT_TYPE_STEP);
}

void EventStep::setStepCount(int stepCount)
{
    m_stepCount = stepCount;
}

int EventStep::getStepCount() const
{
    return m_stepCount;
}

} // namespace ov
