#include "engine/display/FrameBatch.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <locale>

namespace ov
{

namespace
{

// Side of the grid's square buckets.
const float BUCKET_SIZE = 32.0f;
// Room a text leaves around each glyph, on screen and in the page, for smoothing.
const float PADDING = 1.0f;
// Inside the opaque white square each glyph page keeps at its top-left corner.
const float WHITE_TEXEL = 1.0f;

// The bucket along one axis; whatever lies outside the grid goes to its edge.
int bucketIndex(float position, int count)
{
    const float index = std::floor(position / BUCKET_SIZE);
    return index > 0.0f ? static_cast<int>(std::min(index, static_cast<float>(count - 1))) : 0;
}

} // namespace

FrameBatch::FrameBatch(sf::Vector2f area)
    : m_font(nullptr), m_characterSize(0), m_glyphs(256), m_onCleared(false),
      m_columns(int(std::ceil(area.x / BUCKET_SIZE))), m_rows(int(std::ceil(area.y / BUCKET_SIZE)))
{
    m_buckets.resize(static_cast<std::size_t>(m_columns * m_rows));
}

void FrameBatch::setFont(const sf::Font* font, unsigned int characterSize)
{
    clear();
    m_font = font;
    m_characterSize = characterSize;
    m_glyphs.assign(256, Glyph());
}

void FrameBatch::beginOnCleared(sf::Color color)
{
    clear();
    m_onCleared = true;
    m_clearedTo = color;
}

void FrameBatch::addBackground(const sf::FloatRect& box, sf::Color color)
{
    // The corners a rectangle shape of this size at this position gets.
    const Edges whole = {box.left, box.top, box.left + box.width, box.top + box.height};
    const Edges white = {WHITE_TEXEL, WHITE_TEXEL, WHITE_TEXEL, WHITE_TEXEL};
    if (!m_onCleared || color != m_clearedTo)
        return addQuad(whole, color, white);
    // A glyph that meets it has its top-left corner at most the largest glyph
    // up and left of it. Each piece kept has, on every side, an edge of the
    // background or of the glyph's quad: it covers the pixels the two share.
    const int lastRow = bucketIndex(whole.bottom, m_rows);
    const int lastColumn = bucketIndex(whole.right, m_columns);
    for (int row = bucketIndex(whole.top - m_largestGlyph.y, m_rows); row <= lastRow; ++row)
        for (int column = bucketIndex(whole.left - m_largestGlyph.x, m_columns); column <= lastColumn; ++column)
            for (const Edges& glyph : bucket(column, row))
            {
                const Edges piece = {std::max(whole.left, glyph.left), std::max(whole.top, glyph.top),
                                     std::min(whole.right, glyph.right), std::min(whole.bottom, glyph.bottom)};
                if (piece.left < piece.right && piece.top < piece.bottom)
                    addQuad(piece, color, white);
            }
}

void FrameBatch::addCharacter(sf::Vector2f textPosition, char ch, sf::Color color)
{
    const Glyph& found = glyph(ch);
    if (!found.visible)
        return;
    const Edges quad = {textPosition.x + found.quad.left, textPosition.y + found.quad.top,
                        textPosition.x + found.quad.right, textPosition.y + found.quad.bottom};
    addQuad(quad, color, found.texture);
    if (!m_onCleared)
        return;
    bucket(bucketIndex(quad.left, m_columns), bucketIndex(quad.top, m_rows)).push_back(quad);
    m_largestGlyph.x = std::max(m_largestGlyph.x, quad.right - quad.left);
    m_largestGlyph.y = std::max(m_largestGlyph.y, quad.bottom - quad.top);
}

void FrameBatch::draw(sf::RenderTarget& target)
{
    // The page's texture only now: looking a glyph up may have enlarged it,
    // and texture coordinates are in its pixels.
    if (!m_vertices.empty())
        target.draw(m_vertices.data(), m_vertices.size(), sf::Triangles, &m_font->getTexture(m_characterSize));
    clear();
}

void FrameBatch::clear()
{
    m_vertices.clear();
    m_onCleared = false;
    m_largestGlyph = sf::Vector2f();
    for (std::vector<Edges>& glyphs : m_buckets)
        glyphs.clear();
}

const FrameBatch::Glyph& FrameBatch::glyph(char ch)
{
    assert(m_font);
    Glyph& glyph = m_glyphs[static_cast<unsigned char>(ch)];
    if (glyph.loaded)
        return glyph;
    glyph.loaded = true;
    // The character a text makes of a char, through the current locale. A
    // text lays out no quad for white space and skips carriage returns.
    const sf::Uint32 code = sf::Utf32::decodeAnsi(ch, std::locale());
    if (code == U' ' || code == U'\t' || code == U'\n' || code == U'\r')
        return glyph;
    // A text of one character puts its baseline one character size down.
    const sf::Glyph& page = m_font->getGlyph(code, m_characterSize, true);
    const float baseline = static_cast<float>(m_characterSize);
    const sf::FloatRect& bounds = page.bounds;
    const sf::FloatRect texture(page.textureRect);
    glyph.visible = true;
    glyph.quad = {bounds.left - PADDING, baseline + (bounds.top - PADDING), bounds.left + bounds.width + PADDING,
                  baseline + (bounds.top + bounds.height + PADDING)};
    glyph.texture = {texture.left - PADDING, texture.top - PADDING, texture.left + texture.width + PADDING,
                     texture.top + texture.height + PADDING};
    return glyph;
}

void FrameBatch::addQuad(const Edges& quad, sf::Color color, const Edges& texture)
{
    // Two triangles, split as a text splits its glyphs.
    const sf::Vertex topLeft({quad.left, quad.top}, color, {texture.left, texture.top});
    const sf::Vertex topRight({quad.right, quad.top}, color, {texture.right, texture.top});
    const sf::Vertex bottomLeft({quad.left, quad.bottom}, color, {texture.left, texture.bottom});
    const sf::Vertex bottomRight({quad.right, quad.bottom}, color, {texture.right, texture.bottom});
    m_vertices.insert(m_vertices.end(), {topLeft, topRight, bottomLeft, bottomLeft, topRight, bottomRight});
}

} // namespace ov
