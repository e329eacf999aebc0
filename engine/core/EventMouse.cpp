#include "engine/core/EventMouse.h"

#include "engine/display/DisplayManager.h"

namespace ov
{

EventMouse::EventMouse() :
    m_action(MouseAction::Undefined),
    m_button(MouseButton::Undefined)
{
    setType(EVENT_TYPE_MOUSE);

    // The centre of the window, in whole pixels.
    const DisplayManager& display = DisplayManager::getInstance();
    m_position = Vector(static_cast<float>(display.getWidthPixels() / 2),
                        static_cast<float>(display.getHeightPixels() / 2));
}

void EventMouse::setAction(MouseAction action)
{
    m_action = action;
}

MouseAction EventMouse::getAction() const
{
    return m_action;
}

void EventMouse::setButton(MouseButton button)
{
    m_button = button;
}

MouseButton EventMouse::getButton() const
{
    return m_button;
}

void EventMouse::setPosition(Vector position)
{
    m_position = position;
}

Vector EventMouse::getPosition() const
{
    return m_position;
}

} // namespace ov
