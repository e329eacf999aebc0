// Creatures are drawn in front of the level: in a real window, a creature
// beside or above level pieces that entered the world after it shows every
// pixel of its glyphs as it does drawn alone at the same place.
#include "display/WindowHarness.h"
#include "game/GameTestSupport.h"

#include "engine/display/DisplayManager.h"
#include "engine/resources/ResourceManager.h"
#include "engine/world/WorldManager.h"
#include "game/EnemySlime.h"
#include "game/Floor.h"
#include "game/GameResources.h"
#include "game/Player.h"
#include "game/PlayerAttack.h"
#include "support/TestSupport.h"

#include <SFML/Graphics/Image.hpp>
#include <gtest/gtest.h>

#include <string>
#include <unistd.h>

namespace
{

const int GROUND_ROW = 20;

class DrawOrderTest : public ::testing::Test
{
public:
    static void SetUpTestSuite()
    {
        if (!harness::hasWindow())
            return;
        // The game reads its sprites relative to the working directory.
        for (const char* folder : {"sprites", "sounds", "musics"})
        {
            std::string target = test::dataDir() + "/" + folder;
            symlink(target.c_str(), folder);
        }
        ov::ResourceManager& resources = ov::ResourceManager::getInstance();
        if (!resources.isStarted() && resources.start() == 0)
            loadResources();
    }

    void SetUp() override
    {
        if (!harness::hasWindow())
            GTEST_SKIP() << "no X display";
        harness::startManagers();
        ASSERT_NE(nullptr, ov::ResourceManager::getInstance().getSprite("slime"));
    }

    void TearDown() override { gametest::clearWorld(); }

    static void floorTile(int x, int y)
    {
        ov::WorldManager::getInstance().insertObject(new Floor(ov::Vector(float(x), float(y))));
    }

    // A fresh frame holding what `draw` draws.
    template <typename Draw>
    static sf::Image picture(Draw draw)
    {
        ov::DisplayManager::getInstance().swapBuffers();
        draw();
        return harness::readBack();
    }

    // Pixels of the creature's glyphs that the scene does not show: drawn
    // alone, a pixel at full strength (a channel at 255) must come out the
    // same, and an edge pixel, which the glyph only partly covers, no darker,
    // since whatever lies beneath the creature may show through the edge.
    // A cell background or another glyph drawn over the creature fails both.
    // Also counts the pixels the creature lit.
    static int hiddenPixels(const sf::Image& scene, const sf::Image& alone, int& lit)
    {
        int hidden = 0;
        lit = 0;
        for (unsigned y = 0; y < alone.getSize().y; ++y)
        {
            for (unsigned x = 0; x < alone.getSize().x; ++x)
            {
                sf::Color mine = alone.getPixel(x, y);
                if (mine.r == 0 && mine.g == 0 && mine.b == 0)
                    continue;
                ++lit;
                sf::Color shown = scene.getPixel(x, y);
                bool solid = mine.r == 255 || mine.g == 255 || mine.b == 255;
                bool darker = shown.r < mine.r || shown.g < mine.g || shown.b < mine.b;
                if ((solid && shown != mine) || darker)
                    ++hidden;
            }
        }
        return hidden;
    }
};

// The step's first tile lies under the slime's lower right cell, as when a
// slime has slid up against a step of the ground; the step's tiles entered
// the world after the slime, as a floor's columns to the right of an enemy do.
TEST_F(DrawOrderTest, SlimeBesideAHigherStepShowsAllOfItsGlyphs)
{
    const int stepColumn = 30;
    for (int x = 20; x < stepColumn; ++x)
        floorTile(x, GROUND_ROW);

    EnemySlime* slime = new EnemySlime;
    // Resting on the ground, its box just short of the step's first tile.
    ov::Box box = slime->getBox();
    slime->setPosition(ov::Vector(stepColumn - 0.05f - (box.corner.x + box.horizontal),
                                  GROUND_ROW - 0.001f - (box.corner.y + box.vertical)));

    for (int x = stepColumn; x < stepColumn + 6; ++x)
        floorTile(x, GROUND_ROW - 1);

    // The sprite's bottom-right cell and the step's first cell overlap.
    ov::Vector spriteCorner = slime->getPosition() + ov::Vector(-2.5f, -1.0f);
    ASSERT_GT(spriteCorner.x + 5.0f, float(stepColumn));
    ASSERT_GT(spriteCorner.y + 2.0f, float(GROUND_ROW - 1));

    ov::Animation& animation = slime->getAnimation();
    auto sameFrame = [&]() {
        animation.setIndex(1);
        animation.setSlowdownCount(0);
    };
    sf::Image scene = picture([&]() {
        sameFrame();
        ov::WorldManager::getInstance().draw();
    });
    sf::Image alone = picture([&]() {
        sameFrame();
        slime->draw();
    });

    int lit = 0;
    EXPECT_EQ(0, hiddenPixels(scene, alone, lit));
    EXPECT_GT(lit, 100) << "the slime drew next to nothing";
}

// Ground that entered the world after the player, in the row just below its
// legs, as the floors built while it walks do.
TEST_F(DrawOrderTest, PlayerAboveAFloorRowShowsAllOfItsGlyphs)
{
    Player* player = new Player;
    ov::Box box = player->getBox();
    player->setPosition(ov::Vector(40.3f, GROUND_ROW - 0.001f - (box.corner.y + box.vertical)));
    for (int x = 34; x < 48; ++x)
        floorTile(x, GROUND_ROW);

    sf::Image scene = picture([&]() { ov::WorldManager::getInstance().draw(); });
    sf::Image alone = picture([&]() { player->draw(); });

    int lit = 0;
    EXPECT_EQ(0, hiddenPixels(scene, alone, lit));
    EXPECT_GT(lit, 100) << "the player drew next to nothing";
}

// A swing beside the player covers part of its cells: the player's own
// glyphs stay whole, whatever of the swing they cover.
void checkSwing(bool left)
{
    for (int x = 34; x < 48; ++x)
        ov::WorldManager::getInstance().insertObject(new Floor(ov::Vector(float(x), float(GROUND_ROW))));
    Player* player = new Player;
    ov::Box box = player->getBox();
    ov::Vector at(40.3f, GROUND_ROW - 0.001f - (box.corner.y + box.vertical));
    player->setPosition(at);
    PlayerAttack* attack = new PlayerAttack(player, left, 0.0f);
    attack->setPosition(ov::Vector(at.x + (left ? -0.5f : 0.5f), at.y - 0.5f));

    // The swing's fullest frames.
    for (int frame : {1, 2, 3})
    {
        sf::Image scene = DrawOrderTest::picture([&]() {
            attack->getAnimation().setIndex(frame);
            attack->getAnimation().setSlowdownCount(0);
            ov::WorldManager::getInstance().draw();
        });
        sf::Image alone = DrawOrderTest::picture([&]() { player->draw(); });
        int lit = 0;
        EXPECT_EQ(0, DrawOrderTest::hiddenPixels(scene, alone, lit)) << "frame " << frame;
        EXPECT_GT(lit, 100) << "the player drew next to nothing";
    }
}

TEST_F(DrawOrderTest, RightSwingLeavesThePlayersGlyphsWhole)
{
    checkSwing(false);
}

TEST_F(DrawOrderTest, LeftSwingLeavesThePlayersGlyphsWhole)
{
    checkSwing(true);
}

} // namespace
