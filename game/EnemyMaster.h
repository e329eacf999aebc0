#pragma once

#include "engine/world/ObjectList.h"
#include "engine/world/Object.h"

// The common base of every enemy, so that the player and its attack can tell
// an enemy from anything else by its class, whatever its type name.
class EnemyMaster : public ov::Object
{
public:
    EnemyMaster();

protected:
    // How far this enemy stands from another object, in double precision.
    struct Offset
    {
        double dx;       // this x minus the other's
        double dy;       // this y minus the other's
        double distance; // length of (dx, dy)
    };

    // The players in the world now, taken from a copy of its active objects.
    static ov::ObjectList findPlayers();
    Offset offsetFrom(const ov::Object* other) const;
};
