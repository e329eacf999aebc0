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
    static InputManager& getInstance();

    bool isValid(const std::string& eventType) const override
    {
        return eventType == EVENT_TYPE_KEYBOARD || eventType == EVENT_TYPE_MOUSE;
    }
    int start() override;
    void stop() override;

    void getInput();

    // Whether the key is down now; false for keys outside the table.
    bool isKeyDown(Key key) const;

    // The key table, both ways: Key::Undefined / sf::Keyboard::Unknown outside it.
    static Key toEngineKey(sf::Keyboard::Key key);
    static sf::Keyboard::Key toSfmlKey(Key key);
    static MouseButton toEngineButton(sf::Mouse::Button button);

private:
    InputManager() { setType("InputManager"); }
};

} // namespace ov
