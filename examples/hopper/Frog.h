#pragma once

#include "engine/world/Object.h"

class Fly;

// The player: walks with A and D, hops with Space, falls with gravity and
// stands on pads. Falling into the pond (out of the world) puts it back on
// the first pad.
class Frog : public ov::Object
{
public:
    explicit Frog(ov::Vector start);

    int handleEvent(const ov::Event& event) override;

    // A fly met: counted, with a gulp.
    void eat(Fly& fly);
    int getEaten() const { return m_eaten; }

private:
    ov::Vector m_start;
    int m_eaten = 0;
};
