#pragma once

#include "engine/world/Object.h"

class Frog;

// A line of text at the top of the view: the flies eaten and the keys. It
// also ends the game, on Q or a little after the last fly is eaten.
class Hud : public ov::Object
{
public:
    Hud(const Frog& frog, int flies);

    int handleEvent(const ov::Event& event) override;
    int draw() override;

private:
    const Frog& m_frog;
    int m_flies;
    int m_stepsLeft = -1; // counting down to the end once every fly is eaten
};
