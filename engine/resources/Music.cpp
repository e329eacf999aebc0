#include "engine/resources/Music.h"

#include "engine/core/LogManager.h"
#include "engine/core/Platform.h"
#include "engine/resources/Audio.h"

namespace ov
{

Music::Music() : m_loaded(false), m_music(), m_label()
{
}

int Music::loadMusic(const std::string& filename)
{
    // Only opens the file; the stream reads it while it plays.
    // A folder makes the decoders' format probe spin, a pipe blocks the open.
    if (!platform::isRegularFile(filename.c_str()) || !m_music.openFromFile(filename))
    {
        LogManager::getInstance().writeLog("ERROR", "Music", "Error loading music from file '%s'", filename.c_str());
        return -1;
    }
    return 0;
}

void Music::setLabel(const std::string& label)
{
    m_label = label;
}

const std::string& Music::getLabel() const
{
    return m_label;
}

void Music::setLoaded(bool loaded)
{
    m_loaded = loaded;
}

bool Music::isLoaded() const
{
    return m_loaded;
}

void Music::play(bool loop)
{
    if (!audioAvailable())
        return;
    m_music.setLoop(loop);
    m_music.play();
}

sf::Music& Music::getMusic()
{
    return m_music;
}

} // namespace ov
