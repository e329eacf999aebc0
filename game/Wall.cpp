#include "game/Wall.h"

#include "engine/display/DisplayManager.h"

Wall::Wall(ov::Vector position)
{
    setType("Wall");
    setPosition(position);
}

int Wall::draw()
{
    return ov::DisplayManager::getInstance().drawCh(getPosition(), '|', ov::WHITE);
}
