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

    int getJumpTimer() const { return m_jumpTimer; }
    bool isChasing() const { return m_chasing; }
    float getDrift() const { return m_drift; }

private:
    void seekPlayer();
    void animate(bool onGround);

    int m_jumpTimer = 0;
    bool m_chasing = false;
    float m_drift = 0.0f;
    int m_seekTimer;
};
