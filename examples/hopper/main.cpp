// Hopper: a frog hops along lily pads eating flies (see docs/writing-a-game.md).
#include "Hud.h"
#include "Pond.h"

#include "engine/core/GameManager.h"
#include "engine/core/Recorder.h"
#include "engine/resources/ResourceManager.h"

namespace
{

int play()
{
    // The game manager starts the log, the window and the input; the
    // resource manager opens the sound device.
    ov::GameManager& game = ov::GameManager::getInstance();
    ov::ResourceManager& resources = ov::ResourceManager::getInstance();
    if (game.start() != 0 || resources.start() != 0)
    {
        game.stop();
        return 1;
    }
    resources.loadSprite("sprites/frog.txt", "frog");
    resources.loadSprite("sprites/fly.txt", "fly");
    resources.loadSprite("sprites/pad.txt", "pad");
    resources.loadSprite("sprites/leaf.txt", "leaf");
    resources.loadSound("sounds/gulp.ogg", "gulp");

    // Objects are made with new and belong to the world from then on.
    Pond* pond = new Pond;
    new Hud(pond->getFrog(), pond->getFlies());

    game.run();
    game.stop();
    return 0;
}

} // namespace

// `hopper` plays; `hopper [--fast] [--check] orvane.replay` plays a recorded game again.
int main(int argc, char** argv)
{
    return argc > 1 ? ov::runReplay(argc, argv, play) : play();
}
