#pragma once

#include "engine/core/Manager.h"
#include "engine/display/Color.h"
#include "engine/display/FrameBatch.h"
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
    // The one display manager.
    static DisplayManager& getInstance();

    // Opens the window, "Orvane", of 1024 x 768 pixels on 80 x 30 cells, with the font ov-font.ttf from the working
    // folder; 0, or -1 (logged) without a display, a usable screen or the font.
    int start() override;
    // Closes the window.
    void stop() override;

    // One character at a world position (cells); 0, or -1 without a window.
    // A character that cannot show in the window is not drawn at all.
    int drawCh(Vector position, char ch, Color color);
    // Of a block of characters, width x height cells with its top-left one at
    // a world position, the columns [firstColumn, endColumn) and rows
    // [firstRow, endRow) that can show in the window; empty when none can.
    // A large sprite draws just those, so that drawing costs what can be seen.
    void visibleCells(Vector topLeft, int width, int height, int& firstColumn, int& endColumn, int& firstRow,
                      int& endRow) const;
    // A row of characters centred on a world position; 0 or -1.
    int drawString(Vector position, const std::string& text, Color color);
    // Draws the characters so far into the back buffer in one call, unshown: to
    // read it back, or before drawing straight into the window.
    void flush();
    // Shows the frame and clears the back buffer.
    void swapBuffers();

    // Called, and never returns, when the graphics library fails (crashes)
    // while showing a frame, which it may do when memory runs short; the
    // window must then be left alone for good.
    using FailureHandler = void (*)(const char* doing);
    // Who is called then (the game manager).
    void setFailureHandler(FailureHandler handler) { m_onFailure = handler; }

    // The window, nullptr before start or without a display; it stays the display manager's.
    sf::RenderWindow* getWindow() const { return m_window; }
    // The frame being gathered (for tests and benchmarks), and the font every character is drawn with.
    ///@{
    const FrameBatch& getFrameBatch() const { return m_batch; }
    const sf::Font& getFont() const { return m_font; }
    ///@}
    // The window's picture in pixels (1024 x 768) and in cells (80 x 30), and one cell's size in pixels.
    ///@{
    int getWidthPixels() const { return m_widthPixels; }
    int getHeightPixels() const { return m_heightPixels; }
    int getWidthCells() const { return m_widthCells; }
    int getHeightCells() const { return m_heightCells; }
    float getCellWidth() const { return static_cast<float>(m_widthPixels) / static_cast<float>(m_widthCells); }
    float getCellHeight() const { return static_cast<float>(m_heightPixels) / static_cast<float>(m_heightCells); }
    ///@}

private:
    DisplayManager();
    ~DisplayManager() override { delete m_window; }
    // A window of the display's size on this screen, or none (logged).
    sf::RenderWindow* openWindow();
    // Logs an error the display reported; the program goes on.
    static void onDisplayError(const char* description);
    // Puts the window wholly on the desktop: centred, or at its top-left when that is smaller.
    void placeOnDesktop();

    sf::Font m_font;
    sf::RenderWindow* m_window;
    int m_widthPixels;
    int m_heightPixels;
    int m_widthCells;
    int m_heightCells;
    sf::Color m_backgroundColor;
    // Characters drawn with NO_COLOR or CUSTOM take the last colour given,
    // from frame to frame; white before any.
    sf::Color m_textColor;
    FrameBatch m_batch;
    FailureHandler m_onFailure = nullptr;
};

} // namespace ov
