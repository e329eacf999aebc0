#include "game/StartMenu.h"

#include "engine/core/EventKeyboard.h"
#include "engine/world/WorldManager.h"

StartMenu::StartMenu(ov::Object* player)
{
    setType("StartMenu");
    ov::Box view = ov::WorldManager::getInstance().getView();
    setPosition(ov::Vector(view.corner.x + view.horizontal * 0.5f, view.corner.y + view.vertical * 0.5f));
    setSprite("startmenu");
    setPlayer(player);
    registerInterest(ov::EVENT_TYPE_KEYBOARD);
}

void StartMenu::setPlayer(ov::Object* player)
{
    m_player = player;
    m_playerId = player ? player->getId() : -1;
}

int StartMenu::handleEvent(const ov::Event& event)
{
    if (event.getType() != ov::EVENT_TYPE_KEYBOARD
        || static_cast<const ov::EventKeyboard&>(event).getKey() != ov::Key::Space)
        return 0;
    if (!ov::WorldManager::getInstance().holds(m_player, m_playerId))
        return 0;
    Startable* player = dynamic_cast<Startable*>(m_player);
    if (!player)
        return 0;
    player->setStarted(true);
    return 1;
}
