#include "engine/core/RecordingFile.h"

#include "engine/core/KeyTable.h"
#include "engine/core/Platform.h"

#include <cctype>
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace ov
{

namespace
{

const int DAY_MS = 24 * 60 * 60 * 1000;
// A recording of hours of play is a few megabytes; far more is no recording.
const std::size_t MAX_FILE_BYTES = 512u << 20;
const int MAX_REPEAT = 1 << 20;

#define ORVANE_KEY_NAME(engine, sfml, keysym, virtualKey) #engine,
const char* const KEY_NAMES[] = {ORVANE_KEYS(ORVANE_KEY_NAME)};
#undef ORVANE_KEY_NAME
const char* const BUTTON_NAMES[] = {"Left", "Right", "Middle"};

// Strict whole-token numbers: no blanks, signs only where allowed.
bool toInt(const std::string& text, long long low, long long high, long long& value)
{
    if (text.empty() || (text[0] != '-' && (text[0] < '0' || text[0] > '9')))
        return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(text.c_str(), &end, 10);
    return errno == 0 && *end == '\0' && value >= low && value <= high;
}

bool toFloat(const std::string& text, float& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtof(text.c_str(), &end);
    return errno == 0 && *end == '\0';
}

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts(1);
    for (char c : text)
    {
        if (c == separator)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

std::string number(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", value);
    return text;
}

// "x,y" of the picture's pixels.
bool toPosition(const std::string& text, Vector& position)
{
    const std::vector<std::string> parts = split(text, ',');
    return parts.size() == 2 && toFloat(parts[0], position.x) && toFloat(parts[1], position.y);
}

// "9a" as a byte.
bool toByte(const std::string& hex, std::uint8_t& value)
{
    char* end = nullptr;
    const unsigned long byte = std::strtoul(hex.c_str(), &end, 16);
    value = static_cast<std::uint8_t>(byte);
    return hex.size() == 2 && std::isxdigit(static_cast<unsigned char>(hex[0])) && *end == '\0';
}

// "12=9a,602=07": objects by id and their digests.
bool readObjects(const std::string& text, FrameRecord& record)
{
    for (const std::string& item : split(text, ','))
    {
        const std::size_t at = item.find('=');
        long long id = 0;
        std::uint8_t digest = 0;
        if (at == std::string::npos || !toInt(item.substr(0, at), 0, 2147483647LL, id) ||
            !toByte(item.substr(at + 1), digest))
            return false;
        record.changed.emplace_back(static_cast<int>(id), digest);
    }
    return true;
}

// "9a07": the digests of the objects of the line before, in its order.
bool readSameObjects(const std::string& text, FrameRecord& record, const std::vector<int>& lastChanged)
{
    if (text.size() != 2 * lastChanged.size())
        return false;
    for (std::size_t i = 0; i < lastChanged.size(); ++i)
    {
        std::uint8_t digest = 0;
        if (!toByte(text.substr(2 * i, 2), digest))
            return false;
        record.changed.emplace_back(lastChanged[i], digest);
    }
    return true;
}

// One token of a line into the record; the reading before it in `lastTime`.
bool readToken(const std::string& token, FrameRecord& record, int& lastTime, const std::vector<int>& lastChanged)
{
    long long value = 0;
    const std::string rest = token.size() > 2 ? token.substr(2) : std::string();
    switch (token[0])
    {
    case 't':
        for (const std::string& item : split(token.substr(1), ','))
        {
            const std::vector<std::string> parts = split(item, '*');
            long long repeat = 1;
            if (parts.size() > 2 || !toInt(parts[0], -DAY_MS, DAY_MS, value) ||
                (parts.size() == 2 && !toInt(parts[1], 1, MAX_REPEAT, repeat)))
                return false;
            for (long long i = 0; i < repeat; ++i)
            {
                const long long time = lastTime < 0 ? value : lastTime + value;
                if (time < 0 || time >= DAY_MS)
                    return false;
                lastTime = static_cast<int>(time);
                record.times.push_back(lastTime);
            }
        }
        return true;
    case 's':
        if (!toInt(token.substr(1), -2147483648LL, 2147483647LL, value))
            return false;
        record.seeds.push_back(static_cast<int>(value));
        return true;
    case 'a':
        if (token != "a0" && token != "a1")
            return false;
        record.audio.push_back(token == "a1");
        return true;
    case 'k':
        for (std::size_t i = 1; i < token.size(); ++i)
        {
            if (token[i] != '0' && token[i] != '1')
                return false;
            record.keyAnswers.push_back(token[i] == '1');
        }
        return token.size() > 1;
    case 'q':
        record.quit = true;
        return token == "q";
    case 'd':
        record.hasDigest = true;
        for (std::size_t i = 1; i < token.size(); i += 2)
        {
            std::uint8_t byte = 0;
            if (!toByte(token.substr(i, 2), byte))
                return false;
            record.digest = record.digest << 8 | byte;
        }
        return token.size() == 9;
    default:
        break;
    }
    if (token.size() < 3 || (token[1] != ':' && token.substr(0, 2) != "o="))
        return false;
    FrameInput::Happening happening{FrameInput::Happening::KEY_PRESSED, -1, Vector()};
    switch (token[0])
    {
    case 'p':
    case 'r':
        happening.kind = token[0] == 'p' ? FrameInput::Happening::KEY_PRESSED : FrameInput::Happening::KEY_RELEASED;
        if (!RecordingFile::keyCode(rest, happening.code))
            return false;
        break;
    case 'm':
        happening.kind = FrameInput::Happening::MOUSE_MOVED;
        if (!toPosition(rest, happening.position))
            return false;
        break;
    case 'c':
    {
        happening.kind = FrameInput::Happening::MOUSE_CLICKED;
        const std::size_t at = rest.find('@');
        if (at == std::string::npos || !RecordingFile::buttonCode(rest.substr(0, at), happening.code) ||
            !toPosition(rest.substr(at + 1), happening.position))
            return false;
        break;
    }
    case 'h':
        for (const std::string& name : split(rest, '+'))
        {
            int key = -1;
            if (!RecordingFile::keyCode(name, key) || key < 0)
                return false;
            record.input.keys[key] = true;
        }
        return true;
    case 'b':
        for (const std::string& name : split(rest, '+'))
        {
            int button = -1;
            if (!RecordingFile::buttonCode(name, button) || button < 0)
                return false;
            // Held buttons are kept left, middle, right.
            record.input.buttons[button == 0 ? 0 : button == 2 ? 1 : 2] = true;
        }
        return true;
    case 'o':
        return token[1] == '=' ? readSameObjects(rest, record, lastChanged) : readObjects(rest, record);
    default:
        return false;
    }
    record.input.happenings.push_back(happening);
    return true;
}

} // namespace

const char* RecordingFile::keyName(int key)
{
    return key >= 0 && key < KEY_COUNT ? KEY_NAMES[key] : "Undefined";
}

const char* RecordingFile::buttonName(int button)
{
    return button >= 0 && button < 3 ? BUTTON_NAMES[button] : "Undefined";
}

bool RecordingFile::keyCode(const std::string& name, int& key)
{
    for (key = -1; key < KEY_COUNT; ++key)
        if (name == keyName(key))
            return true;
    return false;
}

bool RecordingFile::buttonCode(const std::string& name, int& button)
{
    for (button = -1; button < 3; ++button)
        if (name == buttonName(button))
            return true;
    return false;
}

std::string RecordingFile::header()
{
    return "orvane-replay " + std::to_string(RECORDING_VERSION) + " " + platform::name();
}

std::string RecordingFile::format(const FrameRecord& record, int& lastTime, std::vector<int>& lastChanged)
{
    std::string line = record.frame < 0 ? "end" : std::to_string(record.frame);
    if (!record.times.empty())
    {
        // Differences, a run of equal ones written once with its count.
        line += " t";
        for (std::size_t i = 0; i < record.times.size();)
        {
            const int value = lastTime < 0 ? record.times[i] : record.times[i] - lastTime;
            std::size_t run = 1;
            while (i + run < record.times.size() && record.times[i + run] - record.times[i + run - 1] == value &&
                   lastTime >= 0)
                ++run;
            line += (i ? "," : "") + std::to_string(value) + (run > 1 ? "*" + std::to_string(run) : "");
            lastTime = record.times[i + run - 1];
            i += run;
        }
    }
    for (int seed : record.seeds)
        line += " s" + std::to_string(seed);
    for (bool audio : record.audio)
        line += audio ? " a1" : " a0";
    for (const FrameInput::Happening& happening : record.input.happenings)
    {
        const std::string at = number(happening.position.x) + "," + number(happening.position.y);
        switch (happening.kind)
        {
        case FrameInput::Happening::KEY_PRESSED: line += std::string(" p:") + keyName(happening.code); break;
        case FrameInput::Happening::KEY_RELEASED: line += std::string(" r:") + keyName(happening.code); break;
        case FrameInput::Happening::MOUSE_MOVED: line += " m:" + at; break;
        case FrameInput::Happening::MOUSE_CLICKED: line += std::string(" c:") + buttonName(happening.code) + "@" + at; break;
        }
    }
    std::string held;
    for (int key = 0; key < KEY_COUNT; ++key)
        if (record.input.keys[key])
            held += (held.empty() ? " h:" : "+") + std::string(keyName(key));
    line += held;
    held.clear();
    const int buttons[] = {0, 2, 1}; // left, middle, right, as held buttons are kept
    for (int i = 0; i < 3; ++i)
        if (record.input.buttons[i])
            held += (held.empty() ? " b:" : "+") + std::string(buttonName(buttons[i]));
    line += held;
    if (!record.keyAnswers.empty())
    {
        line += " k";
        for (bool down : record.keyAnswers)
            line += down ? '1' : '0';
    }
    if (record.quit)
        line += " q";
    if (record.hasDigest)
    {
        char digest[16];
        std::snprintf(digest, sizeof digest, " d%08" PRIx32, record.digest);
        line += digest;
    }
    std::vector<int> changed;
    for (const auto& object : record.changed)
        changed.push_back(object.first);
    const bool same = !changed.empty() && changed == lastChanged;
    for (std::size_t i = 0; i < record.changed.size(); ++i)
    {
        char item[32];
        if (same)
            std::snprintf(item, sizeof item, "%s%02x", i ? "" : " o=", static_cast<unsigned int>(record.changed[i].second));
        else
            std::snprintf(item, sizeof item, "%s%d=%02x", i ? "," : " o:", record.changed[i].first,
                          static_cast<unsigned int>(record.changed[i].second));
        line += item;
    }
    if (record.hasDigest)
        lastChanged = changed;
    return line;
}

bool RecordingFile::read(const std::string& path, std::vector<FrameRecord>& records, bool& complete,
                         std::string& error)
{
    records.clear();
    complete = false;
    if (!platform::isRegularFile(path.c_str()))
    {
        error = "not a file that can be read";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    std::string text;
    char chunk[65536];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0)
    {
        text.append(chunk, static_cast<std::size_t>(in.gcount()));
        if (text.size() > MAX_FILE_BYTES)
        {
            error = "larger than any recording";
            return false;
        }
    }
    std::vector<std::string> lines = split(text, '\n');
    // A run cut short may have left half a line; what is whole is played.
    const bool cutLine = !lines.back().empty();
    lines.pop_back();
    for (std::string& line : lines)
        if (!line.empty() && line.back() == '\r')
            line.pop_back();

    if (lines.empty())
    {
        error = "empty, or not a recording";
        return false;
    }
    const std::vector<std::string> head = split(lines[0], ' ');
    if (head.size() != 3 || head[0] != "orvane-replay")
    {
        error = "line 1: not a recording of this game (it begins \"" + lines[0].substr(0, 40) + "\")";
        return false;
    }
    if (head[1] != std::to_string(RECORDING_VERSION))
    {
        error = "line 1: a recording of format version " + head[1] + "; this program reads version " +
                std::to_string(RECORDING_VERSION);
        return false;
    }
    if (head[2] != platform::name())
    {
        error = "line 1: recorded on " + head[2] + ", whose random numbers differ from " + platform::name() +
                "'s: its levels cannot be built here";
        return false;
    }

    int lastTime = -1;
    std::vector<int> lastChanged;
    for (std::size_t i = 1; i < lines.size(); ++i)
    {
        const int lineNumber = static_cast<int>(i) + 1;
        const std::vector<std::string> tokens = split(lines[i], ' ');
        FrameRecord record;
        record.line = lineNumber;
        long long frame = 0;
        if (complete)
        {
            error = "line " + std::to_string(lineNumber) + ": more after the end of the run";
            return false;
        }
        if (tokens[0] == "end")
        {
            record.frame = -1;
            complete = true;
        }
        else if (!toInt(tokens[0], 0, 2147483647LL, frame) || frame != static_cast<long long>(records.size()))
        {
            error = "line " + std::to_string(lineNumber) + ": frame " + std::to_string(records.size()) +
                    " expected, found \"" + tokens[0].substr(0, 20) + "\"";
            return false;
        }
        else
        {
            record.frame = static_cast<int>(frame);
        }
        for (std::size_t t = 1; t < tokens.size(); ++t)
        {
            if (tokens[t].empty() || !readToken(tokens[t], record, lastTime, lastChanged))
            {
                error = "line " + std::to_string(lineNumber) + ": cannot read \"" + tokens[t].substr(0, 40) + "\"";
                return false;
            }
        }
        if (record.hasDigest)
        {
            lastChanged.clear();
            for (const auto& object : record.changed)
                lastChanged.push_back(object.first);
        }
        records.push_back(record);
    }
    if (!complete && cutLine)
        error = "line " + std::to_string(lines.size() + 1) + " is cut short";
    return true;
}

} // namespace ov
