#include "engine/core/GameManager.h"
#include "engine/core/LogManager.h"
#include "engine/core/Platform.h"
#include "engine/resources/ResourceManager.h"
#include "game/FloorManager.h"
#include "game/GameResources.h"
#include "game/QuitKey.h"

#include <cstdio>

namespace
{

// A start that failed after the log opened has its reason there; a person
// who started the game from a terminal sees only that it ended, so the
// terminal is told where to look. (Without a log, the log manager has said why.)
void reportFailedStart(bool logged)
{
    if (logged)
        std::fprintf(stderr, "The game could not start; %s says why.\n", ov::LOG_FILE);
}

} // namespace

// Brings the engine up, loads the game's files, runs the game loop until the
// game is over and takes the engine down again. The exit code is always 0.
int main()
{
    // Before anything opens a file, or the log could take the place of a
    // closed standard error and collect what the libraries print there.
    ov::platform::openStandardStreams();

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
