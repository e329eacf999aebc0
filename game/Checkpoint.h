#pragma once

#include "engine/world/Object.h"

// An invisible strip as tall as the view across a floor. The player walking
// into it builds the next floor, or on the last floor wins the game. It acts once.
class Checkpoint : public ov::Object
{
public:
    // Inserts itself into the world.
    Checkpoint(ov::Vector position, bool isFinal);

    int handleEvent(const ov::Event& event) override;

    bool isReached() const { return m_reached; }
    bool isFinal() const { return m_isFinal; }

private:
    bool m_reached = false;
    bool m_isFinal;
};
