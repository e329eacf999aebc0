#include "engine/resources/Music.h"

#include "engine/core/LogManager.h"
#include "engine/core/Platform.h"
#include "engine/resources/Audio.h"

namespace ov
{

int Music::loadMusic(const std::string& filename)
{
    // Only opens the file; the stream reads it while it plays. A folder makes
    // the decoders' format probe spin, a pipe blocks the open.
    sf::InputSoundFile file;
    bool opened = platform::isRegularFile(filename.c_str()) && file.openFromFile(filename);
    if (opened && audioAvailable())
    {
        m_music.reset(new sf::Music);
        opened = m_music->openFromFile(filename);
    }
    if (!opened)
    {
        LogManager::getInstance().writeLog("ERROR", "Music", "Error loading music from file '%s'", filename.c_str());
        return -1;
    }
    return 0;
}

void Music::play(bool loop)
{
    if (!m_music)
        return;
    m_music->setLoop(loop);
    m_music->play();
}

void Music::setVolume(float volume)
{
    if (m_music)
        m_music->setVolume(volume);
}

void Music::setPitch(float pitch)
{
    if (m_music)
        m_music->setPitch(pitch);
}

} // namespace ov
