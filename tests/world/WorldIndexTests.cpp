// The world finds objects by place and lists find entries through an index;
// these tests hold both to the plain answer: a walk of the whole list.
#include "WorldTesting.h"

#include "engine/core/Event.h"
#include "engine/world/Geometry.h"
#include "engine/world/ObjectList.h"
#include "engine/world/ObjectListIterator.h"
#include "engine/world/WorldManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace
{

std::vector<Object*> entries(const ObjectList& list)
{
    std::vector<Object*> seen;
    for (ov::ObjectListIterator it(&list); !it.isDone(); it.next())
        seen.push_back(it.currentObject());
    return seen;
}

// What getCollisions answers, found by walking every active object.
std::vector<Object*> plainCollisions(const Object* mover, Vector where)
{
    std::vector<Object*> found;
    if (mover->getCollisionKind() == ov::GHOST)
        return found;
    for (Object* other : entries(world().getSceneGraph().activeObjects()))
    {
        if (other != mover && other->getCollisionKind() != ov::GHOST
            && ov::boxIntersectsBox(ov::getWorldBox(mover, where), ov::getWorldBox(other)))
            found.push_back(other);
    }
    return found;
}

bool blocks(const Object* mover, const Object* other)
{
    if (mover->getCollisionKind() == ov::BLOCKING && other->getCollisionKind() == ov::BLOCKING)
        return true;
    return mover->isBlockedBySoft() && other->getCollisionKind() == ov::SOFT;
}

// A move done the plain way: ten sub-steps, each axis tested against every
// active object. Changes nothing.
struct PlainMove
{
    Vector position;
    bool xBlocked = false;
    bool yBlocked = false;
    std::vector<Object*> hit;
};

PlainMove plainMove(const Object* mover, Vector where)
{
    PlainMove move;
    move.position = where;
    if (mover->getCollisionKind() == ov::GHOST)
        return move;

    Vector start = mover->getPosition();
    Vector step((where.x - start.x) / ov::MOVE_SUBSTEPS, (where.y - start.y) / ov::MOVE_SUBSTEPS);
    Vector current = start;
    auto meet = [&](Vector at) {
        bool free = true;
        for (Object* other : plainCollisions(mover, at))
        {
            if (std::find(move.hit.begin(), move.hit.end(), other) == move.hit.end())
                move.hit.push_back(other);
            free = free && !blocks(mover, other);
        }
        return free;
    };
    for (int i = 0; i < ov::MOVE_SUBSTEPS && !(move.xBlocked && move.yBlocked); ++i)
    {
        if (!move.xBlocked && step.x != 0.0f)
        {
            move.xBlocked = !meet(Vector(current.x + step.x, current.y));
            if (!move.xBlocked)
                current.x += step.x;
        }
        if (!move.yBlocked && step.y != 0.0f)
        {
            move.yBlocked = !meet(Vector(current.x, current.y + step.y));
            if (!move.yBlocked)
                current.y += step.y;
        }
    }
    move.position = current;
    return move;
}

// The others the mover met, in the order its collision events came.
std::vector<Object*> metBy(const Object* mover)
{
    std::vector<Object*> met;
    for (const Received& event : worldtest::receivedBy(mover, ov::EVENT_TYPE_COLLISION))
        met.push_back(event.object2);
    return met;
}

// Places and boxes that test the grid's edges: cell borders (multiples of 4),
// boxes spanning many cells or too many to be filed in cells, empty and
// inverted boxes, and places far outside the world.
class Scatter
{
public:
    explicit Scatter(unsigned seed) : m_random(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    float between(float low, float high) { return std::uniform_real_distribution<float>(low, high)(m_random); }

    Vector place()
    {
        switch (below(6))
        {
        case 0: return Vector(4.0f * static_cast<float>(below(30) - 5), 4.0f * static_cast<float>(below(15) - 5));
        case 1: return Vector(between(-100000.0f, 100000.0f), between(-1000.0f, 1000.0f));
        default: return Vector(between(-20.0f, 100.0f), between(-20.0f, 50.0f));
        }
    }

    Box box()
    {
        switch (below(10))
        {
        case 0: return Box(Vector(), 0.0f, 0.0f);
        case 1: return Box(Vector(-2.0f, -1.0f), between(20.0f, 80.0f), between(1.0f, 3.0f));
        case 2: return Box(Vector(-150.0f, -150.0f), 300.0f, 300.0f);
        case 3: return Box(Vector(1.0f, 1.0f), -2.0f, -1.5f);
        case 4: return Box(Vector(), 4.0f, 4.0f);
        default: return Box(Vector(between(-2.0f, 0.0f), between(-2.0f, 0.0f)), between(0.5f, 4.0f), between(0.5f, 4.0f));
        }
    }

    ov::CollisionKind kind() { return static_cast<ov::CollisionKind>(below(3)); }

private:
    std::mt19937 m_random;
};

} // namespace

TEST(ObjectListIndex, LongListAnswersAsAPlainArray)
{
    static char storage[400];
    std::mt19937 random(5);
    ObjectList list;
    std::vector<Object*> plain;
    int capacity = 1;
    int warnings = 0;
    const int mark = test::logMark();

    for (int round = 0; round < 20000; ++round)
    {
        // Enough distinct objects that the list crosses the length at which it keeps an index.
        Object* object = reinterpret_cast<Object*>(&storage[random() % 300]);
        bool held = std::find(plain.begin(), plain.end(), object) != plain.end();
        switch (random() % 8)
        {
        case 0:
        case 1:
        case 2:
            ASSERT_EQ(list.insert(object), 0);
            if (held)
            {
                ++warnings;
                break;
            }
            if (static_cast<int>(plain.size()) >= capacity)
                capacity *= 2;
            plain.push_back(object);
            break;
        case 3:
        case 4:
            ASSERT_EQ(list.remove(object), held ? 0 : -1);
            if (held)
                plain.erase(std::find(plain.begin(), plain.end(), object));
            break;
        case 5:
            ASSERT_EQ(list.contains(object), held);
            break;
        case 6:
        {
            // A copy keeps the entries; walking it while the source loses them is undisturbed.
            ObjectList copy(list);
            for (ov::ObjectListIterator it(&copy); !it.isDone(); it.next())
                list.remove(it.currentObject());
            ASSERT_TRUE(list.isEmpty());
            list = copy;
            ASSERT_EQ(entries(list), plain);
            break;
        }
        default:
            if (random() % 50 == 0)
            {
                list.clear();
                plain.clear();
                capacity = 1;
            }
            break;
        }
        ASSERT_EQ(list.getCount(), static_cast<int>(plain.size()));
        ASSERT_EQ(list.getCapacity(), capacity);
        if (round % 97 == 0)
        {
            ASSERT_EQ(entries(list), plain) << "round " << round;
        }
    }
    EXPECT_EQ(entries(list), plain);
    EXPECT_EQ(test::GameLog().count("", "Insert failed due to element already in list.", mark), warnings);
}

using WorldIndex = worldtest::WorldTest;

// Objects jump near and far, change box, kind and altitude, leave and
// re-enter the world, die and are born, while searches and moves (of a few
// cells, and of hundreds in one step) are checked against the plain walk.
TEST_F(WorldIndex, SearchesAndMovesMatchThePlainWalkWhileObjectsChange)
{
    Scatter scatter(13);
    std::vector<Probe*> probes;
    for (int i = 0; i < 150; ++i)
        probes.push_back(new Probe(scatter.box(), scatter.place(), scatter.kind()));

    int moves = 0;
    int metSomething = 0;
    for (int round = 0; round < 3000; ++round)
    {
        Probe* probe = probes[static_cast<std::size_t>(scatter.below(static_cast<int>(probes.size())))];
        switch (scatter.below(9))
        {
        case 0:
            probe->setPosition(scatter.place());
            break;
        case 1:
            probe->setBox(scatter.box());
            break;
        case 2:
            probe->setCollisionKind(scatter.kind());
            break;
        case 3:
            probe->setAltitude(scatter.below(ov::MAX_ALTITUDE + 1));
            break;
        case 4:
            // Back in at the end of the active list, and so last in every answer.
            world().removeObject(probe);
            world().insertObject(probe);
            break;
        case 5:
        {
            auto dead = std::find(probes.begin(), probes.end(), probe);
            delete probe;
            *dead = new Probe(scatter.box(), scatter.place(), scatter.kind());
            break;
        }
        case 6:
        {
            Vector where = probe->getPosition() + Vector(scatter.between(-4.0f, 4.0f), scatter.between(-4.0f, 4.0f));
            ASSERT_EQ(entries(world().getCollisions(probe, where)), plainCollisions(probe, where));
            break;
        }
        default:
        {
            float reach = scatter.below(3) == 0 ? 400.0f : 6.0f;
            Vector where = probe->getPosition()
                + Vector(scatter.between(-reach, reach), scatter.between(-reach * 0.3f, reach * 0.3f));
            probe->setVelocity(Vector(1.0f, 1.0f));
            PlainMove expected = plainMove(probe, where);
            worldtest::journal().clear();

            ASSERT_EQ(world().moveObject(probe, where), 0);
            ASSERT_EQ(probe->getPosition(), expected.position) << "round " << round;
            ASSERT_EQ(metBy(probe), expected.hit) << "round " << round;
            ASSERT_EQ(probe->getVelocity().x == 0.0f, expected.xBlocked);
            ASSERT_EQ(probe->getVelocity().y == 0.0f, expected.yBlocked);
            ++moves;
            metSomething += !expected.hit.empty();
            break;
        }
        }
    }
    // The moves must have met things for the comparison to mean anything.
    EXPECT_GT(moves, 500);
    EXPECT_GT(metSomething, moves / 10);
}

namespace
{

// At its first collision it deletes another object and puts a new one in its place.
class Replacer : public Probe
{
public:
    using Probe::Probe;

    int handleEvent(const ov::Event& event) override
    {
        if (event.getType() == ov::EVENT_TYPE_COLLISION && victim)
        {
            Vector place = victim->getPosition();
            delete victim;
            victim = nullptr;
            replacement = new Probe(worldtest::cellBox(), place);
        }
        return Probe::handleEvent(event);
    }

    Probe* victim = nullptr;
    Probe* replacement = nullptr;
};

} // namespace

// An object deleted in the middle of an update is met by no later move, and
// the object put in its place (perhaps at the same address) is.
TEST_F(WorldIndex, ObjectDeletedDuringAnUpdateIsNotMetLater)
{
    auto* victim = new Probe(worldtest::cellBox(), Vector(26.0f, 10.0f));
    auto* trigger = new Probe(worldtest::cellBox(), Vector(12.0f, 20.0f));
    auto* replacer = new Replacer(worldtest::cellBox(), Vector(10.0f, 20.0f));
    replacer->victim = victim;
    replacer->setVelocity(Vector(1.0f, 0.0f));
    auto* runner = new Probe(worldtest::cellBox(), Vector(22.0f, 10.0f));
    runner->setVelocity(Vector(8.0f, 0.0f));

    world().update(1);

    ASSERT_NE(replacer->replacement, nullptr);
    EXPECT_EQ(metBy(replacer), (std::vector<Object*>{trigger}));
    // Sub-steps of 0.8 from 22: the box would touch the new one's at 25.2.
    EXPECT_EQ(metBy(runner), (std::vector<Object*>{replacer->replacement}));
    EXPECT_NEAR(runner->getPosition().x, 24.4f, 1e-4f);
    EXPECT_EQ(runner->getVelocity().x, 0.0f);
    EXPECT_EQ(entries(world().getCollisions(runner, Vector(25.0f, 10.0f))),
              plainCollisions(runner, Vector(25.0f, 10.0f)));
}
