#include "GameTestSupport.h"

#include "engine/core/Clock.h"
#include "engine/resources/ResourceManager.h"
#include "engine/world/WorldManager.h"
#include "game/EnemyBat.h"
#include "game/EnemySlime.h"

#include <cstdlib>

using gametest::ControlledPlayer;
using gametest::GameTest;

namespace
{

const int GROUND = 1020;

ov::UtcTime fixedNoon()
{
    return ov::UtcTime{12, 0, 0, 0};
}

// Bats fly by the time of day: holding it still makes their course repeatable.
class FixedTime
{
public:
    FixedTime() { ov::setUtcTimeSource(fixedNoon); }
    ~FixedTime() { ov::setUtcTimeSource(nullptr); }
};

// The slime's box reaches one row below its position.
EnemySlime* slimeOnGround(float x)
{
    EnemySlime* slime = new EnemySlime;
    slime->setPosition(ov::Vector(x, GROUND - 1.001f));
    return slime;
}

} // namespace

TEST_F(GameTest, BatSearchesEvery15StepsAndHomesIn)
{
    FixedTime time;
    // Two bats with the same phase fly the same course; one of them has a player in reach.
    std::srand(4242);
    EnemyBat* near = new EnemyBat;
    std::srand(4242);
    EnemyBat* far = new EnemyBat;
    ASSERT_EQ(near->getPhase(), far->getPhase());
    near->setPosition(ov::Vector(100.0f, 500.0f));
    far->setPosition(ov::Vector(300.0f, 500.0f));
    ControlledPlayer* player = new ControlledPlayer;
    player->setPosition(ov::Vector(110.0f, 500.0f));

    for (int i = 1; i < 15; ++i)
    {
        gametest::step(near);
        gametest::step(far);
        ASSERT_FALSE(near->isChasing()) << i;
    }
    EXPECT_EQ(near->getVelocity(), far->getVelocity());
    // Wandering alone stays within a tenth of a cell per step.
    EXPECT_LE(std::abs(far->getVelocity().x), 0.1f);

    gametest::step(near);
    gametest::step(far);
    EXPECT_TRUE(near->isChasing());
    EXPECT_FALSE(far->isChasing());
    EXPECT_NEAR(0.5f / 3, near->getVelocity().x - far->getVelocity().x, 1e-5f);
    EXPECT_NEAR(0.0f, near->getVelocity().y - far->getVelocity().y, 1e-5f);

    // Out of reach, the chase ends at the next search and not before.
    player->setPosition(ov::Vector(140.0f, 500.0f));
    gametest::step(near, 14);
    EXPECT_TRUE(near->isChasing());
    gametest::step(near);
    EXPECT_FALSE(near->isChasing());
}

TEST_F(GameTest, BatOnThePlayerChasesWithoutDirection)
{
    FixedTime time;
    EnemyBat* bat = new EnemyBat;
    bat->setPosition(ov::Vector(50.0f, 500.0f));
    ControlledPlayer* player = new ControlledPlayer;
    player->setPosition(ov::Vector(50.0f, 500.0f));
    gametest::step(bat, 15);
    EXPECT_TRUE(bat->isChasing());
    EXPECT_EQ(ov::Vector(0.0f, 0.0f), bat->getChaseVelocity());
}

TEST_F(GameTest, SlimeLeansTowardsAFarPlayerAndLeapsAtANearOne)
{
    std::srand(2718);
    gametest::buildGround(0, 100, GROUND);
    ControlledPlayer* player = new ControlledPlayer;
    player->setPosition(ov::Vector(60.0f, gametest::restingRow(GROUND)));
    EnemySlime* far = slimeOnGround(35.0f);
    EnemySlime* near = slimeOnGround(45.0f);
    ASSERT_TRUE(near->isOnGround());

    gametest::step(far, 14);
    gametest::step(near, 14);
    EXPECT_EQ(0.0f, near->getDrift());
    EXPECT_FALSE(near->isChasing());

    gametest::step(far);
    gametest::step(near);
    EXPECT_FALSE(far->isChasing());
    EXPECT_EQ(0.5f, far->getDrift());
    EXPECT_TRUE(near->isChasing());
    EXPECT_EQ(0.5f, near->getDrift());

    // Far away the leap timer is drawn anew every step and never runs down.
    for (int i = 0; i < 300; ++i)
    {
        gametest::step(far);
        ASSERT_GE(far->getJumpTimer(), 90);
    }

    // Near, it counts down on the ground and leaps at the player when the count runs out.
    const int start = near->getJumpTimer();
    ASSERT_GE(start, 89);
    ASSERT_LE(start, 208);
    int steps = 0;
    while (steps < 300)
    {
        gametest::step(near);
        ++steps;
        if (near->getJumpTimer() != start - steps)
            break;
    }
    EXPECT_EQ(start, steps);
    EXPECT_GE(near->getJumpTimer(), 90);
    EXPECT_LE(near->getVelocity().y, -0.5f);
    EXPECT_GE(near->getVelocity().y, -0.65f);
    EXPECT_NEAR(0.5f, near->getVelocity().x, 1e-4f);
}

TEST_F(GameTest, SlimeHoldsItsFirstFrameInTheAirAndSquashesOnLanding)
{
    EnemySlime* slime = new EnemySlime;
    slime->setPosition(ov::Vector(20.0f, 500.0f));
    gametest::step(slime);
    EXPECT_EQ(0, slime->getAnimation().getIndex());
    EXPECT_EQ(-1, slime->getAnimation().getSlowdownCount());

    gametest::buildGround(10, 30, GROUND);
    slime->setPosition(ov::Vector(20.0f, GROUND - 1.001f));
    gametest::step(slime);
    EXPECT_EQ(1, slime->getAnimation().getIndex());
    EXPECT_EQ(16, slime->getAnimation().getSlowdownCount());
}

// A killed enemy cries; one taken away with the whole world when the game
// ends does not, so quitting is quiet.
TEST_F(GameTest, OnlyKilledEnemiesPlayTheirDeathSound)
{
    ov::ResourceManager& resources = ov::ResourceManager::getInstance();
    sf::Sound* batCry = resources.getSound("bat_die")->getSound();
    sf::Sound* slimeCry = resources.getSound("slime_die")->getSound();
    ASSERT_TRUE(batCry && slimeCry);
    ov::WorldManager& world = ov::WorldManager::getInstance();

    world.markForDelete(new EnemyBat);
    world.markForDelete(slimeOnGround(30));
    world.update(1);
    EXPECT_EQ(sf::Sound::Playing, batCry->getStatus());
    EXPECT_EQ(sf::Sound::Playing, slimeCry->getStatus());
    batCry->stop();
    slimeCry->stop();

    new EnemyBat;
    slimeOnGround(30);
    world.stop();
    EXPECT_TRUE(world.getAllObjects().isEmpty());
    EXPECT_EQ(sf::Sound::Stopped, batCry->getStatus());
    EXPECT_EQ(sf::Sound::Stopped, slimeCry->getStatus());
}
