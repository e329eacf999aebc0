#include "game/EnemySlime.h"

#include "engine/core/Event.h"
#include "engine/resources/Animation.h"
#include "engine/world/ObjectListIterator.h"
#include "engine/world/WorldManager.h"
#include "game/GameResources.h"

#include <cmath>
#include <cstdlib>

namespace
{

const int SEEK_INTERVAL = 15;
const float CHASE_RANGE = 20.0f;
const float SOUND_VOLUME = 50.0f;
const float GROUND_FRICTION = 0.8f;

int nextJumpTime()
{
    return (std::rand() % 120) + 90;
}

} // namespace

EnemySlime::EnemySlime() : m_seekTimer(SEEK_INTERVAL)
{
    setType("Slime");
    setGravity(true);
    // The top of the art is its spray: only the lower body touches.
    if (setSprite("slime") == 0)
        narrowBox(0.5f, 1.25f, 0.0f);
}

EnemySlime::~EnemySlime()
{
    if (wasKilled())
        playSound("slime_die", SOUND_VOLUME);
}

void EnemySlime::seekPlayer()
{
    if (--m_seekTimer > 0)
        return;
    m_chasing = false;
    m_drift = 0.0f;
    m_seekTimer = SEEK_INTERVAL;

    ov::ObjectList players = findPlayers();
    ov::ObjectListIterator it(&players);
    for (it.first(); !it.isDone(); it.next())
    {
        Offset offset = offsetFrom(it.currentObject());
        if (static_cast<float>(offset.distance) < CHASE_RANGE)
            m_chasing = true;
        // Even out of reach the slime leans towards the player, ready for the next leap.
        m_drift = offset.dx > 0 ? -0.5f : 0.5f;
    }
}

int EnemySlime::handleEvent(const ov::Event& event)
{
    if (event.getType() != ov::EVENT_TYPE_STEP)
        return 0;

    bool onGround = isOnGround();
    seekPlayer();

    if (!m_chasing)
    {
        // Redrawn every step, so an idle slime never counts down to a leap.
        m_jumpTimer = nextJumpTime();
        if (onGround)
        {
            if (std::rand() % 1000 == 0)
            {
                m_drift = (static_cast<float>(std::rand() % 100) / 100 - 0.5f) * 0.4f;
                int r = std::rand() % 100;
                ov::Vector v = getVelocity();
                setVelocity(ov::Vector(v.x + m_drift, -((static_cast<float>(r) / 100) * 0.05f + 0.4f)));
            }
            setVelocity(getVelocity() * GROUND_FRICTION);
        }
    }
    else if (onGround)
    {
        setVelocity(getVelocity() * GROUND_FRICTION);
        --m_jumpTimer;
    }

    if (m_jumpTimer <= 0)
    {
        playSound("slime_jump", SOUND_VOLUME);
        int r = std::rand() % 100;
        ov::Vector v = getVelocity();
        setVelocity(ov::Vector(v.x + m_drift, -((static_cast<float>(r) / 100) * 0.15f + 0.5f)));
        m_jumpTimer = nextJumpTime();
    }

    animate(onGround);
    return 0;
}

void EnemySlime::animate(bool onGround)
{
    ov::Animation& animation = getAnimation();
    if (!onGround)
    {
        // Airborne: hold the stretched frame.
        animation.setIndex(0);
        animation.setSlowdownCount(-1);
        return;
    }

    int count = animation.getSlowdownCount();
    if (count == -1)
    {
        // Just landed: show the squashed frame.
        animation.setIndex(1);
        count = 16;
        animation.setSlowdownCount(count);
    }
    // Extra counts make the frames change faster as a leap nears and while chasing.
    if (m_jumpTimer < 60)
    {
        count = count + 1 + (count % 2);
        animation.setSlowdownCount(count);
    }
    if (m_chasing)
        animation.setSlowdownCount(count + (count % 2));
}
