#pragma once

#include "engine/core/EventKeyboard.h"
#include "engine/world/Object.h"
#include "engine/world/Vector.h"
#include "game/Startable.h"

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
class Player : public ov::Object, public Startable
{
public:
    static constexpr float JUMP_SPEED = -0.6f;
    static constexpr float WALK_ACCEL = 0.02f;
    static constexpr int ATTACK_COOLDOWN = 40;
    static constexpr int HURT_COOLDOWN = 60;
    static constexpr float FALL_LIMIT = 1040.0f; // below this row the player has fallen out of the level
    static constexpr float FALL_RESET = 1010.0f; // the row it is put back to
    static constexpr float START_HEALTH = 4.0f;
    // The share of the view's width and height the player moves in without moving the view.
    static constexpr float VIEW_SLACK = 0.25f;
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

    void setFinished(bool finished) { m_finished = finished; }
    bool isFinished() const { return m_finished; }
    void setStarted(bool started) override { m_started = started; }
    bool isStarted() const { return m_started; }
    bool inIntro() const { return m_intro; }
    bool hasIntroJumped() const { return m_introJumped; }
    int getIntroCounter() const { return m_introCounter; }
    float getHealth() const { return m_health; }
    int getHurtCooldown() const { return m_hurtCooldown; }

    // Lives shared by every player of the run; each death takes one.
    static int getLives() { return s_lives; }
    // The game never gives lives back; tests use this to try a respawn and
    // to put the count back afterwards.
    static void setLives(int lives) { s_lives = lives; }

protected:
    // Where the walking keys are read; tests hold keys down through it.
    virtual bool isKeyDown(ov::Key key) const;
    // Lets tests start from a player that already has control.
    void setIntro(bool intro) { m_intro = intro; }

private:
    int handleStep();
    int handleKeyboard(const ov::EventKeyboard& event);
    int handleMouse(const ov::EventMouse& event);
    int handleCollision(const ov::EventCollision& event);
    void stepIntro();
    void updateMovement();
    bool hasControl() const { return !m_intro && !m_finished && m_started; }

    int m_attackCooldown = ATTACK_COOLDOWN;
    float m_walkPhase = 0.0f;
    int m_hurtCooldown = HURT_COOLDOWN;
    float m_health = START_HEALTH;
    bool m_intro = true;
    bool m_introJumped = false;
    int m_introCounter = 0;
    bool m_finished = false;
    bool m_finishHandled = false;
    bool m_started = false;

    static int s_lives;
};
