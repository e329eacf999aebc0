#include "game/EnemyMaster.h"

#include "engine/world/ObjectListIterator.h"
#include "engine/world/WorldManager.h"

#include <cmath>

bool EnemyMaster::discardIfOutsideWorld()
{
    ov::WorldManager& world = ov::WorldManager::getInstance();
    if (world.getSceneGraph().contains(this))
        return false;
    world.markForDelete(this);
    return true;
}

void EnemyMaster::narrowBox(float sides, float top, float bottom)
{
    ov::Box box = getBox();
    box.corner.x += sides;
    box.corner.y += top;
    box.horizontal -= 2.0f * sides;
    box.vertical -= top + bottom;
    setBox(box);
}

bool EnemyMaster::wasKilled() const
{
    return getAnimation().getSprite() && ov::WorldManager::getInstance().getDeletions().contains(this);
}

ov::ObjectList EnemyMaster::findPlayers()
{
    ov::ObjectList players;
    ov::ObjectList objects = ov::WorldManager::getInstance().getSceneGraph().activeObjects();
    ov::ObjectListIterator it(&objects);
    for (it.first(); !it.isDone(); it.next())
        if (it.currentObject()->getType() == "Player")
            players.insert(it.currentObject());
    return players;
}

EnemyMaster::Offset EnemyMaster::offsetFrom(const ov::Object* other) const
{
    ov::Vector mine = getPosition();
    ov::Vector theirs = other->getPosition();
    Offset offset;
    offset.dx = static_cast<double>(mine.x) - theirs.x;
    offset.dy = static_cast<double>(mine.y) - theirs.y;
    offset.distance = std::sqrt(offset.dx * offset.dx + offset.dy * offset.dy);
    return offset;
}
