#pragma once

#include "engine/world/Object.h"

// The swing a click launches: follows its player for 20 steps beside it,
// grows and then shrinks its hit area, and destroys every enemy it touches.
class PlayerAttack : public ov::Object
{
public:
    static constexpr int LIFETIME = 20;

    // Enters the world with the sprite of its side.
    PlayerAttack(ov::Object* owner, bool facingLeft, float slope);

    int handleEvent(const ov::Event& event) override;

    int getLifetime() const { return m_lifetime; }
    bool isFacingLeft() const { return m_facingLeft; }
    float getSlope() const { return m_slope; }

private:
    void step();
    void setHitArea(float length, float top, float height);

    int m_lifetime = LIFETIME;
    // Read only while the world still holds it, so an owner deleted before
    // the attack ends is never touched.
    ov::Object* m_owner;
    int m_ownerId;
    bool m_facingLeft;
    float m_slope = 0.0f;
};
