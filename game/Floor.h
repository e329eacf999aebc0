#pragma once

#include "engine/world/Object.h"

// One cell of ground that the player and the enemies stand on. It has no
// sprite: the creator inserts it into the world itself.
class Floor : public ov::Object
{
public:
    explicit Floor(ov::Vector position);

    int draw() override;
};
