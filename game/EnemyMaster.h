#pragma once

#include "engine/world/ObjectList.h"
#include "engine/world/Object.h"

// The common base of every enemy, so that the player and its attack can tell
// an enemy from anything else by its class, whatever its type name.
class EnemyMaster : public ov::Object
{
public:
    // Above the level pieces (altitude 0): the world draws lower altitudes
    // first, so a step built after an enemy does not hide it.
    static constexpr int ALTITUDE = 1;

    EnemyMaster() { setAltitude(ALTITUDE); }

    // An enemy whose sprite is missing never enters the world, and only the
    // world deletes objects: hand such an enemy to the world's deletions so it
    // does not outlive the level. Returns true when it did.
    bool discardIfOutsideWorld();

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
    // Narrows the box from its sprite: by `sides` on the left and on the right,
    // by `top` at the top and `bottom` at the bottom, so only the body touches.
    void narrowBox(float sides, float top, float bottom);
    // Whether the enemy, being destroyed, was killed: shown, and marked for
    // deletion (by an attack) rather than taken away with the whole world
    // when the game ends. Only a killed enemy plays its death sound.
    bool wasKilled() const;
    Offset offsetFrom(const ov::Object* other) const;
};
