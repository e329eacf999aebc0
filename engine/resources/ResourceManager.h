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
    static ResourceManager& getInstance();

    int start() override;
    void stop() override;

    int loadSprite(const std::string& filename, const std::string& label);
    int unloadSprite(const std::string& label);
    Sprite* getSprite(const std::string& label) const;
    int getSpriteCount() const { return m_spriteCount; }

    int loadSound(const std::string& filename, const std::string& label);
    int unloadSound(const std::string& label);
    Sound* getSound(const std::string& label);
    int getSoundCount() const { return m_soundCount; }

    int loadMusic(const std::string& filename, const std::string& label);
    int unloadMusic(const std::string& label);
    Music* getMusic(const std::string& label);
    int getMusicCount() const { return m_musicCount; }

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
