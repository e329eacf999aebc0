#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace e2e
{

// One character cell of the game's 1024 x 768 window of 80 x 30 cells, in pixels.
const double CELL_WIDTH = 1024.0 / 80.0;
const double CELL_HEIGHT = 768.0 / 30.0;

// The colours the game draws its characters in, told apart on anti-aliased
// glyph pixels (dimmer edges keep their hue).
enum class Ink
{
    Yellow,
    Cyan,
    Red,
    Green,
    White
};

// Pixels' bounding box of one ink; empty when no pixel has it.
struct InkBox
{
    int count = 0;
    int left = 0, top = 0, right = -1, bottom = -1;

    bool empty() const { return count == 0; }
    double centreX() const { return (left + right) / 2.0; }
    double centreY() const { return (top + bottom) / 2.0; }
    bool operator==(const InkBox& other) const
    {
        return count == other.count && left == other.left && top == other.top && right == other.right &&
               bottom == other.bottom;
    }
};

// Where a block of text art was found on screen and how well it agreed,
// cell by cell, on which cells carry ink.
struct TextMatch
{
    double score = 0;   // fraction of cells that agree, 0 to 1
    double centreX = 0; // pixel centre of the block as found
    double centreY = 0;
};

// A screenshot: 8-bit RGB rows, top to bottom.
class Image
{
public:
    // Reads a binary PPM (P6, maxval 255), as `import ... ppm:-` writes it.
    bool loadPpm(const std::string& bytes);
    bool savePpm(const std::string& path) const;

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool has(int x, int y, Ink ink) const;

    InkBox box(Ink ink) const;

    // Looks for the rows of text art (cells of 12.8 x 25.6 pixels, as the
    // window is divided) drawn in the ink anywhere on screen. Blanks and the
    // transparent character must show no ink; every other character some.
    TextMatch findText(const std::vector<std::string>& rows, Ink ink, char transparent = '\0') const;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint8_t> m_rgb;
};

} // namespace e2e
