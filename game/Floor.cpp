#include "game/Floor.h"

#include "engine/display/DisplayManager.h"

Floor::Floor(ov::Vector position)
{
    setType("Floor");
    setPosition(position);
}

int Floor::draw()
{
    return ov::DisplayManager::getInstance().drawCh(getPosition(), '-', ov::WHITE);
}
