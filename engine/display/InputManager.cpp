#include "engine/display/InputManager.h"

#include "engine/core/KeyTable.h"
#include "engine/core/LogManager.h"
#include "engine/core/Platform.h"
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

void deliverKey(Key key, KeyboardAction action)
{
    EventKeyboard event;
    event.setKey(key);
    event.setAction(action);
    deliver(event);
}

void deliverMouse(MouseAction action, MouseButton button, const Vector* position)
{
    EventMouse event;
    event.setAction(action);
    event.setButton(button);
    if (position)
        event.setPosition(*position);
    deliver(event);
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

    sf::Event event;
    while (window->pollEvent(event))
    {
        switch (event.type)
        {
        case sf::Event::KeyPressed:
            deliverKey(toEngineKey(event.key.code), KeyboardAction::Pressed);
            break;
        case sf::Event::KeyReleased:
            deliverKey(toEngineKey(event.key.code), KeyboardAction::Released);
            break;
        case sf::Event::MouseMoved:
        {
            Vector position = pointerPosition(*window, event.mouseMove.x, event.mouseMove.y);
            deliverMouse(MouseAction::Moved, MouseButton::Undefined, &position);
            break;
        }
        case sf::Event::MouseButtonPressed:
        {
            Vector position = pointerPosition(*window, event.mouseButton.x, event.mouseButton.y);
            deliverMouse(MouseAction::Clicked, toEngineButton(event.mouseButton.button), &position);
            break;
        }
        default:
            // Closing the window included: the game decides when it ends.
            break;
        }
    }

    // The whole keyboard and the buttons in one query each, not one per key
    // (each would be a round trip to the display server), after the events:
    // a key pressed this frame is reported pressed, then held.
    bool keys[KEY_COUNT];
    platform::readHeldKeys(keys);
    for (const KeyPair& pair : KEY_TABLE)
    {
        if (keys[static_cast<int>(pair.key)])
            deliverKey(pair.key, KeyboardAction::Held);
    }

    bool left = false;
    bool middle = false;
    bool right = false;
    platform::readHeldButtons(left, middle, right);
    const bool held[] = {left, middle, right};
    const MouseButton buttons[] = {MouseButton::Left, MouseButton::Middle, MouseButton::Right};
    for (int i = 0; i < 3; ++i)
    {
        if (held[i])
            deliverMouse(MouseAction::Held, buttons[i], nullptr);
    }
}

bool InputManager::isKeyDown(Key key) const
{
    // The keyboard state needs a display; there is none to ask before the window.
    if (!DisplayManager::getInstance().getWindow())
        return false;
    const int index = static_cast<int>(key);
    if (index < 0 || index >= KEY_COUNT)
        return false;
    bool keys[KEY_COUNT];
    platform::readHeldKeys(keys);
    return keys[index];
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
