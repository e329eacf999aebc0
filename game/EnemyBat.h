#pragma once

#include "engine/world/Vector.h"
#include "game/EnemyMaster.h"

// Flies a wandering course that follows the wall clock and homes in on a
// player within 32 cells. One touch of the player's attack kills it.
class EnemyBat : public EnemyMaster
{
public:
    // Draws one random number for its phase and enters the world with its sprite.
    EnemyBat();
    ~EnemyBat() override;

    int handleEvent(const ov::Event& event) override;

    float getPhase() const { return m_phase; }
    bool isChasing() const { return m_chasing; }
    ov::Vector getChaseVelocity() const { return m_chaseVelocity; }

private:
    void seekPlayer();

    float m_phase;
    bool m_chasing = false;
    ov::Vector m_chaseVelocity;
    int m_seekTimer;
};
