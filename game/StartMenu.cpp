#include "game/StartMenu.h"

#include "engine/core/EventKeyboard.h"
#include "engine/world/WorldManager.h"
#include "game/FloorManager.h"
#include "game/Player.h"

StartMenu::StartMenu(Player* player)
    : m_player(player)
    , m_playerId(player ? player->getId() : -1)
{
    setType("StartMenu");
    ov::Box view = ov::WorldManager::getInstance().getView();
    setPosition(ov::Vector(view.corner.x + view.horizontal * 0.5f, view.corner.y + view.vertical * 0.5f));
    setSprite("startmenu");
    registerInterest(ov::EVENT_TYPE_KEYBOARD);
}

int StartMenu::handleEvent(const ov::Event& event)
{
    if (event.getType() != ov::EVENT_TYPE_KEYBOARD)
        return 0;
    const ov::EventKeyboard& keyboard = static_cast<const ov::EventKeyboard&>(event);
    if (keyboard.getKey() != ov::Key::Space)
        return 0;

    Player* player = Player::findInWorld(m_player);
    if (player && player->getId() != m_playerId)
        player = nullptr;
    // A player that respawned replaces the one this screen was made for.
    if (!player)
        player = Player::findInWorld(FloorManager::getInstance().getPlayer());
    if (!player)
        return 0;
    player->setStarted(true);
    return 1;
}

int StartMenu::draw()
{
    return ov::Object::draw();
}
