#include "engine/resources/Audio.h"

#include "engine/core/LogManager.h"

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/System/Err.hpp>

#include <sstream>

namespace ov
{

namespace
{

bool probeAudio()
{
    // The audio layer says "no device" only on its error stream: listen there
    // while a buffer is made. (Not a voice: the resource manager's slots may
    // hold every voice the device has.)
    std::stringbuf complaints;
    std::streambuf* previous = sf::err().rdbuf(&complaints);
    {
        sf::SoundBuffer buffer;
    }
    sf::err().rdbuf(previous);
    if (complaints.str().empty())
        return true;
    LogManager::getInstance().writeLog("WARN", "Sound", "No audio device could be opened; playing without sound.");
    return false;
}

} // namespace

bool audioAvailable()
{
    static const bool available = probeAudio();
    return available;
}

} // namespace ov
