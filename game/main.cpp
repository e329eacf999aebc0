#include "engine/core/GameManager.h"
#include "engine/core/LogManager.h"
#include "engine/resources/ResourceManager.h"
#include "game/FloorManager.h"
#include "game/GameResources.h"

// Brings the engine up, loads the game's files, runs the game loop until the
// game is over and takes the engine down again. The exit code is always 0.
int main()
{
    ov::GameManager& game = ov::GameManager::getInstance();
    ov::LogManager& log = ov::LogManager::getInstance();

    if (game.start() != 0)
    {
        log.writeLog("ERROR", "Driver", "Error starting GameManager.");
        game.stop();
        return 0;
    }

    ov::ResourceManager& resources = ov::ResourceManager::getInstance();
    if (resources.start() != 0)
    {
        log.writeLog("ERROR", "Driver", "Error starting ResourceManager.");
        resources.stop();
        return 0;
    }

    // From here on a crash cannot cost the last lines of the log.
    log.setFlush(true);
    loadResources();

    game.setFloorManager(&FloorManager::getInstance());
    game.run();
    game.stop();
    return 0;
}
