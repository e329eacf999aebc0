// The display manager gathers a frame's characters and draws them at once.
// These tests draw the same scenes that way and one character at a time with
// a shared rectangle and text, and compare the pictures read back, allowing
// for the small differences two ways of drawing text may show (see
// test::worstPatch).
#include "WindowHarness.h"

#include "engine/display/DisplayManager.h"
#include "engine/display/FrameBatch.h"
#include "engine/resources/Frame.h"
#include "engine/world/WorldManager.h"
#include "support/ReferenceRenderer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace
{

// Drawn under a scene, so that a pixel a background should hide shows.
const sf::Color UNDERLAY(0, 90, 40);

int countInk(const sf::Image& image, sf::Color field = sf::Color::Black)
{
    int count = 0;
    for (unsigned y = 0; y < image.getSize().y; ++y)
        for (unsigned x = 0; x < image.getSize().x; ++x)
            if (image.getPixel(x, y) != field)
                ++count;
    return count;
}

// Characters over and beside each other at fractions of cells, a later one
// hiding an earlier one in the same cell.
std::vector<test::Cell> overlappingScene()
{
    std::vector<test::Cell> cells = {
        {ov::Vector(10, 5), 'W', ov::RED},      {ov::Vector(10, 5), 'i', ov::GREEN},
        {ov::Vector(12, 5), '#', ov::YELLOW},   {ov::Vector(12, 5), ' ', ov::WHITE},
        {ov::Vector(20, 8), 'M', ov::BLUE},     {ov::Vector(20.5f, 8), 'M', ov::MAGENTA},
        {ov::Vector(21, 8.5f), '@', ov::CYAN},  {ov::Vector(21.5f, 9), '&', ov::ORANGE},
        {ov::Vector(30.5f, 12.5f), 'Q', ov::WHITE},
    };
    for (int i = 0; i < 1500; ++i)
        cells.push_back({ov::Vector(std::fmod(i * 2.713f, 80.0f) - 0.6f, std::fmod(i * 0.619f, 30.0f) - 0.7f),
                         char(i % 11 == 0 ? ' ' : '!' + i % 90), ov::Color(i % 9)});
    return cells;
}

class BatchTest : public harness::WindowTest
{
protected:
    void SetUp() override
    {
        harness::WindowTest::SetUp();
        m_reference.reset(new test::ReferenceRenderer);
    }

    void drawUnderlay()
    {
        sf::RectangleShape underlay(sf::Vector2f(1024, 768));
        underlay.setFillColor(UNDERLAY);
        window().draw(underlay);
    }

    // Over the underlay, or as the game draws: right after a swap, over black.
    sf::Image drawBatched(const std::vector<test::Cell>& cells, bool afterSwap)
    {
        if (afterSwap)
        {
            display().swapBuffers();
        }
        else
        {
            display().flush();
            window().clear();
            drawUnderlay();
        }
        for (const test::Cell& cell : cells)
            EXPECT_EQ(display().drawCh(cell.position, cell.ch, cell.color), 0);
        display().flush();
        return test::readWindow();
    }

    sf::Image drawReference(const std::vector<test::Cell>& cells, bool overBlack)
    {
        window().clear();
        if (!overBlack)
            drawUnderlay();
        m_reference->draw(cells);
        return test::readWindow();
    }

    // Both ways give the same picture, and it is not an empty one, over the
    // underlay and after a swap.
    void expectSamePicture(const std::vector<test::Cell>& cells, int minimumDrawn)
    {
        for (const bool afterSwap : {false, true})
        {
            const sf::Image batched = drawBatched(cells, afterSwap);
            const sf::Image expected = drawReference(cells, afterSwap);
            EXPECT_GE(countInk(expected, afterSwap ? sf::Color::Black : UNDERLAY), minimumDrawn);
            EXPECT_LE(test::worstPatch(batched, expected), test::MOST_IN_A_PATCH) << "after a swap: " << afterSwap;
        }
    }

    std::unique_ptr<test::ReferenceRenderer> m_reference;
};

TEST_F(BatchTest, FullScreenOfMixedCharactersAndColours)
{
    expectSamePicture(test::fullScreenScene(), 100000);

    // The same under a view whose corner is not on a whole cell.
    const ov::Vector corner(13.25f, 7.6f);
    ov::WorldManager::getInstance().setView(ov::Box(corner, 80, 30));
    expectSamePicture(test::fullScreenScene(corner + ov::Vector(0.3f, 0.45f)), 100000);
}

TEST_F(BatchTest, OverlappingCharactersAndHalfCells)
{
    expectSamePicture(overlappingScene(), 50000);
}

TEST_F(BatchTest, SpacesHideWhatLiesInTheirCells)
{
    std::vector<test::Cell> cells;
    for (int i = 0; i < 600; ++i)
        cells.push_back({ov::Vector(std::fmod(i * 1.37f, 78.0f), std::fmod(i * 0.29f, 28.0f)), 'H', ov::Color(i % 9)});
    for (int i = 0; i < 1500; ++i)
        cells.push_back({ov::Vector(std::fmod(i * 7.3127f, 79.0f), std::fmod(i * 3.7713f, 29.0f)), ' ', ov::WHITE});
    expectSamePicture(cells, 10000);
}

TEST_F(BatchTest, ColourlessCharactersTakeTheLastColourAcrossFrames)
{
    const std::vector<test::Cell> cells = {
        {ov::Vector(4, 4), 'R', ov::RED},      {ov::Vector(6, 4), 'n', ov::NO_COLOR},
        {ov::Vector(8, 4), 'c', ov::CUSTOM},   {ov::Vector(10, 4), 'G', ov::GREEN},
        {ov::Vector(12, 4), 'n', ov::NO_COLOR},
    };
    expectSamePicture(cells, 200);

    // The colour outlives the frame: the next frame's first colourless
    // character is green, as the last one given was.
    const std::vector<test::Cell> next = {{ov::Vector(4, 6), 'n', ov::NO_COLOR}, {ov::Vector(6, 6), 'c', ov::CUSTOM}};
    expectSamePicture(next, 50);
    sf::Image image = drawBatched(next, true);
    bool green = false;
    for (unsigned y = 150; y < 190; ++y)
        for (unsigned x = 48; x < 70; ++x)
            green = green || image.getPixel(x, y) == sf::Color::Green;
    EXPECT_TRUE(green);
}

TEST_F(BatchTest, TransparentSpriteCellsShowWhatLiesBelow)
{
    std::vector<test::Cell> below;
    for (int column = 18; column < 30; ++column)
        below.push_back({ov::Vector(float(column), 11), 'x', ov::RED});
    const ov::Frame frame(5, 3, ".###.#...##.#.#");
    const ov::Vector topLeft(20.5f, 10);

    display().swapBuffers();
    for (const test::Cell& cell : below)
        ASSERT_EQ(display().drawCh(cell.position, cell.ch, cell.color), 0);
    ASSERT_EQ(frame.draw(topLeft, ov::YELLOW, '.'), 0);
    display().flush();
    const sf::Image batched = test::readWindow();

    std::vector<test::Cell> expected = below;
    for (int r = 0; r < frame.getHeight(); ++r)
        for (int c = 0; c < frame.getWidth(); ++c)
            if (frame.getText()[r * frame.getWidth() + c] != '.')
                expected.push_back({topLeft + ov::Vector(float(c), float(r)), frame.getText()[r * frame.getWidth() + c],
                                    ov::YELLOW});
    const sf::Image reference = drawReference(expected, true);
    EXPECT_GE(countInk(reference), 500);
    EXPECT_LE(test::worstPatch(batched, reference), test::MOST_IN_A_PATCH);
}

TEST_F(BatchTest, CharactersPartlyOrWhollyOutsideTheWindow)
{
    std::vector<test::Cell> cells;
    for (int row = -1; row <= 30; ++row)
    {
        cells.push_back({ov::Vector(-0.6f, row + 0.3f), 'L', ov::GREEN});
        cells.push_back({ov::Vector(79.55f, float(row)), 'R', ov::CYAN});
    }
    for (int column = -1; column <= 80; ++column)
    {
        cells.push_back({ov::Vector(column + 0.4f, -0.7f), 'T', ov::YELLOW});
        cells.push_back({ov::Vector(float(column), 29.8f), 'B', ov::MAGENTA});
    }
    // Far away on every side: nothing of them shows, and drawing them succeeds.
    for (const ov::Vector& far : {ov::Vector(-40, 10), ov::Vector(200, 10), ov::Vector(40, -90), ov::Vector(40, 95)})
        cells.push_back({far, 'F', ov::WHITE});
    cells.push_back({ov::Vector(40, 15), 'C', ov::RED});
    expectSamePicture(cells, 5000);
}

TEST_F(BatchTest, FlushDrawsThePendingCharactersOnce)
{
    ASSERT_EQ(display().drawCh(ov::Vector(10, 2), 'X', ov::RED), 0);
    EXPECT_EQ(countInk(test::readWindow()), 0);

    display().flush();
    EXPECT_GT(countInk(test::readWindow()), 0);

    // Nothing is left over to draw again.
    window().clear();
    display().flush();
    EXPECT_EQ(countInk(test::readWindow()), 0);
}

// After a swap the batch leaves out backgrounds over plain black; whatever is
// drawn straight into the window after a flush must be hidden again.
TEST_F(BatchTest, BackgroundsHideWhatIsDrawnIntoTheWindowAfterAFlush)
{
    const std::vector<test::Cell> cells = overlappingScene();
    display().swapBuffers();
    display().flush();
    drawUnderlay();
    for (const test::Cell& cell : cells)
        ASSERT_EQ(display().drawCh(cell.position, cell.ch, cell.color), 0);
    display().flush();
    const sf::Image batched = test::readWindow();
    EXPECT_LE(test::worstPatch(batched, drawReference(cells, false)), test::MOST_IN_A_PATCH);
}

// The comparison must tell a real fault from shading: each fault planted in
// a copy of the frame drawn one character at a time is caught, while the
// faithful copy passes.
TEST_F(BatchTest, ComparisonCatchesAGlyphMovedRecolouredMissingOrNotHidden)
{
    std::vector<test::Cell> cells = test::fullScreenScene();
    // A glyph that a later cell's background hides but for that cell's own glyph.
    cells.push_back({ov::Vector(40, 12), 'W', ov::WHITE});
    cells.push_back({ov::Vector(40, 12), '.', ov::GREEN});
    cells.push_back({ov::Vector(50, 20), 'H', ov::RED});
    const std::size_t hidden = cells.size() - 3;
    const std::size_t hiding = cells.size() - 2;
    const std::size_t planted = cells.size() - 1;

    const sf::Image batched = drawBatched(cells, true);
    ASSERT_LE(test::worstPatch(batched, drawReference(cells, true)), test::MOST_IN_A_PATCH);

    // Shading alone passes: the glyph an eighth of a pixel to the right.
    std::vector<test::Cell> shaded = cells;
    shaded[planted].position.x += 1.0f / (8 * 12.8f);
    EXPECT_LE(test::worstPatch(batched, drawReference(shaded, true)), test::MOST_IN_A_PATCH);

    std::vector<std::vector<test::Cell>> faulty(4, cells);
    faulty[0][planted].position.x += 1.0f / 12.8f; // one pixel to the right
    faulty[1][planted].color = ov::MAGENTA;
    faulty[2][planted].ch = ' ';
    faulty[3][hiding].background = false;
    ASSERT_EQ(faulty[3][hidden].ch, 'W');
    for (std::size_t i = 0; i < faulty.size(); ++i)
        EXPECT_GT(test::worstPatch(batched, drawReference(faulty[i], true)), test::MOST_IN_A_PATCH) << "fault " << i;
}

// The batch on its own: over a cleared target only the parts of backgrounds
// that lie over earlier glyphs are kept.
TEST_F(BatchTest, BackgroundsOverAClearedTargetAreKeptOnlyOverEarlierGlyphs)
{
    ov::FrameBatch batch(sf::Vector2f(1024, 768));
    batch.setFont(&display().getFont(), 25);
    const sf::Color black = sf::Color::Black;
    const unsigned int quad = 6;

    batch.beginOnCleared(black);
    batch.addBackground(sf::FloatRect(100, 100, 12.8f, 25.6f), black);
    batch.addCharacter(sf::Vector2f(300, 300), ' ', sf::Color::Red);
    EXPECT_EQ(batch.getVertexCount(), 0u);

    // A glyph, then a background over part of it and one beside it.
    batch.addCharacter(sf::Vector2f(100, 100), 'M', sf::Color::Red);
    EXPECT_EQ(batch.getVertexCount(), quad);
    batch.addBackground(sf::FloatRect(105, 110, 12.8f, 25.6f), black);
    EXPECT_EQ(batch.getVertexCount(), 2 * quad);
    batch.addBackground(sf::FloatRect(200, 100, 12.8f, 25.6f), black);
    batch.addBackground(sf::FloatRect(105, 110, 12.8f, 25.6f), sf::Color::Blue);
    EXPECT_EQ(batch.getVertexCount(), 3 * quad);
    // A glyph that starts up and left of a background, a grid square away,
    // and reaches into it.
    batch.addCharacter(sf::Vector2f(54, 40), 'M', sf::Color::Red);
    batch.addBackground(sf::FloatRect(66, 64, 12.8f, 25.6f), black);
    EXPECT_EQ(batch.getVertexCount(), 5 * quad);

    // Once drawn, the target's contents are unknown: backgrounds are whole.
    sf::RenderTexture target;
    ASSERT_TRUE(target.create(64, 64));
    batch.draw(target);
    EXPECT_EQ(batch.getVertexCount(), 0u);
    batch.addBackground(sf::FloatRect(100, 100, 12.8f, 25.6f), black);
    EXPECT_EQ(batch.getVertexCount(), quad);
}

} // namespace
