#include "game/GameEntry.h"

// The program takes no arguments and always exits with code 0.
int main()
{
    return runGame();
}
