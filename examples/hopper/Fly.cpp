#include "Fly.h"

#include "Frog.h"

#include "engine/core/EventCollision.h"
#include "engine/core/EventStep.h"
#include "engine/world/WorldManager.h"

#include <cmath>

Fly::Fly(ov::Vector position) : m_home(position)
{
    setType("Fly");
    setCollisionKind(ov::SOFT);
    setAltitude(3);
    setSprite("fly");
    setPosition(position);
}

int Fly::handleEvent(const ov::Event& event)
{
    // Every object near the view hears each frame's step.
    if (event.getType() == ov::EVENT_TYPE_STEP)
    {
        // Circles its home, a cell or two across, a turn every 2 s (60 steps).
        ++m_steps;
        const float angle = static_cast<float>(m_steps) * 6.2832f / 60.0f;
        setPosition(ov::Vector(m_home.x + 2.0f * std::cos(angle), m_home.y + std::sin(angle)));
        return 1;
    }
    if (event.getType() == ov::EVENT_TYPE_COLLISION)
    {
        const ov::EventCollision& collision = static_cast<const ov::EventCollision&>(event);
        Frog* frog = dynamic_cast<Frog*>(collision.getObject1() == this ? collision.getObject2() : collision.getObject1());
        if (!frog)
            return 0;
        frog->eat(*this);
        ov::WorldManager::getInstance().markForDelete(this);
        return 1;
    }
    return 0;
}
