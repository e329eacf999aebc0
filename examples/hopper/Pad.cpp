#include "Pad.h"

Pad::Pad(ov::Vector position, bool small)
{
    setType("Pad");
    // Blocking, without gravity: it stays where it is put and stops the frog.
    setCollisionKind(ov::BLOCKING);
    setSprite(small ? "leaf" : "pad");
    setPosition(position);
}
