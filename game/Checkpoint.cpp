#include "game/Checkpoint.h"

#include "engine/core/EventCollision.h"
#include "engine/display/DisplayManager.h"
#include "engine/world/WorldManager.h"
#include "game/FloorManager.h"

Checkpoint::Checkpoint(ov::Vector position, bool isFinal) : m_isFinal(isFinal)
{
    setType("Checkpoint");
    // Soft: the player runs through it and still reports the touch.
    setCollisionKind(ov::SOFT);
    setPosition(position);
    float rows = static_cast<float>(ov::DisplayManager::getInstance().getHeightCells());
    setBox(ov::Box(ov::Vector(-0.5f, -rows * 0.5f), 1.0f, rows));
    ov::WorldManager::getInstance().insertObject(this);
    registerInterest(ov::EVENT_TYPE_COLLISION);
}

int Checkpoint::handleEvent(const ov::Event& event)
{
    if (m_reached || event.getType() != ov::EVENT_TYPE_COLLISION)
        return 0;
    ov::Object* mover = static_cast<const ov::EventCollision&>(event).getObject1();
    if (!mover || mover->getType() != "Player")
        return 0;

    m_reached = true;
    FloorManager& floors = FloorManager::getInstance();
    if (m_isFinal)
        floors.winGame(mover);
    else
        floors.createFloor();
    return 1;
}
