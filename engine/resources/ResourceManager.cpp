#include "engine/resources/ResourceManager.h"

#include "engine/core/LogManager.h"
#include "engine/resources/SpriteFile.h"

#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

namespace ov
{

namespace
{

// Sounds and music are looked up alike: the first slot with the label.
template <typename Piece>
Piece* findByLabel(Piece* pieces, int count, const std::string& label)
{
    for (int i = 0; i < count; ++i)
        if (pieces[i].getLabel() == label)
            return &pieces[i];
    return nullptr;
}

// Sounds and music are loaded alike into the next free slot: the kind names
// them in the messages, and load opens the file into the slot (0 or -1).
template <typename Piece, typename Load>
int loadPiece(Manager& manager, Piece* pieces, int& count, int capacity, const char* kind,
              const std::string& filename, const std::string& label, Load load)
{
    manager.logMessage("", "Loading %s '%s'", kind, label.c_str());
    if (count == capacity)
    {
        manager.logMessage("ERROR", "Unable to load %s '%s'. Sound array full.", kind, label.c_str());
        return -1;
    }
    if (findByLabel(pieces, count, label))
    {
        manager.logMessage("ALERT", "Cannot load %s with label '%s'. '%s' already loaded.", kind, label.c_str(),
                           label.c_str());
        return -1;
    }
    if (load(pieces[count], filename) != 0)
    {
        manager.logMessage("ALERT", "Unable to load %s '%s' from file '%s'.", kind, label.c_str(), filename.c_str());
        return -1;
    }
    pieces[count].setLabel(label);
    ++count;
    return 0;
}

// Every kind is unloaded alike: `take` takes the piece with the label out of
// the registry and tells whether there was one. The name is a copy, as the
// label may belong to the piece taken out.
template <typename Take>
int unloadPiece(Manager& manager, const char* kind, const char* Kind, const std::string& label, Take take)
{
    const std::string name = label;
    manager.logMessage("", "Unloading %s '%s'.", kind, name.c_str());
    if (!take(name))
    {
        manager.logMessage("ALERT", "Cannot unload %s '%s'. %s not found.", kind, name.c_str(), Kind);
        return -1;
    }
    manager.logMessage("", "%s '%s' unloaded.", Kind, name.c_str());
    return 0;
}

} // namespace

ResourceManager& ResourceManager::getInstance()
{
    static ResourceManager instance;
    return instance;
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
    return unloadPiece(*this, "sprite", "Sprite", label, [this](const std::string& name) {
        for (int i = 0; i < m_spriteCount; ++i)
        {
            if (m_sprites[i]->getLabel() != name)
                continue;
            delete m_sprites[i];
            for (int j = i; j < m_spriteCount - 1; ++j)
                m_sprites[j] = m_sprites[j + 1];
            m_sprites[--m_spriteCount] = nullptr;
            return true;
        }
        return false;
    });
}

Sprite* ResourceManager::getSprite(const std::string& label) const
{
    for (int i = 0; i < m_spriteCount; ++i)
        if (m_sprites[i]->getLabel() == label)
            return m_sprites[i];
    return nullptr;
}

int ResourceManager::loadSound(const std::string& filename, const std::string& label)
{
    const auto load = [](Sound& sound, const std::string& file) { return sound.loadSound(file); };
    if (loadPiece(*this, m_sounds, m_soundCount, SOUND_CAPACITY, "sound", filename, label, load) != 0)
        return -1;
    logMessage("", "Sound '%s' loaded.", label.c_str());
    return 0;
}

int ResourceManager::unloadSound(const std::string& label)
{
    return unloadPiece(*this, "sound", "Sound", label, [this](const std::string& name) {
        Sound* sound = findByLabel(m_sounds, m_soundCount, name);
        if (!sound)
            return false;
        // Each voice moves with its own samples; the slot left behind is empty.
        for (Sound* next = sound + 1; next < m_sounds + m_soundCount; ++next)
            next[-1] = std::move(*next);
        m_sounds[--m_soundCount] = Sound();
        return true;
    });
}

Sound* ResourceManager::getSound(const std::string& label)
{
    return findByLabel(m_sounds, m_soundCount, label);
}

int ResourceManager::loadMusic(const std::string& filename, const std::string& label)
{
    // Unloaded slots keep their label, so a label is never used twice.
    const auto load = [](Music& music, const std::string& file) { return music.loadMusic(file); };
    if (loadPiece(*this, m_musics, m_musicCount, MUSIC_CAPACITY, "music", filename, label, load) != 0)
        return -1;
    m_musics[m_musicCount - 1].setLoaded(true);
    logMessage("", "Music '%s' loaded.", label.c_str());
    return 0;
}

int ResourceManager::unloadMusic(const std::string& label)
{
    // A stream cannot be copied or moved: the slot stays as it is and only
    // loses its loaded mark.
    return unloadPiece(*this, "music", "Music", label, [this](const std::string& name) {
        for (int i = 0; i < m_musicCount; ++i)
        {
            if (m_musics[i].getLabel() == name && m_musics[i].isLoaded())
            {
                m_musics[i].setLoaded(false);
                return true;
            }
        }
        return false;
    });
}

Music* ResourceManager::getMusic(const std::string& label)
{
    return findByLabel(m_musics, m_musicCount, label);
}

} // namespace ov
