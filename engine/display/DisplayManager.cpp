#include "engine/display/DisplayManager.h"

#include "engine/core/LogManager.h"
#include "engine/core/Platform.h"
#include "engine/world/WorldManager.h"

#include <SFML/OpenGL.hpp>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <locale>

namespace ov
{

namespace
{

const sf::Color BACKGROUND_COLOR(0, 0, 0, 255);

// Room for a full screen of cells, each a background quad and a glyph quad
// (a few backgrounds take two): the frame's vertices are never reallocated
// in play.
const std::size_t VERTICES_PER_CELL = 12;

// Side of the square tiles of pixels by which a frame's glyphs are found.
const int TILE_SIZE = 32;

// Every glyph page of a font keeps a small opaque white square at its top-left
// corner: a quad whose texture coordinates all lie inside it is a solid colour.
const sf::Vector2f WHITE_TEXEL(1.0f, 1.0f);

// A text lays its glyphs out with this much room around each, on screen and
// in the glyph page, so that smoothing reaches the glyph's edge.
const float GLYPH_PADDING = 1.0f;

// Size at which a character fills its cell: twice the cell's smaller side.
unsigned int characterSize(float cellWidth, float cellHeight)
{
    return static_cast<unsigned int>(2.0f * std::min(cellWidth, cellHeight));
}

// The colour a character is drawn in; false for NO_COLOR and CUSTOM, which keep
// the colour last given.
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
      m_backgroundColor(BACKGROUND_COLOR),
      m_glyphSize(0),
      m_textColor(sf::Color::White),
      m_openBackground(NO_BACKGROUND),
      m_cutting(false),
      m_frameViewport(),
      m_tileColumns((m_widthPixels + TILE_SIZE - 1) / TILE_SIZE),
      m_backgroundCount(0)
{
    setType("DisplayManager");
    m_vertices.reserve(static_cast<std::size_t>(m_widthCells * m_heightCells) * VERTICES_PER_CELL);
    m_cutVertices.reserve(m_vertices.capacity());
    m_tiles.resize(static_cast<std::size_t>(m_tileColumns * ((m_heightPixels + TILE_SIZE - 1) / TILE_SIZE)));
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
            // Where the system cannot make the window (Windows says so by
            // giving no handle), nothing was opened.
            if (!m_window->getSystemHandle())
            {
                delete m_window;
                m_window = nullptr;
            }
        }
        if (!m_window)
        {
            logMessage("", "Failed creating window.");
            return -1;
        }
        m_window->setMouseCursorVisible(true);
        m_window->setVerticalSyncEnabled(true);
    }

    // The frame so far points into the old font's glyph pages.
    m_vertices.clear();
    m_cutVertices.clear();
    m_openBackground = NO_BACKGROUND;
    forgetFrame(false);
    forgetGlyphs();
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
    m_vertices.clear();
    m_cutVertices.clear();
    m_openBackground = NO_BACKGROUND;
    forgetFrame(false);
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

    const Vector corner = WorldManager::getInstance().getView().corner;
    const float rx = position.x - corner.x;
    const float ry = position.y - corner.y;
    const float cellWidth = getCellWidth();
    const float cellHeight = getCellHeight();

    // Each piece goes to the renderer as a filled rectangle or a text drawn
    // on its own would: the same corners, through the same arithmetic (see
    // placeAt), in a shape the renderer fills the same way. It fills a quad
    // whose corners line up as a rectangle by rules other than those for
    // triangles; a glyph is such a rectangle and must stay one, or the
    // shading of its edges changes.

    // The background sits behind the glyph in its own cell, so a character
    // hides whatever was drawn in that cell before it.
    const Placement box = placeAt(sf::Vector2f(rx * cellWidth - cellWidth / 19.0f, ry * cellHeight + cellHeight / 5.0f));
    const sf::Vertex topLeft(place(box, sf::Vector2f(0.0f, 0.0f)), BACKGROUND_COLOR, WHITE_TEXEL);
    const sf::Vertex topRight(place(box, sf::Vector2f(cellWidth, 0.0f)), BACKGROUND_COLOR, WHITE_TEXEL);
    const sf::Vertex bottomRight(place(box, sf::Vector2f(cellWidth, cellHeight)), BACKGROUND_COLOR, WHITE_TEXEL);
    const sf::Vertex bottomLeft(place(box, sf::Vector2f(0.0f, cellHeight)), BACKGROUND_COLOR, WHITE_TEXEL);
    const ViewportMapping viewport = viewportMapping();
    const bool onTie = onRoundingTie(topLeft.position.x, viewport.xScale, viewport.xOffset)
                       || onRoundingTie(topRight.position.x, viewport.xScale, viewport.xOffset)
                       || onRoundingTie(topLeft.position.y, viewport.yScale, viewport.yOffset)
                       || onRoundingTie(bottomLeft.position.y, viewport.yScale, viewport.yOffset);
    const sf::Vertex background[] = {topLeft, topRight, bottomRight, bottomLeft};
    appendBackground(background, onTie, viewport);

    sf::Color fill;
    if (toSfmlColor(color, fill))
        m_textColor = fill;

    // The glyph goes where a text of this one character placed at the cell's
    // unrounded corner puts it.
    const GlyphQuad& glyph = glyphQuad(ch, characterSize(cellWidth, cellHeight));
    if (glyph.visible)
    {
        const Placement text = placeAt(sf::Vector2f(cellWidth * rx, cellHeight * ry));
        const sf::Vertex quad[] = {
            sf::Vertex(place(text, sf::Vector2f(glyph.left, glyph.top)), m_textColor, sf::Vector2f(glyph.u1, glyph.v1)),
            sf::Vertex(place(text, sf::Vector2f(glyph.right, glyph.top)), m_textColor, sf::Vector2f(glyph.u2, glyph.v1)),
            sf::Vertex(place(text, sf::Vector2f(glyph.right, glyph.bottom)), m_textColor,
                       sf::Vector2f(glyph.u2, glyph.v2)),
            sf::Vertex(place(text, sf::Vector2f(glyph.left, glyph.bottom)), m_textColor,
                       sf::Vector2f(glyph.u1, glyph.v2)),
        };
        if (!outsideView(quad, 4))
        {
            appendPiece(m_vertices, quad, 4);
            if (m_cutting)
            {
                appendPiece(m_cutVertices, quad, 4);
                rememberGlyph(quad, viewport);
            }
        }
    }
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
    flush();
    // Show first, so that each frame is drawn into a freshly cleared buffer.
    m_window->display();
    m_window->clear(m_backgroundColor);
}

void DisplayManager::flush()
{
    if (m_window && !m_vertices.empty())
    {
        // The frame with its backgrounds cut down only over a window known
        // to be black but for it (see m_cutting).
        const bool cut = m_cutting && clearedToBlackSinceDrawn();
        const std::vector<sf::Vertex>& frame = cut ? m_cutVertices : m_vertices;
        // The vertices have been through the view already (see placeAt).
        // They are drawn under a view that halves them, into a viewport twice
        // as large about the same centre: each lands on the same pixel, but
        // a character partly outside the window no longer looks, to the
        // renderer, like something that needs cutting at the window's edge,
        // which would send the whole frame down a slower path that fills
        // glyphs differently. Only an odd-sized viewport cannot be doubled
        // in whole pixels about its centre.
        const sf::View view = m_window->getView();
        const sf::IntRect pixels = m_window->getViewport(view);
        sf::View placed(sf::Vector2f(0.0f, 0.0f), sf::Vector2f(2.0f, -2.0f));
        placed.setViewport(view.getViewport());
        if (pixels.width % 2 == 0 && pixels.height % 2 == 0)
        {
            placed.setSize(4.0f, -4.0f);
            placed.setViewport(viewportRatios(sf::IntRect(pixels.left - pixels.width / 2, pixels.top - pixels.height / 2,
                                                          2 * pixels.width, 2 * pixels.height)));
        }
        m_window->setView(placed);

        // Only now: requesting a glyph may have enlarged the page's texture.
        sf::RenderStates states;
        states.texture = &m_font.getTexture(m_glyphSize);
        m_window->draw(frame.data(), frame.size(), sf::Quads, states);
        m_window->setView(view);
    }
    m_vertices.clear();
    m_cutVertices.clear();
    m_openBackground = NO_BACKGROUND;
    // Gather the next frame both ways: whether it may be drawn cut is only
    // known when it is flushed.
    forgetFrame(true);
}

sf::FloatRect DisplayManager::viewportRatios(sf::IntRect pixels) const
{
    // The window turns ratios back into pixels by adding a half and cutting
    // towards zero: aim at the middle of the pixel so that it gets the same
    // whole number back, on either side of zero.
    const float width = static_cast<float>(m_window->getSize().x);
    const float height = static_cast<float>(m_window->getSize().y);
    const float left = static_cast<float>(pixels.left < 0 ? pixels.left - 1 : pixels.left);
    const float top = static_cast<float>(pixels.top < 0 ? pixels.top - 1 : pixels.top);
    return sf::FloatRect(left / width, top / height, static_cast<float>(pixels.width) / width,
                         static_cast<float>(pixels.height) / height);
}

const DisplayManager::GlyphQuad& DisplayManager::glyphQuad(char ch, unsigned int size)
{
    if (size != m_glyphSize)
    {
        forgetGlyphs();
        m_glyphSize = size;
    }
    GlyphQuad& quad = m_glyphs[static_cast<unsigned char>(ch)];
    if (quad.loaded)
        return quad;
    quad.loaded = true;

    // The same character a text gets from a char, through the current locale.
    const sf::Uint32 code = sf::Utf32::decodeAnsi(ch, std::locale());
    // A text lays out no quad for white space and skips carriage returns.
    if (code == U' ' || code == U'\t' || code == U'\n' || code == U'\r')
        return quad;

    // A text of one character puts its baseline one character size down.
    const sf::Glyph& glyph = m_font.getGlyph(code, size, true);
    const float baseline = static_cast<float>(size);
    quad.visible = true;
    quad.left = glyph.bounds.left - GLYPH_PADDING;
    quad.top = baseline + (glyph.bounds.top - GLYPH_PADDING);
    quad.right = glyph.bounds.left + glyph.bounds.width + GLYPH_PADDING;
    quad.bottom = baseline + (glyph.bounds.top + glyph.bounds.height + GLYPH_PADDING);
    quad.u1 = static_cast<float>(glyph.textureRect.left) - GLYPH_PADDING;
    quad.v1 = static_cast<float>(glyph.textureRect.top) - GLYPH_PADDING;
    quad.u2 = static_cast<float>(glyph.textureRect.left + glyph.textureRect.width) + GLYPH_PADDING;
    quad.v2 = static_cast<float>(glyph.textureRect.top + glyph.textureRect.height) + GLYPH_PADDING;
    return quad;
}

void DisplayManager::forgetGlyphs()
{
    for (GlyphQuad& quad : m_glyphs)
        quad = GlyphQuad();
}

DisplayManager::Placement DisplayManager::placeAt(sf::Vector2f origin) const
{
    // The renderer multiplies the view by the move to origin and then that
    // product by each point, summing left to right; rounded any other way, a
    // corner can land a fraction of a pixel elsewhere and the shading of a
    // glyph's edge changes. (The matrix is 4 x 4, column by column.)
    const float* view = m_window->getView().getTransform().getMatrix();
    Placement placement;
    placement.xx = view[0];
    placement.xy = view[4];
    placement.xc = (view[0] * origin.x + view[4] * origin.y) + view[12];
    placement.yx = view[1];
    placement.yy = view[5];
    placement.yc = (view[1] * origin.x + view[5] * origin.y) + view[13];
    return placement;
}

sf::Vector2f DisplayManager::place(const Placement& placement, sf::Vector2f point)
{
    return sf::Vector2f((placement.xx * point.x + placement.xy * point.y) + placement.xc,
                        (placement.yx * point.x + placement.yy * point.y) + placement.yc);
}

DisplayManager::ViewportMapping DisplayManager::viewportMapping() const
{
    // From -1..1 across the view's viewport to pixels from the window's top-left.
    const sf::IntRect pixels = m_window->getViewport(m_window->getView());
    ViewportMapping mapping;
    mapping.xScale = pixels.width / 2.0;
    mapping.xOffset = pixels.left + pixels.width / 2.0;
    mapping.yScale = -pixels.height / 2.0;
    mapping.yOffset = pixels.top + pixels.height / 2.0;
    return mapping;
}

namespace
{

// Where the renderer puts a placed position, in pixels from the window's edge:
// rounded to float once (multiply and add fused) or twice.
float toPixels(float position, double scale, double offset, bool fused)
{
    if (fused)
        return static_cast<float>(position * scale + offset);
    return static_cast<float>(static_cast<float>(position * scale) + offset);
}

// The renderer snaps edges to 1/256 of a pixel, counted from pixel centres.
double subpixelSteps(float pixels)
{
    return (static_cast<double>(pixels) - 0.5) * 256.0;
}

} // namespace

bool DisplayManager::onRoundingTie(float position, double scale, double offset)
{
    // Exactly halfway between two steps it rounds a rectangle's edge away
    // from zero and a triangle's to even.
    for (const bool fused : {true, false})
    {
        const double steps = subpixelSteps(toPixels(position, scale, offset, fused));
        if (steps - std::floor(steps) == 0.5)
            return true;
    }
    return false;
}

long DisplayManager::firstColumnFrom(float position, const ViewportMapping& viewport, bool fused)
{
    // The first column whose centre lies on or right of the snapped edge
    // (no edge here sits on a tie, see onRoundingTie).
    const double snapped = std::floor(subpixelSteps(toPixels(position, viewport.xScale, viewport.xOffset, fused)) + 0.5);
    return static_cast<long>(std::ceil(snapped / 256.0));
}

bool DisplayManager::outsideView(const sf::Vertex* vertices, std::size_t count)
{
    // All its corners past one edge: none of its pixels shows.
    bool left = true;
    bool right = true;
    bool up = true;
    bool down = true;
    for (std::size_t i = 0; i < count; ++i)
    {
        const sf::Vector2f& position = vertices[i].position;
        left = left && position.x < -1.0f;
        right = right && position.x > 1.0f;
        up = up && position.y > 1.0f;
        down = down && position.y < -1.0f;
    }
    return left || right || up || down;
}

void DisplayManager::appendPiece(std::vector<sf::Vertex>& frame, const sf::Vertex* vertices, std::size_t count)
{
    // A piece that shows nothing is left out. What is kept lies within a
    // piece's size of the view, well inside the doubled viewport of flush.
    if (outsideView(vertices, count))
        return;
    frame.insert(frame.end(), vertices, vertices + count);
    // Nothing more may lengthen the open background of the whole frame.
    if (&frame == &m_vertices)
        m_openBackground = NO_BACKGROUND;
}

bool DisplayManager::extendBackground(const sf::Vertex& topLeft, const sf::Vertex& topRight,
                                      const sf::Vertex& bottomLeft, const ViewportMapping& viewport)
{
    if (m_openBackground == NO_BACKGROUND || m_openBackground + 4 != m_vertices.size())
        return false;
    sf::Vertex* last = &m_vertices[m_openBackground];
    if (last[0].position.y != topLeft.position.y || last[3].position.y != bottomLeft.position.y)
        return false;

    // The columns the last rectangle fills, [first, end), and this one's:
    // the longer rectangle fills their union when they meet or overlap, left
    // to right, whichever way the renderer rounds the pixel positions.
    for (const bool fused : {true, false})
    {
        const long lastFirst = firstColumnFrom(last[0].position.x, viewport, fused);
        const long lastEnd = firstColumnFrom(last[1].position.x, viewport, fused);
        const long first = firstColumnFrom(topLeft.position.x, viewport, fused);
        const long end = firstColumnFrom(topRight.position.x, viewport, fused);
        if (!(lastFirst <= first && first <= lastEnd && lastEnd <= end))
            return false;
    }
    last[1].position.x = topRight.position.x;
    last[2].position.x = topRight.position.x;
    return true;
}

void DisplayManager::appendRectangle(std::vector<sf::Vertex>& frame, const sf::Vertex* corners, bool onTie)
{
    if (!onTie)
    {
        appendPiece(frame, corners, 4);
        return;
    }
    // An edge the renderer would round one way for a rectangle and the other
    // for triangles: draw what a filled rectangle is, a fan of four triangles
    // about its centre, as two quads.
    const sf::Vector2f middle((corners[0].position + corners[2].position) / 2.0f);
    const sf::Vertex centre(middle, corners[0].color, corners[0].texCoords);
    const sf::Vertex fan[] = {centre, corners[0], corners[1], corners[2], centre, corners[2], corners[3], corners[0]};
    appendPiece(frame, fan, 8);
}

void DisplayManager::appendBackground(const sf::Vertex* corners, bool onTie, const ViewportMapping& viewport)
{
    if (m_cutting && !appendBackgroundOverGlyphs(corners, onTie, viewport))
        appendRectangle(m_cutVertices, corners, onTie);
    // A run of backgrounds along a row, with no glyph between them (after
    // spaces), fills the same pixels as one longer rectangle.
    if (onTie)
    {
        appendRectangle(m_vertices, corners, true);
        return;
    }
    if (!outsideView(corners, 4) && !extendBackground(corners[0], corners[1], corners[3], viewport))
    {
        appendPiece(m_vertices, corners, 4);
        m_openBackground = m_vertices.size() - 4;
    }
}

namespace
{

// A placed position on a whole pixel's edge, if one gives it back exactly
// enough: its snapped edge then lies far from any pixel centre.
bool placedFromPixel(int pixel, double scale, double offset, float& position)
{
    position = static_cast<float>((pixel - offset) / scale);
    for (const bool fused : {true, false})
    {
        if (std::fabs(toPixels(position, scale, offset, fused) - pixel) > 1.0 / 1024.0)
            return false;
    }
    return true;
}

} // namespace

bool DisplayManager::appendBackgroundOverGlyphs(const sf::Vertex* corners, bool onTie, const ViewportMapping& viewport)
{
    // No glyph yet: everything under the background is already black.
    if (m_glyphBoxes.empty())
        return true;
    if (std::memcmp(&viewport, &m_frameViewport, sizeof viewport) != 0)
        return false;
    const PixelBox area = pixelBox(corners[0].position, corners[2].position, viewport);
    if (area.left >= area.right || area.top >= area.bottom)
        return true;
    const float left = toPixels(corners[0].position.x, viewport.xScale, viewport.xOffset, true);
    const float right = toPixels(corners[1].position.x, viewport.xScale, viewport.xOffset, true);
    const float top = toPixels(corners[0].position.y, viewport.yScale, viewport.yOffset, true);
    const float bottom = toPixels(corners[3].position.y, viewport.yScale, viewport.yOffset, true);

    // Everything under the background is black but where an earlier glyph
    // of this frame lies. Cut along whole pixels, which pass through no pixel
    // centre, the pieces over those glyphs fill exactly the background's
    // pixels there; edges the background keeps are its own, ties and all.
    ++m_backgroundCount;
    for (int ty = area.top / TILE_SIZE; ty <= (area.bottom - 1) / TILE_SIZE; ++ty)
    {
        for (int tx = area.left / TILE_SIZE; tx <= (area.right - 1) / TILE_SIZE; ++tx)
        {
            for (const std::size_t index : m_tiles[static_cast<std::size_t>(ty * m_tileColumns + tx)])
            {
                if (m_boxSeen[index] == m_backgroundCount)
                    continue;
                m_boxSeen[index] = m_backgroundCount;
                const PixelBox& glyph = m_glyphBoxes[index];
                if (glyph.left >= area.right || glyph.right <= area.left || glyph.top >= area.bottom
                    || glyph.bottom <= area.top)
                    continue;

                sf::Vertex piece[] = {corners[0], corners[1], corners[2], corners[3]};
                float x = 0.0f;
                float y = 0.0f;
                if (glyph.left > left)
                {
                    if (!placedFromPixel(glyph.left, viewport.xScale, viewport.xOffset, x))
                        return false;
                    piece[0].position.x = piece[3].position.x = x;
                }
                if (glyph.right < right)
                {
                    if (!placedFromPixel(glyph.right, viewport.xScale, viewport.xOffset, x))
                        return false;
                    piece[1].position.x = piece[2].position.x = x;
                }
                if (glyph.top > top)
                {
                    if (!placedFromPixel(glyph.top, viewport.yScale, viewport.yOffset, y))
                        return false;
                    piece[0].position.y = piece[1].position.y = y;
                }
                if (glyph.bottom < bottom)
                {
                    if (!placedFromPixel(glyph.bottom, viewport.yScale, viewport.yOffset, y))
                        return false;
                    piece[2].position.y = piece[3].position.y = y;
                }
                appendRectangle(m_cutVertices, piece, onTie);
            }
        }
    }
    return true;
}

void DisplayManager::rememberGlyph(const sf::Vertex* corners, const ViewportMapping& viewport)
{
    if (!m_cutting)
        return;
    if (m_glyphBoxes.empty())
        m_frameViewport = viewport;
    else if (std::memcmp(&viewport, &m_frameViewport, sizeof viewport) != 0)
    {
        // The view moved mid-frame: the boxes no longer say where pixels
        // changed. Draw the rest of the frame's backgrounds whole.
        forgetFrame(false);
        return;
    }
    const PixelBox box = pixelBox(corners[0].position, corners[2].position, viewport);
    if (box.left >= box.right || box.top >= box.bottom)
        return;
    const std::size_t index = m_glyphBoxes.size();
    m_glyphBoxes.push_back(box);
    m_boxSeen.push_back(0);
    for (int ty = box.top / TILE_SIZE; ty <= (box.bottom - 1) / TILE_SIZE; ++ty)
        for (int tx = box.left / TILE_SIZE; tx <= (box.right - 1) / TILE_SIZE; ++tx)
            m_tiles[static_cast<std::size_t>(ty * m_tileColumns + tx)].push_back(index);
}

DisplayManager::PixelBox DisplayManager::pixelBox(sf::Vector2f first, sf::Vector2f second,
                                                  const ViewportMapping& viewport) const
{
    // Outward to whole pixels, whichever way the renderer rounds, and cut to
    // the window (pixels outside it are never filled).
    double left = m_widthPixels;
    double right = 0.0;
    double top = m_heightPixels;
    double bottom = 0.0;
    for (const bool fused : {true, false})
    {
        for (const sf::Vector2f& corner : {first, second})
        {
            const double x = toPixels(corner.x, viewport.xScale, viewport.xOffset, fused);
            const double y = toPixels(corner.y, viewport.yScale, viewport.yOffset, fused);
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    PixelBox box;
    box.left = static_cast<int>(std::max(0.0, std::floor(left)));
    box.right = static_cast<int>(std::min(static_cast<double>(m_widthPixels), std::ceil(right)));
    box.top = static_cast<int>(std::max(0.0, std::floor(top)));
    box.bottom = static_cast<int>(std::min(static_cast<double>(m_heightPixels), std::ceil(bottom)));
    return box;
}

bool DisplayManager::clearedToBlackSinceDrawn() const
{
    // Every draw into the window either binds a texture or, drawing without
    // one, turns off texture coordinates; a clear unbinds the texture and
    // leaves texture coordinates as they are. So no bound texture with
    // texture coordinates on means the window has been cleared since
    // anything was last drawn into it, and the clear colour says to what.
    if (!m_window->setActive(true))
        return false;
    GLint texture = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
    GLfloat clearColor[4] = {-1.0f, -1.0f, -1.0f, -1.0f};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColor);
    return texture == 0 && glIsEnabled(GL_TEXTURE_COORD_ARRAY) == GL_TRUE && clearColor[0] == 0.0f
           && clearColor[1] == 0.0f && clearColor[2] == 0.0f && clearColor[3] == 1.0f;
}

void DisplayManager::forgetFrame(bool cut)
{
    if (!m_glyphBoxes.empty())
    {
        for (std::vector<std::size_t>& tile : m_tiles)
            tile.clear();
        m_glyphBoxes.clear();
        m_boxSeen.clear();
    }
    // The tiles cover the window only at the size it was opened with.
    const sf::Vector2u size = m_window ? m_window->getSize() : sf::Vector2u();
    m_cutting = cut && size.x == static_cast<unsigned int>(m_widthPixels)
                   && size.y == static_cast<unsigned int>(m_heightPixels);
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
