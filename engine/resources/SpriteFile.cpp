#include "engine/resources/SpriteFile.h"

#include "engine/core/LogManager.h"

#include <algorithm>
#include <climits>
#include <iterator>
#include <memory>

namespace ov
{

namespace
{

const char SOURCE[] = "ResourceManager";
const char HEADER[] = "HEADER";
const char BODY[] = "BODY";

// atoi's reading (leading white space, a sign, digits up to the first other
// character, 0 without digits), but saturating at the ends of int: atoi
// itself is undefined for values that do not fit.
int parseInt(const std::string& text)
{
    size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || (text[at] >= '\t' && text[at] <= '\r')))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
    {
        negative = text[at] == '-';
        ++at;
    }
    long long value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
    {
        value = value * 10 + (text[at] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        return static_cast<int>(-value);
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

// Every line that begins with the key is removed; the value of the last one
// is returned in value. A key alone on its line has the empty value.
bool takeHeaderValue(std::vector<std::string>& lines, const std::string& key, std::string& value)
{
    bool found = false;
    size_t kept = 0;
    // One pass that keeps the other lines in order: erasing each match
    // would make a long header quadratic.
    for (size_t i = 0; i < lines.size(); ++i)
    {
        if (lines[i].compare(0, key.size(), key) == 0)
        {
            found = true;
            value = lines[i].size() > key.size() ? lines[i].substr(key.size() + 1) : std::string();
            continue;
        }
        if (kept != i)
            lines[kept] = std::move(lines[i]);
        ++kept;
    }
    lines.resize(kept);
    return found;
}

Color colorFromWord(const std::string& word)
{
    static const char* const WORDS[] = {"black", "red", "green", "yellow", "blue",
                                        "magenta", "cyan", "white", "orange", "custom"};
    for (int i = 0; i < 10; ++i)
        if (word == WORDS[i])
            return static_cast<Color>(i);
    return WHITE;
}

void logNotLoaded(const std::string& label)
{
    LogManager::getInstance().writeLog("ALERT", SOURCE, "Sprite '%s' not loaded.", label.c_str());
}

// Reads a required size from the header. -1 and values outside 'minimum'
// to 'maximum' are refused with a log line; returns whether the value is good.
bool readHeaderSize(std::vector<std::string>& header, const std::string& label, const char* key, int minimum,
                    int maximum, int& value)
{
    value = readHeaderInt(header, key);
    if (value == -1)
    {
        LogManager::getInstance().writeLog("ERROR", SOURCE, "Error loading %s sprite: %s not declared in %s",
                                           label.c_str(), key, HEADER);
        logNotLoaded(label);
        return false;
    }
    if (value < minimum || value > maximum)
    {
        LogManager::getInstance().writeLog("ERROR", SOURCE, "Error loading %s sprite: %s out of range in %s",
                                           label.c_str(), key, HEADER);
        logNotLoaded(label);
        return false;
    }
    return true;
}

} // namespace

std::string readLine(std::istream& input)
{
    std::string line;
    std::getline(input, line);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

std::vector<std::string> readSection(std::istream& file, const std::string& name)
{
    std::vector<std::string> lines;
    const std::string open = "<" + name + ">";
    const std::string close = "</" + name + ">";

    if (readLine(file) != open)
    {
        LogManager::getInstance().writeLog("ERROR", SOURCE, "Sprite Error: %s not defined.", name.c_str());
        return lines;
    }

    // The end of the input reads as an empty line, so it ends the loop too.
    std::string line = readLine(file);
    while (line != close)
    {
        if (line.empty())
        {
            LogManager::getInstance().writeLog("ERROR", SOURCE, "Sprite Error: %s not closed.", name.c_str());
            return std::vector<std::string>();
        }
        if (line.size() > static_cast<size_t>(MAX_SPRITE_LINE_LENGTH))
        {
            LogManager::getInstance().writeLog("ERROR", SOURCE, "Sprite Error: %s line longer than %d characters.",
                                               name.c_str(), MAX_SPRITE_LINE_LENGTH);
            return std::vector<std::string>();
        }
        lines.push_back(line);
        line = readLine(file);
    }
    return lines;
}

int readHeaderInt(std::vector<std::string>& lines, const std::string& key)
{
    std::string value;
    if (!takeHeaderValue(lines, key, value))
        return -1;
    return parseInt(value);
}

std::string readHeaderString(std::vector<std::string>& lines, const std::string& key)
{
    std::string value;
    takeHeaderValue(lines, key, value);
    return value;
}

Frame readFrame(std::vector<std::string>& lines, int width, int height)
{
    if (lines.empty())
    {
        LogManager::getInstance().writeLog("ERROR", SOURCE, "Error loading sprite frame: Frame does not exist.");
        return Frame();
    }
    if (width < 0 || height < 0)
        return Frame();

    // Check every row and the "end" line before taking anything, so a text
    // is only ever sized from rows that are really there.
    const size_t rows = static_cast<size_t>(height);
    if (lines.size() <= rows)
        return Frame();
    for (size_t r = 0; r < rows; ++r)
        if (lines[r].size() != static_cast<size_t>(width))
            return Frame();
    if (lines[rows] != "end")
        return Frame();

    std::string text;
    text.reserve(rows * static_cast<size_t>(width));
    for (size_t r = 0; r < rows; ++r)
        text += lines[r];
    lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(rows + 1));
    return Frame(width, height, text);
}

Sprite* readSprite(std::istream& file, const std::string& label)
{
    LogManager& log = LogManager::getInstance();

    std::vector<std::string> header = readSection(file, HEADER);

    // Nothing is sized from these numbers: frames are added as the body
    // shows them, so "frames 2000000000" costs nothing until it fails.
    int frames = 0;
    if (!readHeaderSize(header, label, "frames", 0, INT_MAX, frames))
        return nullptr;
    std::unique_ptr<Sprite> sprite(new Sprite(frames));
    sprite->setLabel(label);

    int width = 0;
    if (!readHeaderSize(header, label, "width", 1, MAX_SPRITE_SIZE, width))
        return nullptr;
    int height = 0;
    if (!readHeaderSize(header, label, "height", 1, MAX_SPRITE_SIZE, height))
        return nullptr;
    sprite->setWidth(width);
    sprite->setHeight(height);

    sprite->setColor(colorFromWord(readHeaderString(header, "color")));
    const std::string transparent = readHeaderString(header, "transparent");
    if (!transparent.empty())
        sprite->setTransparency(transparent[0]);
    const int slowdown = readHeaderInt(header, "slowdown");
    if (slowdown != -1)
        sprite->setSlowdown(slowdown);

    std::vector<std::string> body = readSection(file, BODY);

    // A frame uses the next height + 1 lines at most. Handing readFrame just
    // those, and keeping our place in the body, keeps a long body linear
    // instead of erasing from the front of it for every frame.
    size_t next = 0;
    for (int i = 0; i < frames; ++i)
    {
        const size_t end = std::min(body.size(), next + static_cast<size_t>(height) + 1);
        std::vector<std::string> window(std::make_move_iterator(body.begin() + static_cast<std::ptrdiff_t>(next)),
                                        std::make_move_iterator(body.begin() + static_cast<std::ptrdiff_t>(end)));
        const size_t offered = window.size();
        const Frame frame = readFrame(window, width, height);
        if (frame.isEmpty())
        {
            log.writeLog("ERROR", SOURCE, "Error loading %s sprite: %d frame not declared properly in %s",
                         label.c_str(), i, BODY);
            logNotLoaded(label);
            return nullptr;
        }
        next += offered - window.size();
        sprite->addFrame(frame);
    }
    return sprite.release();
}

} // namespace ov
