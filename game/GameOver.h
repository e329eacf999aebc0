#pragma once

#include "game/ViewObject.h"

// The closing picture, shown after the player's last death or the win. It
// plays its animation once, lingers 150 steps and then ends the game.
class GameOver : public ov::ViewObject
{
public:
    static constexpr int LINGER_STEPS = 150;

    // Centres itself in the view and enters the world with its sprite.
    GameOver();
    // Ends the game.
    ~GameOver() override;

    int handleEvent(const ov::Event& event) override;
    int draw() override { return ov::Object::draw(); }

    int getTimeToLive() const { return m_timeToLive; }

private:
    int m_timeToLive = 0;
};
