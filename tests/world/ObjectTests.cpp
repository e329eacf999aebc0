#include "WorldTesting.h"

#include "engine/resources/ResourceManager.h"
#include "engine/world/WorldManager.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

std::string sourceOf(const Object& object)
{
    return object.getType() + " " + std::to_string(object.getId());
}

class Wall : public Object
{
public:
    Wall() { setType("Wall"); }
};

} // namespace

TEST(Object, IdsCountUpAndNameTheLogSource)
{
    const int mark = test::logMark();
    auto* first = new Object;
    auto* second = new Wall;
    EXPECT_EQ(second->getId(), first->getId() + 1);

    std::vector<test::LogLine> lines = test::GameLog().linesOf("Object " + std::to_string(first->getId()), mark);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].message, "Spawned. Awaiting sprite or manual insert for world insertion.");
    // The rename is already written under the new name.
    std::string wallSource = sourceOf(*second);
    lines = test::GameLog().linesOf(wallSource, mark);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].message, "Renamed Wall.");

    int secondId = second->getId();
    delete second;
    delete first;
    lines = test::GameLog().linesOf(wallSource, mark);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].level, "ALERT");
    EXPECT_EQ(lines[1].message, "Die.");
    // Numbers of destroyed objects are not handed out again.
    Object third;
    EXPECT_EQ(third.getId(), secondId + 1);
}

TEST(Object, VelocityIsDirectionTimesSpeed)
{
    Object object;
    object.setVelocity(Vector(3.0f, 4.0f));
    EXPECT_FLOAT_EQ(object.getSpeed(), 5.0f);
    EXPECT_FLOAT_EQ(object.getDirection().x, 0.6f);
    EXPECT_FLOAT_EQ(object.getDirection().y, 0.8f);
    EXPECT_FLOAT_EQ(object.getVelocity().x, 3.0f);
    EXPECT_FLOAT_EQ(object.getVelocity().y, 4.0f);
    object.setVelocity(Vector(0.0f, 0.0f));
    EXPECT_EQ(object.getSpeed(), 0.0f);
    EXPECT_EQ(object.getDirection(), Vector(0.0f, 0.0f));
}

TEST(Object, UnknownSpriteChangesNothing)
{
    Object object;
    const int mark = test::logMark();
    EXPECT_EQ(object.setSprite("no-such-sprite"), -1);
    std::vector<test::LogLine> lines = test::GameLog().linesOf(sourceOf(object), mark);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].level, "ERROR");
    EXPECT_EQ(lines[0].message, "Error getting 'no-such-sprite' sprite.");
    EXPECT_EQ(object.getAnimation().getSprite(), nullptr);
    EXPECT_FALSE(ov::WorldManager::getInstance().getSceneGraph().contains(&object));
}

using ObjectSprites = worldtest::WorldTest;

TEST_F(ObjectSprites, FirstSpriteCentresTheBoxAndEntersTheWorldOnce)
{
    ov::ResourceManager& resources = ov::ResourceManager::getInstance();
    test::writeFile("wide.txt", "<HEADER>\nframes 1\nwidth 3\nheight 1\n</HEADER>\n<BODY>\n<=>\nend\n</BODY>\n");
    test::writeFile("tall.txt", "<HEADER>\nframes 1\nwidth 1\nheight 2\n</HEADER>\n<BODY>\nO\n|\nend\n</BODY>\n");
    ASSERT_EQ(resources.loadSprite("wide.txt", "test-wide"), 0);
    ASSERT_EQ(resources.loadSprite("tall.txt", "test-tall"), 0);

    auto* object = new Object;
    const int mark = test::logMark();
    ASSERT_EQ(object->setSprite("test-wide"), 0);
    EXPECT_EQ(object->getBox().corner, Vector(-1.5f, -0.5f));
    EXPECT_FLOAT_EQ(object->getBox().horizontal, 3.0f);
    EXPECT_TRUE(ov::WorldManager::getInstance().getSceneGraph().contains(object));
    EXPECT_EQ(test::GameLog().count("", "Sprite set to 'test-wide'.", mark), 1);

    ASSERT_EQ(object->setSprite("test-tall"), 0);
    EXPECT_EQ(object->getBox().corner, Vector(-0.5f, -1.0f));
    EXPECT_EQ(test::GameLog().count("", "Inserting object '" + sourceOf(*object) + "'", mark), 1);
    EXPECT_EQ(object->setSprite("missing"), -1);
    EXPECT_EQ(object->getSpriteName(), "test-tall");

    delete object;
    resources.unloadSprite("test-wide");
    resources.unloadSprite("test-tall");
}
