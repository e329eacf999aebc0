#include "CoreTestSupport.h"

#include "engine/core/LogManager.h"
#include "engine/core/Manager.h"
#include "engine/world/Object.h"

#include <string>

using coretest::LogTest;

namespace
{

class TestManager : public ov::Manager
{
};

std::string sourceOf(const ov::Object& object)
{
    return object.getType() + " " + std::to_string(object.getId());
}

int countContaining(const std::string& text)
{
    int count = 0;
    test::GameLog log;
    for (const test::LogLine& line : log.lines())
        if (line.message.find(text) != std::string::npos)
            ++count;
    return count;
}

} // namespace

TEST_F(LogTest, ManagerStartsAndStopsWithItsOwnName)
{
    TestManager manager;
    EXPECT_FALSE(manager.isStarted());
    EXPECT_EQ(manager.getType(), "Manager");
    EXPECT_EQ(manager.getEventCount(), 0);
    EXPECT_FALSE(manager.isValid("ov::step"));

    manager.setType("TestManager");
    EXPECT_EQ(manager.start(), 0);
    EXPECT_TRUE(manager.isStarted());
    manager.stop();
    EXPECT_FALSE(manager.isStarted());

    std::vector<test::LogLine> lines = test::GameLog().lines();
    ASSERT_GE(lines.size(), 2u);
    const test::LogLine& started = lines[lines.size() - 2];
    const test::LogLine& stopped = lines.back();
    EXPECT_EQ(started.level, "");
    EXPECT_EQ(started.source, "TestManager");
    EXPECT_EQ(started.message, "Started.");
    EXPECT_EQ(stopped.level, "");
    EXPECT_EQ(stopped.source, "TestManager");
    EXPECT_EQ(stopped.message, "Stopped.");
}

TEST_F(LogTest, ManagerStopAfterTheLogStoppedWritesNothing)
{
    TestManager manager;
    manager.start();
    ov::LogManager::getInstance().stop();
    std::string before = test::readTextFile("orvane.log");
    manager.stop();
    EXPECT_EQ(test::readTextFile("orvane.log"), before);
}

TEST_F(LogTest, RegisteringANewTypeLogsUnderTheObjectsName)
{
    TestManager manager;
    ov::Object player;
    player.setType("Player");

    EXPECT_EQ(manager.registerInterest(&player, "ov::keyboard"), 0);
    EXPECT_EQ(manager.getEventCount(), 1);
    EXPECT_EQ(manager.getEventName(0), "ov::keyboard");
    EXPECT_TRUE(manager.getInterested(0).contains(&player));
    EXPECT_TRUE(manager.isValid("ov::keyboard"));
    EXPECT_FALSE(manager.isValid("ov::Keyboard"));

    test::LogLine line = test::GameLog().lines().back();
    EXPECT_EQ(line.level, "ALERT");
    EXPECT_EQ(line.source, sourceOf(player));
    EXPECT_EQ(line.message, "Can now recieve events of type 'ov::keyboard'.");
}

TEST_F(LogTest, RegisteringAKnownTypeJoinsItsList)
{
    TestManager manager;
    ov::Object first;
    ov::Object second;
    manager.registerInterest(&first, "test::joined");
    EXPECT_EQ(manager.registerInterest(&second, "test::joined"), 0);
    EXPECT_EQ(manager.registerInterest(&second, "test::joined"), 0);

    EXPECT_EQ(manager.getEventCount(), 1);
    EXPECT_EQ(manager.getInterested(0).getCount(), 2);
    EXPECT_EQ(manager.getInterested(0).get(1), &second);
    EXPECT_EQ(countContaining("Can now recieve events of type 'test::joined'"), 1);

    // The duplicate is refused by the list, with its own warning.
    test::LogLine warning = test::GameLog().lines().back();
    EXPECT_EQ(warning.level, "WARN");
    EXPECT_EQ(warning.source, "ObjectList");
}

TEST_F(LogTest, RegistryHoldsAtMostAHundredTypes)
{
    TestManager manager;
    ov::Object object;
    ov::Object another;
    for (int i = 0; i < ov::MAX_EVENT_TYPES; ++i)
        ASSERT_EQ(manager.registerInterest(&object, "type" + std::to_string(i)), 0);
    int lines = static_cast<int>(test::GameLog().lines().size());

    EXPECT_EQ(manager.registerInterest(&object, "type100"), -1);
    EXPECT_EQ(manager.getEventCount(), 100);
    EXPECT_FALSE(manager.isValid("type100"));
    EXPECT_EQ(static_cast<int>(test::GameLog().lines().size()), lines);

    EXPECT_EQ(manager.registerInterest(&another, "type99"), 0);
    EXPECT_EQ(manager.getInterested(99).getCount(), 2);
}

TEST_F(LogTest, UnregisteringTheLastObjectClosesTheGap)
{
    TestManager manager;
    manager.setType("TestManager");
    ov::Object stepper;
    ov::Object typist;
    ov::Object pointer;
    ov::Object collider;
    manager.registerInterest(&stepper, "ov::step");
    manager.registerInterest(&typist, "ov::keyboard");
    manager.registerInterest(&pointer, "ov::mouse");

    EXPECT_EQ(manager.unregisterInterest(&typist, "ov::keyboard"), 0);
    test::LogLine line = test::GameLog().lines().back();
    EXPECT_EQ(line.level, "ALERT");
    EXPECT_EQ(line.source, "TestManager");
    EXPECT_EQ(line.message, "Can now not recieve events of type 'ov::keyboard'");

    ASSERT_EQ(manager.getEventCount(), 2);
    EXPECT_EQ(manager.getEventName(0), "ov::step");
    EXPECT_EQ(manager.getEventName(1), "ov::mouse");
    EXPECT_EQ(manager.getInterested(0).get(0), &stepper);
    EXPECT_EQ(manager.getInterested(1).get(0), &pointer);
    EXPECT_EQ(manager.getInterested(1).getCount(), 1);
    EXPECT_FALSE(manager.isValid("ov::keyboard"));

    EXPECT_EQ(manager.registerInterest(&collider, "ov::collision"), 0);
    ASSERT_EQ(manager.getEventCount(), 3);
    EXPECT_EQ(manager.getEventName(2), "ov::collision");
    EXPECT_EQ(manager.getInterested(2).getCount(), 1);
    EXPECT_EQ(manager.getInterested(2).get(0), &collider);
}

TEST_F(LogTest, UnregisteringWhatIsNotThereChangesNothing)
{
    TestManager manager;
    ov::Object member;
    ov::Object stranger;
    manager.registerInterest(&member, "ov::out");

    // A known type with an object not in its list: the line, nothing else.
    EXPECT_EQ(manager.unregisterInterest(&stranger, "ov::out"), 0);
    EXPECT_EQ(countContaining("Can now not recieve events of type 'ov::out'"), 1);
    EXPECT_EQ(manager.getEventCount(), 1);
    EXPECT_EQ(manager.getInterested(0).getCount(), 1);

    // An unknown type: not even the line.
    int lines = static_cast<int>(test::GameLog().lines().size());
    EXPECT_EQ(manager.unregisterInterest(&member, "ov::view"), 0);
    EXPECT_EQ(static_cast<int>(test::GameLog().lines().size()), lines);
}

TEST_F(LogTest, RegisteringNoObjectIsRefused)
{
    TestManager manager;
    EXPECT_EQ(manager.registerInterest(nullptr, "ov::step"), -1);
    EXPECT_EQ(manager.getEventCount(), 0);
    EXPECT_FALSE(manager.isValid("ov::step"));
}
