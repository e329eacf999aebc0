#include "engine/resources/Sound.h"

#include "engine/core/LogManager.h"

namespace ov
{

Sound::Sound() : m_sound(), m_buffer(), m_label()
{
}

Sound::~Sound()
{
}

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
    if (!m_buffer.loadFromFile(filename))
    {
        LogManager::getInstance().writeLog("ERROR", "Sound", "Error loading sound from file '%s'", filename.c_str());
        return -1;
    }
    m_sound.setBuffer(m_buffer);
    return 0;
}

void Sound::setLabel(const std::string& label)
{
    m_label = label;
}

const std::string& Sound::getLabel() const
{
    return m_label;
}

void Sound::play(bool loop)
{
    m_sound.setLoop(loop);
    m_sound.play();
}

sf::Sound& Sound::getSound()
{
    return m_sound;
}

const sf::SoundBuffer& Sound::getBuffer() const
{
    return m_buffer;
}

} // namespace ov
