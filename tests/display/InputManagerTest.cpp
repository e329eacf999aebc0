#include "WindowHarness.h"

#include "engine/core/EventKeyboard.h"
#include "engine/core/EventMouse.h"
#include "engine/core/Platform.h"
#include "engine/display/DisplayManager.h"
#include "engine/display/InputManager.h"
#include "engine/world/Object.h"
#include "engine/world/WorldManager.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace
{

struct Received
{
    int frame;
    bool keyboard;
    int action; // KeyboardAction or MouseAction
    int code;   // Key or MouseButton
    ov::Vector position;
};

// Writes down every keyboard and mouse event it is given, with the frame number.
class Recorder : public ov::Object
{
public:
    Recorder(std::vector<Received>& received, const int& frame)
        : m_received(received), m_frame(frame)
    {
    }

    // On its first event, puts a second recorder into the world.
    void spawnOnFirstEvent(std::vector<Received>& received) { m_spawnInto = &received; }
    Recorder* spawned() const { return m_spawned; }

    int handleEvent(const ov::Event& event) override
    {
        if (event.getType() == ov::EVENT_TYPE_KEYBOARD)
        {
            const auto& key = static_cast<const ov::EventKeyboard&>(event);
            m_received.push_back({m_frame, true, int(key.getAction()), int(key.getKey()), ov::Vector()});
        }
        else if (event.getType() == ov::EVENT_TYPE_MOUSE)
        {
            const auto& mouse = static_cast<const ov::EventMouse&>(event);
            m_received.push_back({m_frame, false, int(mouse.getAction()), int(mouse.getButton()), mouse.getPosition()});
        }
        else
        {
            return 0;
        }
        if (m_spawnInto && !m_spawned)
        {
            m_spawned = new Recorder(*m_spawnInto, m_frame);
            ov::WorldManager::getInstance().insertObject(m_spawned);
        }
        return 1;
    }

private:
    std::vector<Received>& m_received;
    const int& m_frame;
    std::vector<Received>* m_spawnInto = nullptr;
    Recorder* m_spawned = nullptr;
};

const int PRESSED = int(ov::KeyboardAction::Pressed);
const int RELEASED = int(ov::KeyboardAction::Released);
const int KEY_HELD = int(ov::KeyboardAction::Held);
const int CLICKED = int(ov::MouseAction::Clicked);
const int MOUSE_HELD = int(ov::MouseAction::Held);
const int MOVED = int(ov::MouseAction::Moved);
const int SPACE = int(ov::Key::Space);
const int KEY_A = int(ov::Key::A);
const int UNDEFINED = -1;

// Real input through the X server, sent to the test's own window with xdotool.
class InputTest : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!harness::hasWindow())
            GTEST_SKIP() << "needs an X display (tools/with-xvfb.sh)";
        harness::startManagers();
        m_windowId = std::to_string(static_cast<unsigned long>(window().getSystemHandle()));
        ASSERT_TRUE(xdo("windowfocus --sync " + m_windowId));

        m_recorder = new Recorder(m_received, m_frame);
        ASSERT_EQ(ov::WorldManager::getInstance().insertObject(m_recorder), 0);
        // Whatever the window queued before this test is not the test's business.
        for (int i = 0; i < 5; ++i)
            frame();
        m_received.clear();
    }

    void TearDown() override
    {
        if (!harness::hasWindow())
            return;
        xdo("keyup a keyup Prior mouseup 1");
        if (m_recorder)
            delete m_recorder->spawned();
        delete m_recorder;
    }

    sf::RenderWindow& window() { return *ov::DisplayManager::getInstance().getWindow(); }

    static bool xdo(const std::string& arguments)
    {
        return std::system(("xdotool " + arguments + " >/dev/null 2>&1").c_str()) == 0;
    }

    void frame()
    {
        ++m_frame;
        ov::InputManager::getInstance().getInput();
        ov::platform::sleepMilliseconds(10);
    }

    // Runs frames until the condition holds; X events take a moment to arrive.
    bool pumpUntil(const std::function<bool()>& done)
    {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (!done() && std::chrono::steady_clock::now() < deadline)
            frame();
        return done();
    }

    // Index of the first event received that matches, or -1.
    int find(bool keyboard, int action, int code, int from = 0) const
    {
        for (size_t i = from; i < m_received.size(); ++i)
        {
            const Received& r = m_received[i];
            if (r.keyboard == keyboard && r.action == action && r.code == code)
                return int(i);
        }
        return -1;
    }

    int count(bool keyboard, int action, int code, int frameNumber = -1) const
    {
        int n = 0;
        for (const Received& r : m_received)
            if (r.keyboard == keyboard && r.action == action && r.code == code
                && (frameNumber == -1 || r.frame == frameNumber))
                ++n;
        return n;
    }

    std::string m_windowId;
    int m_frame = 0;
    std::vector<Received> m_received;
    Recorder* m_recorder = nullptr;
};

TEST_F(InputTest, KeyTappedWithinAFrameIsPressedThenReleasedAndNeverHeld)
{
    std::vector<Received> spawnedReceived;
    m_recorder->spawnOnFirstEvent(spawnedReceived);

    ASSERT_TRUE(xdo("key space"));
    ASSERT_TRUE(pumpUntil([&] { return find(true, RELEASED, SPACE) >= 0; }));
    int pressed = find(true, PRESSED, SPACE);
    ASSERT_GE(pressed, 0);
    EXPECT_LT(pressed, find(true, RELEASED, SPACE));
    EXPECT_EQ(count(true, KEY_HELD, SPACE), 0);

    // The object made while the press was being handled gets the release:
    // every event goes to the world as it is at that moment.
    ASSERT_NE(m_recorder->spawned(), nullptr);
    ASSERT_EQ(spawnedReceived.size(), 1u);
    EXPECT_EQ(spawnedReceived[0].action, RELEASED);
    EXPECT_EQ(spawnedReceived[0].code, SPACE);
}

TEST_F(InputTest, HeldKeyIsReportedEveryFrameUntilReleased)
{
    ov::InputManager& input = ov::InputManager::getInstance();
    ASSERT_TRUE(xdo("keydown a"));
    ASSERT_TRUE(pumpUntil([&] { return find(true, PRESSED, KEY_A) >= 0; }));
    int pressed = find(true, PRESSED, KEY_A);
    int first = m_received[pressed].frame;
    // In the frame of the press: the press first, then the key held.
    EXPECT_EQ(find(true, KEY_HELD, KEY_A), pressed + 1);
    EXPECT_EQ(count(true, KEY_HELD, KEY_A, first), 1);
    EXPECT_TRUE(input.isKeyDown(ov::Key::A));
    EXPECT_FALSE(input.isKeyDown(ov::Key::B));

    frame();
    frame();
    for (int f = first + 1; f <= first + 2; ++f)
    {
        EXPECT_EQ(count(true, KEY_HELD, KEY_A, f), 1) << "frame " << f;
        EXPECT_EQ(count(true, PRESSED, KEY_A, f), 0) << "frame " << f;
    }

    ASSERT_TRUE(xdo("keyup a"));
    ASSERT_TRUE(pumpUntil([&] { return find(true, RELEASED, KEY_A) >= 0; }));
    int released = m_received[find(true, RELEASED, KEY_A)].frame;
    EXPECT_EQ(count(true, KEY_HELD, KEY_A, released), 0);
    EXPECT_EQ(count(true, PRESSED, KEY_A), 1);
    EXPECT_FALSE(input.isKeyDown(ov::Key::A));

    // Values outside the table are never down.
    EXPECT_FALSE(input.isKeyDown(ov::Key::Undefined));
    EXPECT_FALSE(input.isKeyDown(static_cast<ov::Key>(ov::KEY_COUNT)));
}

TEST_F(InputTest, KeyOutsideTheTableIsUndefinedAndNeverHeld)
{
    ASSERT_TRUE(xdo("keydown Prior")); // Page Up
    ASSERT_TRUE(pumpUntil([&] { return find(true, PRESSED, UNDEFINED) >= 0; }));
    frame();
    frame();
    ASSERT_TRUE(xdo("keyup Prior"));
    ASSERT_TRUE(pumpUntil([&] { return find(true, RELEASED, UNDEFINED) >= 0; }));

    for (const Received& r : m_received)
        EXPECT_FALSE(r.keyboard && r.action == KEY_HELD) << "key " << r.code << " held";
}

TEST_F(InputTest, ClickCarriesItsPositionAndHeldButtonTheWindowCentre)
{
    const int LEFT = int(ov::MouseButton::Left);
    ASSERT_TRUE(xdo("mousemove --window " + m_windowId + " 100 50 click 1"));
    ASSERT_TRUE(pumpUntil([&] { return find(false, CLICKED, LEFT) >= 0; }));
    const Received& click = m_received[find(false, CLICKED, LEFT)];
    EXPECT_EQ(click.position, ov::Vector(100, 50));

    // Held down: the click, then in this and every later frame the button held,
    // placed at the window's centre (held events carry no position of their own).
    ASSERT_TRUE(xdo("mousedown 1"));
    int firstClick = find(false, CLICKED, LEFT);
    ASSERT_TRUE(pumpUntil([&] { return find(false, CLICKED, LEFT, firstClick + 1) >= 0; }));
    int secondClick = find(false, CLICKED, LEFT, firstClick + 1);
    int clickFrame = m_received[secondClick].frame;
    frame();
    for (int f = clickFrame; f <= clickFrame + 1; ++f)
        EXPECT_EQ(count(false, MOUSE_HELD, LEFT, f), 1) << "frame " << f;
    int held = find(false, MOUSE_HELD, LEFT);
    ASSERT_GT(held, secondClick);
    EXPECT_EQ(m_received[held].position, ov::Vector(512, 384));

    ASSERT_TRUE(xdo("mouseup 1"));
    int upFrame = m_frame;
    ASSERT_TRUE(pumpUntil([&] { return m_frame > upFrame && count(false, MOUSE_HELD, LEFT, m_frame) == 0; }));

    // The other two buttons.
    ASSERT_TRUE(xdo("click 3"));
    ASSERT_TRUE(pumpUntil([&] { return find(false, CLICKED, int(ov::MouseButton::Right)) >= 0; }));
    ASSERT_TRUE(xdo("click 2"));
    ASSERT_TRUE(pumpUntil([&] { return find(false, CLICKED, int(ov::MouseButton::Middle)) >= 0; }));

    // The picture stretches with the window: in one twice the size, a click
    // means the same place of the picture as ever.
    ASSERT_TRUE(xdo("windowsize --sync " + m_windowId + " 2048 1536"));
    const int before = static_cast<int>(m_received.size());
    ASSERT_TRUE(xdo("mousemove --window " + m_windowId + " 200 100 click 1"));
    ASSERT_TRUE(pumpUntil([&] { return find(false, CLICKED, LEFT, before) >= 0; }));
    EXPECT_EQ(m_received[find(false, CLICKED, LEFT, before)].position, ov::Vector(100, 50));
    ASSERT_TRUE(xdo("windowsize --sync " + m_windowId + " 1024 768"));
}

TEST_F(InputTest, PointerMovesAndUnknownButtonsAreReported)
{
    ASSERT_TRUE(xdo("mousemove --window " + m_windowId + " 640 300"));
    ASSERT_TRUE(pumpUntil([&] { return find(false, MOVED, UNDEFINED) >= 0
                                       && m_received.back().position == ov::Vector(640, 300); }));

    // SFML's first extra button (X button 8) has no engine button.
    size_t before = m_received.size();
    ASSERT_TRUE(xdo("click 8"));
    ASSERT_TRUE(pumpUntil([&] { return find(false, CLICKED, UNDEFINED) >= 0; }));
    const Received& click = m_received[find(false, CLICKED, UNDEFINED)];
    EXPECT_EQ(click.position, ov::Vector(640, 300));
    EXPECT_EQ(m_received.size(), before + 1);

    // The wheel (X button 4) gives nothing; a later move shows that it has
    // been through the queue.
    before = m_received.size();
    ASSERT_TRUE(xdo("click 4"));
    ASSERT_TRUE(xdo("mousemove --window " + m_windowId + " 641 300"));
    ASSERT_TRUE(pumpUntil([&] { return m_received.size() > before; }));
    EXPECT_EQ(m_received.size(), before + 1);
    EXPECT_EQ(m_received.back().action, MOVED);
    EXPECT_EQ(m_received.back().position, ov::Vector(641, 300));
}

TEST(InputStartTest, NeedsTheDisplayStarted)
{
    if (!harness::hasWindow())
        GTEST_SKIP() << "needs an X display (tools/with-xvfb.sh)";
    harness::startManagers();
    ov::InputManager& input = ov::InputManager::getInstance();

    input.stop();
    EXPECT_FALSE(input.isStarted());
    ov::DisplayManager::getInstance().stop();
    int errors = test::GameLog().count("", "Error starting InputManager. DisplayManager not started yet.");
    EXPECT_EQ(input.start(), -1);
    EXPECT_FALSE(input.isStarted());
    EXPECT_EQ(test::GameLog().count("", "Error starting InputManager. DisplayManager not started yet."), errors + 1);

    harness::startManagers();
    EXPECT_TRUE(input.isStarted());
    EXPECT_TRUE(input.isValid(ov::EVENT_TYPE_KEYBOARD));
    EXPECT_TRUE(input.isValid(ov::EVENT_TYPE_MOUSE));
    EXPECT_FALSE(input.isValid(ov::EVENT_TYPE_STEP));
}

} // namespace
