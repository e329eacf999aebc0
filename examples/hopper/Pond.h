#pragma once

#include "engine/world/Object.h"

class Frog;

// The pond, 200 cells wide: a row of lily pads at changing heights with a
// fly over every other one, and the frog on the first. A left click lays a
// leaf under the pointer, to hop on.
class Pond : public ov::Object
{
public:
    Pond();

    int handleEvent(const ov::Event& event) override;

    Frog& getFrog() const { return *m_frog; }
    int getFlies() const { return m_flies; }

private:
    Frog* m_frog = nullptr; // owned by the world, like every object
    int m_flies = 0;
};
