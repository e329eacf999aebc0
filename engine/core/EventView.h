#pragma once

#include "engine/core/Event.h"

#include <string>

namespace ov
{

// Changes the value of the view object whose label equals the tag.
class EventView : public Event
{
public:
    EventView();
    EventView(const std::string& tag, int value, bool delta);

    void setTag(const std::string& tag);
    const std::string& getTag() const;
    void setValue(int value);
    int getValue() const;
    void setDelta(bool delta);
    bool getDelta() const;

private:
    std::string m_tag;
    int m_value;
    bool m_delta;
};

} // namespace ov
