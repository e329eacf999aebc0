// The keys and buttons held down are read in one query each per frame. For
// every key of the keyboard they must be what the windowing layer reports
// when asked key by key, the way input was read before.
#include "WindowHarness.h"

#include "engine/core/Platform.h"
#include "engine/display/DisplayManager.h"
#include "engine/display/InputManager.h"

#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

// Last: Xlib's macros (None, Status, ...) would clash with the headers above.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace
{

bool xdo(const std::string& arguments)
{
    return std::system(("xdotool " + arguments + " >/dev/null 2>&1").c_str()) == 0;
}

// Keys that would change the keyboard's state beyond the key itself (locks,
// group switches, pointer keys) or that only some hardware has.
bool harmless(const std::string& name)
{
    for (const char* part : {"Lock", "Pointer_", "XF86", "ISO_", "Mode_switch", "Terminate", "Multi_key"})
        if (name.find(part) != std::string::npos)
            return false;
    return true;
}

using HeldInputTest = harness::WindowTest;

TEST_F(HeldInputTest, EveryKeyIsHeldExactlyWhenTheWindowingLayerSaysSo)
{
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    int first = 0;
    int last = 0;
    XDisplayKeycodes(display, &first, &last);

    std::set<int> seenHeld;
    int pressed = 0;
    for (int code = first; code <= last; ++code)
    {
        const KeySym symbol = XkbKeycodeToKeysym(display, static_cast<KeyCode>(code), 0, 0);
        const char* name = symbol == NoSymbol ? nullptr : XKeysymToString(symbol);
        if (!name || !harmless(name))
            continue;
        ASSERT_TRUE(xdo(std::string("keydown ") + name)) << name;
        ++pressed;
        bool held[ov::KEY_COUNT];
        ASSERT_TRUE(ov::platform::readHeldKeys(held));
        for (int key = 0; key < ov::KEY_COUNT; ++key)
        {
            const sf::Keyboard::Key sfmlKey = ov::InputManager::toSfmlKey(static_cast<ov::Key>(key));
            EXPECT_EQ(held[key], sf::Keyboard::isKeyPressed(sfmlKey)) << name << " down, engine key " << key;
            EXPECT_EQ(ov::InputManager::getInstance().isKeyDown(static_cast<ov::Key>(key)), held[key]);
            if (held[key])
                seenHeld.insert(key);
        }
        ASSERT_TRUE(xdo(std::string("keyup ") + name)) << name;
    }
    XCloseDisplay(display);

    // Not an empty sweep: the keyboard has every key of the table.
    EXPECT_GT(pressed, 73);
    EXPECT_EQ(seenHeld.size(), static_cast<std::size_t>(ov::KEY_COUNT));
    // Drain what the window queued meanwhile.
    ov::InputManager::getInstance().getInput();
}

// With the keyboard's focus on another window, held keys are still what the
// windowing layer reports (it reads the whole keyboard, wherever the focus is).
TEST_F(HeldInputTest, KeysHeldWhileAnotherWindowHasTheFocusAsTheWindowingLayerSays)
{
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    const ::Window other = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 100, 100, 0, 0, 0);
    XMapWindow(display, other);
    XSync(display, False);
    ASSERT_TRUE(xdo("windowfocus --sync " + std::to_string(other)));

    ASSERT_TRUE(xdo("keydown d"));
    bool held[ov::KEY_COUNT];
    ASSERT_TRUE(ov::platform::readHeldKeys(held));
    const int d = static_cast<int>(ov::Key::D);
    const bool reported = sf::Keyboard::isKeyPressed(sf::Keyboard::D);
    EXPECT_EQ(held[d], reported);
    EXPECT_EQ(ov::InputManager::getInstance().isKeyDown(ov::Key::D), reported);
    ASSERT_TRUE(xdo("keyup d"));

    XDestroyWindow(display, other);
    XCloseDisplay(display);
    const sf::WindowHandle window = ov::DisplayManager::getInstance().getWindow()->getSystemHandle();
    ASSERT_TRUE(xdo("windowfocus --sync " + std::to_string(static_cast<unsigned long>(window))));
    ov::InputManager::getInstance().getInput();
}

TEST_F(HeldInputTest, ButtonsAreHeldExactlyWhenTheWindowingLayerSaysSo)
{
    const sf::Mouse::Button order[] = {sf::Mouse::Left, sf::Mouse::Middle, sf::Mouse::Right};
    for (int button = 1; button <= 3; ++button)
    {
        ASSERT_TRUE(xdo("mousedown " + std::to_string(button)));
        bool held[3] = {};
        ASSERT_TRUE(ov::platform::readHeldButtons(held[0], held[1], held[2]));
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(held[i], sf::Mouse::isButtonPressed(order[i])) << "X button " << button << " down";
        EXPECT_TRUE(held[0] || held[1] || held[2]);
        ASSERT_TRUE(xdo("mouseup " + std::to_string(button)));
    }
    bool held[3] = {true, true, true};
    ASSERT_TRUE(ov::platform::readHeldButtons(held[0], held[1], held[2]));
    EXPECT_FALSE(held[0] || held[1] || held[2]);
    ov::InputManager::getInstance().getInput();
}

} // namespace
