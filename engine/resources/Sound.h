#pragma once

#include <SFML/Audio.hpp>

#include <memory>
#include <string>

namespace ov
{

// The longest sound effect loaded into memory; longer pieces are music,
// which streams. A decoded size limit as well, for headers that pair a
// short length with an absurd sample rate.
const int MAX_SOUND_SECONDS = 60;
const sf::Uint64 MAX_SOUND_SAMPLES = 16 * 1024 * 1024;

// A short effect decoded into memory, held in a slot of the resource manager.
// The file is read and checked alike with and without an audio device; the
// voice and its samples exist only with one.
class Sound
{
public:
    Sound() = default;
    virtual ~Sound() = default;
    // Slots move down when an earlier sound is unloaded; the voice moves with
    // its own samples, its volume and pitch.
    ///@{
    Sound(Sound&&) = default;
    Sound& operator=(Sound&&) = default;
    ///@}

    // Decodes the file (WAV, OGG or FLAC) into memory; 0, or -1 (logged) for a file that is missing, not sound, or
    // longer than MAX_SOUND_SECONDS.
    int loadSound(const std::string& filename);
    // The label the resource manager finds it by.
    ///@{
    void setLabel(const std::string& label) { m_label = label; }
    const std::string& getLabel() const { return m_label; }
    ///@}
    // Once or looping; nothing without a voice.
    void play(bool loop);
    // Volume 0 to 100, pitch 1 as recorded; kept by the voice.
    ///@{
    void setVolume(float volume);
    void setPitch(float pitch);
    ///@}
    // The voice, or none (nothing loaded, or no audio device).
    sf::Sound* getSound() { return m_voice ? &m_voice->sound : nullptr; }
    // Its samples, or none.
    const sf::SoundBuffer* getBuffer() const { return m_voice ? &m_voice->buffer : nullptr; }

private:
    struct Voice
    {
        sf::SoundBuffer buffer;
        sf::Sound sound;
    };

    std::unique_ptr<Voice> m_voice;
    std::string m_label;
};

} // namespace ov
