#pragma once

#include "engine/world/Object.h"

// The common base of every enemy, so that the player and its attack can tell
// an enemy from anything else by its class, whatever its type name.
class EnemyMaster : public ov::Object
{
public:
    EnemyMaster();
};
