#include "game/FloorManager.h"

#include "engine/core/Clock.h"
#include "engine/world/WorldManager.h"
#include "game/Checkpoint.h"
#include "game/EnemyBat.h"
#include "game/EnemySlime.h"
#include "game/Floor.h"
#include "game/GameOver.h"
#include "game/Player.h"
#include "game/StartMenu.h"
#include "game/Wall.h"

#include <algorithm>
#include <cstdlib>

namespace
{

const int FIRST_COLUMN = -4;
const int LAST_COLUMN = 99;
const int FLOOR_WIDTH = 100;
const int CHECKPOINT_COLUMN = 50;
const int ENEMY_QUOTA = 5;
const int ROOF_WIDTH = 100;
const int LEFT_SHAFT_WALL = 5;
const int RIGHT_SHAFT_WALL = 25;
const int FIRST_BOUNDARY_WIDTH = 110;
const int START_COLUMN = 95;
const int START_ROWS_ABOVE_BASE = 252; // two rows above the roof
// The player's box is as tall as its figure, so at the start row it would lie
// exactly on the roof. Boxes that touch collide, and the engine then refuses
// every sideways step: the player could not walk. It starts resting a hair
// above the roof instead, as it does after any landing.
const float START_CLEARANCE = 0.001f;

// The level's seeds are 32-bit sums and products that wrap around; computed
// unsigned, since signed overflow is undefined, with the same bits.
unsigned int wrapSum(int a, int b)
{
    return static_cast<unsigned int>(a) + static_cast<unsigned int>(b);
}

unsigned int wrapProduct(unsigned int a, int b, int c)
{
    return a * static_cast<unsigned int>(b) * static_cast<unsigned int>(c);
}

} // namespace

FloorManager& FloorManager::getInstance()
{
    static FloorManager instance;
    return instance;
}

FloorManager::FloorManager() : m_seed(ov::randomSeed())
{
    setType("FloorManager");
}

int FloorManager::start()
{
    setStarted(true);
    logMessage("", "Started.");
    if (createFloor() != 0)
    {
        stop();
        logMessage("ERROR", "Error creating foor.");
        return -1;
    }
    return 0;
}

void FloorManager::addFloorTile(int x, int y)
{
    ov::WorldManager::getInstance().insertObject(
        new Floor(ov::Vector(static_cast<float>(x), static_cast<float>(y))));
}

int FloorManager::createFloor()
{
    ov::WorldManager& world = ov::WorldManager::getInstance();
    const int n = m_floorCount;
    const int base = m_baseHeight;
    int g = m_groundOffset;

    std::srand(wrapSum(m_seed, n + 1));
    // The chance that an enemy of this floor is a slime rather than a bat.
    float chance = static_cast<float>(static_cast<double>(std::rand() % 10) / 10);
    // The modulus is 1 for every floor, but the draw still moves the sequence on.
    int quota = ENEMY_QUOTA + (std::rand() % std::max(1, -5 * n));
    const int spacing = FLOOR_WIDTH / quota;

    ov::Box view = world.getView();
    ov::Box boundary = world.getBoundary();
    int mark = 0;
    int placed = 0;

    for (int i = FIRST_COLUMN; i <= LAST_COLUMN; ++i)
    {
        const int x = n * FLOOR_WIDTH + 10 + i;

        if (n == m_lastFloor)
        {
            // The last floor is flat and empty.
            addFloorTile(x, base + 20 + g);
            if (i == CHECKPOINT_COLUMN)
                mark = g;
            continue;
        }

        // Reseeding per column ties the ground to the seed, the floor and the column.
        int m = std::rand() % 50;
        std::srand(wrapProduct(wrapSum(m_seed, n + 1), i + 2, m));

        if (i % m_stepInterval == 0)
        {
            int r = (std::rand() % 200) - 100;
            if (std::abs(r) >= 100 - m_roughness)
            {
                if (r < 0)
                    --g;
                // The ground never sinks below where it started.
                else if (g < 0 && -g + 20 < base)
                    ++g;
            }
        }

        addFloorTile(x, base + 20 + g);
        if (i == CHECKPOINT_COLUMN)
            mark = g;

        bool enemyHere = (placed < quota && n > 0 && i % spacing == 0) || (n == 0 && i > 25 && i % spacing == 0);
        if (enemyHere)
        {
            float u = static_cast<float>(static_cast<double>(std::rand() % 10) / 10);
            if (chance > u)
            {
                EnemySlime* slime = new EnemySlime;
                slime->setPosition(ov::Vector(static_cast<float>(x), static_cast<float>(base + 20 + g - 4)));
                slime->discardIfOutsideWorld();
            }
            else
            {
                EnemyBat* bat = new EnemyBat;
                bat->setPosition(ov::Vector(static_cast<float>(x), static_cast<float>(base + 20 + g - 6)));
                bat->discardIfOutsideWorld();
            }
            ++placed;
            continue;
        }

        if (!m_player && i == 0)
            setUpFirstFloor(boundary);
    }

    m_groundOffset = g;
    m_previousCheckpoint = m_checkpoint;
    m_checkpoint = new Checkpoint(
        ov::Vector(static_cast<float>(n * FLOOR_WIDTH + CHECKPOINT_COLUMN), static_cast<float>(base + 18 + mark)),
        n == m_lastFloor);
    m_floorCount = n + 1;

    ov::Box grown(boundary.corner, boundary.horizontal + (m_floorCount > 1 ? FLOOR_WIDTH : 0), boundary.vertical);
    grown.horizontal = std::max(grown.horizontal, view.horizontal);
    grown.vertical = std::max(grown.vertical, view.vertical);
    world.setBoundary(grown);
    return 0;
}

void FloorManager::setUpFirstFloor(ov::Box& boundary)
{
    ov::WorldManager& world = ov::WorldManager::getInstance();
    const int base = m_baseHeight;

    boundary = ov::Box(ov::Vector(0.0f, 0.0f), static_cast<float>(FIRST_BOUNDARY_WIDTH),
                       static_cast<float>(base) + world.getView().vertical);
    world.setBoundary(boundary);

    // The roof with the shaft's mouth between the walls at columns 5 and 25.
    for (int c = 0; c < ROOF_WIDTH; ++c)
    {
        if (c == LEFT_SHAFT_WALL)
        {
            for (int k = base - 249; k <= base + 19; ++k)
                world.insertObject(new Wall(ov::Vector(static_cast<float>(c), static_cast<float>(k))));
        }
        else if (c == RIGHT_SHAFT_WALL)
        {
            // Stops 20 rows short of the ground: the way into the dungeon.
            for (int k = base - 249; k <= base - 1; ++k)
                world.insertObject(new Wall(ov::Vector(static_cast<float>(c), static_cast<float>(k))));
        }
        else if (c < LEFT_SHAFT_WALL || c > RIGHT_SHAFT_WALL)
        {
            addFloorTile(c, base - 250);
        }
    }

    m_player = new Player;
    m_player->setPosition(getStartPosition());
    // The roof row sits near the middle of the screen.
    world.setViewPosition(ov::Vector(0.0f, static_cast<float>(base - START_ROWS_ABOVE_BASE) - 4.5f));
    m_startMenu = new StartMenu(m_player);
    m_startMenuId = m_startMenu->getId();
}

void FloorManager::winGame(ov::Object* player)
{
    if (Player* winner = dynamic_cast<Player*>(player))
        winner->setFinished(true);
    new GameOver;
}

void FloorManager::respawnPlayer()
{
    // Without a checkpoint reached yet, the player starts over where it first stood.
    ov::Vector place = getStartPosition();
    if (m_previousCheckpoint)
        place = m_previousCheckpoint->getPosition() - ov::Vector(0.0f, 3.0f);

    m_player = new Player;
    m_player->setPosition(place);
    m_player->setVelocity(ov::Vector(0.5f, 0.0f));
    ov::WorldManager& world = ov::WorldManager::getInstance();
    world.setViewFollowing(m_player);
    world.setViewSlack(ov::Vector(Player::VIEW_SLACK, Player::VIEW_SLACK));
    if (world.holds(m_startMenu, m_startMenuId))
        m_startMenu->setPlayer(m_player);
}

void FloorManager::reset()
{
    m_floorCount = 0;
    m_groundOffset = 0;
    m_player = nullptr;
    m_checkpoint = nullptr;
    m_previousCheckpoint = nullptr;
    m_startMenu = nullptr;
}

ov::Vector FloorManager::getStartPosition() const
{
    return ov::Vector(static_cast<float>(START_COLUMN),
                      static_cast<float>(m_baseHeight - START_ROWS_ABOVE_BASE) - START_CLEARANCE);
}
