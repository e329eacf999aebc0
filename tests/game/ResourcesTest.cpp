#include "GameTestSupport.h"

#include "engine/resources/ResourceManager.h"
#include "support/TestSupport.h"

#include <SFML/Audio.hpp>

TEST(GameResources, AllLoadWithoutAnErrorAndTheMusicPlays)
{
    ov::ResourceManager& resources = ov::ResourceManager::getInstance();
    EXPECT_EQ(10, resources.getSpriteCount());
    EXPECT_EQ(7, resources.getSoundCount());
    EXPECT_EQ(1, resources.getMusicCount());

    for (const char* label : {"bat", "slime", "player-attack-r", "player-attack-l", "player-walk",
                              "player-idle-body", "player-idle-feet", "player-bounds", "gameover", "startmenu"})
        EXPECT_NE(nullptr, resources.getSprite(label)) << label;
    for (const char* label : {"jump", "hit", "hurt", "bat_die", "slime_die", "slime_jump", "gameover"})
        EXPECT_NE(nullptr, resources.getSound(label)) << label;

    const std::vector<test::LogLine> lines = test::GameLog().lines();
    ASSERT_LE(gametest::resourceLogEnd(), static_cast<int>(lines.size()));
    ASSERT_GT(gametest::resourceLogEnd(), gametest::resourceLogBegin());
    for (int i = gametest::resourceLogBegin(); i < gametest::resourceLogEnd(); ++i)
    {
        EXPECT_NE("ERROR", lines[i].level) << lines[i].text();
        EXPECT_NE("ALERT", lines[i].level) << lines[i].text();
    }

    ov::Music* music = resources.getMusic("bgMusic");
    ASSERT_NE(nullptr, music);
    EXPECT_EQ(sf::SoundSource::Playing, music->getMusic()->getStatus());
    EXPECT_TRUE(music->getMusic()->getLoop());
    EXPECT_FLOAT_EQ(25.0f, music->getMusic()->getVolume());
}
