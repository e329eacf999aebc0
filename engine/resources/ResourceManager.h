#pragma once

#include "engine/core/Manager.h"
#include "engine/resources/Music.h"
#include "engine/resources/Sound.h"
#include "engine/resources/Sprite.h"

#include <string>

namespace ov
{

const int SPRITE_CAPACITY = 1000;
const int SOUND_CAPACITY = 128;
const int MUSIC_CAPACITY = 128;

// The registry of sprites, sounds and music, each kind looked up by label.
class ResourceManager : public Manager
{
public:
    // The one resource manager.
    static ResourceManager& getInstance();

    // Needs the log; forgets anything loaded before. 0, or -1 without the log. The first sound or music loaded
    // looks for the audio device: without one, sounds and music load and play silently (said once in the log).
    int start() override;
    // Unloads every sprite, sound and music.
    void stop() override;

    // Reads a sprite file (relative to the working folder) and keeps the sprite under the label; 0, or -1 (logged)
    // when the file is missing or malformed, the label is taken or SPRITE_CAPACITY sprites are loaded.
    int loadSprite(const std::string& filename, const std::string& label);
    // Deletes the sprite with this label; 0, or -1 for none. Objects showing it must have been given another first.
    int unloadSprite(const std::string& label);
    // The sprite with this label, nullptr for none; the resource manager keeps it.
    Sprite* getSprite(const std::string& label) const;
    // How many are loaded.
    int getSpriteCount() const { return m_spriteCount; }

    // The same for a short sound effect (SOUND_CAPACITY of them) and a piece of music, streamed while it plays
    // (MUSIC_CAPACITY).
    ///@{
    int loadSound(const std::string& filename, const std::string& label);
    int unloadSound(const std::string& label);
    Sound* getSound(const std::string& label);
    int getSoundCount() const { return m_soundCount; }

    int loadMusic(const std::string& filename, const std::string& label);
    int unloadMusic(const std::string& label);
    Music* getMusic(const std::string& label);
    int getMusicCount() const { return m_musicCount; }
    ///@}

private:
    ResourceManager() { setType("ResourceManager"); }
    ~ResourceManager() override;

    Sprite* m_sprites[SPRITE_CAPACITY] = {};
    int m_spriteCount = 0;
    Sound m_sounds[SOUND_CAPACITY];
    int m_soundCount = 0;
    Music m_musics[MUSIC_CAPACITY];
    int m_musicCount = 0;
};

} // namespace ov
