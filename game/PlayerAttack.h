#pragma once

#include "engine/world/Object.h"

class Player;

// The swing a click launches: follows its player for 20 steps beside it,
// grows and then shrinks its hit area, and destroys every enemy it touches.
class PlayerAttack : public ov::Object
{
public:
    static constexpr int LIFETIME = 20;

    // Enters the world with the sprite of its side.
    PlayerAttack(Player* owner, bool facingLeft, float slope);

    int handleEvent(const ov::Event& event) override;

    int getLifetime() const;
    bool isFacingLeft() const;
    float getSlope() const;

private:
    void step();
    void setHitArea(float length, float top, float height);

    int m_lifetime;
    // The owner is only compared with the world's objects until found there,
    // so an owner deleted before the attack ends is never touched.
    const ov::Object* m_owner;
    int m_ownerId;
    bool m_facingLeft;
    float m_slope;
};
