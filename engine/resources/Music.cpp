#include "engine/resources/Music.h"

#include "engine/core/LogManager.h"
#include "engine/core/Platform.h"

namespace ov
{

int Music::loadMusic(const std::string& filename)
{
    // Only opens the file; the stream reads it while it plays.
    // A folder makes the decoders' format probe spin, a pipe blocks the open.
    if (!platform::isRegularFile(filename.c_str()) || !m_music.openFromFile(filename))
    {
        LogManager::getInstance().writeLog("ERROR", "Music", "Error loading music from file '%s'", filename.c_str());
        return -1;
    }
    return 0;
}

} // namespace ov
