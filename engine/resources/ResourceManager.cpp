#include "engine/resources/ResourceManager.h"

#include "engine/core/LogManager.h"
#include "engine/resources/SpriteFile.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace ov
{

ResourceManager& ResourceManager::getInstance()
{
    static ResourceManager instance;
    return instance;
}

ResourceManager::ResourceManager() : m_sprites(), m_spriteCount(0), m_sounds(), m_soundCount(0), m_musics(), m_musicCount(0)
{
    setType("ResourceManager");
}

ResourceManager::~ResourceManager()
{
    // Runs at process exit, when the log may already be gone: free quietly.
    for (int i = 0; i < m_spriteCount; ++i)
        delete m_sprites[i];
}

int ResourceManager::start()
{
    if (!LogManager::getInstance().isStarted())
        return -1;

    // Started again without a stop: nothing registered before may leak.
    for (int i = 0; i < m_spriteCount; ++i)
    {
        delete m_sprites[i];
        m_sprites[i] = nullptr;
    }
    for (int i = 0; i < m_musicCount; ++i)
        m_musics[i].setLoaded(false);
    m_spriteCount = 0;
    m_soundCount = 0;
    m_musicCount = 0;
    return Manager::start();
}

void ResourceManager::stop()
{
    // Labels are copied: unloading destroys the object that holds them.
    while (m_spriteCount > 0)
    {
        const std::string label = m_sprites[0]->getLabel();
        if (unloadSprite(label) != 0)
            break;
    }
    while (m_soundCount > 0)
    {
        const std::string label = m_sounds[0].getLabel();
        if (unloadSound(label) != 0)
            break;
    }
    for (int i = 0; i < m_musicCount; ++i)
    {
        const std::string label = m_musics[i].getLabel();
        unloadMusic(label);
    }
    Manager::stop();
}

int ResourceManager::loadSprite(const std::string& filename, const std::string& label)
{
    logMessage("", "Loading sprite '%s'.", label.c_str());

    if (m_spriteCount == SPRITE_CAPACITY)
    {
        logMessage("ERROR", "Unable to load sprite '%s'. Sprite array full.", label.c_str());
        return -1;
    }
    if (getSprite(label))
    {
        logMessage("ERROR", "Cannot load sprite with label '%s'. '%s' already loaded.", label.c_str(), label.c_str());
        return -1;
    }

    logMessage("", "Loading file '%s'.", filename.c_str());
    // A directory opens as a stream on some systems, and a device or pipe may
    // never end: only regular files are sprite files.
    std::error_code error;
    const bool regular = std::filesystem::is_regular_file(filename, error);
    std::ifstream file;
    if (regular)
        file.open(filename, std::ios::in | std::ios::binary);
    if (!regular || !file.is_open())
    {
        logMessage("ERROR", "Error opening '%s' sprite from file '%s'.", label.c_str(), filename.c_str());
        logMessage("ALERT", "Sprite '%s' not loaded.", label.c_str());
        return -1;
    }
    const std::uintmax_t size = std::filesystem::file_size(filename, error);
    if (error || size > static_cast<std::uintmax_t>(MAX_SPRITE_FILE_BYTES))
    {
        logMessage("ERROR", "Error loading %s sprite: file larger than %d bytes.", label.c_str(), MAX_SPRITE_FILE_BYTES);
        logMessage("ALERT", "Sprite '%s' not loaded.", label.c_str());
        return -1;
    }

    Sprite* sprite = readSprite(file, label);
    if (!sprite)
        return -1;
    file.close();

    sprite->setLabel(label);
    m_sprites[m_spriteCount] = sprite;
    ++m_spriteCount;
    logMessage("", "Sprite '%s' loaded.", label.c_str());
    return 0;
}

int ResourceManager::unloadSprite(const std::string& label)
{
    // The label may belong to the sprite that is about to be destroyed.
    const std::string name = label;
    logMessage("", "Unloading sprite '%s'.", name.c_str());

    for (int i = 0; i < m_spriteCount; ++i)
    {
        if (m_sprites[i]->getLabel() != name)
            continue;
        delete m_sprites[i];
        for (int j = i; j < m_spriteCount - 1; ++j)
            m_sprites[j] = m_sprites[j + 1];
        --m_spriteCount;
        m_sprites[m_spriteCount] = nullptr;
        logMessage("", "Sprite '%s' unloaded.", name.c_str());
        return 0;
    }
    logMessage("ALERT", "Cannot unload sprite '%s'. Sprite not found.", name.c_str());
    return -1;
}

Sprite* ResourceManager::getSprite(const std::string& label) const
{
    for (int i = 0; i < m_spriteCount; ++i)
        if (m_sprites[i]->getLabel() == label)
            return m_sprites[i];
    return nullptr;
}

int ResourceManager::getSpriteCount() const
{
    return m_spriteCount;
}

int ResourceManager::loadSound(const std::string& filename, const std::string& label)
{
    logMessage("", "Loading sound '%s'", label.c_str());

    if (m_soundCount == SOUND_CAPACITY)
    {
        logMessage("ERROR", "Unable to load sound '%s'. Sound array full.", label.c_str());
        return -1;
    }
    if (getSound(label))
    {
        logMessage("ALERT", "Cannot load sound with label '%s'. '%s' already loaded.", label.c_str(), label.c_str());
        return -1;
    }
    if (m_sounds[m_soundCount].loadSound(filename) != 0)
    {
        logMessage("ALERT", "Unable to load sound '%s' from file '%s'.", label.c_str(), filename.c_str());
        return -1;
    }
    m_sounds[m_soundCount].setLabel(label);
    ++m_soundCount;
    logMessage("", "Sound '%s' loaded.", label.c_str());
    return 0;
}

int ResourceManager::unloadSound(const std::string& label)
{
    const std::string name = label;
    logMessage("", "Unloading sound '%s'.", name.c_str());

    for (int i = 0; i < m_soundCount; ++i)
    {
        if (m_sounds[i].getLabel() != name)
            continue;
        // Assignment rebinds each voice to its own slot's buffer (see Sound),
        // so a moved sound keeps playing its own samples.
        for (int j = i; j < m_soundCount - 1; ++j)
            m_sounds[j] = m_sounds[j + 1];
        --m_soundCount;
        // The slot left behind is free: silence its voice. Its samples stay
        // until the next load replaces them; building an empty Sound here
        // would take an audio source, and they are all spoken for.
        m_sounds[m_soundCount].getSound().resetBuffer();
        m_sounds[m_soundCount].setLabel("");
        logMessage("", "Sound '%s' unloaded.", name.c_str());
        return 0;
    }
    logMessage("ALERT", "Cannot unload sound '%s'. Sound not found.", name.c_str());
    return -1;
}

Sound* ResourceManager::getSound(const std::string& label)
{
    for (int i = 0; i < m_soundCount; ++i)
        if (m_sounds[i].getLabel() == label)
            return &m_sounds[i];
    return nullptr;
}

int ResourceManager::getSoundCount() const
{
    return m_soundCount;
}

int ResourceManager::loadMusic(const std::string& filename, const std::string& label)
{
    logMessage("", "Loading music '%s'", label.c_str());

    if (m_musicCount == MUSIC_CAPACITY)
    {
        logMessage("ERROR", "Unable to load music '%s'. Sound array full.", label.c_str());
        return -1;
    }
    // Unloaded slots keep their label, so a label is never used twice.
    if (getMusic(label))
    {
        logMessage("ALERT", "Cannot load music with label '%s'. '%s' already loaded.", label.c_str(), label.c_str());
        return -1;
    }
    if (m_musics[m_musicCount].loadMusic(filename) != 0)
    {
        logMessage("ALERT", "Unable to load music '%s' from file '%s'.", label.c_str(), filename.c_str());
        return -1;
    }
    m_musics[m_musicCount].setLoaded(true);
    m_musics[m_musicCount].setLabel(label);
    ++m_musicCount;
    logMessage("", "Music '%s' loaded.", label.c_str());
    return 0;
}

int ResourceManager::unloadMusic(const std::string& label)
{
    const std::string name = label;
    logMessage("", "Unloading music '%s'.", name.c_str());

    // A stream cannot be copied or moved: the slot stays as it is and only
    // loses its loaded mark.
    for (int i = 0; i < m_musicCount; ++i)
    {
        if (m_musics[i].getLabel() == name && m_musics[i].isLoaded())
        {
            m_musics[i].setLoaded(false);
            logMessage("", "Music '%s' unloaded.", name.c_str());
            return 0;
        }
    }
    logMessage("ALERT", "Cannot unload music '%s'. Music not found.", name.c_str());
    return -1;
}

Music* ResourceManager::getMusic(const std::string& label)
{
    for (int i = 0; i < m_musicCount; ++i)
        if (m_musics[i].getLabel() == label)
            return &m_musics[i];
    return nullptr;
}

int ResourceManager::getMusicCount() const
{
    return m_musicCount;
}

} // namespace ov
