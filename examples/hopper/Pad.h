#pragma once

#include "engine/world/Object.h"

// A lily pad: solid ground the frog lands on. The pond's pads are laid out
// at the start; a click lays a small one under the pointer.
class Pad : public ov::Object
{
public:
    Pad(ov::Vector position, bool small);
};
