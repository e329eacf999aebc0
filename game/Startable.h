#pragma once

// What the start screen starts when the start key is pressed: the player.
// The screen knows the player only as this, so that the screen, which the
// floor manager makes, needs nothing of the player's own code.
class Startable
{
public:
    virtual void setStarted(bool started) = 0;

protected:
    ~Startable() = default;
};
