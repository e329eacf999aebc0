#include "game/Checkpoint.h"

#include "engine/core/EventCollision.h"
#include "engine/display/DisplayManager.h"
#include "engine/world/WorldManager.h"
#include "game/FloorManager.h"
#include "game/GameOver.h"
#include "game/Player.h"

Checkpoint::Checkpoint(ov::Vector position, bool isFinal)
    : m_reached(false)
    , m_isFinal(isFinal)
{
    setType("Checkpoint");
    // Soft: the player runs through it and still reports the touch.
    setCollisionKind(ov::SOFT);
    setPosition(position);
    float rows = static_cast<float>(ov::DisplayManager::getInstance().getHeightCells());
    setBox(ov::Box(ov::Vector(-0.5f, -rows * 0.5f), 1.0f, rows));
    m_reached = false;
    m_isFinal = isFinal;
    ov::WorldManager::getInstance().insertObject(this);
    registerInterest(ov::EVENT_TYPE_COLLISION);
}

int Checkpoint::handleEvent(const ov::Event& event)
{
    if (m_reached)
        return 0;
    if (event.getType() != ov::EVENT_TYPE_COLLISION)
        return 0;

    const ov::EventCollision& collision = static_cast<const ov::EventCollision&>(event);
    ov::Object* mover = collision.getObject1();
    if (!mover || mover->getType() != "Player")
        return 0;
    Player* player = dynamic_cast<Player*>(mover);
    if (!player)
        return 0;

    m_reached = true;
    if (m_isFinal)
    {
        player->setFinished(true);
        new GameOver;
    }
    else
    {
        FloorManager::getInstance().createFloor();
    }
    return 1;
}

bool Checkpoint::isReached() const
{
    return m_reached;
}

bool Checkpoint::isFinal() const
{
    return m_isFinal;
}
