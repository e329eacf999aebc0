#include "Pad.h"

Pad::Pad(ov::Vector position, bool small)
{
    setType("Pad");
    // Blocking (the default), without gravity: it stays put and stops the frog.
    setSprite(small ? "leaf" : "pad");
    setPosition(position);
}
