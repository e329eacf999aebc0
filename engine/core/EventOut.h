#pragma once

#include "engine/core/Event.h"

namespace ov
{

// Sent to an object whose move took it out of the world boundary (true) or out of the view (false).
class EventOut : public Event
{
public:
    explicit EventOut(bool outOfWorld);

    void setOutOfWorld(bool outOfWorld);
    bool getOutOfWorld() const;

private:
    bool m_outOfWorld;
};

} // namespace ov
