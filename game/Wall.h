#pragma once

#include "engine/world/Object.h"

// One cell of wall. It has no sprite: the creator inserts it into the world itself.
class Wall : public ov::Object
{
public:
    explicit Wall(ov::Vector position);

    int draw() override;
};
