#pragma once

// The whole game, as the program runs it: brings the engine up, loads the
// game's files, runs the game loop until the game is over and takes the
// engine down again. Returns the exit code, always 0. The program and its
// replayer both run it.
int runGame();
