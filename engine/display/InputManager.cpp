#include "engine/display/InputManager.h"

#include "engine/core/KeyTable.h"
#include "engine/core/LogManager.h"
#include "engine/core/Platform.h"
#include "engine/core/Recorder.h"
#include "engine/display/DisplayManager.h"
#include "engine/world/Object.h"
#include "engine/world/ObjectList.h"
#include "engine/world/ObjectListIterator.h"
#include "engine/world/WorldManager.h"

#include <iterator>

namespace ov
{

namespace
{

struct KeyPair
{
    Key key;
    sf::Keyboard::Key sfmlKey;
};

// Engine keys in order, each with the SFML key read for it.
#define ORVANE_KEY_PAIR(engine, sfml, keysym, virtualKey) {Key::engine, sf::Keyboard::sfml},
const KeyPair KEY_TABLE[] = {ORVANE_KEYS(ORVANE_KEY_PAIR)};
#undef ORVANE_KEY_PAIR
static_assert(std::size(KEY_TABLE) == KEY_COUNT, "one SFML key per engine key");

// Every object in the world gets the event. The list is taken afresh for each
// event, so an object created by one handler receives the events that follow.
void deliver(const Event& event)
{
    ObjectList objects = WorldManager::getInstance().getAllObjects();
    ObjectListIterator it(&objects);
    for (it.first(); !it.isDone(); it.next())
        it.currentObject()->handleEvent(event);
}

// The frame's input as events, each to every object: the window's in their
// order, then the keys held in the table's order, then the buttons held.
void deliver(const FrameInput& input)
{
    for (const FrameInput::Happening& happening : input.happenings)
    {
        if (happening.kind == FrameInput::Happening::KEY_PRESSED || happening.kind == FrameInput::Happening::KEY_RELEASED)
        {
            deliver(EventKeyboard(static_cast<Key>(happening.code), happening.kind == FrameInput::Happening::KEY_PRESSED
                                                                        ? KeyboardAction::Pressed
                                                                        : KeyboardAction::Released));
            continue;
        }
        EventMouse event;
        event.setAction(happening.kind == FrameInput::Happening::MOUSE_MOVED ? MouseAction::Moved : MouseAction::Clicked);
        event.setButton(static_cast<MouseButton>(happening.code));
        event.setPosition(happening.position);
        deliver(event);
    }
    for (int key = 0; key < KEY_COUNT; ++key)
        if (input.keys[key])
            deliver(EventKeyboard(static_cast<Key>(key), KeyboardAction::Held));
    const MouseButton buttons[] = {MouseButton::Left, MouseButton::Middle, MouseButton::Right};
    for (int i = 0; i < 3; ++i)
    {
        if (!input.buttons[i])
            continue;
        EventMouse event;
        event.setAction(MouseAction::Held);
        event.setButton(buttons[i]);
        deliver(event);
    }
}

// The picture is stretched over the window at any size: a pointer at the
// window's pixel (x, y) points at this pixel of the 1024 x 768 picture.
Vector pointerPosition(const sf::RenderWindow& window, int x, int y)
{
    const sf::Vector2f point = window.mapPixelToCoords(sf::Vector2i(x, y));
    return Vector(point.x, point.y);
}

} // namespace

InputManager& InputManager::getInstance()
{
    static InputManager instance;
    return instance;
}

int InputManager::start()
{
    if (!LogManager::getInstance().isStarted())
        return -1;
    if (!WorldManager::getInstance().isStarted())
    {
        logMessage("ERROR", "Error starting InputManager. WorldManager not started yet.");
        return -1;
    }
    DisplayManager& display = DisplayManager::getInstance();
    if (!display.isStarted())
    {
        logMessage("ERROR", "Error starting InputManager. DisplayManager not started yet.");
        return -1;
    }

    // One key-pressed event per press: holding is reported by the Held events.
    display.getWindow()->setKeyRepeatEnabled(false);
    setStarted(true);
    logMessage("", "Started.");
    return 0;
}

void InputManager::stop()
{
    sf::RenderWindow* window = DisplayManager::getInstance().getWindow();
    if (window)
        window->setKeyRepeatEnabled(true);
    setStarted(false);
    if (LogManager::getInstance().isStarted())
        logMessage("", "Stopped.");
}

void InputManager::getInput()
{
    // Without a window there is nothing to poll, and asking the windowing
    // layer for the keyboard state without a display would end the program.
    sf::RenderWindow* window = DisplayManager::getInstance().getWindow();
    if (!window)
        return;

    // The frame's input as the window gives it, kept by the recorder; a
    // replayed run hands out the recorded input instead, and the window
    // only tells whether Q in it ends the replay.
    Recorder& recorder = Recorder::getInstance();
    const bool replaying = recorder.getMode() == Recorder::Mode::REPLAYING;
    FrameInput input;
    sf::Event event;
    while (window->pollEvent(event))
    {
        using Happening = FrameInput::Happening;
        switch (event.type)
        {
        case sf::Event::KeyPressed:
            if (replaying && event.key.code == sf::Keyboard::Q)
                recorder.abandon();
            input.happenings.push_back({Happening::KEY_PRESSED, static_cast<int>(toEngineKey(event.key.code)), {}});
            break;
        case sf::Event::KeyReleased:
            input.happenings.push_back({Happening::KEY_RELEASED, static_cast<int>(toEngineKey(event.key.code)), {}});
            break;
        case sf::Event::MouseMoved:
            input.happenings.push_back(
                {Happening::MOUSE_MOVED, -1, pointerPosition(*window, event.mouseMove.x, event.mouseMove.y)});
            break;
        case sf::Event::MouseButtonPressed:
            input.happenings.push_back({Happening::MOUSE_CLICKED, static_cast<int>(toEngineButton(event.mouseButton.button)),
                                        pointerPosition(*window, event.mouseButton.x, event.mouseButton.y)});
            break;
        default:
            // Closing the window included: the game decides when it ends.
            break;
        }
    }
    // The whole keyboard and the buttons in one query each, not one per key
    // (each would be a round trip to the display server), after the events:
    // a key pressed this frame is reported pressed, then held.
    if (!replaying)
    {
        platform::readHeldKeys(input.keys);
        platform::readHeldButtons(input.buttons[0], input.buttons[1], input.buttons[2]);
    }
    recorder.input(input);
    deliver(input);
}

bool InputManager::isKeyDown(Key key) const
{
    // The keyboard state needs a display; there is none to ask before the
    // window. A replayed run gets the recorded answer.
    const int index = static_cast<int>(key);
    bool down = false;
    if (DisplayManager::getInstance().getWindow() && index >= 0 && index < KEY_COUNT &&
        Recorder::getInstance().getMode() != Recorder::Mode::REPLAYING)
    {
        bool keys[KEY_COUNT];
        platform::readHeldKeys(keys);
        down = keys[index];
    }
    return Recorder::getInstance().keyDown(down);
}

Key InputManager::toEngineKey(sf::Keyboard::Key key)
{
    for (const KeyPair& pair : KEY_TABLE)
    {
        if (pair.sfmlKey == key)
            return pair.key;
    }
    return Key::Undefined;
}

sf::Keyboard::Key InputManager::toSfmlKey(Key key)
{
    for (const KeyPair& pair : KEY_TABLE)
    {
        if (pair.key == key)
            return pair.sfmlKey;
    }
    return sf::Keyboard::Unknown;
}

MouseButton InputManager::toEngineButton(sf::Mouse::Button button)
{
    switch (button)
    {
    case sf::Mouse::Left:
        return MouseButton::Left;
    case sf::Mouse::Right:
        return MouseButton::Right;
    case sf::Mouse::Middle:
        return MouseButton::Middle;
    default:
        return MouseButton::Undefined;
    }
}

} // namespace ov
