#include "engine/resources/Audio.h"

#include "engine/core/LogManager.h"
#include "engine/core/Platform.h"
#include "engine/core/Recorder.h"

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/System/Err.hpp>

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>

namespace ov
{

namespace
{

// Keeps the device open for the rest of the run: the audio layer closes it
// when its last object goes, and would open it again (and complain again,
// without one) with the next. Made before any sound, it goes after the last.
std::unique_ptr<sf::SoundBuffer> g_keeper;

bool probeAudio()
{
    // Opening the device may end the process when memory is short: save the
    // log first. The audio layer says "no device" only on its error stream,
    // and the drivers it tries print their own complaints on the standard
    // error: both are held back until the answer is known.
    LogManager& log = LogManager::getInstance();
    log.flushFile();
    std::stringbuf complaints;
    std::streambuf* previous = sf::err().rdbuf(&complaints);
    platform::holdStandardError();
    const bool returned = platform::callGuarded([](void*) { g_keeper.reset(new sf::SoundBuffer); }, nullptr);
    const std::string said = platform::releaseStandardError();
    sf::err().rdbuf(previous);

    // The log says what the run found, a replayed run what the recorded run found.
    const bool found = returned && complaints.str().empty();
    if (!Recorder::getInstance().audio(found))
        log.writeLog("WARN", "Sound", "No audio device could be opened; playing without sound.");
    if (found)
    {
        // A working device's notes are the user's business: passed on as they were.
        std::fputs(said.c_str(), stderr);
        return true;
    }
    std::fprintf(stderr, "No audio device could be opened; playing without sound.\n");
    return false;
}

} // namespace

bool audioAvailable()
{
    static const bool available = probeAudio();
    return available;
}

} // namespace ov
