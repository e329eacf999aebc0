#pragma once

#include "engine/core/Manager.h"
#include "engine/display/Color.h"
#include "engine/world/Vector.h"

#include <SFML/Graphics.hpp>

#include <string>
#include <vector>

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
    // Draws the characters drawn since the last flush into the back buffer,
    // in one draw call, without showing the frame. swapBuffers does it first;
    // call it to read the back buffer or to draw straight into the window
    // over what has been drawn so far.
    void flush();
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
    // Where one character's glyph lies, relative to the point where a text
    // holding only that character is placed, and where it lies in the font's
    // glyph page (pixels). Characters without a glyph (spaces) draw no quad.
    struct GlyphQuad
    {
        bool loaded = false;
        bool visible = false;
        float left = 0.0f;
        float top = 0.0f;
        float right = 0.0f;
        float bottom = 0.0f;
        float u1 = 0.0f;
        float v1 = 0.0f;
        float u2 = 0.0f;
        float v2 = 0.0f;
    };

    // How the window's view moves the points of something drawn at an origin
    // on its own: x' = xx * x + xy * y + xc, likewise y'.
    struct Placement
    {
        float xx;
        float xy;
        float xc;
        float yx;
        float yy;
        float yc;
    };

    // How the window turns placed points (-1 to 1 across its viewport) into
    // pixels from its top-left corner: pixel = position * scale + offset.
    struct ViewportMapping
    {
        double xScale;
        double xOffset;
        double yScale;
        double yOffset;
    };

    DisplayManager();
    ~DisplayManager() override;

    const GlyphQuad& glyphQuad(char ch, unsigned int size);
    void forgetGlyphs();
    Placement placeAt(sf::Vector2f origin) const;
    static sf::Vector2f place(const Placement& placement, sf::Vector2f point);

    ViewportMapping viewportMapping() const;
    // Whether the renderer may round this edge of a filled rectangle one way
    // when it fills a rectangle and the other when it fills triangles.
    static bool onRoundingTie(float position, double scale, double offset);

    static long firstColumnFrom(float position, const ViewportMapping& viewport, bool fused);

    // Whether a piece lies wholly outside the view.
    static bool outsideView(const sf::Vertex* vertices, std::size_t count);
    // Adds the corners of a piece (whole quads), unless it lies wholly
    // outside the view.
    void appendPiece(std::vector<sf::Vertex>& frame, const sf::Vertex* vertices, std::size_t count);
    // Lengthens the last piece, a background, to take in the next one
    // along the row, when that fills exactly the same pixels; true if done.
    bool extendBackground(const sf::Vertex& topLeft, const sf::Vertex& topRight, const sf::Vertex& bottomLeft,
                          const ViewportMapping& viewport);
    // The ratios of the window's size that give back these pixels.
    sf::FloatRect viewportRatios(sf::IntRect pixels) const;

    // Pixels of the window, [left, right) x [top, bottom), in whole pixels.
    struct PixelBox
    {
        int left;
        int top;
        int right;
        int bottom;
    };

    // Adds a solid rectangle (corners clockwise from the top-left), as one
    // quad or, when an edge lies on a rounding tie, as a fan of triangles.
    void appendRectangle(std::vector<sf::Vertex>& frame, const sf::Vertex* corners, bool onTie);
    // Adds a cell background to the whole frame and, while cutting, the
    // parts of it that can change a pixel to the cut frame (see m_cutting).
    void appendBackground(const sf::Vertex* corners, bool onTie, const ViewportMapping& viewport);
    // Adds the pieces of a background that lie over this frame's glyphs;
    // false if that cannot be done exactly, and the whole must be drawn.
    bool appendBackgroundOverGlyphs(const sf::Vertex* corners, bool onTie, const ViewportMapping& viewport);
    // Notes where a glyph just added can have changed pixels.
    void rememberGlyph(const sf::Vertex* corners, const ViewportMapping& viewport);
    // The whole pixels a rectangle of placed corners touches, within the window.
    PixelBox pixelBox(sf::Vector2f first, sf::Vector2f second, const ViewportMapping& viewport) const;
    // Forgets this frame's glyphs; the next frame is gathered cut as well
    // if asked.
    void forgetFrame(bool cut);
    // Whether the window has been cleared to black since anything was last
    // drawn into it.
    bool clearedToBlackSinceDrawn() const;

    sf::Font m_font;
    sf::RenderWindow* m_window;
    int m_widthPixels;
    int m_heightPixels;
    int m_widthCells;
    int m_heightCells;
    sf::Color m_backgroundColor;

    // The frame so far: cell backgrounds and glyphs in the order drawn, as
    // quads textured by the glyph page of m_glyphSize, already moved through
    // the view (see placeAt).
    std::vector<sf::Vertex> m_vertices;
    GlyphQuad m_glyphs[256];
    unsigned int m_glyphSize;
    // Characters drawn with NO_COLOR or CUSTOM take the last colour given,
    // from frame to frame; white before any.
    sf::Color m_textColor;
    // The last piece when it is a background rectangle that the next one may
    // lengthen (see extendBackground).
    static const std::size_t NO_BACKGROUND = static_cast<std::size_t>(-1);
    std::size_t m_openBackground;

    // When the window was cleared to black before a frame, and nothing else
    // drew into it (see clearedToBlackSinceDrawn), only the frame's glyphs
    // change its pixels, so a black background only needs drawing where it
    // meets an earlier one of them. While m_cutting, the frame is gathered
    // that way too, into m_cutVertices, which flush draws instead of
    // m_vertices when it may: the renderer then fills far fewer pixels.
    bool m_cutting;
    std::vector<sf::Vertex> m_cutVertices;
    // The mapping to pixels the frame's glyph boxes were measured with.
    ViewportMapping m_frameViewport;
    // The whole-pixel boxes of this frame's glyphs, and for each tile of
    // TILE_SIZE pixels the indices of the boxes that touch it, to find the
    // glyphs under a background quickly.
    std::vector<PixelBox> m_glyphBoxes;
    std::vector<std::vector<std::size_t>> m_tiles;
    int m_tileColumns;
    // Which background last looked at each box, so that one met in
    // several tiles is cut out once.
    std::vector<unsigned int> m_boxSeen;
    unsigned int m_backgroundCount;
};

} // namespace ov
