#pragma once

#include "engine/resources/Audio.h"

#include <SFML/Audio.hpp>

#include <string>

namespace ov
{

// A piece streamed from its file while it plays. Never copied or moved.
class Music
{
public:
    Music() = default;

    Music(const Music&) = delete;
    Music& operator=(const Music&) = delete;

    int loadMusic(const std::string& filename);
    void setLabel(const std::string& label) { m_label = label; }
    const std::string& getLabel() const { return m_label; }
    void setLoaded(bool loaded) { m_loaded = loaded; }
    bool isLoaded() const { return m_loaded; }
    void play(bool loop) { playIfAudible(m_music, loop); }
    sf::Music& getMusic() { return m_music; }

private:
    bool m_loaded = false;
    sf::Music m_music;
    std::string m_label;
};

} // namespace ov
