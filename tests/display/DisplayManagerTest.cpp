#include "WindowHarness.h"
#include "support/ReferenceRenderer.h"

#include "engine/core/LogManager.h"
#include "engine/display/DisplayManager.h"
#include "engine/world/WorldManager.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <set>

namespace
{

const float CELL_WIDTH = 12.8f;
const float CELL_HEIGHT = 25.6f;

int countLines(const std::string& level, const std::string& message)
{
    int count = 0;
    test::GameLog log;
    for (const test::LogLine& line : log.lines())
        if (line.source == "DisplayManager" && line.level == level && line.message == message)
            ++count;
    return count;
}

bool isInk(sf::Color pixel)
{
    return pixel.r != 0 || pixel.g != 0 || pixel.b != 0;
}

// Bounds of everything that is not black in the image.
struct Ink
{
    int left = 1 << 20;
    int right = -1;
    int top = 1 << 20;
    int bottom = -1;
    int count = 0;
};

Ink findInk(const sf::Image& image)
{
    Ink ink;
    for (unsigned y = 0; y < image.getSize().y; ++y)
    {
        for (unsigned x = 0; x < image.getSize().x; ++x)
        {
            if (!isInk(image.getPixel(x, y)))
                continue;
            ink.left = std::min(ink.left, int(x));
            ink.right = std::max(ink.right, int(x));
            ink.top = std::min(ink.top, int(y));
            ink.bottom = std::max(ink.bottom, int(y));
            ++ink.count;
        }
    }
    return ink;
}

// The columns of one row of cells that hold ink.
std::set<int> inkColumns(const sf::Image& image, int row)
{
    std::set<int> columns;
    int top = int(row * CELL_HEIGHT);
    for (int y = top; y < top + int(CELL_HEIGHT); ++y)
        for (unsigned x = 0; x < image.getSize().x; ++x)
            if (isInk(image.getPixel(x, y)))
                columns.insert(int(std::floor(x / CELL_WIDTH)));
    return columns;
}

// The brightest pixel around the cell (column, row), glyph overhang included.
sf::Color brightestInCell(const sf::Image& image, int column, int row)
{
    sf::Color best = sf::Color::Black;
    for (int y = int(row * CELL_HEIGHT); y < int((row + 1) * CELL_HEIGHT) + 8; ++y)
    {
        for (int x = int(column * CELL_WIDTH) - 1; x < int((column + 1) * CELL_WIDTH) + 4; ++x)
        {
            sf::Color pixel = image.getPixel(x, y);
            if (pixel.r + pixel.g + pixel.b > best.r + best.g + best.b)
                best = pixel;
        }
    }
    return best;
}

bool sameImage(const sf::Image& a, const sf::Image& b)
{
    return a.getSize() == b.getSize()
        && std::memcmp(a.getPixelsPtr(), b.getPixelsPtr(), a.getSize().x * a.getSize().y * 4) == 0;
}

using DisplayTest = harness::WindowTest;

TEST_F(DisplayTest, CharacterIsBoldSize25AtItsCellsUnroundedCorner)
{
    ASSERT_EQ(display().drawCh(ov::Vector(10, 2), 'X', ov::RED), 0);
    sf::Image drawn = harness::readBack();

    // The glyph sits in cell (10, 2): pixels 128 to 140.8 across, 51.2 to 76.8
    // down. A glyph of size 25 is a little wider than a cell and its strokes
    // reach a few pixels past the cell's right edge and bottom, never into the
    // body of the neighbouring cells.
    Ink ink = findInk(drawn);
    ASSERT_GT(ink.count, 0);
    float centreX = (ink.left + ink.right) / 2.0f;
    float centreY = (ink.top + ink.bottom) / 2.0f;
    EXPECT_GE(centreX, 10 * CELL_WIDTH);
    EXPECT_LE(centreX, 11 * CELL_WIDTH);
    EXPECT_GE(centreY, 2 * CELL_HEIGHT);
    EXPECT_LE(centreY, 3 * CELL_HEIGHT);
    EXPECT_GE(ink.left, 10 * CELL_WIDTH - 2);
    EXPECT_LE(ink.right, 11 * CELL_WIDTH + 4);
    EXPECT_GE(ink.top, 2 * CELL_HEIGHT);
    EXPECT_LE(ink.bottom, 3 * CELL_HEIGHT + 7);
    for (int y = ink.top; y <= ink.bottom; ++y)
        for (int x = ink.left; x <= ink.right; ++x)
            EXPECT_TRUE(drawn.getPixel(x, y).g == 0 && drawn.getPixel(x, y).b == 0);

    // Exactly what a bold text of size 25 gives at (128, 51.2): neither
    // rounded to whole pixels nor at the text's default size.
    window().clear();
    sf::Text reference("X", display().getFont(), 25);
    reference.setStyle(sf::Text::Bold);
    reference.setFillColor(sf::Color::Red);
    reference.setPosition(128.0f, 51.2f);
    window().draw(reference);
    EXPECT_TRUE(sameImage(drawn, harness::readBack()));

    // Positions are taken relative to the view.
    window().clear();
    ov::WorldManager::getInstance().setView(ov::Box(ov::Vector(5, 1), 80, 30));
    ASSERT_EQ(display().drawCh(ov::Vector(15, 3), 'X', ov::RED), 0);
    EXPECT_TRUE(sameImage(drawn, harness::readBack()));
}

// Every printable character lies wholly within the part of its cell that its
// own background covers: the backgrounds of neighbours drawn after it, on
// all four sides, leave it as it was drawn alone.
TEST_F(DisplayTest, NoCharacterIsCutByItsNeighbours)
{
    const auto drawAll = [&](bool neighbours) {
        display().swapBuffers();
        for (int c = 33; c < 127; ++c)
        {
            const ov::Vector at(static_cast<float>(2 + 3 * ((c - 33) % 25)), static_cast<float>(2 + 3 * ((c - 33) / 25)));
            ASSERT_EQ(display().drawCh(at, static_cast<char>(c), ov::WHITE), 0);
            if (!neighbours)
                continue;
            for (const ov::Vector side : {ov::Vector(-1, 0), ov::Vector(1, 0), ov::Vector(0, -1), ov::Vector(0, 1)})
                ASSERT_EQ(display().drawCh(at + side, ' ', ov::WHITE), 0);
        }
    };
    drawAll(false);
    const sf::Image alone = harness::readBack();
    drawAll(true);
    EXPECT_LE(test::worstPatch(alone, harness::readBack()), test::MOST_IN_A_PATCH);
    display().swapBuffers();
}

TEST_F(DisplayTest, CellBackgroundHidesWhatWasDrawnInTheCharactersCell)
{
    sf::RectangleShape green(sf::Vector2f(1024, 768));
    green.setFillColor(sf::Color::Green);
    window().draw(green);

    ASSERT_EQ(display().drawCh(ov::Vector(10, 2), ' ', ov::WHITE), 0);
    sf::Image image = harness::readBack();

    // The box covers 127.3 to 140.1 across and 56.3 to 81.9 down: the cell,
    // moved a little left and down to lie behind the glyph.
    for (int y = 57; y <= 81; ++y)
        for (int x = 128; x <= 139; ++x)
            ASSERT_EQ(image.getPixel(x, y), sf::Color::Black) << x << "," << y;
    for (int y = 57; y <= 81; ++y)
    {
        EXPECT_EQ(image.getPixel(126, y), sf::Color::Green);
        EXPECT_EQ(image.getPixel(141, y), sf::Color::Green);
    }
    for (int x = 128; x <= 139; ++x)
    {
        EXPECT_EQ(image.getPixel(x, 55), sf::Color::Green);
        EXPECT_EQ(image.getPixel(x, 83), sf::Color::Green);
    }
    // Nothing lands in the window's corner, where raw cell numbers would put it.
    EXPECT_EQ(image.getPixel(12, 12), sf::Color::Green);
}

TEST_F(DisplayTest, ColoursAreTheTableValuesAndNoColorKeepsTheLastOne)
{
    // Nothing had been drawn in a colour yet when the harness drew with CUSTOM.
    EXPECT_EQ(harness::firstCustomColor(), sf::Color::White);

    const struct
    {
        ov::Color color;
        sf::Color expected;
    } colours[] = {
        {ov::RED, sf::Color(255, 0, 0)},       {ov::GREEN, sf::Color(0, 255, 0)},
        {ov::YELLOW, sf::Color(255, 255, 0)},  {ov::BLUE, sf::Color(0, 0, 255)},
        {ov::MAGENTA, sf::Color(255, 0, 255)}, {ov::CYAN, sf::Color(0, 255, 255)},
        {ov::WHITE, sf::Color(255, 255, 255)}, {ov::ORANGE, sf::Color(255, 127, 0)},
        {ov::NO_COLOR, sf::Color(255, 127, 0)}, {ov::RED, sf::Color(255, 0, 0)},
        {ov::CUSTOM, sf::Color(255, 0, 0)},    {ov::BLACK, sf::Color(0, 0, 0)},
    };
    int column = 2;
    for (const auto& entry : colours)
    {
        ASSERT_EQ(display().drawCh(ov::Vector(float(column), 4), '#', entry.color), 0);
        column += 4;
    }

    sf::Image image = harness::readBack();
    column = 2;
    for (const auto& entry : colours)
    {
        EXPECT_EQ(brightestInCell(image, column, 4), entry.expected) << "colour " << int(entry.color);
        column += 4;
    }
}

TEST_F(DisplayTest, StringsAreCentredByHalvingTheirLength)
{
    int errorsBefore = countLines("ERROR", "Error drawing string.");

    EXPECT_EQ(display().drawString(ov::Vector(10, 5), "|||", ov::CYAN), 0);
    EXPECT_EQ(display().drawString(ov::Vector(10, 8), "||||", ov::CYAN), 0);
    sf::Image image = harness::readBack();
    EXPECT_EQ(inkColumns(image, 5), (std::set<int>{9, 10, 11}));
    EXPECT_EQ(inkColumns(image, 8), (std::set<int>{8, 9, 10, 11}));

    window().clear();
    EXPECT_EQ(display().drawString(ov::Vector(10, 5), "", ov::CYAN), 0);
    EXPECT_EQ(findInk(harness::readBack()).count, 0);
    EXPECT_EQ(countLines("ERROR", "Error drawing string."), errorsBefore);
}

TEST_F(DisplayTest, SwapShowsTheFrameAndClearsTheNextOne)
{
    ASSERT_EQ(display().drawCh(ov::Vector(10, 2), '|', ov::RED), 0);
    display().swapBuffers();

    // The frame reaches the screen a moment after the swap.
    Ink shown;
    for (int attempt = 0; attempt < 50 && shown.count == 0; ++attempt)
    {
        sf::sleep(sf::milliseconds(20));
        shown = findInk(harness::readShown());
    }
    EXPECT_GT(shown.count, 0);
    EXPECT_EQ(inkColumns(harness::readShown(), 2), std::set<int>{10});
    EXPECT_EQ(findInk(harness::readBack()).count, 0);
}

TEST_F(DisplayTest, StartingAgainWhileStartedChangesNothing)
{
    sf::RenderWindow* before = display().getWindow();
    const int lines = test::logMark();

    EXPECT_EQ(display().start(), 0);
    EXPECT_EQ(display().getWindow(), before);
    EXPECT_TRUE(display().isStarted());
    EXPECT_EQ(test::logMark(), lines);
}

TEST_F(DisplayTest, MissingFontFailsAndLeavesTheWindowOpen)
{
    int closing = countLines("", "Closing window.");
    int stopped = countLines("", "Stopped.");
    display().stop();
    EXPECT_FALSE(display().isStarted());
    EXPECT_EQ(countLines("", "Closing window."), closing + 1);
    EXPECT_EQ(countLines("", "Stopped."), stopped + 1);

    ASSERT_EQ(std::rename(ov::FONT_FILE, "ov-font.ttf.away"), 0);
    int started = countLines("", "Started.");
    int sizes = countLines("", "Size of window: 1024px x 768px.");
    int result = display().start();
    bool open = display().getWindow() && display().getWindow()->isOpen();
    bool isStarted = display().isStarted();
    ASSERT_EQ(std::rename("ov-font.ttf.away", ov::FONT_FILE), 0);

    EXPECT_EQ(result, -1);
    EXPECT_TRUE(open);
    EXPECT_FALSE(isStarted);
    EXPECT_EQ(countLines("ERROR", "Error loading font from ov-font.ttf."), 1);
    EXPECT_EQ(countLines("", "Started."), started);

    // With the font back, the open window is kept and the display starts.
    sf::RenderWindow* window = display().getWindow();
    EXPECT_EQ(display().start(), 0);
    EXPECT_EQ(display().getWindow(), window);
    EXPECT_TRUE(display().isStarted());
    EXPECT_EQ(countLines("", "Started."), started + 1);
    EXPECT_EQ(countLines("", "Size of window: 1024px x 768px."), sizes + 1);
}

} // namespace
