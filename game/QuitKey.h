#pragma once

#include "engine/world/Object.h"

// Ends the game when Q is pressed, whatever state the game is in. The player
// also answers Q, but only while it is in the world: without its sprite it
// never enters it, and after its death it is gone while the game-over
// screen still runs. This object has no sprite, never moves and never
// collides; it only listens to the keyboard.
class QuitKey : public ov::Object
{
public:
    // Enters the world at once.
    QuitKey();

    int handleEvent(const ov::Event& event) override;
};
