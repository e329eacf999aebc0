#pragma once

#include "engine/world/Object.h"

// A fly buzzing over a pad. Soft, so that the frog passes through it and
// both hear of the collision: the fly is eaten.
class Fly : public ov::Object
{
public:
    explicit Fly(ov::Vector position);

    int handleEvent(const ov::Event& event) override;

private:
    ov::Vector m_home;
    int m_steps = 0;
};
