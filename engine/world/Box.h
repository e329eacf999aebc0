#pragma once

#include "engine/world/Vector.h"

namespace ov
{

// An axis-aligned rectangle: top-left corner and extents, both ends included.
struct Box
{
    Vector corner;
    float horizontal;
    float vertical;

    Box() : corner(), horizontal(0.0f), vertical(0.0f) {}
    Box(Vector cornerValue, float horizontalExtent, float verticalExtent)
        : corner(cornerValue), horizontal(horizontalExtent), vertical(verticalExtent) {}
};

} // namespace ov
