#pragma once

#include <cstdint>
#include <cstring>
#include <string>

namespace ov
{

// A short, stable fingerprint of values (FNV-1a over their 32-bit words,
// folded to 32 bits): the same values in the same order give the same digest on
// every run and every build of one platform.
class Digest
{
public:
    void add(const void* bytes, std::size_t size)
    {
        const unsigned char* at = static_cast<const unsigned char*>(bytes);
        for (; size >= 4; at += 4, size -= 4)
        {
            std::uint32_t word;
            std::memcpy(&word, at, sizeof word);
            mix(word);
        }
        for (; size > 0; ++at, --size)
            mix(*at);
    }
    void add(std::int32_t value) { add(&value, sizeof value); }
    void add(std::uint32_t value) { add(&value, sizeof value); }
    void add(bool value) { add(static_cast<std::int32_t>(value)); }
    // Floats by their bits: -0 and 0 differ, as they may in a later sum.
    void add(float value)
    {
        std::uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        add(bits);
    }
    void add(const std::string& text)
    {
        add(static_cast<std::uint32_t>(text.size()));
        add(text.data(), text.size());
    }

    std::uint32_t value() const { return static_cast<std::uint32_t>(m_hash ^ (m_hash >> 32)); }

private:
    // A word at a time, not a byte: a world of a thousand objects is digested every frame.
    void mix(std::uint32_t word) { m_hash = (m_hash ^ word) * 0x100000001b3ull; }

    std::uint64_t m_hash = 0xcbf29ce484222325ull;
};

} // namespace ov
