#include "Frog.h"

#include "Fly.h"

#include "engine/core/EventKeyboard.h"
#include "engine/core/EventOut.h"
#include "engine/resources/ResourceManager.h"
#include "engine/resources/Sound.h"

namespace
{

const float WALK_SPEED = 0.5f; // cells a step
const float HOP_SPEED = -0.9f; // upwards: rows grow downwards

} // namespace

Frog::Frog(ov::Vector start) : m_start(start)
{
    setType("Frog");
    setGravity(true);
    setAltitude(2);
    setSprite("frog");
    setPosition(start);
    registerInterest(ov::EVENT_TYPE_KEYBOARD);
}

int Frog::handleEvent(const ov::Event& event)
{
    if (event.getType() == ov::EVENT_TYPE_OUT)
    {
        // Only the world's edge matters: leaving the view is the view's business.
        if (!static_cast<const ov::EventOut&>(event).getOutOfWorld())
            return 0;
        logMessage("", "Fell into the pond.");
        setVelocity(ov::Vector());
        setPosition(m_start);
        return 1;
    }
    if (event.getType() != ov::EVENT_TYPE_KEYBOARD)
        return 0;
    const ov::EventKeyboard& keyboard = static_cast<const ov::EventKeyboard&>(event);
    const ov::Vector velocity = getVelocity();
    if (keyboard.getAction() == ov::KeyboardAction::Held &&
        (keyboard.getKey() == ov::Key::A || keyboard.getKey() == ov::Key::D))
    {
        setVelocity(ov::Vector(keyboard.getKey() == ov::Key::A ? -WALK_SPEED : WALK_SPEED, velocity.y));
        return 1;
    }
    if (keyboard.getAction() == ov::KeyboardAction::Released &&
        (keyboard.getKey() == ov::Key::A || keyboard.getKey() == ov::Key::D))
    {
        setVelocity(ov::Vector(0, velocity.y));
        return 1;
    }
    if (keyboard.getKey() == ov::Key::Space && keyboard.getAction() == ov::KeyboardAction::Pressed && isOnGround())
    {
        setVelocity(ov::Vector(velocity.x, HOP_SPEED));
        return 1;
    }
    return 0;
}

void Frog::eat(Fly& fly)
{
    ++m_eaten;
    logMessage("", "Ate fly %d, %d so far.", fly.getId(), m_eaten);
    if (ov::Sound* gulp = ov::ResourceManager::getInstance().getSound("gulp"))
        gulp->play(false);
}
