#include "GameTestSupport.h"

#include "engine/core/EventCollision.h"
#include "engine/world/ObjectListIterator.h"
#include "engine/resources/ResourceManager.h"
#include "engine/world/WorldManager.h"
#include "game/Checkpoint.h"
#include "game/EnemyBat.h"
#include "game/FloorManager.h"
#include "game/Player.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>
#include <vector>

using gametest::GameTest;

namespace
{

const int BASE = 1000;
const int COLUMNS_PER_FLOOR = 104;

struct Piece
{
    std::string type;
    float x;
    float y;
    bool operator==(const Piece& other) const
    {
        return std::tie(type, x, y) == std::tie(other.type, other.x, other.y);
    }
};

// Builds the first floor as the game loop does and then every further floor.
void buildLevel(int seed, int floors = 6)
{
    FloorManager& manager = FloorManager::getInstance();
    manager.setSeed(seed);
    ASSERT_EQ(0, manager.start());
    for (int n = 1; n < floors; ++n)
        ASSERT_EQ(0, manager.createFloor());
}

std::vector<Piece> snapshot()
{
    std::vector<Piece> pieces;
    ov::ObjectList all = ov::WorldManager::getInstance().getAllObjects();
    ov::ObjectListIterator it(&all);
    for (it.first(); !it.isDone(); it.next())
        pieces.push_back({it.currentObject()->getType(), it.currentObject()->getPosition().x,
                          it.currentObject()->getPosition().y});
    return pieces;
}

// The ground rows of each floor, column i = index - 4, in the order they were laid.
std::vector<std::vector<int>> groundByFloor()
{
    std::vector<std::vector<int>> floors;
    for (ov::Object* tile : gametest::objectsOfType("Floor"))
    {
        // The roof lies 250 rows above the base; the ground cannot climb that far.
        if (tile->getPosition().y < BASE - 200)
            continue;
        if (floors.empty() || floors.back().size() == COLUMNS_PER_FLOOR)
            floors.emplace_back();
        floors.back().push_back(static_cast<int>(tile->getPosition().y));
    }
    return floors;
}

} // namespace

TEST_F(GameTest, SameSeedBuildsSameLevel)
{
    buildLevel(43210987);
    std::vector<Piece> first = snapshot();
    gametest::clearWorld();
    buildLevel(43210987);
    std::vector<Piece> second = snapshot();
    gametest::clearWorld();
    buildLevel(12345);
    std::vector<Piece> other = snapshot();

    ASSERT_GT(first.size(), 1000u);
    EXPECT_TRUE(first == second);
    EXPECT_FALSE(first == other);
}

TEST_F(GameTest, EnemiesStandWhereTheFloorsPutThem)
{
    for (int seed : {1, 777, 40000000, 86399999})
    {
        SCOPED_TRACE(seed);
        gametest::clearWorld();
        buildLevel(seed);
        std::vector<std::vector<int>> ground = groundByFloor();
        ASSERT_EQ(6u, ground.size());

        std::vector<std::vector<int>> columns(6);
        for (const char* type : {"Bat", "Slime"})
        {
            for (ov::Object* enemy : gametest::objectsOfType(type))
            {
                int x = static_cast<int>(enemy->getPosition().x);
                int n = (x - 10) / 100;
                int i = x - n * 100 - 10;
                ASSERT_GE(n, 0);
                ASSERT_LT(n, 6);
                columns[n].push_back(i);
                int groundRow = ground[n][i + 4];
                EXPECT_EQ(std::string(type) == "Bat" ? groundRow - 6 : groundRow - 4, enemy->getPosition().y);
            }
        }
        for (std::vector<int>& floor : columns)
            std::sort(floor.begin(), floor.end());

        EXPECT_EQ((std::vector<int>{40, 60, 80}), columns[0]);
        for (int n = 1; n <= 4; ++n)
            EXPECT_EQ((std::vector<int>{0, 20, 40, 60, 80}), columns[n]) << "floor " << n;
        EXPECT_TRUE(columns[5].empty());
    }
}

TEST_F(GameTest, GroundStepsOnlyAtItsColumnsAndNeverSinks)
{
    buildLevel(52525252);
    std::vector<std::vector<int>> ground = groundByFloor();
    ASSERT_EQ(6u, ground.size());

    int changes = 0;
    for (int n = 0; n < 6; ++n)
    {
        for (int index = 0; index < COLUMNS_PER_FLOOR; ++index)
        {
            int i = index - 4;
            int row = ground[n][index];
            EXPECT_LE(row, BASE + 20) << "floor " << n << " column " << i;
            int previous = index > 0 ? ground[n][index - 1] : (n > 0 ? ground[n - 1].back() : BASE + 20);
            if (row == previous)
                continue;
            ++changes;
            EXPECT_EQ(1, std::abs(row - previous)) << "floor " << n << " column " << i;
            EXPECT_TRUE(i >= 0 && i % 5 == 0) << "floor " << n << " column " << i;
            EXPECT_NE(5, n) << "the last floor is flat";
        }
    }
    EXPECT_GT(changes, 0);
}

TEST_F(GameTest, FirstFloorSetsUpShaftPlayerAndView)
{
    FloorManager& manager = FloorManager::getInstance();
    manager.setSeed(99);
    ASSERT_EQ(0, manager.start());

    ov::WorldManager& world = ov::WorldManager::getInstance();
    EXPECT_EQ(0.0f, world.getView().corner.x);
    EXPECT_EQ(728.5f, world.getView().corner.y);
    EXPECT_EQ(0.0f, world.getBoundary().corner.x);
    EXPECT_EQ(0.0f, world.getBoundary().corner.y);
    EXPECT_EQ(110.0f, world.getBoundary().horizontal);
    EXPECT_EQ(1030.0f, world.getBoundary().vertical);

    std::vector<ov::Object*> players = gametest::objectsOfType("Player");
    ASSERT_EQ(1u, players.size());
    EXPECT_EQ(manager.getPlayer(), players[0]);
    EXPECT_EQ(95.0f, players[0]->getPosition().x);
    EXPECT_NEAR(748.0f, players[0]->getPosition().y, 0.01f);
    EXPECT_EQ(1u, gametest::objectsOfType("StartMenu").size());

    // The shaft: a wall from the roof down to the ground, and one that leaves the way in open.
    int walls[2] = {0, 0};
    for (ov::Object* wall : gametest::objectsOfType("Wall"))
        ++walls[wall->getPosition().x == 5.0f ? 0 : 1];
    EXPECT_EQ(269, walls[0]);
    EXPECT_EQ(249, walls[1]);
}

TEST_F(GameTest, CheckpointsAndBoundaryGrowFloorByFloor)
{
    FloorManager& manager = FloorManager::getInstance();
    manager.setSeed(2024);
    ASSERT_EQ(0, manager.start());
    ov::WorldManager& world = ov::WorldManager::getInstance();
    for (int n = 1; n < 6; ++n)
    {
        ASSERT_EQ(0, manager.createFloor());
        EXPECT_EQ(110.0f + 100.0f * n, world.getBoundary().horizontal);
        EXPECT_EQ(1030.0f, world.getBoundary().vertical);
    }
    EXPECT_EQ(6, manager.getFloorCount());

    std::vector<std::vector<int>> ground = groundByFloor();
    std::vector<ov::Object*> checkpoints = gametest::objectsOfType("Checkpoint");
    ASSERT_EQ(6u, checkpoints.size());
    for (int n = 0; n < 6; ++n)
    {
        Checkpoint* checkpoint = dynamic_cast<Checkpoint*>(checkpoints[n]);
        ASSERT_NE(nullptr, checkpoint);
        EXPECT_EQ(n * 100 + 50.0f, checkpoint->getPosition().x);
        // Two rows above the ground at the floor's column 50.
        EXPECT_EQ(ground[n][50 + 4] - 2.0f, checkpoint->getPosition().y) << "floor " << n;
        EXPECT_EQ(n == 5, checkpoint->isFinal());
        // A strip as tall as the view.
        EXPECT_EQ(30.0f, checkpoint->getBox().vertical);
    }
    EXPECT_EQ(checkpoints[5], manager.getCheckpoint());
    EXPECT_EQ(checkpoints[4], manager.getPreviousCheckpoint());
}

TEST_F(GameTest, CheckpointBuildsTheNextFloorOnceAndOnlyForThePlayer)
{
    FloorManager& manager = FloorManager::getInstance();
    manager.setSeed(31337);
    ASSERT_EQ(0, manager.start());
    Checkpoint* checkpoint = manager.getCheckpoint();
    ASSERT_NE(nullptr, checkpoint);

    EnemyBat* bat = new EnemyBat;
    ov::EventCollision batTouch(bat, checkpoint, checkpoint->getPosition());
    EXPECT_EQ(0, checkpoint->handleEvent(batTouch));
    EXPECT_FALSE(checkpoint->isReached());
    EXPECT_EQ(1, manager.getFloorCount());

    ov::EventCollision touch(manager.getPlayer(), checkpoint, checkpoint->getPosition());
    EXPECT_EQ(1, checkpoint->handleEvent(touch));
    EXPECT_TRUE(checkpoint->isReached());
    EXPECT_EQ(2, manager.getFloorCount());
    EXPECT_EQ(checkpoint, manager.getPreviousCheckpoint());

    EXPECT_EQ(0, checkpoint->handleEvent(touch));
    EXPECT_EQ(2, manager.getFloorCount());
}

TEST_F(GameTest, FinalCheckpointFinishesTheGame)
{
    buildLevel(777);
    FloorManager& manager = FloorManager::getInstance();
    Checkpoint* final = manager.getCheckpoint();
    ASSERT_TRUE(final->isFinal());
    // A player that has finished its introduction, as one reaching the last floor has.
    gametest::ControlledPlayer* player = new gametest::ControlledPlayer;
    player->setPosition(final->getPosition());
    ov::WorldManager& world = ov::WorldManager::getInstance();
    ASSERT_EQ(0, world.setViewFollowing(player));

    ov::EventCollision touch(player, final, final->getPosition());
    EXPECT_EQ(1, final->handleEvent(touch));
    EXPECT_TRUE(player->isFinished());
    EXPECT_EQ(1u, gametest::objectsOfType("GameOver").size());
    EXPECT_EQ(6, manager.getFloorCount());

    // The finished player walks off to the right on its own and the view stays put.
    gametest::step(player, 2);
    EXPECT_EQ(nullptr, world.getViewFollowing());
    EXPECT_GT(player->getVelocity().x, 0.0f);
}

TEST_F(GameTest, EnemiesWithoutTheirSpriteAreHandedToTheWorldToDelete)
{
    ov::ResourceManager& resources = ov::ResourceManager::getInstance();
    ASSERT_EQ(0, resources.unloadSprite("bat"));
    // Look for a first floor that places a bat at all (the slime chance varies by seed).
    int dying = 0;
    for (int seed = 1; seed <= 20 && dying == 0; ++seed)
    {
        gametest::clearWorld();
        buildLevel(seed, 1);
        dying = ov::WorldManager::getInstance().getDeletions().getCount();
    }
    int slimes = static_cast<int>(gametest::objectsOfType("Slime").size());
    ASSERT_EQ(0, resources.loadSprite("sprites/bat-spr.txt", "bat"));

    ASSERT_GT(dying, 0) << "no seed placed a bat";
    EXPECT_EQ(3, dying + slimes);
    EXPECT_TRUE(gametest::objectsOfType("Bat").empty());
    ov::WorldManager::getInstance().update(1);
    EXPECT_EQ(0, ov::WorldManager::getInstance().getDeletions().getCount());
}
