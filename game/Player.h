#pragma once

#include "engine/core/EventKeyboard.h"
#include "engine/world/Object.h"
#include "engine/world/Vector.h"

namespace ov
{
class EventCollision;
class EventKeyboard;
class EventMouse;
}

// The character the user controls: walks with momentum, jumps higher the
// longer the key is held, attacks towards the pointer, takes damage with
// knock-back and a spell of invulnerability, and dies. A scripted
// introduction runs first; after the final checkpoint it walks off alone.
class Player : public ov::Object
{
public:
    static constexpr float JUMP_SPEED = -0.6f;
    static constexpr float WALK_ACCEL = 0.02f;
    static constexpr int ATTACK_COOLDOWN = 40;
    static constexpr int HURT_COOLDOWN = 60;
    static constexpr float FALL_LIMIT = 1040.0f; // below this row the player has fallen out of the level
    static constexpr float FALL_RESET = 1010.0f; // the row it is put back to
    static constexpr float START_HEALTH = 4.0f;
    // Above the level pieces and the attack (altitude 0): the world draws
    // lower altitudes first, so neither the ground nor a swing hides it.
    static constexpr int ALTITUDE = 1;

    // Registers for its events and enters the world with its bounds sprite.
    Player();

    int handleEvent(const ov::Event& event) override;
    int draw() override;

    // Damage from something at the source; ignored while invulnerable.
    void hurt(float damage, ov::Vector source);
    void die();

    void setFinished(bool finished);
    bool isFinished() const;
    void setStarted(bool started);
    bool isStarted() const;
    bool inIntro() const;
    bool hasIntroJumped() const;
    int getIntroCounter() const;
    float getHealth() const;
    int getAttackCooldown() const;
    int getHurtCooldown() const;
    float getWalkPhase() const;

    // Lives shared by every player of the run; each death takes one.
    static int getLives();
    // The game never gives lives back; tests use this to try a respawn and
    // to put the count back afterwards.
    static void setLives(int lives);

    // The player with this identity while it is still in the world, else none.
    // Holders of a player use it instead of keeping a pointer that may dangle.
    static Player* findInWorld(const ov::Object* object);

protected:
    // Where the walking keys are read; tests hold keys down through it.
    virtual bool isKeyDown(ov::Key key) const;
    // Lets tests start from a player that already has control.
    void setIntro(bool intro);

private:
    int handleStep();
    int handleKeyboard(const ov::EventKeyboard& event);
    int handleMouse(const ov::EventMouse& event);
    int handleCollision(const ov::EventCollision& event);
    void stepIntro();
    void updateMovement();
    bool hasControl() const;

    int m_attackCooldown;
    float m_walkPhase;
    int m_hurtCooldown;
    float m_health;
    bool m_intro;
    bool m_introJumped;
    int m_introCounter;
    bool m_finished;
    bool m_finishHandled;
    bool m_started;

    static int s_lives;
};
