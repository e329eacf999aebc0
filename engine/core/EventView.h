#pragma once

#include "engine/core/Event.h"

#include <string>

namespace ov
{

// Changes the value of the view object whose label equals the tag. A default
// view event changes nothing: its empty tag names no view object, and adding
// 0 would leave the value as it is even if one matched.
class EventView : public Event
{
public:
    // The view object's label, the value, and whether the value is added (true) or replaces the view object's
    // (false).
    ///@{
    EventView(const std::string& tag = std::string(), int value = 0, bool delta = true)
        : m_tag(tag), m_value(value), m_delta(delta)
    {
        setType(EVENT_TYPE_VIEW);
    }

    void setTag(const std::string& tag) { m_tag = tag; }
    const std::string& getTag() const { return m_tag; }
    void setValue(int value) { m_value = value; }
    int getValue() const { return m_value; }
    void setDelta(bool delta) { m_delta = delta; }
    bool getDelta() const { return m_delta; }
    ///@}

private:
    std::string m_tag;
    int m_value;
    bool m_delta;
};

} // namespace ov
