#pragma once

namespace ov
{

enum CollisionKind : int
{
    BLOCKING = 0, // collides, and stops other blocking movers
    SOFT = 1,     // collides, stops only movers that are blocked by soft objects
    GHOST = 2     // takes part in no collision
};

} // namespace ov
