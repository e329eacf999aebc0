#pragma once

#include <SFML/Audio.hpp>

#include <string>

namespace ov
{

// A piece streamed from its file while it plays. Never copied or moved.
class Music
{
public:
    Music();

    Music(const Music&) = delete;
    Music& operator=(const Music&) = delete;

    int loadMusic(const std::string& filename);
    void setLabel(const std::string& label);
    const std::string& getLabel() const;
    void setLoaded(bool loaded);
    bool isLoaded() const;
    void play(bool loop);
    sf::Music& getMusic();

private:
    bool m_loaded;
    sf::Music m_music;
    std::string m_label;
};

} // namespace ov
