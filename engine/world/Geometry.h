#pragma once

#include "engine/world/Box.h"
#include "engine/world/Vector.h"

namespace ov
{

class Object;

// Inclusive overlap: boxes that share only an edge or a corner intersect.
// Inline: the world runs it for every object near the view, every frame.
inline bool boxIntersectsBox(const Box& a, const Box& b)
{
    return ((b.corner.x >= a.corner.x && b.corner.x <= a.corner.x + a.horizontal)
            || (a.corner.x >= b.corner.x && a.corner.x <= b.corner.x + b.horizontal))
        && ((b.corner.y >= a.corner.y && b.corner.y <= a.corner.y + a.vertical)
            || (a.corner.y >= b.corner.y && a.corner.y <= b.corner.y + b.vertical));
}

// The object's box placed at its position, or at another position.
Box getWorldBox(const Object* object);
Box getWorldBox(const Object* object, Vector where);

// Converts a window pixel quantity to cells with the display's cell size.
Vector pixelsToCells(Vector pixels);

} // namespace ov
