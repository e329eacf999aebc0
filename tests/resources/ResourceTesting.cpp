#include "ResourceTesting.h"


#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

namespace restest
{

namespace
{

void put32(std::ofstream& out, uint32_t value)
{
    const char bytes[4] = {char(value & 0xff), char(value >> 8 & 0xff), char(value >> 16 & 0xff), char(value >> 24)};
    out.write(bytes, 4);
}

void put16(std::ofstream& out, uint16_t value)
{
    const char bytes[2] = {char(value & 0xff), char(value >> 8)};
    out.write(bytes, 2);
}

// The Ogg page checksum: CRC-32 with the polynomial 0x04c11db7, not
// reflected, starting from 0, over the page with its checksum field zeroed.
std::uint32_t oggChecksum(const std::string& page)
{
    std::uint32_t crc = 0;
    for (unsigned char byte : page)
    {
        crc ^= static_cast<std::uint32_t>(byte) << 24;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x80000000u) ? (crc << 1) ^ 0x04c11db7u : crc << 1;
    }
    return crc;
}

} // namespace

// A decoder learns a file's length from the last page, before it decodes
// anything; the few samples actually there stay short. The file needs audio
// on more than one page: the first audio page's position is taken as the start.
bool writeLongOgg(const std::string& from, const std::string& to, double seconds)
{
    std::ifstream in(from, std::ios::binary);
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t last = data.rfind("OggS");
    size_t first = data.find("OggS");
    if (last == std::string::npos || first == std::string::npos || data.size() < 27)
        return false;
    // The identification header: packet type 1, "vorbis", version, channels, rate.
    size_t packet = first + 27 + static_cast<unsigned char>(data[first + 26]);
    if (data.compare(packet, 7, "\x01vorbis") != 0)
        return false;
    std::uint32_t rate = 0;
    for (int i = 3; i >= 0; --i)
        rate = (rate << 8) | static_cast<unsigned char>(data[packet + 12 + static_cast<size_t>(i)]);

    std::uint64_t granule = static_cast<std::uint64_t>(seconds * rate);
    for (int i = 0; i < 8; ++i)
        data[last + 6 + static_cast<size_t>(i)] = static_cast<char>((granule >> (8 * i)) & 0xff);
    size_t segments = static_cast<unsigned char>(data[last + 26]);
    size_t length = 27 + segments;
    for (size_t i = 0; i < segments; ++i)
        length += static_cast<unsigned char>(data[last + 27 + i]);
    std::string page = data.substr(last, length);
    for (int i = 0; i < 4; ++i)
        page[22 + static_cast<size_t>(i)] = 0;
    std::uint32_t crc = oggChecksum(page);
    for (int i = 0; i < 4; ++i)
        data[last + 22 + static_cast<size_t>(i)] = static_cast<char>((crc >> (8 * i)) & 0xff);

    std::ofstream out(to, std::ios::binary);
    out << data;
    return static_cast<bool>(out);
}

void writeSineWav(const std::string& path, float amplitude, float hertz, float seconds)
{
    const uint32_t rate = 44100;
    const uint32_t count = static_cast<uint32_t>(seconds * rate);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write("RIFF", 4);
    put32(out, 36 + count * 2);
    out.write("WAVEfmt ", 8);
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, rate);
    put32(out, rate * 2);
    put16(out, 2);
    put16(out, 16);
    out.write("data", 4);
    put32(out, count * 2);
    for (uint32_t i = 0; i < count; ++i)
    {
        const double value = amplitude * std::sin(2.0 * M_PI * hertz * i / rate);
        put16(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(value * 32767.0))));
    }
}

} // namespace restest
