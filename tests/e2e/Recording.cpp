#include "Recording.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

namespace e2e
{

namespace
{

std::uint32_t le32(const std::string& b, size_t at)
{
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

std::uint16_t le16(const std::string& b, size_t at)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) |
                                      static_cast<unsigned char>(b[at + 1]) << 8);
}

bool fail(std::string* error, const std::string& why)
{
    if (error)
        *error = why;
    return false;
}

const std::uint16_t FORMAT_PCM = 1;
const std::uint16_t FORMAT_FLOAT = 3;
const std::uint16_t FORMAT_EXTENSIBLE = 0xFFFE;

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::nth_element(values.begin(), values.begin() + static_cast<long>(values.size() / 2), values.end());
    return values[values.size() / 2];
}

} // namespace

bool Recording::load(const std::string& path, std::string* error)
{
    std::ifstream in(path, std::ios::binary);
    std::string b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0)
        return fail(error, "not a RIFF WAVE file (" + std::to_string(b.size()) + " bytes)");

    std::uint16_t format = 0, channels = 0, bits = 0;
    std::uint32_t rate = 0;
    size_t at = 12;
    while (at + 8 <= b.size())
    {
        std::string id = b.substr(at, 4);
        std::uint32_t size = le32(b, at + 4);
        size_t body = at + 8;
        if (id == "fmt " && size >= 16 && body + 16 <= b.size())
        {
            format = le16(b, body);
            channels = le16(b, body + 2);
            rate = le32(b, body + 4);
            bits = le16(b, body + 14);
            if (format == FORMAT_EXTENSIBLE && size >= 26 && body + 26 <= b.size())
                format = le16(b, body + 24); // the sub-format GUID starts with the plain tag
        }
        else if (id == "data")
        {
            if (channels == 0 || rate == 0)
                return fail(error, "data before a usable fmt chunk");
            size_t frameBytes = static_cast<size_t>(channels) * bits / 8;
            if (frameBytes == 0)
                return fail(error, "zero-sized sample frames");
            size_t frames = (b.size() - body) / frameBytes;
            m_rate = static_cast<int>(rate);
            m_samples.assign(frames, 0.0f);
            for (size_t f = 0; f < frames; ++f)
            {
                double sum = 0;
                for (size_t c = 0; c < channels; ++c)
                {
                    size_t p = body + f * frameBytes + c * bits / 8;
                    if (format == FORMAT_FLOAT && bits == 32)
                    {
                        std::uint32_t raw = le32(b, p);
                        float v;
                        std::memcpy(&v, &raw, sizeof v);
                        sum += v;
                    }
                    else if (format == FORMAT_PCM && bits == 16)
                        sum += static_cast<std::int16_t>(le16(b, p)) / 32768.0;
                    else if (format == FORMAT_PCM && bits == 32)
                        sum += static_cast<std::int32_t>(le32(b, p)) / 2147483648.0;
                    else
                        return fail(error, "unsupported sample format " + std::to_string(format) + "/" +
                                               std::to_string(bits));
                }
                m_samples[f] = static_cast<float>(sum / channels);
            }
            return true;
        }
        at = body + size + (size & 1);
    }
    return fail(error, "no data chunk");
}

double Recording::seconds() const
{
    return m_rate ? static_cast<double>(m_samples.size()) / m_rate : 0;
}

std::vector<Recording::Window> Recording::windows(double length) const
{
    std::vector<Window> result;
    size_t n = static_cast<size_t>(length * m_rate);
    if (n == 0)
        return result;
    for (size_t start = 0; start + n <= m_samples.size(); start += n)
    {
        double sum = 0, edges = 0;
        float previous = start ? m_samples[start - 1] : 0.0f;
        for (size_t i = start; i < start + n; ++i)
        {
            sum += static_cast<double>(m_samples[i]) * m_samples[i];
            double d = m_samples[i] - previous;
            edges += d * d;
            previous = m_samples[i];
        }
        result.push_back({static_cast<double>(start) / m_rate, std::sqrt(sum / n), std::sqrt(edges / n)});
    }
    return result;
}

double median(const std::vector<Recording::Window>& windows, Measure measure)
{
    std::vector<double> values;
    for (const Recording::Window& w : windows)
        values.push_back(w.*measure);
    return median(values);
}

Recording::Window strongestIn(const std::vector<Recording::Window>& windows, Measure measure, double from, double to)
{
    Recording::Window best = {from, 0, 0};
    for (const Recording::Window& w : windows)
        if (w.start >= from && w.start < to && w.*measure > best.*measure)
            best = w;
    return best;
}

} // namespace e2e
