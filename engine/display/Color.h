#pragma once

namespace ov
{

// Colours by number; sprite files name them by word.
enum Color : int
{
    NO_COLOR = -1, // no colour is set: the last colour used
    BLACK = 0,
    RED,
    GREEN,
    YELLOW,
    BLUE,
    MAGENTA,
    CYAN,
    WHITE,
    ORANGE,
    CUSTOM // no colour of its own: drawn like NO_COLOR
};

} // namespace ov
