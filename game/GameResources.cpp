#include "game/GameResources.h"

#include "engine/resources/ResourceManager.h"

namespace
{

struct ResourceEntry
{
    const char* label;
    const char* file;
};

const ResourceEntry SPRITES[] = {
    {"bat", "sprites/bat-spr.txt"},
    {"slime", "sprites/slime-spr.txt"},
    {"player-attack-r", "sprites/player-attack-spr-r.txt"},
    {"player-attack-l", "sprites/player-attack-spr-l.txt"},
    {"player-walk", "sprites/player-walk-spr.txt"},
    {"player-idle-body", "sprites/player-idle-body-spr.txt"},
    {"player-idle-feet", "sprites/player-idle-feet-spr.txt"},
    {"player-bounds", "sprites/player-bounds.txt"},
    {"gameover", "sprites/gameover-spr.txt"},
    {"startmenu", "sprites/startmenu-spr.txt"},
};

const ResourceEntry SOUNDS[] = {
    {"jump", "sounds/jump5.ogg"},
    {"hit", "sounds/hit2.ogg"},
    {"hurt", "sounds/hurt3.ogg"},
    {"bat_die", "sounds/error3.ogg"},
    {"slime_die", "sounds/fall5.ogg"},
    {"slime_jump", "sounds/jump2.ogg"},
    {"gameover", "sounds/gameover4.ogg"},
};

const char MUSIC_LABEL[] = "bgMusic";
const char MUSIC_FILE[] = "musics/Retro Mystic.ogg";
const float MUSIC_VOLUME = 25.0f;

} // namespace

void loadResources()
{
    ov::ResourceManager& resources = ov::ResourceManager::getInstance();

    // Every row is tried: one missing file must not keep the others out.
    for (const ResourceEntry& sprite : SPRITES)
        resources.loadSprite(sprite.file, sprite.label);
    for (const ResourceEntry& sound : SOUNDS)
        resources.loadSound(sound.file, sound.label);
    resources.loadMusic(MUSIC_FILE, MUSIC_LABEL);

    ov::Music* music = resources.getMusic(MUSIC_LABEL);
    if (music)
    {
        music->setVolume(MUSIC_VOLUME);
        music->play(true);
    }
}

void playSound(const std::string& label)
{
    ov::Sound* sound = ov::ResourceManager::getInstance().getSound(label);
    if (sound)
        sound->play(false);
}

void playSound(const std::string& label, float volume)
{
    ov::Sound* sound = ov::ResourceManager::getInstance().getSound(label);
    if (!sound)
        return;
    sound->setVolume(volume);
    sound->play(false);
}

void setMusicVolume(const std::string& label, float volume)
{
    ov::Music* music = ov::ResourceManager::getInstance().getMusic(label);
    if (music)
        music->setVolume(volume);
}

void setMusicPitch(const std::string& label, float pitch)
{
    ov::Music* music = ov::ResourceManager::getInstance().getMusic(label);
    if (music)
        music->setPitch(pitch);
}
