#pragma once

#include "engine/world/Box.h"
#include "engine/world/Vector.h"

namespace ov
{

class Object;

// Inclusive overlap: boxes that share only an edge or a corner intersect.
bool boxIntersectsBox(const Box& a, const Box& b);

// The object's box placed at its position, or at another position.
Box getWorldBox(const Object* object);
Box getWorldBox(const Object* object, Vector where);

// Converts a window pixel quantity to cells with the display's cell size.
Vector pixelsToCells(Vector pixels);

} // namespace ov
