#include "engine/resources/Sound.h"

#include "engine/core/LogManager.h"
#include "engine/core/Platform.h"

#include <vector>

namespace ov
{

Sound::Sound(const Sound& other) : m_sound(other.m_sound), m_buffer(other.m_buffer), m_label(other.m_label)
{
    // The copied voice still names the other sound's buffer: point it at
    // our own copy, so it never plays samples that another slot owns.
    if (m_buffer.getSampleCount() > 0)
        m_sound.setBuffer(m_buffer);
    else
        m_sound.resetBuffer();
}

Sound& Sound::operator=(const Sound& other)
{
    if (this == &other)
        return *this;

    // Replacing the buffer detaches (and stops) every voice that used the old one.
    m_buffer = other.m_buffer;
    // Volume, pitch and loop come with the voice; its buffer is fixed below.
    m_sound = other.m_sound;
    if (m_buffer.getSampleCount() > 0)
        m_sound.setBuffer(m_buffer);
    else
        m_sound.resetBuffer();
    m_label = other.m_label;
    return *this;
}

int Sound::loadSound(const std::string& filename)
{
    if (decode(filename) != 0)
    {
        LogManager::getInstance().writeLog("ERROR", "Sound", "Error loading sound from file '%s'", filename.c_str());
        return -1;
    }
    m_sound.setBuffer(m_buffer);
    return 0;
}

int Sound::decode(const std::string& filename)
{
    // A folder makes the decoders' format probe spin, a pipe blocks the open.
    sf::InputSoundFile file;
    if (!platform::isRegularFile(filename.c_str()) || !file.openFromFile(filename))
        return -1;

    // The header gives the length before anything is decoded: a small file
    // of long silence would otherwise take gigabytes and stall the start.
    LogManager& log = LogManager::getInstance();
    const float seconds = file.getDuration().asSeconds();
    if (seconds > static_cast<float>(MAX_SOUND_SECONDS))
    {
        log.writeLog("ERROR", "Sound", "Sound file '%s' lasts %.1f s, longer than the %d s a sound may last.",
                     filename.c_str(), seconds, MAX_SOUND_SECONDS);
        return -1;
    }
    const sf::Uint64 count = file.getSampleCount();
    if (count > MAX_SOUND_SAMPLES)
    {
        log.writeLog("ERROR", "Sound", "Sound file '%s' holds %llu samples, more than the %llu a sound may hold.",
                     filename.c_str(), static_cast<unsigned long long>(count),
                     static_cast<unsigned long long>(MAX_SOUND_SAMPLES));
        return -1;
    }
    if (count == 0)
        return -1;

    std::vector<sf::Int16> samples(static_cast<std::size_t>(count));
    if (file.read(samples.data(), count) != count)
        return -1;
    return m_buffer.loadFromSamples(samples.data(), count, file.getChannelCount(), file.getSampleRate()) ? 0 : -1;
}

} // namespace ov
