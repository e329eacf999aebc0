#include "game/Player.h"

#include "engine/core/EventCollision.h"
#include "engine/core/EventKeyboard.h"
#include "engine/core/EventMouse.h"
#include "engine/core/GameManager.h"
#include "engine/display/DisplayManager.h"
#include "engine/display/InputManager.h"
#include "engine/resources/ResourceManager.h"
#include "engine/world/WorldManager.h"
#include "game/EnemyMaster.h"
#include "game/FloorManager.h"
#include "game/GameOver.h"
#include "game/GameResources.h"
#include "game/PlayerAttack.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

int Player::s_lives = 1;

namespace
{

// Steps of the introduction script.
const int INTRO_WALK_LEFT_END = 225;  // walks left off the roof until here
const int INTRO_WAIT = 294;           // waits here for the start key
const int INTRO_JUMP = 295;
const int INTRO_SECOND_WALK_END = 354;
const int INTRO_STAND_END = 360;
const int INTRO_FOLLOW = 420;         // the view starts following the player

const float SOUND_VOLUME = 50.0f;

} // namespace

Player::Player()
{
    setType("Player");
    setGravity(true);
    setAltitude(ALTITUDE);
    m_health = START_HEALTH;
    registerInterest(ov::EVENT_TYPE_STEP);
    registerInterest(ov::EVENT_TYPE_COLLISION);
    registerInterest(ov::EVENT_TYPE_KEYBOARD);
    registerInterest(ov::EVENT_TYPE_MOUSE);
    // The bounds sprite is all transparent: it only gives the player its box.
    setSprite("player-bounds");
}

int Player::handleEvent(const ov::Event& event)
{
    const std::string& type = event.getType();
    if (type == ov::EVENT_TYPE_STEP)
        return handleStep();
    if (type == ov::EVENT_TYPE_KEYBOARD)
        return handleKeyboard(static_cast<const ov::EventKeyboard&>(event));
    if (type == ov::EVENT_TYPE_MOUSE)
        return handleMouse(static_cast<const ov::EventMouse&>(event));
    if (type == ov::EVENT_TYPE_COLLISION)
        return handleCollision(static_cast<const ov::EventCollision&>(event));
    return 0;
}

int Player::handleStep()
{
    if (m_attackCooldown > 0)
        --m_attackCooldown;
    if (m_hurtCooldown > 0)
        --m_hurtCooldown;

    if (m_finished)
    {
        if (!m_finishHandled)
        {
            // The view stays where the win happened while the player walks away.
            m_finishHandled = true;
            ov::WorldManager::getInstance().setViewFollowing(nullptr);
        }
    }
    else if (m_intro)
    {
        stepIntro();
    }

    ov::Vector position = getPosition();
    if (position.y > FALL_LIMIT)
    {
        hurt(1.0f, position);
        m_hurtCooldown = HURT_COOLDOWN;
        setPosition(ov::Vector(position.x, FALL_RESET));
        setVelocity(ov::Vector(0.1f, -0.25f));
    }

    updateMovement();
    return 1;
}

void Player::stepIntro()
{
    int c = ++m_introCounter;
    if (c == INTRO_JUMP)
    {
        if (!m_started)
        {
            m_introCounter = INTRO_WAIT;
        }
        else
        {
            setVelocity(ov::Vector(getVelocity().x, JUMP_SPEED));
            playSound("jump");
            m_introJumped = true;
        }
    }
    else if (c == INTRO_FOLLOW)
    {
        ov::WorldManager& world = ov::WorldManager::getInstance();
        world.setViewFollowing(this);
        world.setViewSlack(ov::Vector(VIEW_SLACK, VIEW_SLACK));
    }
    else if (c > INTRO_FOLLOW)
    {
        if (m_introJumped && isOnGround())
            m_intro = false;
    }
}

void Player::updateMovement()
{
    ov::Vector velocity = getVelocity();
    float vx = velocity.x;
    float vy = velocity.y;

    bool left = false;
    bool right = false;
    if (m_intro)
    {
        int c = m_introCounter;
        if (c < INTRO_WALK_LEFT_END)
            left = true;
        else if (c > INTRO_WAIT && c < INTRO_SECOND_WALK_END)
            left = true;
        else if (c > INTRO_STAND_END)
        {
            if (c % 120 < 60)
                right = true;
            else
                left = true;
        }
    }
    else if (m_finished)
    {
        right = true;
    }
    else if (m_started)
    {
        left = isKeyDown(ov::Key::A);
        right = isKeyDown(ov::Key::D);
    }

    bool onGround = isOnGround();
    float a = (right ? WALK_ACCEL : 0.0f) + (left ? -WALK_ACCEL : 0.0f);

    if (!left && !right)
        vx *= onGround ? 0.85f : 0.98f;
    // Turning round bites harder than speeding up.
    if ((vx > 0 && a < 0) || (vx < 0 && a > 0))
        a *= onGround ? 3.0f : 2.0f;
    // Pushing on pulls the speed towards 0.5 and brakes above it.
    if ((vx > 0 && a > 0) || (vx < 0 && a < 0))
        a += (0.5f - std::fabs(vx)) / (onGround ? 20.0f : 40.0f) * (vx < 0 ? -1.0f : 1.0f);

    setVelocity(ov::Vector((vx + a) * 0.98f, vy * 0.99f));
}

int Player::handleKeyboard(const ov::EventKeyboard& event)
{
    ov::Key key = event.getKey();
    ov::KeyboardAction action = event.getAction();

    if (key == ov::Key::Q && action == ov::KeyboardAction::Pressed)
    {
        ov::GameManager::getInstance().setGameOver(true);
        return 1;
    }
    if (!hasControl() || key != ov::Key::Space)
        return 0;

    if (action == ov::KeyboardAction::Pressed)
    {
        if (isOnGround())
        {
            setVelocity(ov::Vector(getVelocity().x, JUMP_SPEED));
            playSound("jump", SOUND_VOLUME);
        }
        return 1;
    }
    if (action == ov::KeyboardAction::Released)
    {
        // Letting go early cuts the jump short.
        ov::Vector velocity = getVelocity();
        if (velocity.y < 0)
            setVelocity(ov::Vector(velocity.x, velocity.y / 2));
        return 1;
    }
    return 0;
}

int Player::handleMouse(const ov::EventMouse& event)
{
    if (!hasControl())
        return 0;
    if (m_attackCooldown != 0 || event.getAction() != ov::MouseAction::Clicked
        || event.getButton() != ov::MouseButton::Left)
        return 0;

    m_attackCooldown = ATTACK_COOLDOWN;

    ov::DisplayManager& display = ov::DisplayManager::getInstance();
    ov::Box view = ov::WorldManager::getInstance().getView();
    ov::Vector position = getPosition();
    float px = (position.x - view.corner.x) * display.getCellWidth();
    float py = (position.y - view.corner.y) * display.getCellHeight();
    ov::Vector mouse = event.getPosition();
    float dx = mouse.x - px;
    float dy = mouse.y - py;

    bool facingLeft = dx < 0;
    float slope = std::max(-0.25f, std::min(0.25f, dy / 150));

    PlayerAttack* attack = new PlayerAttack(this, facingLeft, slope);
    attack->setPosition(ov::Vector(position.x, position.y + slope - 0.5f));
    playSound("hit", SOUND_VOLUME);
    return 0;
}

int Player::handleCollision(const ov::EventCollision& event)
{
    ov::Object* enemy = dynamic_cast<EnemyMaster*>(event.getObject1());
    if (!enemy)
        enemy = dynamic_cast<EnemyMaster*>(event.getObject2());
    if (!enemy)
        return 0;
    hurt(1.0f, enemy->getPosition());
    return 0;
}

void Player::hurt(float damage, ov::Vector source)
{
    if (m_hurtCooldown > 0)
        return;

    ov::Vector before = getVelocity();
    playSound("hurt");
    m_health -= damage;
    if (m_health <= 0)
    {
        m_health = 0;
        die();
    }
    m_hurtCooldown = HURT_COOLDOWN;

    // Knocked away from the source and up, also by the fatal hit.
    float k = static_cast<float>(std::rand() % 100) / 100 * 0.15f + 0.4f;
    float sign = source.x > getPosition().x ? -1.0f : 1.0f;
    setVelocity(ov::Vector(sign * k + before.x, before.y - 0.35f));
}

void Player::die()
{
    ov::WorldManager& world = ov::WorldManager::getInstance();
    setVelocity(ov::Vector());
    world.setViewFollowing(nullptr);
    world.markForDelete(this);

    --s_lives;
    if (s_lives > 0)
    {
        FloorManager::getInstance().respawnPlayer();
        return;
    }

    playSound("gameover", SOUND_VOLUME);
    // The music plays on, slowed down and deeper.
    setMusicVolume("bgMusic", 30.0f);
    setMusicPitch("bgMusic", 0.2f);
    new GameOver;
}

int Player::draw()
{
    ov::ResourceManager& resources = ov::ResourceManager::getInstance();
    ov::Vector position = getPosition();

    // Blinks while invulnerable.
    bool hidden = m_hurtCooldown % 6 == 5;

    ov::Sprite* body = resources.getSprite("player-idle-body");
    if (!hidden && body && body->getFrameCount() > 0)
        body->draw(0, ov::Vector(position.x - 1, position.y - 1));

    int legFrame = m_walkPhase > 0.5f ? 1 : 0;
    if (isOnGround())
    {
        float speed = std::fabs(getVelocity().x);
        if (speed < 0.1f)
        {
            legFrame = 1;
            m_walkPhase = 0.0f;
        }
        else
        {
            m_walkPhase += speed / 3;
            while (m_walkPhase > 1.0f)
                m_walkPhase -= 1.0f;
        }
    }
    else
    {
        legFrame = 0;
    }

    ov::Sprite* legs = resources.getSprite("player-walk");
    if (!hidden && legs && legFrame < legs->getFrameCount())
        legs->draw(legFrame, ov::Vector(position.x - 1, position.y + 1.2f));

    return ov::Object::draw();
}

bool Player::isKeyDown(ov::Key key) const
{
    return ov::InputManager::getInstance().isKeyDown(key);
}
