#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Image.hpp>

// The window test program starts the log, display, world and input managers
// once, before the first test, and stops them after the last one. Tests that
// stop or restart a manager call startManagers() to put everything back.
namespace harness
{

// Whether the program has a window to test with (it needs an X display).
bool hasWindow();

// Starts, in order, whichever of the log, display, world and input managers is
// not running, and switches key repeat off on the current window again.
void startManagers();

// What has been drawn into the back buffer since the last swap or clear,
// the characters drawn so far included (it flushes the display's batch).
sf::Image readBack();

// What the window shows on the screen now, read from the X server.
sf::Image readShown();

// The colour of the very first character the program drew, with CUSTOM.
sf::Color firstCustomColor();

} // namespace harness
