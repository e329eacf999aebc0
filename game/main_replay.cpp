#include "engine/core/Recorder.h"
#include "game/GameEntry.h"

// orvane-replay [--fast] [--check] FILE: plays a recorded run of the game
// again, as it was, in its window; the exit code says how it went (0: as
// recorded, 1: it parted from the recording, 2: the recording cannot be
// replayed here).
int main(int argc, char** argv)
{
    return ov::runReplay(argc, argv, runGame);
}
