#include "game/GameOver.h"

#include "engine/core/Event.h"
#include "engine/core/GameManager.h"
#include "engine/resources/Sprite.h"
#include "engine/world/WorldManager.h"

GameOver::GameOver()
{
    setType("GameOver");
    ov::WorldManager& world = ov::WorldManager::getInstance();
    ov::Box view = world.getView();
    setPosition(ov::Vector(view.corner.x + view.horizontal * 0.5f, view.corner.y + view.vertical * 0.5f));
    registerInterest(ov::EVENT_TYPE_STEP);

    if (setSprite("gameover") == 0)
    {
        const ov::Sprite* sprite = getAnimation().getSprite();
        m_timeToLive = sprite->getSlowdown() * sprite->getMaxFrameCount() + LINGER_STEPS;
        return;
    }

    // Without its picture the screen never enters the world and would never
    // count down: end the game now rather than leave it running with no way out but Q.
    ov::GameManager::getInstance().setGameOver(true);
    world.markForDelete(this);
}

GameOver::~GameOver()
{
    ov::GameManager::getInstance().setGameOver(true);
}

int GameOver::handleEvent(const ov::Event& event)
{
    if (event.getType() != ov::EVENT_TYPE_STEP)
        return 0;

    --m_timeToLive;
    ov::WorldManager& world = ov::WorldManager::getInstance();
    if (m_timeToLive < 1 && !world.getDeletions().contains(this))
        world.markForDelete(this);
    return 1;
}
