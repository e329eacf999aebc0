// The display manager gathers a frame's characters and draws them at once.
// These tests draw the same scenes that way and one character at a time with
// a shared rectangle and text, and compare the pixels read back.
#include "WindowHarness.h"

#include "engine/display/DisplayManager.h"
#include "engine/resources/Frame.h"
#include "engine/world/WorldManager.h"
#include "support/ReferenceRenderer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace
{

// Drawn under every scene, so that a pixel a background should hide, or one
// it should not touch, shows.
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

class BatchTest : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!harness::hasWindow())
            GTEST_SKIP() << "needs an X display (tools/with-xvfb.sh)";
        harness::startManagers();
        m_savedBoundary = ov::WorldManager::getInstance().getBoundary();
        m_savedView = ov::WorldManager::getInstance().getView();
        ov::WorldManager::getInstance().setBoundary(ov::Box(ov::Vector(0, 0), 200, 100));
        ov::WorldManager::getInstance().setView(ov::Box(ov::Vector(0, 0), 80, 30));
        display().flush();
        window().clear();
        m_reference.reset(new test::ReferenceRenderer);
    }

    void TearDown() override
    {
        if (!harness::hasWindow())
            return;
        ov::WorldManager::getInstance().setBoundary(m_savedBoundary);
        ov::WorldManager::getInstance().setView(m_savedView);
        display().flush();
        window().clear();
    }

    ov::DisplayManager& display() { return ov::DisplayManager::getInstance(); }
    sf::RenderWindow& window() { return *display().getWindow(); }

    void clearToUnderlay()
    {
        window().clear();
        sf::RectangleShape underlay(sf::Vector2f(1024, 768));
        underlay.setFillColor(UNDERLAY);
        window().draw(underlay);
    }

    sf::Image drawBatched(const std::vector<test::Cell>& cells)
    {
        clearToUnderlay();
        for (const test::Cell& cell : cells)
            EXPECT_EQ(display().drawCh(cell.position, cell.ch, cell.color), 0);
        display().flush();
        return test::readWindow();
    }

    sf::Image drawReference(const std::vector<test::Cell>& cells)
    {
        clearToUnderlay();
        m_reference->draw(cells);
        return test::readWindow();
    }

    // Both ways give the same picture, and it is not an empty one.
    void expectSamePicture(const std::vector<test::Cell>& cells, int minimumDrawn)
    {
        const sf::Image batched = drawBatched(cells);
        const sf::Image expected = drawReference(cells);
        EXPECT_GE(countInk(expected, UNDERLAY), minimumDrawn);
        EXPECT_EQ(test::countDifferences(batched, expected), 0);
    }

    ov::Box m_savedBoundary;
    ov::Box m_savedView;
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
    std::vector<test::Cell> cells = {
        // Later characters hide earlier ones in the same cell, a space too.
        {ov::Vector(10, 5), 'W', ov::RED},      {ov::Vector(10, 5), 'i', ov::GREEN},
        {ov::Vector(12, 5), '#', ov::YELLOW},   {ov::Vector(12, 5), ' ', ov::WHITE},
        // Neighbours half a cell apart, across and down.
        {ov::Vector(20, 8), 'M', ov::BLUE},     {ov::Vector(20.5f, 8), 'M', ov::MAGENTA},
        {ov::Vector(21, 8.5f), '@', ov::CYAN},  {ov::Vector(21.5f, 9), '&', ov::ORANGE},
        {ov::Vector(30.5f, 12.5f), 'Q', ov::WHITE},
    };
    // A run of characters creeping by fractions of a cell.
    for (int i = 0; i < 60; ++i)
        cells.push_back({ov::Vector(5.0f + i * 1.137f, 15.0f + i * 0.213f), char('A' + i % 26), ov::Color(i % 9)});
    expectSamePicture(cells, 2000);
}

TEST_F(BatchTest, BackgroundsAloneAndInRunsCoverTheSamePixels)
{
    // Spaces draw only their background. Alone, at fractions of cells: at
    // these an edge falls exactly halfway between two of the renderer's
    // sub-pixel steps, where filling a rectangle and filling triangles round
    // apart; the rest are spread over the window.
    const ov::Vector halfway[] = {
        {68.9356003f, 4.62982988f}, {42.6699715f, 12.8705902f}, {60.1699715f, 8.93539047f},
        {50.6543503f, 4.98493004f}, {22.8262196f, 24.4813595f}, {66.799881f, 18.9438801f},
        {66.5918503f, 20.0144806f}, {54.2324715f, 10.8573904f}, {46.4356003f, 12.8881302f},
        {34.3887215f, 8.02995968f}, {50.4824715f, 4.82204008f}, {46.7481003f, 6.35559988f},
    };
    std::vector<test::Cell> alone = {{ov::Vector(1, 1), ' ', ov::WHITE}};
    for (const ov::Vector& position : halfway)
        alone.push_back({position, ' ', ov::WHITE});
    expectSamePicture(alone, 3000);
    for (int i = 0; i < 1500; ++i)
        alone.push_back({ov::Vector(std::fmod(i * 7.3127f, 79.0f), std::fmod(i * 3.7713f, 29.0f)), ' ', ov::WHITE});
    expectSamePicture(alone, 100000);

    // In runs along rows, with a few characters in between, and with gaps
    // and steps back that must not join two backgrounds into one.
    std::vector<test::Cell> runs = {{ov::Vector(1, 1), ' ', ov::WHITE}};
    for (int row = 0; row < 25; ++row)
    {
        const float x0 = 2.0f + row * 0.37f;
        for (int i = 0; i < 30; ++i)
            runs.push_back({ov::Vector(x0 + i, row * 1.13f), i % 9 == 4 ? 'i' : ' ', ov::WHITE});
        runs.push_back({ov::Vector(x0 + 32.5f, row * 1.13f), ' ', ov::WHITE});
        runs.push_back({ov::Vector(x0 + 31.0f, row * 1.13f), ' ', ov::WHITE});
        runs.push_back({ov::Vector(x0 + 35.0f, row * 1.13f), ' ', ov::WHITE});
    }
    expectSamePicture(runs, 50000);
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
    display().swapBuffers();
    const std::vector<test::Cell> next = {{ov::Vector(4, 6), 'n', ov::NO_COLOR}, {ov::Vector(6, 6), 'c', ov::CUSTOM}};
    expectSamePicture(next, 50);
    sf::Image image = drawBatched(next);
    bool green = false;
    for (unsigned y = 150; y < 190; ++y)
        for (unsigned x = 48; x < 70; ++x)
            green = green || image.getPixel(x, y) == sf::Color::Green;
    EXPECT_TRUE(green);
}

TEST_F(BatchTest, TransparentSpriteCellsShowWhatLiesBelow)
{
    // Text underneath, then a frame with see-through dots over it.
    std::vector<test::Cell> below;
    for (int column = 18; column < 30; ++column)
        below.push_back({ov::Vector(float(column), 11), 'x', ov::RED});
    const ov::Frame frame(5, 3, ".###.#...##.#.#");
    const ov::Vector topLeft(20.5f, 10);

    clearToUnderlay();
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
    const sf::Image reference = drawReference(expected);
    EXPECT_GE(countInk(reference, UNDERLAY), 500);
    EXPECT_EQ(test::countDifferences(batched, reference), 0);
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
    // In between, characters at fractions of cells, drawn in the same frame
    // as the ones the window's edges cut.
    for (int i = 0; i < 1500; ++i)
        cells.push_back({ov::Vector(std::fmod(i * 2.713f, 78.0f), std::fmod(i * 0.619f, 28.0f) + 1.0f),
                         char('!' + i % 90), ov::Color(i % 9)});
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

// After a swap the back buffer is black, and the batch leaves out the parts of
// backgrounds that only black out black: frames drawn one after another, as
// the game does, must come out the same.
TEST_F(BatchTest, FramesDrawnAfterASwapMatchOnBlack)
{
    std::vector<test::Cell> overlapping;
    for (int i = 0; i < 1500; ++i)
        overlapping.push_back({ov::Vector(std::fmod(i * 2.713f, 80.0f) - 0.6f, std::fmod(i * 0.619f, 30.0f) - 0.7f),
                               char(i % 11 == 0 ? ' ' : '!' + i % 90), ov::Color(i % 9)});
    const ov::Vector corner(13.25f, 7.6f);
    const std::vector<std::pair<ov::Box, std::vector<test::Cell>>> frames = {
        {ov::Box(ov::Vector(0, 0), 80, 30), test::fullScreenScene()},
        {ov::Box(corner, 80, 30), test::fullScreenScene(corner + ov::Vector(0.3f, 0.45f))},
        {ov::Box(ov::Vector(0, 0), 80, 30), overlapping},
    };
    for (const auto& frame : frames)
    {
        ov::WorldManager::getInstance().setView(frame.first);
        for (const test::Cell& cell : frame.second)
            ASSERT_EQ(display().drawCh(cell.position, cell.ch, cell.color), 0);
        display().swapBuffers();
        for (const test::Cell& cell : frame.second)
            ASSERT_EQ(display().drawCh(cell.position, cell.ch, cell.color), 0);
        display().flush();
        const sf::Image batched = test::readWindow();

        window().clear();
        m_reference->draw(frame.second);
        const sf::Image expected = test::readWindow();
        EXPECT_GE(countInk(expected, sf::Color::Black), 5000);
        EXPECT_EQ(test::countDifferences(batched, expected), 0);
    }

    // The window drawn into or cleared to a colour after the swap: the
    // backgrounds must hide that whole again.
    ov::WorldManager::getInstance().setView(ov::Box(ov::Vector(0, 0), 80, 30));
    const sf::Image expected = drawReference(overlapping);
    for (const bool drawn : {true, false})
    {
        for (const test::Cell& cell : overlapping)
            ASSERT_EQ(display().drawCh(cell.position, cell.ch, cell.color), 0);
        display().swapBuffers();
        if (drawn)
            clearToUnderlay();
        else
            window().clear(UNDERLAY);
        for (const test::Cell& cell : overlapping)
            ASSERT_EQ(display().drawCh(cell.position, cell.ch, cell.color), 0);
        display().flush();
        EXPECT_EQ(test::countDifferences(test::readWindow(), expected), 0);
    }
}

} // namespace
