#include "Image.h"

#include <cstdio>
#include <sstream>

namespace e2e
{

namespace
{

// Half the sampled area around a cell's ink centre. Glyphs are wider than
// their cells, so only the middle of each is looked at; neighbours' ink
// stays outside.
const int HALF_WIDTH = 4;
const int HALF_HEIGHT = 10;
const int INKED_PIXELS = 3;

bool matches(const std::uint8_t* p, Ink ink)
{
    int r = p[0], g = p[1], b = p[2];
    switch (ink)
    {
    case Ink::Yellow: return r > 110 && g > 110 && b < r / 3 && b < g / 3;
    case Ink::Cyan:   return g > 110 && b > 110 && r < g / 3 && r < b / 3;
    case Ink::Red:    return r > 110 && g < r / 3 && b < r / 3;
    case Ink::Green:  return g > 110 && r < g / 3 && b < g / 3;
    case Ink::White:  return r > 110 && g > 110 && b > 110 && r - g < 40 && g - r < 40 && b - g < 40 && g - b < 40;
    }
    return false;
}

// Summed-area table of one ink, for counts over rectangles.
class InkCounts
{
public:
    InkCounts(const Image& image, Ink ink) : m_width(image.width()), m_height(image.height()),
        m_sums(static_cast<size_t>(m_width + 1) * (m_height + 1), 0)
    {
        for (int y = 0; y < m_height; ++y)
        {
            int row = 0;
            for (int x = 0; x < m_width; ++x)
            {
                row += image.has(x, y, ink) ? 1 : 0;
                at(x + 1, y + 1) = at(x + 1, y) + row;
            }
        }
    }

    // Pixels of the ink in [x0, x1) x [y0, y1), clipped to the image.
    int count(int x0, int y0, int x1, int y1) const
    {
        x0 = clamp(x0, m_width);
        x1 = clamp(x1, m_width);
        y0 = clamp(y0, m_height);
        y1 = clamp(y1, m_height);
        if (x1 <= x0 || y1 <= y0)
            return 0;
        return value(x1, y1) - value(x0, y1) - value(x1, y0) + value(x0, y0);
    }

private:
    static int clamp(int v, int limit) { return v < 0 ? 0 : (v > limit ? limit : v); }
    int& at(int x, int y) { return m_sums[static_cast<size_t>(y) * (m_width + 1) + x]; }
    int value(int x, int y) const { return m_sums[static_cast<size_t>(y) * (m_width + 1) + x]; }

    int m_width;
    int m_height;
    std::vector<int> m_sums;
};

} // namespace

bool Image::loadPpm(const std::string& bytes)
{
    std::istringstream in(bytes);
    std::string magic;
    int width = 0, height = 0, maxValue = 0;
    in >> magic >> width >> height >> maxValue;
    if (magic != "P6" || width <= 0 || height <= 0 || (maxValue != 255 && maxValue != 65535))
        return false;
    in.get(); // the one white space character before the pixels
    size_t values = static_cast<size_t>(width) * height * 3;
    size_t valueBytes = maxValue == 255 ? 1 : 2;
    size_t offset = static_cast<size_t>(in.tellg());
    if (bytes.size() < offset + values * valueBytes)
        return false;
    m_width = width;
    m_height = height;
    m_rgb.resize(values);
    // 16-bit values are big-endian: their high byte is the 8-bit value.
    for (size_t i = 0; i < values; ++i)
        m_rgb[i] = static_cast<std::uint8_t>(bytes[offset + i * valueBytes]);
    return true;
}

bool Image::savePpm(const std::string& path) const
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    std::fprintf(file, "P6\n%d %d\n255\n", m_width, m_height);
    bool ok = std::fwrite(m_rgb.data(), 1, m_rgb.size(), file) == m_rgb.size();
    return std::fclose(file) == 0 && ok;
}

bool Image::has(int x, int y, Ink ink) const
{
    return matches(&m_rgb[(static_cast<size_t>(y) * m_width + x) * 3], ink);
}

InkBox Image::box(Ink ink) const
{
    InkBox result;
    for (int y = 0; y < m_height; ++y)
    {
        for (int x = 0; x < m_width; ++x)
        {
            if (!has(x, y, ink))
                continue;
            if (result.count == 0)
            {
                result.left = result.right = x;
                result.top = result.bottom = y;
            }
            result.left = std::min(result.left, x);
            result.right = std::max(result.right, x);
            result.top = std::min(result.top, y);
            result.bottom = std::max(result.bottom, y);
            ++result.count;
        }
    }
    return result;
}

TextMatch Image::findText(const std::vector<std::string>& rows, Ink ink, char transparent) const
{
    TextMatch best;
    if (rows.empty() || m_width == 0)
        return best;
    size_t columns = 0;
    for (const std::string& row : rows)
        columns = std::max(columns, row.size());

    InkCounts counts(*this, ink);
    int cells = static_cast<int>(rows.size() * columns);
    double spanX = (columns - 1) * CELL_WIDTH;
    double spanY = (rows.size() - 1) * CELL_HEIGHT;

    // (x0, y0) is the ink centre of the first cell. Where the engine puts a
    // glyph inside its cell is the font's business, so every placement on
    // screen is tried rather than one computed from the cell grid.
    for (int y0 = 0; y0 + spanY < m_height; y0 += 2)
    {
        for (int x0 = 0; x0 + spanX < m_width; x0 += 2)
        {
            int agree = 0;
            for (size_t r = 0; r < rows.size(); ++r)
            {
                int cy = y0 + static_cast<int>(r * CELL_HEIGHT);
                for (size_t c = 0; c < columns; ++c)
                {
                    int cx = x0 + static_cast<int>(c * CELL_WIDTH);
                    char ch = c < rows[r].size() ? rows[r][c] : ' ';
                    bool wanted = ch != ' ' && ch != transparent;
                    int n = counts.count(cx - HALF_WIDTH, cy - HALF_HEIGHT, cx + HALF_WIDTH, cy + HALF_HEIGHT);
                    agree += (n >= INKED_PIXELS) == wanted ? 1 : 0;
                }
            }
            double score = static_cast<double>(agree) / cells;
            if (score > best.score)
            {
                best.score = score;
                best.centreX = x0 + spanX / 2;
                best.centreY = y0 + spanY / 2;
            }
        }
    }
    return best;
}

} // namespace e2e
