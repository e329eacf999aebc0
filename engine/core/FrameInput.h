#pragma once

#include "engine/core/EventKeyboard.h"
#include "engine/core/EventMouse.h"
#include "engine/world/Vector.h"

#include <vector>

namespace ov
{

// What the window's input gave in one frame, before it is handed out as
// events: the window's events in their order, then the keys and mouse
// buttons held. Plain data: the input manager fills it from the window, and
// a replayed run from its recording.
struct FrameInput
{
    // One of the window's events.
    struct Happening
    {
        // What happened, in the window's order.
        enum Kind
        {
            KEY_PRESSED,
            KEY_RELEASED,
            MOUSE_MOVED,
            MOUSE_CLICKED
        };
        Kind kind; // what happened
        int code;        // a Key for the keyboard, a MouseButton for a click (-1: none of the table's)
        Vector position; // window pixels of the 1024 x 768 picture, for the mouse
    };

    std::vector<Happening> happenings; // the window's events, in their order
    bool keys[KEY_COUNT] = {}; // each Key held, by its value
    // Left, middle and right, in that order.
    bool buttons[3] = {};
};

} // namespace ov
