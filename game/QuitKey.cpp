#include "game/QuitKey.h"

#include "engine/core/Event.h"
#include "engine/core/EventKeyboard.h"
#include "engine/core/GameManager.h"
#include "engine/world/WorldManager.h"

QuitKey::QuitKey()
{
    setType("QuitKey");
    setCollisionKind(ov::GHOST);
    setGravity(false);
    ov::WorldManager::getInstance().insertObject(this);
    registerInterest(ov::EVENT_TYPE_KEYBOARD);
}

int QuitKey::handleEvent(const ov::Event& event)
{
    if (event.getType() != ov::EVENT_TYPE_KEYBOARD)
        return 0;
    const ov::EventKeyboard& keyboard = static_cast<const ov::EventKeyboard&>(event);
    if (keyboard.getKey() != ov::Key::Q || keyboard.getAction() != ov::KeyboardAction::Pressed)
        return 0;
    ov::GameManager::getInstance().setGameOver(true);
    return 1;
}
