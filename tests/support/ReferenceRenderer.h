#pragma once

#include "engine/display/Color.h"
#include "engine/display/DisplayManager.h"
#include "engine/world/Vector.h"
#include "engine/world/WorldManager.h"

#include <SFML/Graphics.hpp>

#include <algorithm>
#include <cstdlib>
#include <locale>
#include <vector>

// Draws characters one at a time, with one shared rectangle and one shared
// text, the way the display manager drew them before it gathered a frame into
// one draw call. The tests compare the display manager's pixels with these,
// and the render benchmark times both ways.
namespace test
{

// One character of a scene, as given to drawCh.
struct Cell
{
    ov::Vector position;
    char ch;
    ov::Color color;
    // Whether its cell background is drawn: a test may leave it out to see
    // that the comparison notices.
    bool background = true;
};

class ReferenceRenderer
{
public:
    // Draws into the display manager's window with its font; starts white,
    // like a new text.
    ReferenceRenderer()
        : m_text("", ov::DisplayManager::getInstance().getFont(), 30)
    {
    }

    // The same picture drawCh gives, drawn straight into the window.
    void drawCh(ov::Vector position, char ch, ov::Color color, bool background = true)
    {
        ov::DisplayManager& display = ov::DisplayManager::getInstance();
        sf::RenderWindow& window = *display.getWindow();

        const ov::Vector corner = ov::WorldManager::getInstance().getView().corner;
        const float rx = position.x - corner.x;
        const float ry = position.y - corner.y;
        const float cellWidth = display.getCellWidth();
        const float cellHeight = display.getCellHeight();

        m_background.setSize(sf::Vector2f(cellWidth, cellHeight));
        m_background.setFillColor(sf::Color::Black);
        m_background.setPosition(rx * cellWidth - cellWidth / 19.0f, ry * cellHeight + cellHeight / 5.0f);
        if (background)
            window.draw(m_background);

        m_text.setString(sf::String(ch, std::locale()));
        m_text.setStyle(sf::Text::Bold);
        m_text.setCharacterSize(static_cast<unsigned int>(2.0f * std::min(cellWidth, cellHeight)));
        sf::Color fill;
        if (colorOf(color, fill))
            m_text.setFillColor(fill);
        m_text.setPosition(cellWidth * rx, cellHeight * ry);
        window.draw(m_text);
    }

    void draw(const std::vector<Cell>& cells)
    {
        for (const Cell& cell : cells)
            drawCh(cell.position, cell.ch, cell.color, cell.background);
    }

private:
    // False for NO_COLOR and CUSTOM: the text keeps its last colour.
    static bool colorOf(ov::Color color, sf::Color& result)
    {
        static const sf::Color table[] = {
            sf::Color::Black, sf::Color::Red,  sf::Color::Green, sf::Color::Yellow,         sf::Color::Blue,
            sf::Color::Magenta, sf::Color::Cyan, sf::Color::White, sf::Color(255, 127, 0, 255),
        };
        if (color < ov::BLACK || color > ov::ORANGE)
            return false;
        result = table[color];
        return true;
    }

    sf::RectangleShape m_background;
    sf::Text m_text;
};

// Every cell of the 80 x 30 screen, in order, with a mix of printable
// characters, spaces and all the colours, NO_COLOR and CUSTOM included. The
// first cell has a colour of its own, so that both ways start alike.
inline std::vector<Cell> fullScreenScene(ov::Vector corner = ov::Vector())
{
    std::vector<Cell> cells;
    unsigned int state = 12345;
    for (int row = 0; row < 30; ++row)
    {
        for (int column = 0; column < 80; ++column)
        {
            state = state * 1103515245u + 12345u;
            const unsigned int pick = state >> 16;
            const char ch = pick % 7 == 0 ? ' ' : static_cast<char>(33 + pick % 94);
            const int colour = (row == 0 && column == 0) ? ov::RED : static_cast<int>((pick / 94) % 11) - 1;
            cells.push_back(Cell{ov::Vector(corner.x + float(column), corner.y + float(row)), ch, ov::Color(colour)});
        }
    }
    return cells;
}

// The window's back buffer as it is now.
inline sf::Image readWindow()
{
    sf::RenderWindow& window = *ov::DisplayManager::getInstance().getWindow();
    sf::Texture texture;
    texture.create(window.getSize().x, window.getSize().y);
    texture.update(window);
    return texture.copyToImage();
}

// How far a picture lies from another of the same frame: the most pixels,
// within any square of PATCH x PATCH pixels, that differ by more than STRONG
// in a channel; -1 for images of different sizes. Two ways of drawing text
// may shade the edges of a glyph a little differently, or round an edge that
// crosses a pixel's centre the other way, which leaves a thin line of pixels
// at most; a glyph moved by one pixel, missing, in another colour or left
// showing where a background should hide it changes a whole patch.
const int PATCH = 8;
const int STRONG = 64;
const int MOST_IN_A_PATCH = 8;

inline int worstPatch(const sf::Image& a, const sf::Image& b)
{
    if (a.getSize() != b.getSize())
        return -1;
    const int width = static_cast<int>(a.getSize().x);
    const int height = static_cast<int>(a.getSize().y);
    const sf::Uint8* pa = a.getPixelsPtr();
    const sf::Uint8* pb = b.getPixelsPtr();
    // Counts of differing pixels above and left of each point, to sum any
    // square in four look-ups.
    std::vector<int> sums(std::size_t(width + 1) * (height + 1), 0);
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            const std::size_t at = 4 * (std::size_t(y) * width + x);
            bool differs = false;
            for (int channel = 0; channel < 4; ++channel)
                differs = differs || std::abs(int(pa[at + channel]) - int(pb[at + channel])) > STRONG;
            sums[std::size_t(y + 1) * (width + 1) + x + 1] = int(differs) + sums[std::size_t(y) * (width + 1) + x + 1]
                + sums[std::size_t(y + 1) * (width + 1) + x] - sums[std::size_t(y) * (width + 1) + x];
        }
    }
    int worst = 0;
    for (int y = PATCH; y <= height; ++y)
    {
        for (int x = PATCH; x <= width; ++x)
        {
            const int count = sums[std::size_t(y) * (width + 1) + x] - sums[std::size_t(y - PATCH) * (width + 1) + x]
                - sums[std::size_t(y) * (width + 1) + x - PATCH] + sums[std::size_t(y - PATCH) * (width + 1) + x - PATCH];
            worst = std::max(worst, count);
        }
    }
    return worst;
}

} // namespace test
