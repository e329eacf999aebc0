#include "GameTestSupport.h"

#include "engine/core/EventKeyboard.h"
#include "engine/core/EventView.h"
#include "engine/core/GameManager.h"
#include "engine/resources/ResourceManager.h"
#include "engine/world/WorldManager.h"
#include "game/GameOver.h"
#include "game/StartMenu.h"
#include "game/ViewObject.h"

using gametest::GameTest;

namespace
{

ov::EventKeyboard key(ov::Key k, ov::KeyboardAction action)
{
    ov::EventKeyboard event;
    event.setKey(k);
    event.setAction(action);
    return event;
}

} // namespace

TEST_F(GameTest, ViewObjectStandsAtItsSpotAndTakesItsOwnViewEvents)
{
    ov::ViewObject label;
    EXPECT_NEAR(26.6667f, label.getPosition().x, 1e-4f);
    EXPECT_EQ(10.0f, label.getPosition().y);
    label.setBorder(false);
    EXPECT_EQ(9.0f, label.getPosition().y);
    label.setBorder(true);
    label.setLocation(2);
    EXPECT_EQ(ov::Vector(40.0f, 15.0f), label.getPosition());
    ov::WorldManager::getInstance().setView(ov::Box(ov::Vector(0.0f, 728.5f), 80.0f, 30.0f));
    label.setLocation(4);
    EXPECT_EQ(738.5f, label.getPosition().y);

    label.setViewString("Score");
    label.setValue(10);
    ov::EventView add("Score", 5, true);
    label.handleEvent(add);
    label.handleEvent(add);
    EXPECT_EQ(20, label.getValue());
    label.handleEvent(ov::EventView("Score", 5, false));
    EXPECT_EQ(5, label.getValue());
    EXPECT_EQ(1, label.handleEvent(ov::EventView("Lives", 3, false)));
    EXPECT_EQ(5, label.getValue());
}

TEST_F(GameTest, SpaceInAnyActionStartsTheGame)
{
    for (ov::KeyboardAction action :
         {ov::KeyboardAction::Pressed, ov::KeyboardAction::Released, ov::KeyboardAction::Held})
    {
        Player* player = new Player;
        StartMenu* menu = new StartMenu(player);
        EXPECT_EQ(0, menu->handleEvent(key(ov::Key::Return, action)));
        EXPECT_FALSE(player->isStarted());
        EXPECT_EQ(1, menu->handleEvent(key(ov::Key::Space, action)));
        EXPECT_TRUE(player->isStarted());
    }
}

TEST_F(GameTest, StartMenuOutlivesItsPlayerSafely)
{
    Player* player = new Player;
    StartMenu* menu = new StartMenu(player);
    ov::WorldManager& world = ov::WorldManager::getInstance();
    world.markForDelete(player);
    world.update(1);
    ASSERT_TRUE(gametest::objectsOfType("Player").empty());
    EXPECT_EQ(0, menu->handleEvent(key(ov::Key::Space, ov::KeyboardAction::Pressed)));
}

TEST_F(GameTest, GameOverEndsTheGameAfterItsAnimationAndALinger)
{
    ov::WorldManager::getInstance().setView(ov::Box(ov::Vector(500.0f, 990.0f), 80.0f, 30.0f));
    GameOver* screen = new GameOver;
    EXPECT_EQ(ov::Vector(540.0f, 1005.0f), screen->getPosition());
    const ov::Sprite* sprite = ov::ResourceManager::getInstance().getSprite("gameover");
    ASSERT_NE(nullptr, sprite);
    const int lifetime = sprite->getSlowdown() * sprite->getMaxFrameCount() + 150;
    EXPECT_EQ(lifetime, screen->getTimeToLive());

    gametest::step(screen, lifetime - 1);
    EXPECT_FALSE(gametest::isMarkedForDelete(screen));
    gametest::step(screen);
    EXPECT_TRUE(gametest::isMarkedForDelete(screen));
    gametest::step(screen);
    EXPECT_EQ(1, ov::WorldManager::getInstance().getDeletions().getCount());

    ov::GameManager& game = ov::GameManager::getInstance();
    EXPECT_FALSE(game.getGameOver());
    ov::WorldManager::getInstance().update(1);
    EXPECT_TRUE(game.getGameOver());
}

TEST_F(GameTest, GameOverWithoutItsPictureEndsTheGameAtOnce)
{
    ov::ResourceManager& resources = ov::ResourceManager::getInstance();
    ASSERT_EQ(0, resources.unloadSprite("gameover"));
    new GameOver;
    ov::GameManager& game = ov::GameManager::getInstance();
    EXPECT_TRUE(game.getGameOver());
    EXPECT_TRUE(gametest::objectsOfType("GameOver").empty());
    ASSERT_EQ(0, resources.loadSprite("sprites/gameover-spr.txt", "gameover"));
}
