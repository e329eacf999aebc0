#include "ResourceTesting.h"
#include "support/ReferenceRenderer.h"

#include "engine/core/LogManager.h"
#include "engine/display/DisplayManager.h"
#include "engine/resources/Animation.h"
#include "engine/resources/Frame.h"
#include "engine/resources/Sprite.h"

#include <SFML/Graphics.hpp>
#include <X11/Xlib.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <thread>
#include <vector>

namespace
{

const float CELL_WIDTH = 12.8f;
const float CELL_HEIGHT = 25.6f;

// Xvfb resets itself whenever its last client leaves, and a window opened
// during the reset fails (SFML then aborts the program). A connection held
// for the whole program keeps the server from resetting between the windows
// that the tests open and close; it is retried while a reset from an earlier
// program is still under way.
bool holdDisplay()
{
    static Display* held = nullptr;
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name)
        return false;
    for (int attempt = 0; !held && attempt < 40; ++attempt)
    {
        held = XOpenDisplay(nullptr);
        if (!held)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return held != nullptr;
}

// Starts the log and, when there is a display, the window. Without a display
// the window tests are skipped; the display is stopped again afterwards.
class DrawTest : public restest::ResourceTest
{
protected:
    void SetUp() override
    {
        restest::ResourceTest::SetUp();
        if (!holdDisplay())
            GTEST_SKIP() << "no X display";
        ASSERT_EQ(ov::DisplayManager::getInstance().start(), 0);
        // Begin from a cleared back buffer.
        ov::DisplayManager::getInstance().swapBuffers();
    }

    void TearDown() override
    {
        if (ov::DisplayManager::getInstance().isStarted())
            ov::DisplayManager::getInstance().stop();
        restest::ResourceTest::TearDown();
    }

    // The back buffer as drawn so far.
    sf::Image readBack()
    {
        ov::DisplayManager::getInstance().flush();
        return test::readWindow();
    }

    // Pixels of one cell (a pixel in from its edges) that pass the test.
    static int countInCell(const sf::Image& image, int column, int row, const std::function<bool(sf::Color)>& test)
    {
        int count = 0;
        const int left = static_cast<int>(column * CELL_WIDTH) + 1;
        const int right = static_cast<int>((column + 1) * CELL_WIDTH) - 1;
        const int top = static_cast<int>(row * CELL_HEIGHT) + 1;
        const int bottom = static_cast<int>((row + 1) * CELL_HEIGHT) - 1;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                if (test(image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y))))
                    ++count;
        return count;
    }

    static bool isWhite(sf::Color pixel)
    {
        return pixel.r > 128 && pixel.g > 128 && pixel.b > 128;
    }

    static bool isRed(sf::Color pixel)
    {
        return pixel.r > 128 && pixel.g < 64 && pixel.b < 64;
    }

    static bool isInk(sf::Color pixel)
    {
        return pixel.r != 0 || pixel.g != 0 || pixel.b != 0;
    }
};

TEST_F(DrawTest, FrameLeavesTransparentCellsShowingWhatLiesBelow)
{
    ov::DisplayManager& display = ov::DisplayManager::getInstance();
    const ov::Frame frame(3, 2, "ab.cd.");

    // Something red under the right-hand column, then the frame over it.
    ASSERT_EQ(display.drawCh(ov::Vector(7, 7), 'X', ov::RED), 0);
    ASSERT_EQ(frame.draw(ov::Vector(5, 7), ov::WHITE, '.'), 0);
    sf::Image image = readBack();
    for (int column : {5, 6})
        for (int row : {7, 8})
            EXPECT_GT(countInCell(image, column, row, isWhite), 5) << column << "," << row;
    EXPECT_GT(countInCell(image, 7, 7, isRed), 5);
    EXPECT_EQ(countInCell(image, 7, 7, isWhite), 0);
    EXPECT_EQ(countInCell(image, 7, 8, isInk), 0);
    // Nothing beyond the frame.
    EXPECT_EQ(countInCell(image, 4, 7, isInk), 0);
    EXPECT_EQ(countInCell(image, 8, 8, isInk), 0);

    // Without a transparent character the dots are drawn as well.
    display.swapBuffers();
    ASSERT_EQ(frame.draw(ov::Vector(5, 7), ov::WHITE, 0), 0);
    image = readBack();
    EXPECT_GT(countInCell(image, 7, 7, isWhite), 0);
    EXPECT_GT(countInCell(image, 7, 8, isWhite), 0);
    display.swapBuffers();
}

// A frame far larger than the window hands the display just the cells that
// can show (the window and two cells around it): the same picture, and the
// same work, as a frame of only those cells.
TEST_F(DrawTest, HugeFrameDrawsOnlyWhatCanShow)
{
    ov::DisplayManager& display = ov::DisplayManager::getInstance();
    std::string text;
    for (int row = 0; row < 1000; ++row)
        for (int column = 0; column < 1000; ++column)
            text += "#@*+"[(row + column) % 4];
    display.swapBuffers();
    ASSERT_EQ(ov::Frame(1000, 1000, text).draw(ov::Vector(-400, -300), ov::YELLOW, 0), 0);
    const std::size_t hugeVertices = display.getFrameBatch().getVertexCount();
    const sf::Image huge = readBack();

    std::string visible;
    for (int row = 298; row < 298 + 34; ++row)
        for (int column = 398; column < 398 + 84; ++column)
            visible += "#@*+"[(row + column) % 4];
    display.swapBuffers();
    ASSERT_EQ(ov::Frame(84, 34, visible).draw(ov::Vector(-2, -2), ov::YELLOW, 0), 0);
    EXPECT_EQ(display.getFrameBatch().getVertexCount(), hugeVertices);
    EXPECT_EQ(0, std::memcmp(huge.getPixelsPtr(), readBack().getPixelsPtr(), 1024 * 768 * 4)) << "the pictures differ";
    display.swapBuffers();
}

// The frames an animation shows on successive draws.
std::vector<int> framesShown(ov::Animation& animation, int draws)
{
    std::vector<int> shown;
    for (int i = 0; i < draws; ++i)
    {
        shown.push_back(animation.getIndex());
        EXPECT_EQ(animation.draw(ov::Vector(40, 15)), 0);
    }
    ov::DisplayManager::getInstance().swapBuffers();
    return shown;
}

ov::Sprite makeSprite(int frames, int slowdown)
{
    ov::Sprite sprite(frames);
    sprite.setWidth(1);
    sprite.setHeight(1);
    sprite.setSlowdown(slowdown);
    sprite.setLabel("counter");
    for (int i = 0; i < frames; ++i)
        EXPECT_EQ(sprite.addFrame(ov::Frame(1, 1, std::string(1, static_cast<char>('0' + i)))), 0);
    return sprite;
}

TEST_F(DrawTest, AnimationStepsThroughFramesBySlowdown)
{
    ov::Animation animation;
    ov::Sprite two = makeSprite(4, 2);
    animation.setSprite(&two);
    EXPECT_EQ(animation.getName(), "counter");
    EXPECT_EQ(framesShown(animation, 10), (std::vector<int>{0, 1, 1, 2, 2, 3, 3, 0, 0, 1}));

    ov::Sprite one = makeSprite(3, 1);
    animation.setSprite(&one);
    EXPECT_EQ(framesShown(animation, 7), (std::vector<int>{0, 1, 2, 0, 1, 2, 0}));

    ov::Sprite zero = makeSprite(3, 0);
    animation.setSprite(&zero);
    EXPECT_EQ(framesShown(animation, 7), (std::vector<int>{0, 1, 2, 0, 1, 2, 0}));

    animation.setSprite(&two);
    animation.setIndex(2);
    animation.setSlowdownCount(-1);
    EXPECT_EQ(framesShown(animation, 5), (std::vector<int>{2, 2, 2, 2, 2}));
    EXPECT_EQ(animation.getSlowdownCount(), -1);

    // A sprite without frames, or an index outside its frames, draws nothing.
    ov::Sprite empty(0);
    animation.setSprite(&empty);
    EXPECT_EQ(framesShown(animation, 2), (std::vector<int>{0, 0}));
    EXPECT_EQ(two.draw(4, ov::Vector(1, 1)), 0);
    EXPECT_EQ(two.draw(-1, ov::Vector(1, 1)), 0);
    EXPECT_EQ(countInCell(readBack(), 1, 1, isInk), 0);
}

TEST_F(DrawTest, AnimationCentresOddWidthsOnThePosition)
{
    ov::Sprite sprite(1);
    sprite.setWidth(3);
    sprite.setHeight(1);
    sprite.addFrame(ov::Frame(3, 1, "###"));
    ov::Animation animation;
    animation.setSprite(&sprite);
    ASSERT_EQ(animation.draw(ov::Vector(10, 5)), 0);
    const sf::Image image = readBack();
    for (int column : {9, 10, 11})
        EXPECT_GT(countInCell(image, column, 5, isWhite), 5) << column;
    // Bold glyphs may reach a little into the next cell to the right, never two cells on.
    EXPECT_EQ(countInCell(image, 8, 5, isInk), 0);
    EXPECT_EQ(countInCell(image, 13, 5, isInk), 0);
    ov::DisplayManager::getInstance().swapBuffers();
}

using SpriteFrames = test::ManagerTest<test::LOG>;

TEST_F(SpriteFrames, AddingBeyondTheDeclaredCountFails)
{
    const int mark = test::logMark();
    ov::Sprite sprite(1);
    sprite.setLabel("full");
    EXPECT_EQ(sprite.addFrame(ov::Frame(1, 1, "a")), 0);
    EXPECT_EQ(sprite.addFrame(ov::Frame(1, 1, "b")), -1);
    EXPECT_EQ(sprite.getFrameCount(), 1);
    EXPECT_EQ(sprite.getFrame(0).getText(), "a");
    EXPECT_EQ(test::GameLog().describe(mark),
              std::vector<std::string>{"ERROR|Sprite 'full'|Error adding frame. Frame array full."});
}

TEST_F(SpriteFrames, DrawingWithoutAWindowFailsAndDoesNotAdvance)
{
    ASSERT_FALSE(ov::DisplayManager::getInstance().isStarted());

    ov::Sprite sprite = makeSprite(2, 0);
    ov::Animation animation;
    animation.setSprite(&sprite);
    const int mark = test::logMark();
    EXPECT_EQ(animation.draw(ov::Vector(3, 3)), -1);
    EXPECT_EQ(animation.getIndex(), 0);
    EXPECT_EQ(test::GameLog().describe(mark),
              (std::vector<std::string>{"ERROR|Frame|Cannot draw. No window.",
                                        "ERROR|Sprite 'counter'|Error drawing sprite frame 0"}));
}

} // namespace
