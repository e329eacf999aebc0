#pragma once

#include <SFML/Audio.hpp>

#include <string>

namespace ov
{

// A short effect decoded into memory, held in a slot of the resource manager.
class Sound
{
public:
    Sound();
    virtual ~Sound();

    // Slots move down when an earlier sound is unloaded; the voice must then
    // play its own slot's buffer, so copies rebind the voice.
    Sound(const Sound& other);
    Sound& operator=(const Sound& other);

    int loadSound(const std::string& filename);
    void setLabel(const std::string& label);
    const std::string& getLabel() const;
    void play(bool loop);
    sf::Sound& getSound();
    const sf::SoundBuffer& getBuffer() const;

private:
    sf::Sound m_sound;
    sf::SoundBuffer m_buffer;
    std::string m_label;
};

} // namespace ov
