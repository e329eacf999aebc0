#pragma once

#include "engine/core/Event.h"

namespace ov
{

// Engine keys; the input manager pairs each with one SFML key.
enum class Key : int
{
    Undefined = -1,
    Space = 0, Return, Escape, Tab, Left, Right, Up, Down, Pause, Minus, Plus, Tilde,
    Period, Comma, Slash, Equal, Backslash, Multiply, Quote, Semicolon,
    LeftControl, RightControl, LeftShift, RightShift,
    F1, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12,
    A, B, C, D, E, F, G, H, I, J, K, L, M, N, O, P, Q, R, S, T, U, V, W, X, Y, Z,
    Num1, Num2, Num3, Num4, Num5, Num6, Num7, Num8, Num9, Num0,
    Backspace
};

const int KEY_COUNT = 73;

enum class KeyboardAction : int
{
    Undefined = -1,
    Pressed = 0,
    Released = 1,
    Held = 2
};

// A key pressed or released in this frame (in the window's order), or held (every frame while it is down, after the
// window's events).
class EventKeyboard : public Event
{
public:
    // The key and what happened to it.
    ///@{
    EventKeyboard(Key key = Key::Undefined, KeyboardAction action = KeyboardAction::Undefined)
        : m_key(key), m_action(action)
    {
        setType(EVENT_TYPE_KEYBOARD);
    }

    void setKey(Key key) { m_key = key; }
    Key getKey() const { return m_key; }
    void setAction(KeyboardAction action) { m_action = action; }
    KeyboardAction getAction() const { return m_action; }
    ///@}

private:
    Key m_key;
    KeyboardAction m_action;
};

} // namespace ov
