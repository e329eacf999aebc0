#pragma once

#include "engine/resources/Audio.h"

#include <SFML/Audio.hpp>

#include <string>

namespace ov
{

// The longest sound effect loaded into memory; longer pieces are music,
// which streams. A decoded size limit as well, for headers that pair a
// short length with an absurd sample rate.
const int MAX_SOUND_SECONDS = 60;
const sf::Uint64 MAX_SOUND_SAMPLES = 16 * 1024 * 1024;

// A short effect decoded into memory, held in a slot of the resource manager.
class Sound
{
public:
    Sound() = default;
    virtual ~Sound() = default;

    // Slots move down when an earlier sound is unloaded; the voice must then
    // play its own slot's buffer, so copies rebind the voice.
    Sound(const Sound& other);
    Sound& operator=(const Sound& other);

    int loadSound(const std::string& filename);
    void setLabel(const std::string& label) { m_label = label; }
    const std::string& getLabel() const { return m_label; }
    void play(bool loop) { playIfAudible(m_sound, loop); }
    sf::Sound& getSound() { return m_sound; }
    const sf::SoundBuffer& getBuffer() const { return m_buffer; }

private:
    // Reads the whole file into the buffer, within the limits above; 0 or -1.
    int decode(const std::string& filename);

    sf::Sound m_sound;
    sf::SoundBuffer m_buffer;
    std::string m_label;
};

} // namespace ov
