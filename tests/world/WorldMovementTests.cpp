#include "WorldTesting.h"

#include "engine/core/Event.h"
#include "engine/world/WorldManager.h"

#include <gtest/gtest.h>

#include <set>

using worldtest::receivedBy;

namespace
{

std::vector<Received> collisions()
{
    std::vector<Received> result;
    for (const Received& event : worldtest::journal())
        if (event.type == ov::EVENT_TYPE_COLLISION)
            result.push_back(event);
    return result;
}

} // namespace

using WorldMovement = worldtest::WorldTest;

TEST_F(WorldMovement, FreeMoveLandsBeforeTheStep)
{
    auto* mover = new Probe(cellBox(), Vector(10.0f, 10.0f));
    mover->setVelocity(Vector(2.0f, 0.0f));
    world().update(7);

    EXPECT_FLOAT_EQ(mover->getPosition().x, 12.0f);
    std::vector<Received> steps = receivedBy(mover, ov::EVENT_TYPE_STEP);
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].stepCount, 7);
    EXPECT_FLOAT_EQ(steps[0].receiverPosition.x, 12.0f);
    EXPECT_TRUE(collisions().empty());
    EXPECT_EQ(world().moveObject(nullptr, Vector()), -1);
}

TEST_F(WorldMovement, BlockedAxisStopsShortAndLosesItsVelocityOnly)
{
    // The wall starts at x 12; the mover's right edge starts at 10.5 and
    // moves in tenths of 0.2, so the eighth tenth would touch the wall.
    auto* wall = new Probe(cornerBox(1.0f, 30.0f), Vector(12.0f, 0.0f));
    auto* mover = new Probe(cellBox(), Vector(10.0f, 10.0f));
    mover->setVelocity(Vector(2.0f, 1.0f));
    world().update(1);

    EXPECT_NEAR(mover->getPosition().x, 11.4f, 1e-4f);
    EXPECT_NEAR(mover->getPosition().y, 11.0f, 1e-4f);
    EXPECT_NEAR(mover->getVelocity().x, 0.0f, 1e-6f);
    EXPECT_NEAR(mover->getVelocity().y, 1.0f, 1e-5f);

    std::vector<Received> events = collisions();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].receiver, mover->getId());
    EXPECT_EQ(events[1].receiver, wall->getId());
    EXPECT_EQ(events[1].object1, mover);
    EXPECT_EQ(events[1].object2, wall);
    // Handled while the mover still stands where it started.
    EXPECT_EQ(events[0].receiverPosition, Vector(10.0f, 10.0f));

    // Already overlapping the wall, it cannot move on either axis.
    mover->setPosition(Vector(12.0f, 10.0f));
    mover->setVelocity(Vector(1.0f, 1.0f));
    world().update(2);
    EXPECT_EQ(mover->getPosition(), Vector(12.0f, 10.0f));
    EXPECT_EQ(mover->getVelocity(), Vector(0.0f, 0.0f));
}

TEST_F(WorldMovement, SoftAndGhostRules)
{
    auto* wall = new Probe(cornerBox(1.0f, 30.0f), Vector(12.0f, 0.0f));
    auto* soft = new Probe(cellBox(), Vector(10.0f, 5.0f), ov::SOFT);
    auto* ghost = new Probe(cellBox(), Vector(10.0f, 20.0f), ov::GHOST);
    soft->setVelocity(Vector(4.0f, 0.0f));
    ghost->setVelocity(Vector(4.0f, 0.0f));
    world().update(1);

    EXPECT_FLOAT_EQ(soft->getPosition().x, 14.0f);
    EXPECT_FLOAT_EQ(ghost->getPosition().x, 14.0f);
    EXPECT_EQ(receivedBy(soft, ov::EVENT_TYPE_COLLISION).size(), 1u);
    EXPECT_EQ(receivedBy(wall, ov::EVENT_TYPE_COLLISION).size(), 1u);
    EXPECT_TRUE(receivedBy(ghost, ov::EVENT_TYPE_COLLISION).empty());

    // A blocking mover passes a soft object unless soft objects block it.
    soft->setVelocity(Vector(0.0f, 0.0f));
    soft->setPosition(Vector(30.0f, 5.0f));
    auto* walker = new Probe(cellBox(), Vector(28.0f, 5.0f));
    walker->setVelocity(Vector(4.0f, 0.0f));
    world().update(2);
    EXPECT_FLOAT_EQ(walker->getPosition().x, 32.0f);

    walker->setPosition(Vector(28.0f, 5.0f));
    walker->setVelocity(Vector(4.0f, 0.0f));
    walker->setBlockedBySoft(true);
    world().update(3);
    EXPECT_NEAR(walker->getPosition().x, 28.8f, 1e-4f);
}

TEST_F(WorldMovement, OneCollisionEventPerObjectMetMoverFirst)
{
    // Each soft object is met in several tenths of the move.
    auto* first = new Probe(cellBox(), Vector(11.0f, 10.0f), ov::SOFT);
    auto* second = new Probe(cellBox(), Vector(12.0f, 10.0f), ov::SOFT);
    auto* mover = new Probe(cellBox(), Vector(10.0f, 10.0f));
    mover->setVelocity(Vector(3.0f, 0.0f));
    world().update(1);

    std::vector<Received> events = collisions();
    ASSERT_EQ(events.size(), 4u);
    std::set<ov::Object*> met;
    for (std::size_t i = 0; i < events.size(); i += 2)
    {
        EXPECT_EQ(events[i].receiver, mover->getId());
        EXPECT_EQ(events[i + 1].receiver, events[i].object2->getId());
        met.insert(events[i].object2);
    }
    EXPECT_EQ(met, (std::set<ov::Object*>{first, second}));
}

TEST_F(WorldMovement, LeavingTheWorldThenTheViewIsReportedOnce)
{
    world().setBoundary(Box(Vector(), 80.0f, 30.0f));
    world().setView(Box(Vector(), 80.0f, 30.0f));
    auto* leaver = new Probe(cellBox(), Vector(79.5f, 10.0f));
    leaver->setVelocity(Vector(2.0f, 0.0f));
    world().update(1);
    world().update(2);
    std::vector<Received> outs = receivedBy(leaver, ov::EVENT_TYPE_OUT);
    ASSERT_EQ(outs.size(), 1u);
    EXPECT_TRUE(outs[0].outOfWorld);

    world().setBoundary(Box(Vector(), 200.0f, 30.0f));
    auto* wanderer = new Probe(cellBox(), Vector(79.5f, 20.0f));
    wanderer->setVelocity(Vector(2.0f, 0.0f));
    world().update(3);
    world().update(4);
    outs = receivedBy(wanderer, ov::EVENT_TYPE_OUT);
    ASSERT_EQ(outs.size(), 1u);
    EXPECT_FALSE(outs[0].outOfWorld);
}

TEST_F(WorldMovement, GravityAcceleratesUntilAFloorHolds)
{
    auto* floor = new Probe(cornerBox(80.0f, 1.0f), Vector(0.0f, 20.0f));
    auto* faller = new Probe(cellBox(), Vector(10.0f, 5.0f));
    faller->setGravity(true);
    world().update(1);
    EXPECT_FLOAT_EQ(faller->getVelocity().y, 0.04f);
    EXPECT_NEAR(faller->getPosition().y, 5.04f, 1e-5f);
    world().update(2);
    EXPECT_FLOAT_EQ(faller->getVelocity().y, 0.08f);
    EXPECT_NEAR(faller->getPosition().y, 5.12f, 1e-5f);

    for (int step = 3; step < 200; ++step)
        world().update(step);
    EXPECT_TRUE(faller->isOnGround());
    EXPECT_GT(faller->getPosition().y + 0.5f, 19.99f);

    // At rest it is blocked again every frame: one event each, no motion.
    worldtest::journal().clear();
    Vector rest = faller->getPosition();
    world().update(200);
    EXPECT_EQ(faller->getPosition(), rest);
    EXPECT_EQ(faller->getVelocity().y, 0.0f);
    EXPECT_EQ(receivedBy(faller, ov::EVENT_TYPE_COLLISION).size(), 1u);
    EXPECT_EQ(receivedBy(floor, ov::EVENT_TYPE_COLLISION).size(), 1u);
    faller->setPosition(rest + Vector(0.0f, -0.2f));
    EXPECT_FALSE(faller->isOnGround());
}

TEST_F(WorldMovement, OnlyObjectsNearTheViewAreUpdated)
{
    world().setBoundary(Box(Vector(), 200.0f, 200.0f));
    world().setView(Box(Vector(), 80.0f, 30.0f));
    // The view widened by 20 cells reaches x 100 and y 50, edges included.
    auto* edgeX = new Probe(cellBox(), Vector(100.5f, 10.0f));
    auto* beyondX = new Probe(cellBox(), Vector(101.5f, 15.0f));
    auto* edgeY = new Probe(cellBox(), Vector(10.0f, 50.5f));
    auto* beyondY = new Probe(cellBox(), Vector(20.0f, 51.5f));
    for (Probe* probe : {edgeX, beyondX, edgeY, beyondY})
        probe->setVelocity(Vector(0.0f, 0.5f));
    world().update(1);

    EXPECT_FLOAT_EQ(edgeX->getPosition().y, 10.5f);
    EXPECT_EQ(receivedBy(edgeY, ov::EVENT_TYPE_STEP).size(), 1u);
    EXPECT_FLOAT_EQ(beyondX->getPosition().y, 15.0f);
    EXPECT_TRUE(receivedBy(beyondX, ov::EVENT_TYPE_STEP).empty());
    EXPECT_TRUE(receivedBy(beyondY, ov::EVENT_TYPE_STEP).empty());
}
