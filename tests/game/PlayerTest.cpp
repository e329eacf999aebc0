#include "GameTestSupport.h"

#include "engine/core/EventCollision.h"
#include "engine/core/EventKeyboard.h"
#include "engine/core/EventMouse.h"
#include "engine/core/GameManager.h"
#include "engine/resources/ResourceManager.h"
#include "engine/world/WorldManager.h"
#include "game/EnemySlime.h"
#include "game/FloorManager.h"
#include "game/Player.h"
#include "game/PlayerAttack.h"

using gametest::ControlledPlayer;
using gametest::GameTest;

namespace
{

const int GROUND = 1020;

ControlledPlayer* playerOnGround(float x = 30.0f)
{
    gametest::buildGround(static_cast<int>(x) - 20, static_cast<int>(x) + 20, GROUND);
    ControlledPlayer* player = new ControlledPlayer;
    player->setPosition(ov::Vector(x, gametest::restingRow(GROUND)));
    return player;
}

ov::EventKeyboard key(ov::Key k, ov::KeyboardAction action)
{
    ov::EventKeyboard event;
    event.setKey(k);
    event.setAction(action);
    return event;
}

ov::EventMouse leftClick(float x, float y)
{
    ov::EventMouse event;
    event.setAction(ov::MouseAction::Clicked);
    event.setButton(ov::MouseButton::Left);
    event.setPosition(ov::Vector(x, y));
    return event;
}

std::vector<PlayerAttack*> attacks()
{
    std::vector<PlayerAttack*> found;
    for (ov::Object* object : gametest::objectsOfType("Object"))
        if (PlayerAttack* attack = dynamic_cast<PlayerAttack*>(object))
            found.push_back(attack);
    return found;
}

// Puts the process-wide lives back whatever a test did to them.
class LivesGuard
{
public:
    explicit LivesGuard(int lives) : m_saved(Player::getLives()) { Player::setLives(lives); }
    ~LivesGuard() { Player::setLives(m_saved); }

private:
    int m_saved;
};

// The last death slows the music down; later tests expect it as loaded.
class MusicGuard
{
public:
    ~MusicGuard()
    {
        ov::Music* music = ov::ResourceManager::getInstance().getMusic("bgMusic");
        if (music)
        {
            music->setVolume(25.0f);
            music->setPitch(1.0f);
        }
    }
};

} // namespace

TEST_F(GameTest, HoldingDWalksWithMomentum)
{
    ControlledPlayer* player = playerOnGround();
    ASSERT_TRUE(player->isOnGround());
    player->hold(ov::Key::D);

    gametest::step(player);
    EXPECT_NEAR(0.0196f, player->getVelocity().x, 1e-6f);
    gametest::step(player);
    EXPECT_NEAR((0.0196f + 0.02f + (0.5f - 0.0196f) / 20) * 0.98f, player->getVelocity().x, 1e-6f);
    EXPECT_NEAR(0.0624f, player->getVelocity().x, 1e-4f);

    gametest::step(player, 300);
    EXPECT_NEAR(0.639f, player->getVelocity().x, 0.001f);

    // Letting go, ground friction slows it down.
    float moving = player->getVelocity().x;
    player->release(ov::Key::D);
    gametest::step(player);
    EXPECT_NEAR(moving * 0.85f * 0.98f, player->getVelocity().x, 1e-5f);

    // Turning round brakes three times as hard as speeding up.
    player->setVelocity(ov::Vector(0.3f, 0.0f));
    player->hold(ov::Key::A);
    gametest::step(player);
    EXPECT_NEAR((0.3f - 0.06f) * 0.98f, player->getVelocity().x, 1e-5f);
}

TEST_F(GameTest, IntroductionWaitsForTheStartKey)
{
    gametest::buildGround(0, 60, GROUND);
    Player* player = new Player;
    player->setPosition(ov::Vector(30.0f, gametest::restingRow(GROUND)));

    gametest::step(player, 400);
    EXPECT_EQ(294, player->getIntroCounter());
    EXPECT_TRUE(player->inIntro());
    EXPECT_FALSE(player->hasIntroJumped());

    player->setStarted(true);
    gametest::step(player);
    EXPECT_EQ(295, player->getIntroCounter());
    EXPECT_TRUE(player->hasIntroJumped());
    EXPECT_NEAR(Player::JUMP_SPEED * 0.99f, player->getVelocity().y, 1e-6f);

    // At step 420 the view takes the player up; once it stands again the user has control.
    gametest::step(player, 125);
    ov::WorldManager& world = ov::WorldManager::getInstance();
    EXPECT_EQ(player, world.getViewFollowing());
    EXPECT_EQ(0.25f, world.getViewSlack().x);
    EXPECT_TRUE(player->inIntro());
    gametest::step(player);
    EXPECT_FALSE(player->inIntro());
}

TEST_F(GameTest, SpaceJumpsAndReleasingCutsTheJumpShort)
{
    // A sound that did not load is skipped; the jump happens all the same.
    ov::ResourceManager& resources = ov::ResourceManager::getInstance();
    ASSERT_EQ(0, resources.unloadSound("jump"));
    ControlledPlayer* player = playerOnGround();
    EXPECT_EQ(1, player->handleEvent(key(ov::Key::Space, ov::KeyboardAction::Pressed)));
    EXPECT_FLOAT_EQ(Player::JUMP_SPEED, player->getVelocity().y);
    ASSERT_EQ(0, resources.loadSound("sounds/jump5.ogg", "jump"));

    player->setPosition(ov::Vector(30.0f, 1000.0f));
    player->setVelocity(ov::Vector(0.1f, -0.4f));
    EXPECT_EQ(1, player->handleEvent(key(ov::Key::Space, ov::KeyboardAction::Pressed)));
    EXPECT_FLOAT_EQ(-0.4f, player->getVelocity().y);
    EXPECT_EQ(1, player->handleEvent(key(ov::Key::Space, ov::KeyboardAction::Released)));
    EXPECT_FLOAT_EQ(-0.2f, player->getVelocity().y);
    EXPECT_FLOAT_EQ(0.1f, player->getVelocity().x);

    player->setVelocity(ov::Vector(0.0f, 0.3f));
    player->handleEvent(key(ov::Key::Space, ov::KeyboardAction::Released));
    EXPECT_FLOAT_EQ(0.3f, player->getVelocity().y);
}

TEST_F(GameTest, QuitsAtAnyMoment)
{
    Player* player = new Player;
    ASSERT_TRUE(player->inIntro());
    EXPECT_EQ(0, player->handleEvent(key(ov::Key::Q, ov::KeyboardAction::Released)));
    EXPECT_FALSE(ov::GameManager::getInstance().getGameOver());
    EXPECT_EQ(1, player->handleEvent(key(ov::Key::Q, ov::KeyboardAction::Pressed)));
    EXPECT_TRUE(ov::GameManager::getInstance().getGameOver());
}

TEST_F(GameTest, FallingOutOfTheLevelCostsAHitPointAndPutsThePlayerBack)
{
    ControlledPlayer* player = new ControlledPlayer;
    gametest::step(player, Player::HURT_COOLDOWN);
    ASSERT_EQ(0, player->getHurtCooldown());

    player->setPosition(ov::Vector(40.0f, 1040.5f));
    gametest::step(player);
    EXPECT_EQ(40.0f, player->getPosition().x);
    EXPECT_EQ(1010.0f, player->getPosition().y);
    EXPECT_EQ(3.0f, player->getHealth());
    EXPECT_EQ(Player::HURT_COOLDOWN, player->getHurtCooldown());
    // The fall sets (0.1, -0.25); the same step's movement then applies air drag.
    EXPECT_NEAR(0.1f * 0.98f * 0.98f, player->getVelocity().x, 1e-6f);
    EXPECT_NEAR(-0.25f * 0.99f, player->getVelocity().y, 1e-6f);

    // While invulnerable a fall costs nothing but still puts the player back.
    player->setPosition(ov::Vector(41.0f, 1041.0f));
    gametest::step(player);
    EXPECT_EQ(1010.0f, player->getPosition().y);
    EXPECT_EQ(3.0f, player->getHealth());

}

TEST_F(GameTest, EnemiesHurtWithKnockBackOnlyWhenNotInvulnerable)
{
    ControlledPlayer* player = playerOnGround();
    EnemySlime* slime = new EnemySlime;
    slime->setPosition(ov::Vector(28.0f, 1015.0f));
    ov::EventCollision touched(slime, player, slime->getPosition());

    // Just created: invulnerable.
    player->handleEvent(touched);
    EXPECT_EQ(4.0f, player->getHealth());

    gametest::step(player, Player::HURT_COOLDOWN);
    player->setVelocity(ov::Vector(0.0f, 0.0f));
    player->handleEvent(touched);
    EXPECT_EQ(3.0f, player->getHealth());
    EXPECT_EQ(Player::HURT_COOLDOWN, player->getHurtCooldown());
    // Thrown away from the slime on its left, and upwards.
    EXPECT_GE(player->getVelocity().x, 0.4f);
    EXPECT_LE(player->getVelocity().x, 0.55f);
    EXPECT_NEAR(-0.35f, player->getVelocity().y, 1e-6f);

    ov::EventCollision again(player, slime, player->getPosition());
    player->handleEvent(again);
    EXPECT_EQ(3.0f, player->getHealth());

    // Touching anything but an enemy does no harm.
    gametest::step(player, Player::HURT_COOLDOWN);
    ov::Object* tile = gametest::objectsOfType("Floor")[0];
    ov::EventCollision ground(player, tile, player->getPosition());
    player->handleEvent(ground);
    EXPECT_EQ(3.0f, player->getHealth());

    ov::EventCollision fromRight(player, slime, player->getPosition());
    slime->setPosition(ov::Vector(40.0f, 1015.0f));
    player->setVelocity(ov::Vector(0.0f, 0.0f));
    player->handleEvent(fromRight);
    EXPECT_EQ(2.0f, player->getHealth());
    EXPECT_LE(player->getVelocity().x, -0.4f);
}

TEST_F(GameTest, TheLastHitPointEndsTheGame)
{
    LivesGuard lives(1);
    MusicGuard music;
    ControlledPlayer* player = playerOnGround();
    ov::WorldManager& world = ov::WorldManager::getInstance();
    world.setViewFollowing(player);
    for (int hit = 0; hit < 4; ++hit)
    {
        gametest::step(player, Player::HURT_COOLDOWN);
        player->hurt(1.0f, ov::Vector(0.0f, 0.0f));
    }
    EXPECT_EQ(0.0f, player->getHealth());
    EXPECT_EQ(0, Player::getLives());
    EXPECT_TRUE(gametest::isMarkedForDelete(player));
    EXPECT_EQ(nullptr, world.getViewFollowing());
    EXPECT_EQ(1u, gametest::objectsOfType("GameOver").size());
    EXPECT_EQ(1u, gametest::objectsOfType("Player").size());
    sf::Music* played = ov::ResourceManager::getInstance().getMusic("bgMusic")->getMusic();
    ASSERT_NE(nullptr, played);
    sf::Music& stream = *played;
    EXPECT_FLOAT_EQ(30.0f, stream.getVolume());
    EXPECT_FLOAT_EQ(0.2f, stream.getPitch());
    EXPECT_EQ(sf::SoundSource::Playing, stream.getStatus());
}

TEST_F(GameTest, RespawnWithoutACheckpointReturnsToTheStart)
{
    LivesGuard lives(2);
    FloorManager& manager = FloorManager::getInstance();
    manager.setSeed(5);
    ASSERT_EQ(0, manager.start());
    Player* first = manager.getPlayer();
    ASSERT_EQ(nullptr, manager.getPreviousCheckpoint());

    first->die();
    Player* second = manager.getPlayer();
    ASSERT_NE(first, second);
    EXPECT_EQ(1, Player::getLives());
    EXPECT_TRUE(gametest::isMarkedForDelete(first));
    EXPECT_EQ(manager.getStartPosition(), second->getPosition());
    EXPECT_EQ(second, ov::WorldManager::getInstance().getViewFollowing());
    EXPECT_FLOAT_EQ(0.5f, second->getVelocity().x);
    EXPECT_TRUE(gametest::objectsOfType("GameOver").empty());
}

TEST_F(GameTest, ClickAttacksTowardsThePointerAfterTheCooldown)
{
    // With the view at the origin the player at (30, 15) stands at pixel (384, 384).
    ControlledPlayer* player = new ControlledPlayer;
    player->setPosition(ov::Vector(30.0f, 15.0f));

    player->handleEvent(leftClick(500.0f, 394.0f));
    EXPECT_TRUE(attacks().empty()) << "no attack within 40 steps of creation";

    gametest::step(player, Player::ATTACK_COOLDOWN);
    player->handleEvent(leftClick(500.0f, 394.0f));
    std::vector<PlayerAttack*> made = attacks();
    ASSERT_EQ(1u, made.size());
    EXPECT_FALSE(made[0]->isFacingLeft());
    EXPECT_NEAR(10.0f / 150, made[0]->getSlope(), 1e-5f);
    EXPECT_NEAR(30.0f, made[0]->getPosition().x, 1e-5f);
    EXPECT_NEAR(15.0f + 10.0f / 150 - 0.5f, made[0]->getPosition().y, 1e-5f);

    player->handleEvent(leftClick(100.0f, 284.0f));
    EXPECT_EQ(1u, attacks().size()) << "a second click within 40 steps";

    gametest::step(player, Player::ATTACK_COOLDOWN);
    player->handleEvent(leftClick(100.0f, 284.0f));
    made = attacks();
    ASSERT_EQ(2u, made.size());
    EXPECT_TRUE(made[1]->isFacingLeft());
    EXPECT_FLOAT_EQ(-0.25f, made[1]->getSlope());
}
