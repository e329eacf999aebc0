#include "WorldTesting.h"

#include "engine/world/SceneGraph.h"
#include "engine/world/WorldManager.h"

#include <gtest/gtest.h>

using ov::SceneGraph;

namespace
{

// How many of the scene graph's lists hold the object.
int listsHolding(const SceneGraph& graph, const Object* object)
{
    int n = graph.activeObjects().contains(object) + graph.inactiveObjects().contains(object)
          + graph.collidableObjects().contains(object);
    for (int altitude = 0; altitude <= ov::MAX_ALTITUDE; ++altitude)
        n += graph.altitudeObjects(altitude).contains(object);
    return n;
}

} // namespace

TEST(SceneGraph, FilesByActivityKindAndAltitude)
{
    SceneGraph graph;
    Object solid;
    solid.setAltitude(4);
    Object ghost;
    ghost.setCollisionKind(ov::GHOST);
    Object idle;
    idle.setActive(false);
    for (Object* object : {&solid, &ghost, &idle})
        ASSERT_EQ(graph.insertObject(object), 0);
    EXPECT_EQ(graph.insertObject(&solid), 0);

    EXPECT_TRUE(graph.activeObjects().contains(&solid));
    EXPECT_TRUE(graph.collidableObjects().contains(&solid));
    EXPECT_TRUE(graph.altitudeObjects(4).contains(&solid));
    EXPECT_EQ(listsHolding(graph, &solid), 3);
    EXPECT_FALSE(graph.collidableObjects().contains(&ghost));
    EXPECT_TRUE(graph.altitudeObjects(0).contains(&ghost));
    EXPECT_TRUE(graph.inactiveObjects().contains(&idle));
    EXPECT_FALSE(graph.activeObjects().contains(&idle));

    EXPECT_EQ(graph.removeObject(&solid), 0);
    EXPECT_EQ(listsHolding(graph, &solid), 0);
    EXPECT_EQ(graph.removeObject(&solid), -1);
    // Inactive objects leave too, so a destroyed one is never left behind.
    EXPECT_EQ(graph.removeObject(&idle), 0);
    EXPECT_EQ(listsHolding(graph, &idle), 0);
}

TEST(SceneGraph, RefusesAltitudesOutOfRange)
{
    for (int altitude : {5, -1})
    {
        SceneGraph graph;
        Object object;
        object.setAltitude(altitude);
        const int mark = test::logMark();
        EXPECT_EQ(graph.insertObject(&object), -1);
        EXPECT_EQ(listsHolding(graph, &object), 0);

        std::vector<test::LogLine> lines = test::GameLog().linesOf("SceneGraph", mark);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0].level, "");
        EXPECT_EQ(lines[0].message, "Inserting object 'Object " + std::to_string(object.getId()) + "'");
        EXPECT_EQ(lines[1].level, "ERROR");
        EXPECT_EQ(lines[1].message, "Error inserting object. Object altitude not in range.");
    }
}

using SceneGraphRefiling = worldtest::WorldTest;

TEST_F(SceneGraphRefiling, KindAndAltitudeChangesRefileObjectsInTheWorld)
{
    const SceneGraph& graph = ov::WorldManager::getInstance().getSceneGraph();
    auto* probe = new worldtest::Probe(worldtest::cellBox(), ov::Vector());
    probe->setAltitude(1);

    probe->setCollisionKind(ov::SOFT);
    EXPECT_TRUE(graph.collidableObjects().contains(probe));
    probe->setCollisionKind(ov::GHOST);
    EXPECT_FALSE(graph.collidableObjects().contains(probe));
    probe->setCollisionKind(ov::BLOCKING);
    EXPECT_TRUE(graph.collidableObjects().contains(probe));

    probe->setAltitude(3);
    EXPECT_TRUE(graph.altitudeObjects(3).contains(probe));
    EXPECT_EQ(listsHolding(graph, probe), 3);
    // In the world it keeps a drawable altitude.
    probe->setAltitude(7);
    EXPECT_EQ(probe->getAltitude(), 3);
    EXPECT_TRUE(graph.altitudeObjects(3).contains(probe));
}
