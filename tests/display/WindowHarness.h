#pragma once

#include "engine/display/DisplayManager.h"
#include "engine/world/Box.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Image.hpp>
#include <gtest/gtest.h>

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

// A test that draws into the window: skipped without a display; the
// managers running, the view at the origin within a 200 x 100 world, and
// the back buffer cleared, before and after.
class WindowTest : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    static ov::DisplayManager& display() { return ov::DisplayManager::getInstance(); }
    static sf::RenderWindow& window() { return *display().getWindow(); }

private:
    ov::Box m_savedBoundary;
    ov::Box m_savedView;
};

} // namespace harness
