#include "engine/resources/Sound.h"

#include "engine/core/LogManager.h"
#include "engine/core/Platform.h"
#include "engine/resources/Audio.h"

#include <vector>

namespace ov
{

namespace
{

// Reads the whole file within the limits above; false when it cannot be a sound.
bool decode(const std::string& filename, std::vector<sf::Int16>& samples, unsigned int& channels,
            unsigned int& rate)
{
    // A folder makes the decoders' format probe spin, a pipe blocks the open.
    sf::InputSoundFile file;
    if (!platform::isRegularFile(filename.c_str()) || !file.openFromFile(filename))
        return false;

    // The header gives the length before anything is decoded: a small file
    // of long silence would otherwise take gigabytes and stall the start.
    LogManager& log = LogManager::getInstance();
    const float seconds = file.getDuration().asSeconds();
    if (seconds > static_cast<float>(MAX_SOUND_SECONDS))
    {
        log.writeLog("ERROR", "Sound", "Sound file '%s' lasts %.1f s, longer than the %d s a sound may last.",
                     filename.c_str(), seconds, MAX_SOUND_SECONDS);
        return false;
    }
    const sf::Uint64 count = file.getSampleCount();
    if (count > MAX_SOUND_SAMPLES)
    {
        log.writeLog("ERROR", "Sound", "Sound file '%s' holds %llu samples, more than the %llu a sound may hold.",
                     filename.c_str(), static_cast<unsigned long long>(count),
                     static_cast<unsigned long long>(MAX_SOUND_SAMPLES));
        return false;
    }
    samples.resize(static_cast<std::size_t>(count));
    channels = file.getChannelCount();
    rate = file.getSampleRate();
    return count > 0 && file.read(samples.data(), count) == count;
}

} // namespace

int Sound::loadSound(const std::string& filename)
{
    std::vector<sf::Int16> samples;
    unsigned int channels = 0;
    unsigned int rate = 0;
    bool loaded = decode(filename, samples, channels, rate);
    if (loaded && audioAvailable())
    {
        std::unique_ptr<Voice> voice(new Voice);
        loaded = voice->buffer.loadFromSamples(samples.data(), samples.size(), channels, rate);
        voice->sound.setBuffer(voice->buffer);
        if (loaded)
            m_voice = std::move(voice);
    }
    if (!loaded)
    {
        LogManager::getInstance().writeLog("ERROR", "Sound", "Error loading sound from file '%s'", filename.c_str());
        return -1;
    }
    return 0;
}

void Sound::play(bool loop)
{
    if (!m_voice)
        return;
    m_voice->sound.setLoop(loop);
    m_voice->sound.play();
}

void Sound::setVolume(float volume)
{
    if (m_voice)
        m_voice->sound.setVolume(volume);
}

void Sound::setPitch(float pitch)
{
    if (m_voice)
        m_voice->sound.setPitch(pitch);
}

} // namespace ov
