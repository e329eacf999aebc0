// Runs without any X display: the display and input managers must fail
// cleanly rather than let the windowing layer end the program.
#include "engine/core/EventKeyboard.h"
#include "engine/core/LogManager.h"
#include "engine/display/DisplayManager.h"
#include "engine/display/InputManager.h"
#include "engine/world/Object.h"
#include "engine/world/WorldManager.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

namespace
{

// Whatever the test runner was given, this program has no display.
const int g_noDisplay = unsetenv("DISPLAY");

int countLines(const std::string& level, const std::string& source, const std::string& message)
{
    int count = 0;
    test::GameLog log;
    for (const test::LogLine& line : log.lines())
        if (line.level == level && line.source == source && line.message == message)
            ++count;
    return count;
}

class Counter : public ov::Object
{
public:
    int handleEvent(const ov::Event&) override
    {
        ++events;
        return 1;
    }
    int events = 0;
};

class HeadlessTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(g_noDisplay, 0);
        ASSERT_FALSE(test::displayAvailable());
        test::startManagers(test::LOG);
    }

    void TearDown() override { test::stopManagers(test::LOG); }
};

TEST_F(HeadlessTest, DrawingAndSwappingWithoutAWindowAreRefused)
{
    ov::DisplayManager& display = ov::DisplayManager::getInstance();
    ASSERT_EQ(display.getWindow(), nullptr);

    EXPECT_EQ(display.drawCh(ov::Vector(1, 1), 'x', ov::RED), -1);
    EXPECT_EQ(display.drawString(ov::Vector(10, 1), "abc", ov::RED), -1);
    EXPECT_EQ(display.drawString(ov::Vector(10, 1), "", ov::RED), -1);
    display.swapBuffers();

    EXPECT_EQ(countLines("ALERT", "DisplayManager", "Cannot draw ch. Window does not exist."), 3);
    EXPECT_EQ(countLines("ALERT", "DisplayManager", "Cannot swap buffers. Window does not exist."), 1);
    EXPECT_EQ(countLines("ERROR", "DisplayManager", "Error drawing string."), 0);
}

TEST_F(HeadlessTest, StartWithoutADisplayFailsCleanly)
{
    ov::DisplayManager& display = ov::DisplayManager::getInstance();

    ov::LogManager::getInstance().stop();
    EXPECT_EQ(display.start(), -1); // no log: refused before anything else
    test::startManagers(test::LOG);
    EXPECT_EQ(countLines("", "DisplayManager", "Failed creating window."), 0);

    EXPECT_EQ(display.start(), -1);
    EXPECT_EQ(countLines("", "DisplayManager", "Failed creating window."), 1);
    EXPECT_EQ(display.getWindow(), nullptr);
    EXPECT_FALSE(display.isStarted());
    EXPECT_EQ(countLines("", "DisplayManager", "Started."), 0);

    // After the failed start the draws are refused as before.
    EXPECT_EQ(display.drawCh(ov::Vector(1, 1), 'x', ov::WHITE), -1);
    EXPECT_EQ(countLines("ALERT", "DisplayManager", "Cannot draw ch. Window does not exist."), 1);

    // Stopping a display that never had a window is harmless.
    display.stop();
    EXPECT_FALSE(display.isStarted());
    EXPECT_EQ(countLines("", "DisplayManager", "Closing window."), 1);
    EXPECT_EQ(countLines("", "DisplayManager", "Stopped."), 1);
}

TEST_F(HeadlessTest, InputManagerNeedsTheWorldAndDoesNothingWithoutAWindow)
{
    ov::InputManager& input = ov::InputManager::getInstance();
    ASSERT_FALSE(ov::WorldManager::getInstance().isStarted());

    ov::LogManager::getInstance().stop();
    EXPECT_EQ(input.start(), -1);
    test::startManagers(test::LOG);
    EXPECT_EQ(countLines("ERROR", "InputManager", "Error starting InputManager. WorldManager not started yet."), 0);

    EXPECT_EQ(input.start(), -1);
    EXPECT_FALSE(input.isStarted());
    EXPECT_EQ(countLines("ERROR", "InputManager", "Error starting InputManager. WorldManager not started yet."), 1);

    // No window: nothing to poll, no keyboard to ask, and nothing delivered.
    Counter* counter = new Counter;
    ASSERT_EQ(ov::WorldManager::getInstance().insertObject(counter), 0);
    input.getInput();
    EXPECT_EQ(counter->events, 0);
    EXPECT_FALSE(input.isKeyDown(ov::Key::A));
    delete counter;

    input.stop();
    EXPECT_FALSE(input.isStarted());
    EXPECT_EQ(countLines("", "InputManager", "Stopped."), 1);
}

TEST(KeyTableTest, EveryKeyMapsOneToOneBothWays)
{
    std::set<int> sfmlKeys;
    for (int value = 0; value < ov::KEY_COUNT; ++value)
    {
        ov::Key key = static_cast<ov::Key>(value);
        sf::Keyboard::Key sfmlKey = ov::InputManager::toSfmlKey(key);
        EXPECT_NE(sfmlKey, sf::Keyboard::Unknown) << "key " << value;
        EXPECT_EQ(ov::InputManager::toEngineKey(sfmlKey), key) << "key " << value;
        sfmlKeys.insert(sfmlKey);
    }
    EXPECT_EQ(sfmlKeys.size(), size_t(ov::KEY_COUNT));

    // Pairs whose names differ between the two sides, and the ends of the runs.
    EXPECT_EQ(ov::InputManager::toSfmlKey(ov::Key::Return), sf::Keyboard::Enter);
    EXPECT_EQ(ov::InputManager::toSfmlKey(ov::Key::Minus), sf::Keyboard::Subtract);
    EXPECT_EQ(ov::InputManager::toSfmlKey(ov::Key::Plus), sf::Keyboard::Add);
    EXPECT_EQ(ov::InputManager::toSfmlKey(ov::Key::LeftControl), sf::Keyboard::LControl);
    EXPECT_EQ(ov::InputManager::toSfmlKey(ov::Key::Z), sf::Keyboard::Z);
    EXPECT_EQ(ov::InputManager::toSfmlKey(ov::Key::Num0), sf::Keyboard::Num0);
    EXPECT_EQ(ov::InputManager::toSfmlKey(ov::Key::Backspace), sf::Keyboard::Backspace);

    // Outside the table on either side.
    EXPECT_EQ(ov::InputManager::toSfmlKey(ov::Key::Undefined), sf::Keyboard::Unknown);
    EXPECT_EQ(ov::InputManager::toSfmlKey(static_cast<ov::Key>(ov::KEY_COUNT)), sf::Keyboard::Unknown);
    for (sf::Keyboard::Key other : {sf::Keyboard::PageUp, sf::Keyboard::Hyphen, sf::Keyboard::Numpad1,
                                    sf::Keyboard::LAlt, sf::Keyboard::F13, sf::Keyboard::Unknown})
        EXPECT_EQ(ov::InputManager::toEngineKey(other), ov::Key::Undefined) << "sfml key " << other;

    EXPECT_EQ(ov::InputManager::toEngineButton(sf::Mouse::Left), ov::MouseButton::Left);
    EXPECT_EQ(ov::InputManager::toEngineButton(sf::Mouse::Right), ov::MouseButton::Right);
    EXPECT_EQ(ov::InputManager::toEngineButton(sf::Mouse::Middle), ov::MouseButton::Middle);
    EXPECT_EQ(ov::InputManager::toEngineButton(sf::Mouse::XButton1), ov::MouseButton::Undefined);
}

} // namespace
