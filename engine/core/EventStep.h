#pragma once

#include "engine/core/Event.h"

namespace ov
{

// Sent once per frame by the world update (with the frame number) and by the game loop (with 0).
class EventStep : public Event
{
public:
    EventStep();
    explicit EventStep(int stepCount);

    void setStepCount(int stepCount);
    int getStepCount() const;

private:
    int m_stepCount;
};

} // namespace ov
