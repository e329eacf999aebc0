#include "game/EnemyBat.h"

#include "engine/core/Clock.h"
#include "engine/core/Event.h"
#include "engine/world/ObjectListIterator.h"
#include "engine/world/WorldManager.h"
#include "game/GameResources.h"

#include <cmath>
#include <cstdlib>

namespace
{

const int SEEK_INTERVAL = 15;
const float CHASE_RANGE = 32.0f;

} // namespace

EnemyBat::EnemyBat() : m_phase(0.0f), m_seekTimer(SEEK_INTERVAL)
{
    setType("Bat");
    m_phase = static_cast<float>(std::rand() % 1000);
    // Half a cell off each side, a quarter row off top and bottom: only
    // the body, not the wing tips, touches.
    if (setSprite("bat") == 0)
        narrowBox(0.5f, 0.25f, 0.25f);
}

EnemyBat::~EnemyBat()
{
    if (wasKilled())
        playSound("bat_die");
}

void EnemyBat::seekPlayer()
{
    if (--m_seekTimer > 0)
        return;
    m_chasing = false;
    m_chaseVelocity = ov::Vector();
    m_seekTimer = SEEK_INTERVAL;

    ov::ObjectList players = findPlayers();
    ov::ObjectListIterator it(&players);
    for (it.first(); !it.isDone(); it.next())
    {
        Offset offset = offsetFrom(it.currentObject());
        double dx = offset.dx;
        double dy = offset.dy;
        double d = offset.distance;
        if (static_cast<float>(d) < CHASE_RANGE)
        {
            if (d > 0)
            {
                dx /= d;
                dy /= d;
            }
            m_chaseVelocity = ov::Vector(static_cast<float>(-dx * 0.5), static_cast<float>(-dy * 0.25));
            m_chasing = true;
        }
    }
}

int EnemyBat::handleEvent(const ov::Event& event)
{
    if (event.getType() != ov::EVENT_TYPE_STEP)
        return 0;

    // The flight follows the time of day, so every bat flutters even while frozen in place.
    double t = ov::timeOfDayMs();
    double p = m_phase;
    float hx = static_cast<float>(std::sin((t + p) / 310.1) / 10 + std::sin((t + 2 * p) / 500.1) / 10
                                  + std::sin((t + 7 * p) / 221.6) / 20 + std::sin((t + 4 * p) / 104.2) / 20);
    float hy = static_cast<float>(std::sin((t + 1.1 * p) / 580.1) / 12 + std::sin((t + 5 * p) / 377.3) / 12
                                  + std::sin((t + 2 * p) / 202.7) / 20 + std::sin((t + 3 * p) / 82.4) / 10);

    seekPlayer();

    float vx = hx;
    float vy = hy;
    if (m_chasing)
    {
        vx += m_chaseVelocity.x;
        vy += m_chaseVelocity.y;
    }
    setVelocity(ov::Vector(vx / 3, vy / 3));
    return 0;
}
