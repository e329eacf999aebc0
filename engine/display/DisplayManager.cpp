#include "engine/display/DisplayManager.h"

#include "engine/core/LogManager.h"
#include "engine/core/Platform.h"
#include "engine/world/WorldManager.h"

#include <algorithm>
#include <locale>

namespace ov
{

namespace
{

const sf::Color BACKGROUND_COLOR(0, 0, 0, 255);

// Size at which a character fills its cell: twice the cell's smaller side.
unsigned int characterSize(float cellWidth, float cellHeight)
{
    return static_cast<unsigned int>(2.0f * std::min(cellWidth, cellHeight));
}

// The colour a character is drawn in; false for NO_COLOR and CUSTOM, which keep
// whatever colour the shared text was last given.
bool toSfmlColor(Color color, sf::Color& result)
{
    static const sf::Color orange(255, 127, 0, 255);
    switch (color)
    {
    case BLACK:   result = sf::Color::Black;   return true;
    case RED:     result = sf::Color::Red;     return true;
    case GREEN:   result = sf::Color::Green;   return true;
    case YELLOW:  result = sf::Color::Yellow;  return true;
    case BLUE:    result = sf::Color::Blue;    return true;
    case MAGENTA: result = sf::Color::Magenta; return true;
    case CYAN:    result = sf::Color::Cyan;    return true;
    case WHITE:   result = sf::Color::White;   return true;
    case ORANGE:  result = orange;             return true;
    default:      return false;
    }
}

} // namespace

DisplayManager& DisplayManager::getInstance()
{
    static DisplayManager instance;
    return instance;
}

DisplayManager::DisplayManager()
    : m_window(nullptr),
      m_widthPixels(DEFAULT_WIDTH_PIXELS),
      m_heightPixels(DEFAULT_HEIGHT_PIXELS),
      m_widthCells(DEFAULT_WIDTH_CELLS),
      m_heightCells(DEFAULT_HEIGHT_CELLS),
      m_backgroundColor(BACKGROUND_COLOR)
{
    setType("DisplayManager");
}

DisplayManager::~DisplayManager()
{
    delete m_window;
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
        {
            m_window = new sf::RenderWindow(sf::VideoMode(m_widthPixels, m_heightPixels, 32),
                                            WINDOW_TITLE, sf::Style::Default, sf::ContextSettings());
        }
        if (!m_window)
        {
            logMessage("", "Failed creating window.");
            return -1;
        }
        m_window->setMouseCursorVisible(true);
        m_window->setVerticalSyncEnabled(true);
    }

    m_font = sf::Font();
    if (!m_font.loadFromFile(FONT_FILE))
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

int DisplayManager::drawCh(Vector position, char ch, Color color)
{
    if (!m_window)
    {
        logMessage("ALERT", "Cannot draw ch. Window does not exist.");
        return -1;
    }

    // Shared by every call: drawables are too costly to build per character.
    static sf::RectangleShape background;
    static sf::Text text("", m_font, 30);

    const Vector corner = WorldManager::getInstance().getView().corner;
    const float rx = position.x - corner.x;
    const float ry = position.y - corner.y;
    const float cellWidth = getCellWidth();
    const float cellHeight = getCellHeight();

    // The background sits behind the glyph in its own cell, so a character
    // hides whatever was drawn in that cell before it.
    background.setSize(sf::Vector2f(cellWidth, cellHeight));
    background.setFillColor(BACKGROUND_COLOR);
    background.setPosition(rx * cellWidth - cellWidth / 19.0f, ry * cellHeight + cellHeight / 5.0f);
    m_window->draw(background);

    text.setString(sf::String(ch, std::locale()));
    text.setStyle(sf::Text::Bold);
    text.setCharacterSize(characterSize(cellWidth, cellHeight));
    sf::Color fill;
    if (toSfmlColor(color, fill))
        text.setFillColor(fill);
    text.setPosition(cellWidth * rx, cellHeight * ry);
    m_window->draw(text);
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

void DisplayManager::swapBuffers()
{
    if (!m_window)
    {
        logMessage("ALERT", "Cannot swap buffers. Window does not exist.");
        return;
    }
    // Show first, so that each frame is drawn into a freshly cleared buffer.
    m_window->display();
    m_window->clear(m_backgroundColor);
}

sf::RenderWindow* DisplayManager::getWindow() const
{
    return m_window;
}

const sf::Font& DisplayManager::getFont() const
{
    return m_font;
}

int DisplayManager::getWidthPixels() const
{
    return m_widthPixels;
}

int DisplayManager::getHeightPixels() const
{
    return m_heightPixels;
}

int DisplayManager::getWidthCells() const
{
    return m_widthCells;
}

int DisplayManager::getHeightCells() const
{
    return m_heightCells;
}

float DisplayManager::getCellWidth() const
{
    return static_cast<float>(m_widthPixels) / static_cast<float>(m_widthCells);
}

float DisplayManager::getCellHeight() const
{
    return static_cast<float>(m_heightPixels) / static_cast<float>(m_heightCells);
}

} // namespace ov
