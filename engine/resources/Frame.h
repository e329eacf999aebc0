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
    // A frame of width x height characters (cells), the rows one after the other in text; empty by default.
    ///@{
    Frame() = default;
    Frame(int width, int height, const std::string& text) : m_width(width), m_height(height), m_text(text) {}

    int getWidth() const { return m_width; }
    int getHeight() const { return m_height; }
    const std::string& getText() const { return m_text; }
    bool isEmpty() const { return m_width == 0 && m_height == 0 && m_text.empty(); }
    ///@}

    // Draws the characters with their top-left at a world position, leaving
    // out the transparent one (0: none). 0, or -1 when a character fails.
    int draw(Vector topLeft, Color color, char transparency) const;

private:
    int m_width = 0;
    int m_height = 0;
    std::string m_text;
};

} // namespace ov
