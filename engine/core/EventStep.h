#pragma once

#include "engine/core/Event.h"

namespace ov
{

// Sent once per frame by the world update (with the frame number) and by the game loop (with 0).
class EventStep : public Event
{
public:
    // The frame number this step event is for (0 from the game loop's own).
    ///@{
    explicit EventStep(int stepCount = 0) : m_stepCount(stepCount) { setType(EVENT_TYPE_STEP); }

    void setStepCount(int stepCount) { m_stepCount = stepCount; }
    int getStepCount() const { return m_stepCount; }
    ///@}

private:
    int m_stepCount;
};

} // namespace ov
