#pragma once

#include <SFML/Graphics.hpp>
#include <vector>

namespace ov
{

// One frame of character cells, gathered in the order they are drawn and
// drawn in one call. A cell is a solid background rectangle and the quad of
// one glyph, placed where an sf::Text holding that character alone puts it,
// all in the coordinates of the target's view.
class FrameBatch
{
public:
    // Glyphs are found through a grid over this area (view units).
    explicit FrameBatch(sf::Vector2f area);

    // Glyphs come from this font at this size, bold. Forgets the frame.
    void setFont(const sf::Font* font, unsigned int characterSize);
    // The target has just been cleared to this colour. A background of that
    // colour then only changes pixels where it meets an earlier glyph of the
    // frame, so only those parts of it are kept. Anything drawn into the
    // target by others must therefore come after draw, which ends this.
    void beginOnCleared(sf::Color color);

    // One cell: its background rectangle, then its glyph at the position an sf::Text would take (view units).
    ///@{
    void addBackground(const sf::FloatRect& box, sf::Color color);
    void addCharacter(sf::Vector2f textPosition, char ch, sf::Color color);
    ///@}

    // Draws the frame, or forgets it, and starts an empty one over a target
    // not known to be clear.
    void draw(sf::RenderTarget& target);
    // Forgets the frame without drawing it.
    void clear();
    // The vertices gathered so far: six for each background kept and each visible glyph.
    std::size_t getVertexCount() const { return m_vertices.size(); }

private:
    struct Edges { float left, top, right, bottom; };
    // A glyph's quad from the text's position and its place in the glyph page; none for white space.
    struct Glyph { bool loaded = false; bool visible = false; Edges quad = {}; Edges texture = {}; };

    const Glyph& glyph(char ch);
    void addQuad(const Edges& quad, sf::Color color, const Edges& texture);
    std::vector<Edges>& bucket(int column, int row) { return m_buckets[std::size_t(row * m_columns + column)]; }

    const sf::Font* m_font;
    unsigned int m_characterSize;
    std::vector<Glyph> m_glyphs;
    std::vector<sf::Vertex> m_vertices;
    // Over a cleared target: its colour, and this frame's glyph quads, each
    // in the grid's bucket that holds its top-left corner, with the size of
    // the largest to know how far to look.
    bool m_onCleared;
    sf::Color m_clearedTo;
    std::vector<std::vector<Edges>> m_buckets;
    int m_columns;
    int m_rows;
    sf::Vector2f m_largestGlyph;
};

} // namespace ov
