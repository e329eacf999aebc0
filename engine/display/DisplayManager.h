#pragma once

#include "engine/core/Manager.h"
#include "engine/display/Color.h"
#include "engine/world/Vector.h"

#include <SFML/Graphics.hpp>

#include <string>

namespace ov
{

const int DEFAULT_WIDTH_PIXELS = 1024;
const int DEFAULT_HEIGHT_PIXELS = 768;
const int DEFAULT_WIDTH_CELLS = 80;
const int DEFAULT_HEIGHT_CELLS = 30;
const char WINDOW_TITLE[] = "Orvane";
const char FONT_FILE[] = "ov-font.ttf";

// Owns the window and draws every character of the game into its grid of
// 80 x 30 cells. World positions are made relative to the view first.
class DisplayManager : public Manager
{
public:
    static DisplayManager& getInstance();

    int start() override;
    void stop() override;

    // One character at a world position (cells); 0, or -1 without a window.
    int drawCh(Vector position, char ch, Color color);
    // A row of characters centred on a world position; 0 or -1.
    int drawString(Vector position, const std::string& text, Color color);
    // Shows the frame and clears the back buffer.
    void swapBuffers();

    sf::RenderWindow* getWindow() const;
    const sf::Font& getFont() const;
    int getWidthPixels() const;
    int getHeightPixels() const;
    int getWidthCells() const;
    int getHeightCells() const;
    float getCellWidth() const;
    float getCellHeight() const;

private:
    DisplayManager();
    ~DisplayManager() override;

    sf::Font m_font;
    sf::RenderWindow* m_window;
    int m_widthPixels;
    int m_heightPixels;
    int m_widthCells;
    int m_heightCells;
    sf::Color m_backgroundColor;
};

} // namespace ov
