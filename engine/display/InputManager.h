#pragma once

#include "engine/core/EventKeyboard.h"
#include "engine/core/EventMouse.h"
#include "engine/core/Manager.h"

#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

namespace ov
{

// Turns the window's keyboard and mouse input into engine events once per
// frame and hands each event to every object in the world.
class InputManager : public Manager
{
public:
    // The one input manager.
    static InputManager& getInstance();

    // Keyboard and mouse events are this manager's.
    bool isValid(const std::string& eventType) const override
    {
        return eventType == EVENT_TYPE_KEYBOARD || eventType == EVENT_TYPE_MOUSE;
    }
    // Needs the log, the world and the display started (the window); turns the window's key repeat off, so that a
    // key held is one press and then Held events. 0, or -1.
    int start() override;
    // Turns the window's key repeat back on.
    void stop() override;

    // Reads this frame's input and hands it out as events, each to every object in the world (a fresh copy of the
    // list for each): the window's events in their order, then a Held event for each key and mouse button down. The
    // game loop calls it once a frame.
    void getInput();

    // Whether the key is down now; false for keys outside the table.
    bool isKeyDown(Key key) const;

    // The key table, both ways: Key::Undefined / sf::Keyboard::Unknown outside it.
    ///@{
    static Key toEngineKey(sf::Keyboard::Key key);
    static sf::Keyboard::Key toSfmlKey(Key key);
    ///@}
    // The mouse's buttons: Undefined for one the engine does not name.
    static MouseButton toEngineButton(sf::Mouse::Button button);

private:
    InputManager() { setType("InputManager"); }
};

} // namespace ov
