#include "Hud.h"

#include "Frog.h"

#include "engine/core/EventKeyboard.h"
#include "engine/core/GameManager.h"
#include "engine/display/DisplayManager.h"
#include "engine/world/WorldManager.h"

#include <string>

Hud::Hud(const Frog& frog, int flies) : m_frog(frog), m_flies(flies)
{
    setType("Hud");
    // Takes part in no collision and is always drawn: it has no sprite, only text.
    setCollisionKind(ov::GHOST);
    setAltitude(ov::MAX_ALTITUDE);
    setAlwaysDraw(true);
    ov::WorldManager::getInstance().insertObject(this);
    registerInterest(ov::EVENT_TYPE_KEYBOARD);
}

int Hud::handleEvent(const ov::Event& event)
{
    if (event.getType() == ov::EVENT_TYPE_KEYBOARD)
    {
        const ov::EventKeyboard& keyboard = static_cast<const ov::EventKeyboard&>(event);
        if (keyboard.getKey() != ov::Key::Q || keyboard.getAction() != ov::KeyboardAction::Pressed)
            return 0;
        ov::GameManager::getInstance().setGameOver(true);
        return 1;
    }
    if (event.getType() != ov::EVENT_TYPE_STEP)
        return 0;
    if (m_stepsLeft < 0 && m_frog.getEaten() == m_flies)
    {
        logMessage("", "Every fly eaten.");
        m_stepsLeft = 90; // 3 s to read the news
    }
    if (m_stepsLeft > 0 && --m_stepsLeft == 0)
        ov::GameManager::getInstance().setGameOver(true);
    return 1;
}

int Hud::draw()
{
    // Text is drawn at world positions: the top row of the view, centred.
    const ov::Box view = ov::WorldManager::getInstance().getView();
    const std::string text = m_stepsLeft >= 0
                                 ? "Every fly eaten! Well hopped."
                                 : "Flies " + std::to_string(m_frog.getEaten()) + "/" + std::to_string(m_flies) +
                                       "   A/D walk  Space hop  click: a leaf  Q quit";
    return ov::DisplayManager::getInstance().drawString(
        ov::Vector(view.corner.x + view.horizontal / 2, view.corner.y), text, ov::YELLOW);
}
