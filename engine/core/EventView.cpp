#include "engine/core/EventView.h"

namespace ov
{

// A default view event changes nothing: its empty tag names no view object,
// and adding 0 would leave the value as it is even if one matched.
EventView::EventView() :
    m_tag(),
    m_value(0),
    m_delta(true)
{
    setType(EVENT_TYPE_VIEW);
}

EventView::EventView(const std::string& tag, int value, bool delta) :
    m_tag(tag),
    m_value(value),
    m_delta(delta)
{
    setType(EVENT_TYPE_VIEW);
}

void EventView::setTag(const std::string& tag)
{
    m_tag = tag;
}

const std::string& EventView::getTag() const
{
    return m_tag;
}

void EventView::setValue(int value)
{
    m_value = value;
}

int EventView::getValue() const
{
    return m_value;
}

void EventView::setDelta(bool delta)
{
    m_delta = delta;
}

bool EventView::getDelta() const
{
    return m_delta;
}

} // namespace ov
