#include "WorldTesting.h"

#include "engine/core/GameManager.h"
#include "engine/display/DisplayManager.h"
#include "engine/world/WorldManager.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

// Marks another object for deletion while it is itself being destroyed.
class Parent : public Probe
{
public:
    explicit Parent(ov::Object* child) : Probe(cellBox(), Vector(5.0f, 5.0f)), m_child(child) {}
    ~Parent() override { world().markForDelete(m_child); }

private:
    ov::Object* m_child;
};

// Writes down the order in which the world draws it.
class Drawn : public Probe
{
public:
    Drawn(Vector position, int altitude, std::vector<int>& order) : Probe(cellBox(), position), m_order(order)
    {
        setAltitude(altitude);
    }
    int draw() override
    {
        m_order.push_back(getId());
        return 0;
    }

private:
    std::vector<int>& m_order;
};

} // namespace

using WorldManagerTest = worldtest::WorldTest;

TEST_F(WorldManagerTest, MarkedObjectsAreDeletedOnce)
{
    int deaths = 0;
    auto* doomed = new Probe(cellBox(), Vector(5.0f, 5.0f));
    doomed->deaths = &deaths;
    world().markForDelete(doomed);
    world().markForDelete(doomed);
    EXPECT_EQ(world().getDeletions().getCount(), 1);
    world().update(1);
    world().update(2);
    EXPECT_EQ(deaths, 1);
    EXPECT_TRUE(world().getAllObjects().isEmpty());

    // Destroyed some other way while marked (as stop does), it leaves the list.
    auto* marked = new Probe(cellBox(), Vector(5.0f, 5.0f));
    world().markForDelete(marked);
    delete marked;
    EXPECT_TRUE(world().getDeletions().isEmpty());

    // One marked by a destructor during the deletions waits for the next update.
    int childDeaths = 0;
    auto* child = new Probe(cellBox(), Vector(20.0f, 5.0f));
    child->deaths = &childDeaths;
    world().markForDelete(new Parent(child));
    world().update(3);
    EXPECT_EQ(childDeaths, 0);
    world().update(4);
    EXPECT_EQ(childDeaths, 1);
}

TEST_F(WorldManagerTest, StartAndStop)
{
    if (!ov::DisplayManager::getInstance().isStarted())
    {
        const int mark = test::logMark();
        EXPECT_EQ(world().start(), -1);
        std::vector<test::LogLine> lines = test::GameLog().linesOf("WorldManager", mark);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0].level, "ERROR");
        EXPECT_EQ(lines[0].message, "Error starting WorldManager. DisplayManager not started yet.");
    }

    int deaths = 0;
    for (int i = 0; i < 3; ++i)
        (new Probe(cellBox(), Vector(5.0f + 2 * i, 5.0f)))->deaths = &deaths;
    auto* idle = new Probe(cellBox(), Vector(20.0f, 5.0f));
    idle->deaths = &deaths;
    world().removeObject(idle);
    idle->setActive(false);
    world().insertObject(idle);

    const int mark = test::logMark();
    world().stop();
    EXPECT_EQ(deaths, 4);
    EXPECT_TRUE(world().getAllObjects().isEmpty());
    EXPECT_FALSE(world().isStarted());
    std::vector<test::LogLine> lines = test::GameLog().linesOf("WorldManager", mark);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].message, "Killing all Objects.");
    EXPECT_EQ(lines[1].message, "Stopped.");
}

TEST_F(WorldManagerTest, DrawsByAltitudeWithinTheView)
{
    std::vector<int> order;
    auto* high = new Drawn(Vector(10.0f, 10.0f), 2, order);
    auto* low = new Drawn(Vector(20.0f, 10.0f), 0, order);
    new Drawn(Vector(90.0f, 10.0f), 0, order);
    auto* pinned = new Drawn(Vector(90.0f, 10.0f), 4, order);
    pinned->setAlwaysDraw(true);
    auto* edge = new Drawn(Vector(80.5f, 10.0f), 1, order); // touches the view's right edge
    world().draw();
    EXPECT_EQ(order, (std::vector<int>{low->getId(), edge->getId(), high->getId(), pinned->getId()}));
}

TEST_F(WorldManagerTest, ViewFollowsWithoutSlackInsideTheBoundary)
{
    world().setBoundary(Box(Vector(), 200.0f, 60.0f));
    world().setView(Box(Vector(), 80.0f, 30.0f));
    world().setViewSlack(Vector(0.0f, 0.0f));
    auto* hero = new Probe(cellBox(), Vector(60.0f, 20.0f));
    ASSERT_EQ(world().setViewFollowing(hero), 0);
    EXPECT_EQ(world().getView().corner, Vector(20.0f, 5.0f));

    hero->setVelocity(Vector(3.0f, 2.0f));
    world().update(1);
    EXPECT_NEAR(world().getView().corner.x + 40.0f, hero->getPosition().x, 1e-4f);
    EXPECT_NEAR(world().getView().corner.y + 15.0f, hero->getPosition().y, 1e-4f);

    world().moveObject(hero, Vector(195.0f, 58.0f));
    EXPECT_EQ(world().getView().corner, Vector(120.0f, 30.0f));
    world().moveObject(hero, Vector(2.0f, 1.0f));
    EXPECT_EQ(world().getView().corner, Vector(0.0f, 0.0f));
}

TEST_F(WorldManagerTest, ViewFollowsWithSlack)
{
    world().setBoundary(Box(Vector(), 200.0f, 60.0f));
    world().setView(Box(Vector(), 80.0f, 30.0f));
    world().setViewSlack(Vector(0.25f, 0.25f));
    // Centred on (40, 15), the hero roams 10 columns and 3.75 rows either way.
    auto* hero = new Probe(cellBox(), Vector(40.0f, 15.0f));
    ASSERT_EQ(world().setViewFollowing(hero), 0);
    world().moveObject(hero, Vector(50.0f, 18.75f));
    EXPECT_EQ(world().getView().corner, Vector(0.0f, 0.0f));
    world().moveObject(hero, Vector(51.0f, 18.75f));
    EXPECT_NEAR(world().getView().corner.x, 1.0f, 1e-4f);
    EXPECT_EQ(world().getView().corner.y, 0.0f);
    world().moveObject(hero, Vector(30.0f, 20.75f));
    EXPECT_NEAR(world().getView().corner.x, 0.0f, 1e-4f);
    EXPECT_NEAR(world().getView().corner.y, 2.0f, 1e-4f);
}

// Nothing of the world keeps a destroyed object's address: not the view,
// and not the registries of event types, where a new object made at the
// same address would be taken for it ("already in list").
TEST_F(WorldManagerTest, DestroyedObjectIsForgottenEverywhere)
{
    auto* hero = new Probe(cellBox(), Vector(40.0f, 15.0f));
    ASSERT_EQ(hero->registerInterest(ov::EVENT_TYPE_KEYBOARD), 0);
    ASSERT_EQ(world().setViewFollowing(hero), 0);
    ov::Object outsider;
    EXPECT_EQ(world().setViewFollowing(&outsider), -1);
    EXPECT_EQ(world().getViewFollowing(), hero);

    world().markForDelete(hero);
    world().update(1);
    EXPECT_EQ(world().getViewFollowing(), nullptr);
    EXPECT_EQ(world().setViewFollowing(nullptr), 0);
    const ov::Manager* registries[] = {&world(), &ov::GameManager::getInstance()};
    for (const ov::Manager* manager : registries)
        for (int slot = 0; slot < manager->getEventCount(); ++slot)
            EXPECT_FALSE(manager->getInterested(slot).contains(hero)) << manager->getEventName(slot);
}
