#pragma once

#include "engine/display/Color.h"
#include "engine/world/Vector.h"

#include <string>

namespace ov
{

// One picture of a sprite: width x height characters, row after row.
class Frame
{
public:
    Frame();
    Frame(int width, int height, const std::string& text);

    int getWidth() const;
    int getHeight() const;
    const std::string& getText() const;
    bool isEmpty() const;

    // Draws the characters with their top-left at a world position, leaving
    // out the transparent one (0: none). 0, or -1 when a character fails.
    int draw(Vector topLeft, Color color, char transparency) const;

private:
    int m_width;
    int m_height;
    std::string m_text;
};

} // namespace ov
