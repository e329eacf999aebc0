#pragma once

#include "engine/core/Event.h"
#include "engine/world/Vector.h"

namespace ov
{

// What the mouse did: a button clicked (pressed), a button held in a later frame, or the pointer moved.
enum class MouseAction : int
{
    Undefined = -1,
    Clicked = 0,
    Held = 1,
    Moved = 2
};

// The mouse's buttons; Undefined for a move.
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

    // What happened, with which button, and where: pixels of the window's 1024 x 768 picture, whatever the window's
    // size (a held button reports the window's centre).
    ///@{
    void setAction(MouseAction action) { m_action = action; }
    MouseAction getAction() const { return m_action; }
    void setButton(MouseButton button) { m_button = button; }
    MouseButton getButton() const { return m_button; }
    void setPosition(Vector position) { m_position = position; }
    Vector getPosition() const { return m_position; }
    ///@}

private:
    MouseAction m_action;
    MouseButton m_button;
    Vector m_position;
};

} // namespace ov
