#pragma once

#include "engine/core/Event.h"
#include "engine/world/Vector.h"

namespace ov
{

enum class MouseAction : int
{
    Undefined = -1,
    Clicked = 0,
    Held = 1,
    Moved = 2
};

enum class MouseButton : int
{
    Undefined = -1,
    Left = 0,
    Right = 1,
    Middle = 2
};

// A mouse event; the position is in window pixels and defaults to the window's centre.
class EventMouse : public Event
{
public:
    EventMouse();

    void setAction(MouseAction action);
    MouseAction getAction() const;
    void setButton(MouseButton button);
    MouseButton getButton() const;
    void setPosition(Vector position);
    Vector getPosition() const;

private:
    MouseAction m_action;
    MouseButton m_button;
    Vector m_position;
};

} // namespace ov
