#include "engine/display/DisplayManager.h"

#include "engine/core/LogManager.h"
#include "engine/core/Platform.h"
#include "engine/core/Recorder.h"
#include "engine/world/WorldManager.h"

#include <algorithm>
#include <cmath>

namespace ov
{

namespace
{

const sf::Color BACKGROUND_COLOR(0, 0, 0, 255);

// How many cells beyond the window's edge a character may stand and still
// reach into it: a glyph is less than a cell and a half wide and tall, and
// its background covers its own cell.
const double REACH_CELLS = 2.0;

// The address space a software graphics library maps while it makes the
// window and its first frame (measured with ulimit -v: below about 300 MB
// it fails in ways no caller can mend).
const int WINDOW_MEMORY_MB = 320;

// The cells [first, end) of a run of `count`, the first at `start` cells from
// the window's edge, that lie within `cells` cells of the window and its reach.
void visibleRun(float start, int count, int cells, int& first, int& end)
{
    first = end = 0;
    if (!std::isfinite(start) || count <= 0)
        return;
    const double low = std::ceil(-REACH_CELLS - start);
    const double high = std::floor(cells + REACH_CELLS - 1 - start) + 1;
    first = static_cast<int>(std::min(std::max(low, 0.0), static_cast<double>(count)));
    end = static_cast<int>(std::min(std::max(high, static_cast<double>(first)), static_cast<double>(count)));
}

// The colour a character is drawn in; none for NO_COLOR and CUSTOM, which keep
// the colour last given.
const sf::Color* drawnColor(Color color)
{
    static const sf::Color table[] = {sf::Color::Black, sf::Color::Red,  sf::Color::Green, sf::Color::Yellow,
                                      sf::Color::Blue,  sf::Color::Magenta, sf::Color::Cyan, sf::Color::White,
                                      sf::Color(255, 127, 0, 255)};
    return color >= BLACK && color <= ORANGE ? &table[color] : nullptr;
}

} // namespace

DisplayManager& DisplayManager::getInstance()
{
    static DisplayManager instance;
    return instance;
}

DisplayManager::DisplayManager()
    : m_window(nullptr), m_widthPixels(DEFAULT_WIDTH_PIXELS), m_heightPixels(DEFAULT_HEIGHT_PIXELS),
      m_widthCells(DEFAULT_WIDTH_CELLS), m_heightCells(DEFAULT_HEIGHT_CELLS), m_backgroundColor(BACKGROUND_COLOR),
      m_textColor(sf::Color::White), m_batch(sf::Vector2f(float(DEFAULT_WIDTH_PIXELS), float(DEFAULT_HEIGHT_PIXELS)))
{
    setType("DisplayManager");
}

int DisplayManager::start()
{
    if (m_window && m_window->isOpen() && isStarted())
        return 0;
    if (!LogManager::getInstance().isStarted())
        return -1;

    // A window closed by stop cannot be shown again: open a new one. A window
    // left open by a failed font load is kept, and only the font is tried again.
    if (m_window && !m_window->isOpen())
    {
        delete m_window;
        m_window = nullptr;
    }
    if (!m_window)
    {
        m_window = openWindow();
        // The window holds a connection of its own now.
        platform::releaseDisplayProbe();
        if (!m_window)
        {
            logMessage("", "Failed creating window.");
            return -1;
        }
        m_window->setMouseCursorVisible(true);
        // A replay played fast shows its frames as fast as they come.
        m_window->setVerticalSyncEnabled(!Recorder::getInstance().isFast());
        placeOnDesktop();
    }

    // The frame so far points into the old font's glyph page. A character
    // fills its cell at twice the cell's smaller side.
    m_batch.setFont(&m_font, static_cast<unsigned int>(2.0f * std::min(getCellWidth(), getCellHeight())));
    m_font = sf::Font();
    // A pipe or a folder in the font's place would block or fail deep in the font library.
    if (!platform::isRegularFile(FONT_FILE) || !m_font.loadFromFile(FONT_FILE))
    {
        logMessage("ERROR", "Error loading font from %s.", FONT_FILE);
        return -1;
    }

    m_backgroundColor = BACKGROUND_COLOR;
    setStarted(true);
    logMessage("", "Started.");
    logMessage("", "Size of window: %dpx x %dpx.", m_widthPixels, m_heightPixels);
    return 0;
}

sf::RenderWindow* DisplayManager::openWindow()
{
    // Without a display the windowing layer would abort the whole program.
    if (!platform::displayAvailable())
        return nullptr;
    platform::setDisplayErrorHandler(&DisplayManager::onDisplayError);
    // The graphics library finds no visual to draw into on a screen of fewer
    // than 16 bits a pixel: it refuses 15 and crashes on 8. A 16-bit screen
    // gets a window of its own depth, a deeper one 32 bits.
    const unsigned int depth = sf::VideoMode::getDesktopMode().bitsPerPixel;
    if (depth < 16)
    {
        logMessage("ALERT", "The screen has %u bits a pixel; the window needs at least 16.", depth);
        return nullptr;
    }
    // A graphics library short of memory while it makes a window corrupts
    // its own heap or crashes; with less than this left, no window is tried.
    const long long memoryLeft = platform::addressSpaceLeftMb();
    if (memoryLeft >= 0 && memoryLeft < WINDOW_MEMORY_MB)
    {
        logMessage("ALERT", "The process may map only %lld MB more, and making the window takes %d MB (ulimit -v).",
                   memoryLeft, WINDOW_MEMORY_MB);
        return nullptr;
    }
    // Save what the log holds: a graphics library short of memory may still crash
    // in here. A crash comes back as a failure; the library is then left
    // alone, and the window as it was is never touched.
    LogManager::getInstance().flushFile();
    struct Making
    {
        sf::VideoMode mode;
        sf::RenderWindow* window;
    } making{sf::VideoMode(m_widthPixels, m_heightPixels, depth < 24 ? depth : 32), nullptr};
    const int errors = platform::displayErrorCount();
    const auto make = [](void* context) {
        Making& it = *static_cast<Making*>(context);
        it.window = new sf::RenderWindow(it.mode, WINDOW_TITLE, sf::Style::Default, sf::ContextSettings());
    };
    if (!platform::callGuarded(make, &making))
    {
        logMessage("ALERT", "The graphics library failed while making the window.");
        return nullptr;
    }
    // Windows tells of a window it could not make by giving it no handle, X by an error.
    if (making.window->getSystemHandle() && platform::displayErrorCount() == errors)
        return making.window;
    delete making.window;
    return nullptr;
}

void DisplayManager::onDisplayError(const char* description)
{
    getInstance().logMessage("ALERT", "The display reported an error: %s.", description);
}

void DisplayManager::stop()
{
    logMessage("", "Closing window.");
    if (m_window)
        m_window->close();
    setStarted(false);
    if (LogManager::getInstance().isStarted())
        logMessage("", "Stopped.");
}

void DisplayManager::placeOnDesktop()
{
    // By the window's own size: the frame around it, where there is one, is not known here.
    const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
    const int left = (static_cast<int>(desktop.width) - m_widthPixels) / 2;
    const int top = (static_cast<int>(desktop.height) - m_heightPixels) / 2;
    m_window->setPosition(sf::Vector2i(std::max(0, left), std::max(0, top)));
}

void DisplayManager::visibleCells(Vector topLeft, int width, int height, int& firstColumn, int& endColumn,
                                  int& firstRow, int& endRow) const
{
    const Vector corner = WorldManager::getInstance().getView().corner;
    visibleRun(topLeft.x - corner.x, width, m_widthCells, firstColumn, endColumn);
    visibleRun(topLeft.y - corner.y, height, m_heightCells, firstRow, endRow);
}

int DisplayManager::drawCh(Vector position, char ch, Color color)
{
    if (!m_window)
    {
        logMessage("ALERT", "Cannot draw ch. Window does not exist.");
        return -1;
    }
    int column, endColumn, row, endRow;
    visibleCells(position, 1, 1, column, endColumn, row, endRow);
    if (column == endColumn || row == endRow)
        return 0;
    const Vector corner = WorldManager::getInstance().getView().corner;
    const float rx = position.x - corner.x;
    const float ry = position.y - corner.y;
    const float cellWidth = getCellWidth();
    const float cellHeight = getCellHeight();
    // Behind the glyph, in its own cell: a character hides what its cell held.
    const sf::Vector2f box(rx * cellWidth - cellWidth / 19.0f, ry * cellHeight + cellHeight / 5.0f);
    m_batch.addBackground(sf::FloatRect(box, sf::Vector2f(cellWidth, cellHeight)), BACKGROUND_COLOR);

    if (const sf::Color* fill = drawnColor(color))
        m_textColor = *fill;
    // Where a text of this one character placed at the cell's unrounded corner puts it.
    m_batch.addCharacter(sf::Vector2f(cellWidth * rx, cellHeight * ry), ch, m_textColor);
    return 0;
}

int DisplayManager::drawString(Vector position, const std::string& text, Color color)
{
    if (!m_window)
    {
        logMessage("ALERT", "Cannot draw ch. Window does not exist.");
        return -1;
    }
    // Always centred; the halving is on the whole length, so even lengths lean left.
    const float x0 = position.x - static_cast<float>(text.size() / 2);
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        if (drawCh(Vector(x0 + static_cast<float>(i), position.y), text[i], color) == -1)
        {
            logMessage("ERROR", "Error drawing string.");
            return -1;
        }
    }
    return 0;
}

void DisplayManager::flush()
{
    if (m_window)
        m_batch.draw(*m_window);
}

void DisplayManager::swapBuffers()
{
    if (!m_window)
    {
        logMessage("ALERT", "Cannot swap buffers. Window does not exist.");
        return;
    }
    const auto show = [](void* context) {
        DisplayManager& display = *static_cast<DisplayManager*>(context);
        display.m_batch.draw(*display.m_window);
        // Show first, so that each frame is drawn into a freshly cleared buffer.
        display.m_window->display();
        display.m_window->clear(display.m_backgroundColor);
    };
    if (!platform::callGuarded(show, this) && m_onFailure)
        m_onFailure("showing the frame");
    m_batch.beginOnCleared(m_backgroundColor);
}

} // namespace ov
