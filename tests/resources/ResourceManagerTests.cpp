#include "ResourceTesting.h"

#include "engine/core/LogManager.h"
#include "engine/resources/ResourceManager.h"

#include <sys/stat.h>

#include <string>
#include <vector>

namespace
{

using ov::ResourceManager;

const char SPRITE[] = "<HEADER>\nframes 1\nwidth 1\nheight 1\n</HEADER>\n<BODY>\nx\nend\n</BODY>\n";

class ResourceManagerTest : public restest::ResourceTest
{
protected:
    void SetUp() override
    {
        restest::ResourceTest::SetUp();
        test::writeFile("one.txt", SPRITE);
        restest::writeSineWav("tone.wav", 0.5f, 440.0f, 0.1f);
    }
};

TEST_F(ResourceManagerTest, SpriteCapacityAndUnloadingKeepLoadOrder)
{
    ResourceManager& resources = ResourceManager::getInstance();
    for (int i = 0; i < ov::SPRITE_CAPACITY; ++i)
        ASSERT_EQ(resources.loadSprite("one.txt", "s" + std::to_string(i)), 0) << i;

    mark();
    EXPECT_EQ(resources.loadSprite("one.txt", "s1000"), -1);
    EXPECT_EQ(logSinceMark(),
              (std::vector<std::string>{"|ResourceManager|Loading sprite 's1000'.",
                                        "ERROR|ResourceManager|Unable to load sprite 's1000'. Sprite array full."}));

    EXPECT_EQ(resources.unloadSprite("s1"), 0);
    EXPECT_EQ(resources.getSpriteCount(), ov::SPRITE_CAPACITY - 1);
    EXPECT_EQ(resources.getSprite("s1"), nullptr);
    ASSERT_NE(resources.getSprite("s0"), nullptr);
    ASSERT_NE(resources.getSprite("s999"), nullptr);
    EXPECT_EQ(resources.getSprite("s2")->getLabel(), "s2");

    mark();
    EXPECT_EQ(resources.unloadSprite("s1"), -1);
    EXPECT_EQ(logSinceMark(),
              (std::vector<std::string>{"|ResourceManager|Unloading sprite 's1'.",
                                        "ALERT|ResourceManager|Cannot unload sprite 's1'. Sprite not found."}));

    // The freed place is usable again.
    EXPECT_EQ(resources.loadSprite("one.txt", "s1000"), 0);
}

TEST_F(ResourceManagerTest, StopUnloadsEverythingInLoadOrder)
{
    ResourceManager& resources = ResourceManager::getInstance();
    for (const char* label : {"A", "B", "C", "D"})
        ASSERT_EQ(resources.loadSprite("one.txt", label), 0);
    ASSERT_EQ(resources.loadSound("tone.wav", "x"), 0);
    ASSERT_EQ(resources.loadSound("tone.wav", "y"), 0);
    ASSERT_EQ(resources.loadMusic("tone.wav", "m1"), 0);
    ASSERT_EQ(resources.loadMusic("tone.wav", "m2"), 0);
    ASSERT_EQ(resources.unloadMusic("m1"), 0);

    mark();
    resources.stop();
    std::vector<std::string> expected;
    for (const char* label : {"A", "B", "C", "D"})
    {
        expected.push_back(std::string("|ResourceManager|Unloading sprite '") + label + "'.");
        expected.push_back(std::string("|ResourceManager|Sprite '") + label + "' unloaded.");
    }
    for (const char* label : {"x", "y"})
    {
        expected.push_back(std::string("|ResourceManager|Unloading sound '") + label + "'.");
        expected.push_back(std::string("|ResourceManager|Sound '") + label + "' unloaded.");
    }
    expected.push_back("|ResourceManager|Unloading music 'm1'.");
    expected.push_back("ALERT|ResourceManager|Cannot unload music 'm1'. Music not found.");
    expected.push_back("|ResourceManager|Unloading music 'm2'.");
    expected.push_back("|ResourceManager|Music 'm2' unloaded.");
    expected.push_back("|ResourceManager|Stopped.");
    EXPECT_EQ(logSinceMark(), expected);
    EXPECT_FALSE(resources.isStarted());
    EXPECT_EQ(resources.getSpriteCount(), 0);
    EXPECT_EQ(resources.getSoundCount(), 0);

    ASSERT_EQ(resources.start(), 0);
}

TEST_F(ResourceManagerTest, SoundCapacityDuplicatesAndBadFiles)
{
    ResourceManager& resources = ResourceManager::getInstance();
    mark();
    EXPECT_EQ(resources.loadSound("nope.ogg", "n"), -1);
    EXPECT_EQ(logSinceMark(),
              (std::vector<std::string>{"|ResourceManager|Loading sound 'n'",
                                        "ERROR|Sound|Error loading sound from file 'nope.ogg'",
                                        "ALERT|ResourceManager|Unable to load sound 'n' from file 'nope.ogg'."}));
    EXPECT_EQ(resources.getSoundCount(), 0);

    for (int i = 0; i < ov::SOUND_CAPACITY; ++i)
        ASSERT_EQ(resources.loadSound("tone.wav", "s" + std::to_string(i)), 0) << i;

    mark();
    EXPECT_EQ(resources.loadSound("tone.wav", "s128"), -1);
    EXPECT_EQ(resources.unloadSound("s0"), 0);
    // A label already there is refused without touching the (missing) file.
    EXPECT_EQ(resources.loadSound("nope.ogg", "s5"), -1);
    EXPECT_EQ(logSinceMark(),
              (std::vector<std::string>{"|ResourceManager|Loading sound 's128'",
                                        "ERROR|ResourceManager|Unable to load sound 's128'. Sound array full.",
                                        "|ResourceManager|Unloading sound 's0'.",
                                        "|ResourceManager|Sound 's0' unloaded.",
                                        "|ResourceManager|Loading sound 's5'",
                                        "ALERT|ResourceManager|Cannot load sound with label 's5'. 's5' already loaded."}));
    EXPECT_EQ(resources.loadSound("tone.wav", "s128"), 0);
    EXPECT_EQ(resources.getSoundCount(), ov::SOUND_CAPACITY);
}

TEST_F(ResourceManagerTest, SoundsThatMoveDownKeepTheirOwnSamples)
{
    ResourceManager& resources = ResourceManager::getInstance();
    // Lengths tell the buffers apart.
    restest::writeSineWav("a.wav", 0.5f, 440.0f, 0.1f);
    restest::writeSineWav("b.wav", 0.5f, 440.0f, 0.2f);
    restest::writeSineWav("c.wav", 0.5f, 440.0f, 0.3f);
    restest::writeSineWav("d.wav", 0.5f, 440.0f, 0.4f);
    ASSERT_EQ(resources.loadSound("a.wav", "a"), 0);
    ASSERT_EQ(resources.loadSound("b.wav", "b"), 0);
    ASSERT_EQ(resources.loadSound("c.wav", "c"), 0);
    resources.getSound("c")->setVolume(30.0f);

    ASSERT_EQ(resources.unloadSound("a"), 0);
    // The freed last slot is filled again; the moved sounds must not follow it.
    ASSERT_EQ(resources.loadSound("d.wav", "d"), 0);

    const std::pair<const char*, sf::Uint64> expected[] = {{"b", 8820}, {"c", 13230}, {"d", 17640}};
    ov::Sound* previous = nullptr;
    for (const auto& entry : expected)
    {
        SCOPED_TRACE(entry.first);
        ov::Sound* sound = resources.getSound(entry.first);
        ASSERT_NE(sound, nullptr);
        if (previous)
        {
            EXPECT_EQ(sound, previous + 1);
        }
        previous = sound;
        EXPECT_EQ(sound->getBuffer()->getSampleCount(), entry.second);
        EXPECT_EQ(sound->getSound()->getBuffer(), sound->getBuffer());
    }
    EXPECT_FLOAT_EQ(resources.getSound("c")->getSound()->getVolume(), 30.0f);

    // The game's effects are Ogg Vorbis.
    EXPECT_EQ(resources.loadSound(test::dataDir() + "/sounds/jump2.ogg", "jump"), 0);
    ov::Sound* jump = resources.getSound("jump");
    ASSERT_NE(jump, nullptr);
    EXPECT_GT(jump->getBuffer()->getSampleCount(), 0u);
    jump->play(false);
    EXPECT_FALSE(jump->getSound()->getLoop());
    EXPECT_EQ(jump->getSound()->getStatus(), sf::Sound::Playing);
    jump->getSound()->stop();
}

TEST_F(ResourceManagerTest, MusicSlotsAreNeverReused)
{
    ResourceManager& resources = ResourceManager::getInstance();
    ASSERT_EQ(resources.loadMusic("tone.wav", "m1"), 0);
    ov::Music* first = resources.getMusic("m1");
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isLoaded());
    first->play(true);
    EXPECT_TRUE(first->getMusic()->getLoop());
    EXPECT_EQ(first->getMusic()->getStatus(), sf::Music::Playing);
    first->getMusic()->stop();

    mark();
    EXPECT_EQ(resources.unloadMusic("m1"), 0);
    EXPECT_EQ(resources.unloadMusic("m1"), -1);
    EXPECT_EQ(resources.loadMusic("tone.wav", "m1"), -1);
    EXPECT_EQ(resources.loadMusic("nope.ogg", "m2"), -1);
    EXPECT_EQ(logSinceMark(),
              (std::vector<std::string>{"|ResourceManager|Unloading music 'm1'.",
                                        "|ResourceManager|Music 'm1' unloaded.",
                                        "|ResourceManager|Unloading music 'm1'.",
                                        "ALERT|ResourceManager|Cannot unload music 'm1'. Music not found.",
                                        "|ResourceManager|Loading music 'm1'",
                                        "ALERT|ResourceManager|Cannot load music with label 'm1'. 'm1' already loaded.",
                                        "|ResourceManager|Loading music 'm2'",
                                        "ERROR|Music|Error loading music from file 'nope.ogg'",
                                        "ALERT|ResourceManager|Unable to load music 'm2' from file 'nope.ogg'."}));

    EXPECT_EQ(resources.getMusic("m1"), first);
    EXPECT_FALSE(first->isLoaded());
    EXPECT_EQ(resources.getMusicCount(), 1);
    ASSERT_EQ(resources.loadMusic("tone.wav", "m2"), 0);
    EXPECT_EQ(resources.getMusic("m2"), first + 1);
    EXPECT_EQ(resources.getMusicCount(), 2);
}

TEST_F(ResourceManagerTest, UnknownLabelsAndAMissingLog)
{
    ResourceManager& resources = ResourceManager::getInstance();
    mark();
    EXPECT_EQ(resources.getSprite("nothing"), nullptr);
    EXPECT_EQ(resources.getSound("nothing"), nullptr);
    EXPECT_EQ(resources.getMusic("nothing"), nullptr);
    EXPECT_TRUE(logSinceMark().empty());

    resources.stop();
    ov::LogManager::getInstance().stop();
    EXPECT_EQ(resources.start(), -1);
    EXPECT_FALSE(resources.isStarted());
    ASSERT_EQ(ov::LogManager::getInstance().start(), 0);
    ASSERT_EQ(resources.start(), 0);
}

} // namespace

// A sound or music that is a folder or a pipe would make the decoders spin
// or block for ever; a sound whose header claims hours is refused from the
// header, before anything is decoded.
TEST_F(ResourceManagerTest, SoundsAndMusicTooLongOrNotFilesAreRefused)
{
    ResourceManager& resources = ResourceManager::getInstance();
    const float limit = static_cast<float>(ov::MAX_SOUND_SECONDS);
    restest::writeSineWav("longest.wav", 0.0f, 440.0f, limit);
    restest::writeSineWav("too-long.wav", 0.0f, 440.0f, limit + 0.5f);
    ASSERT_TRUE(restest::writeLongOgg(test::dataDir() + "/sounds/gameover4.ogg", "hours.ogg", 2 * 3600.0));
    ASSERT_EQ(0, mkdir("folder.ogg", 0755));
    ASSERT_EQ(0, mkfifo("pipe.ogg", 0644));

    EXPECT_EQ(resources.loadSound("longest.wav", "longest"), 0);
    EXPECT_NEAR(resources.getSound("longest")->getBuffer()->getDuration().asSeconds(), limit, 0.001f);

    mark();
    EXPECT_EQ(resources.loadSound("too-long.wav", "long"), -1);
    EXPECT_EQ(resources.loadSound("folder.ogg", "folder"), -1);
    EXPECT_EQ(resources.loadSound("hours.ogg", "hours"), -1);
    EXPECT_EQ(resources.loadSound("pipe.ogg", "pipe"), -1);
    EXPECT_EQ(resources.loadMusic("folder.ogg", "folder"), -1);
    EXPECT_EQ(resources.loadMusic("pipe.ogg", "pipe"), -1);
    EXPECT_EQ(logSinceMark(),
              (std::vector<std::string>{
                  "|ResourceManager|Loading sound 'long'",
                  "ERROR|Sound|Sound file 'too-long.wav' lasts 60.5 s, longer than the 60 s a sound may last.",
                  "ERROR|Sound|Error loading sound from file 'too-long.wav'",
                  "ALERT|ResourceManager|Unable to load sound 'long' from file 'too-long.wav'.",
                  "|ResourceManager|Loading sound 'folder'",
                  "ERROR|Sound|Error loading sound from file 'folder.ogg'",
                  "ALERT|ResourceManager|Unable to load sound 'folder' from file 'folder.ogg'.",
                  "|ResourceManager|Loading sound 'hours'",
                  "ERROR|Sound|Sound file 'hours.ogg' lasts 7200.0 s, longer than the 60 s a sound may last.",
                  "ERROR|Sound|Error loading sound from file 'hours.ogg'",
                  "ALERT|ResourceManager|Unable to load sound 'hours' from file 'hours.ogg'.",
                  "|ResourceManager|Loading sound 'pipe'",
                  "ERROR|Sound|Error loading sound from file 'pipe.ogg'",
                  "ALERT|ResourceManager|Unable to load sound 'pipe' from file 'pipe.ogg'.",
                  "|ResourceManager|Loading music 'folder'",
                  "ERROR|Music|Error loading music from file 'folder.ogg'",
                  "ALERT|ResourceManager|Unable to load music 'folder' from file 'folder.ogg'.",
                  "|ResourceManager|Loading music 'pipe'",
                  "ERROR|Music|Error loading music from file 'pipe.ogg'",
                  "ALERT|ResourceManager|Unable to load music 'pipe' from file 'pipe.ogg'."}));
    EXPECT_EQ(resources.getSoundCount(), 1);
    EXPECT_EQ(resources.getMusicCount(), 0);
}
