#pragma once

#include "engine/world/Vector.h"

namespace ov
{

// An axis-aligned rectangle: top-left corner and extents, both ends included.
struct Box
{
    Vector corner;    // top-left, in cells; relative to the position, for an object's box
    float horizontal; // width, in cells
    float vertical;   // height, in cells

    // A box from its corner and extents; empty at (0, 0) by default.
    ///@{
    Box() : corner(), horizontal(0.0f), vertical(0.0f) {}
    Box(Vector cornerValue, float horizontalExtent, float verticalExtent)
        : corner(cornerValue), horizontal(horizontalExtent), vertical(verticalExtent) {}
    ///@}
};

} // namespace ov
