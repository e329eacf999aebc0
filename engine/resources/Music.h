#pragma once

#include <SFML/Audio.hpp>

#include <memory>
#include <string>

namespace ov
{

// A piece streamed from its file while it plays. Never copied or moved. The
// file is opened and checked alike with and without an audio device; the
// stream exists only with one.
class Music
{
public:
    Music() = default;

    Music(const Music&) = delete;
    Music& operator=(const Music&) = delete;

    // Opens the file (WAV, OGG or FLAC) and checks it can be streamed; 0, or -1 (logged) for a file that is missing
    // or not music.
    int loadMusic(const std::string& filename);
    // The label the resource manager finds it by.
    ///@{
    void setLabel(const std::string& label) { m_label = label; }
    const std::string& getLabel() const { return m_label; }
    ///@}
    // Whether a file has been loaded into this slot.
    ///@{
    void setLoaded(bool loaded) { m_loaded = loaded; }
    bool isLoaded() const { return m_loaded; }
    ///@}
    // Once or looping; nothing without a stream.
    void play(bool loop);
    // Volume 0 to 100, pitch 1 as recorded.
    ///@{
    void setVolume(float volume);
    void setPitch(float pitch);
    ///@}
    // The stream, or none (nothing loaded, or no audio device).
    sf::Music* getMusic() { return m_music.get(); }

private:
    bool m_loaded = false;
    std::unique_ptr<sf::Music> m_music;
    std::string m_label;
};

} // namespace ov
