#pragma once

#include <string>

// Registers every sprite, sound and the music of the game by label and starts
// the background music. Missing files are logged by the resource manager and
// skipped; the game then runs without them.
void loadResources();

// Sounds and music are looked up by label every time they are used. A label
// that did not load is skipped silently, so a missing file never stops the game.
void playSound(const std::string& label);
void playSound(const std::string& label, float volume);
void setMusicVolume(const std::string& label, float volume);
void setMusicPitch(const std::string& label, float pitch);
