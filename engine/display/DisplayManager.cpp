#include "engine/display/DisplayManager.h"

#include "engine/core/LogManager.h"
#include "engine/core/Platform.h"
#include "engine/world/WorldManager.h"

#include <algorithm>

namespace ov
{

namespace
{

const sf::Color BACKGROUND_COLOR(0, 0, 0, 255);

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
        // Without a display the windowing layer would abort the whole program.
        if (platform::displayAvailable())
            m_window = new sf::RenderWindow(sf::VideoMode(m_widthPixels, m_heightPixels, 32),
                                            WINDOW_TITLE, sf::Style::Default, sf::ContextSettings());
        // The window holds a connection of its own now.
        platform::releaseDisplayProbe();
        // Windows tells of a window it could not make by giving it no handle.
        if (!m_window || !m_window->getSystemHandle())
        {
            logMessage("", "Failed creating window.");
            delete m_window;
            m_window = nullptr;
            return -1;
        }
        m_window->setMouseCursorVisible(true);
        m_window->setVerticalSyncEnabled(true);
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

int DisplayManager::drawCh(Vector position, char ch, Color color)
{
    if (!m_window)
    {
        logMessage("ALERT", "Cannot draw ch. Window does not exist.");
        return -1;
    }
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
    m_batch.draw(*m_window);
    // Show first, so that each frame is drawn into a freshly cleared buffer.
    m_window->display();
    m_window->clear(m_backgroundColor);
    m_batch.beginOnCleared(m_backgroundColor);
}

} // namespace ov
