#pragma once

#include "game/EnemyMaster.h"

// Sits on the ground, now and then hops, and once a player comes within 20
// cells leaps at it every 90 to 209 grounded steps. One touch of the player's
// attack kills it.
class EnemySlime : public EnemyMaster
{
public:
    // Enters the world with its sprite.
    EnemySlime();
    ~EnemySlime() override;

    int handleEvent(const ov::Event& event) override;

    int getJumpTimer() const;
    bool isChasing() const;
    float getDrift() const;
    int getSeekTimer() const;

private:
    void seekPlayer();
    void animate(bool onGround);

    int m_jumpTimer;
    bool m_chasing;
    float m_drift;
    int m_seekTimer;
};
