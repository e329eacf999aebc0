#include "game/GameEntry.h"

#include "engine/core/GameManager.h"
#include "engine/core/LogManager.h"
#include "engine/core/Platform.h"
#include "engine/display/DisplayManager.h"
#include "engine/resources/ResourceManager.h"
#include "game/FloorManager.h"
#include "game/GameResources.h"
#include "game/QuitKey.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <new>

namespace
{

// A start that failed after the log opened has its reason there; a person
// who started the game from a terminal sees only that it ended, so the
// terminal is told where to look. (Without a log, the log manager has said
// why.) The commonest reason, the game started from another folder than its
// own, is said outright: every file is read from the folder it starts in.
void reportFailedStart(bool logged)
{
    if (!logged)
        return;
    std::error_code error;
    if (std::filesystem::exists(ov::FONT_FILE, error))
    {
        std::fprintf(stderr, "The game could not start; %s says why.\n", ov::LOG_FILE);
        return;
    }
    const std::string folder = std::filesystem::current_path(error).string();
    std::fprintf(stderr,
                 "The game could not start: its font %s is not in the folder it was started in (%s). "
                 "Start it from its own folder, the one that holds %s (double-clicking the program does that).\n",
                 ov::FONT_FILE, folder.c_str(), ov::FONT_FILE);
}

int startAndPlay()
{
    ov::GameManager& game = ov::GameManager::getInstance();
    ov::LogManager& log = ov::LogManager::getInstance();
    if (game.start() != 0)
    {
        log.writeLog("ERROR", "Driver", "Error starting GameManager.");
        const bool logged = log.isStarted();
        game.stop();
        reportFailedStart(logged);
        return 0;
    }

    ov::ResourceManager& resources = ov::ResourceManager::getInstance();
    if (resources.start() != 0)
    {
        log.writeLog("ERROR", "Driver", "Error starting ResourceManager.");
        resources.stop();
        reportFailedStart(log.isStarted());
        return 0;
    }

    // From here on a crash cannot cost the last lines of the log.
    log.setFlush(true);
    loadResources();

    game.setFloorManager(&FloorManager::getInstance());
    // Owned by the world from here, like every object.
    new QuitKey;
    game.run();
    game.stop();
    return 0;
}

} // namespace

int runGame()
{
    // Before anything opens a file, or the log could take the place of a
    // closed standard error and collect what the libraries print there.
    ov::platform::openStandardStreams();
    try
    {
        return startAndPlay();
    }
    catch (const std::bad_alloc&)
    {
        // Out of memory before the loop (which catches its own): say so and
        // take down what is up.
        ov::LogManager::getInstance().writeLog("ALERT", "Driver", "Out of memory while starting the game; it stops.");
        ov::GameManager::getInstance().stop();
        return 0;
    }
}
