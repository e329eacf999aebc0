#include "game/EnemyMaster.h"

EnemyMaster::EnemyMaster()
{
}
