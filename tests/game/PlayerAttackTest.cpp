#include "GameTestSupport.h"

#include "engine/core/EventCollision.h"
#include "engine/world/WorldManager.h"
#include "game/EnemyBat.h"
#include "game/EnemySlime.h"
#include "game/PlayerAttack.h"

using gametest::ControlledPlayer;
using gametest::GameTest;

TEST_F(GameTest, AttackFollowsItsPlayerAndChangesItsHitAreaOverItsLife)
{
    ControlledPlayer* player = new ControlledPlayer;
    player->setPosition(ov::Vector(30.0f, 1015.0f));
    PlayerAttack* right = new PlayerAttack(player, false, 0.1f);
    PlayerAttack* left = new PlayerAttack(player, true, 0.0f);

    struct Area
    {
        float corner;
        float top;
        float length;
        float height;
    };
    const Area first = {0.0f, -1.5f, 2.75f, 2.5f};
    const Area second = {0.0f, -0.5f, 3.5f, 2.0f};
    const Area third = {0.0f, -0.25f, 2.25f, 2.0f};

    for (int stepNumber = 1; stepNumber <= PlayerAttack::LIFETIME; ++stepNumber)
    {
        SCOPED_TRACE(stepNumber);
        player->setPosition(ov::Vector(30.0f + stepNumber, 1015.0f));
        gametest::step(right);
        gametest::step(left);

        EXPECT_NEAR(30.5f + stepNumber, right->getPosition().x, 1e-4f);
        EXPECT_NEAR(1014.6f, right->getPosition().y, 1e-4f);
        EXPECT_NEAR(29.5f + stepNumber, left->getPosition().x, 1e-4f);

        const Area& area = stepNumber < 8 ? first : (stepNumber < 14 ? second : third);
        ov::Box box = right->getBox();
        EXPECT_EQ(area.corner, box.corner.x);
        EXPECT_EQ(area.top, box.corner.y);
        EXPECT_EQ(area.length, box.horizontal);
        EXPECT_EQ(area.height, box.vertical);
        // Facing left the same area reaches out to the left.
        EXPECT_EQ(-area.length, left->getBox().corner.x);
        EXPECT_EQ(area.length, left->getBox().horizontal);

        EXPECT_EQ(stepNumber == PlayerAttack::LIFETIME, gametest::isMarkedForDelete(right));
    }
}

TEST_F(GameTest, AttackOfADeletedPlayerEndsWithoutTouchingIt)
{
    ControlledPlayer* player = new ControlledPlayer;
    player->setPosition(ov::Vector(30.0f, 15.0f));
    PlayerAttack* attack = new PlayerAttack(player, false, 0.0f);
    attack->setPosition(ov::Vector(30.0f, 14.5f));

    ov::WorldManager& world = ov::WorldManager::getInstance();
    world.markForDelete(player);
    // The update deletes the player and then steps the attack beside where it stood.
    world.update(1);

    EXPECT_TRUE(gametest::objectsOfType("Player").empty());
    EXPECT_TRUE(gametest::isMarkedForDelete(attack));
    EXPECT_EQ(PlayerAttack::LIFETIME, attack->getLifetime());
    EXPECT_EQ(ov::Vector(30.0f, 14.5f), attack->getPosition());
}

TEST_F(GameTest, AttackDestroysEveryEnemyItTouchesAndGoesOn)
{
    ControlledPlayer* player = new ControlledPlayer;
    player->setPosition(ov::Vector(30.0f, 15.0f));
    PlayerAttack* attack = new PlayerAttack(player, false, 0.0f);
    EnemyBat* bat = new EnemyBat;
    EnemySlime* slime = new EnemySlime;

    // The enemy may be the mover or the one met.
    ov::EventCollision batMoved(bat, attack, bat->getPosition());
    ov::EventCollision attackMoved(attack, slime, attack->getPosition());
    ov::EventCollision playerMet(attack, player, attack->getPosition());
    attack->handleEvent(batMoved);
    attack->handleEvent(attackMoved);
    attack->handleEvent(playerMet);

    EXPECT_TRUE(gametest::isMarkedForDelete(bat));
    EXPECT_TRUE(gametest::isMarkedForDelete(slime));
    EXPECT_FALSE(gametest::isMarkedForDelete(player));
    EXPECT_FALSE(gametest::isMarkedForDelete(attack));
    EXPECT_EQ(2, ov::WorldManager::getInstance().getDeletions().getCount());

    // A second touch of the same enemy is no second mark.
    attack->handleEvent(batMoved);
    EXPECT_EQ(2, ov::WorldManager::getInstance().getDeletions().getCount());
}
