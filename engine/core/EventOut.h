#pragma once

#include "engine/core/Event.h"

namespace ov
{

// Sent to an object whose move took it out of the world boundary (true) or out of the view (false).
class EventOut : public Event
{
public:
    // True when the move left the world's boundary, false when it left the view.
    ///@{
    explicit EventOut(bool outOfWorld) : m_outOfWorld(outOfWorld) { setType(EVENT_TYPE_OUT); }

    void setOutOfWorld(bool outOfWorld) { m_outOfWorld = outOfWorld; }
    bool getOutOfWorld() const { return m_outOfWorld; }
    ///@}

private:
    bool m_outOfWorld;
};

} // namespace ov
