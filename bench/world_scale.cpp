// How the world's cost grows with its size: building a world of N objects,
// one update (the mean of a few) and deleting every object, for levels of
// 1000, 5000 and 20000 objects with 200 movers near the view, and for crowds
// of movers close together with nothing else. The log stays closed, so the
// figures are the world's own work. Times are the processor time the
// benchmark used, and each world is built, updated and deleted several times
// with each figure the best of those runs: both keep out most of what other
// programs on the machine cost. Prints one line per world and the ratios the
// world is held to.
#include "engine/world/Object.h"
#include "engine/world/WorldManager.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace
{

const int LEVEL_MOVERS = 200;
const int UPDATES = 10;
const int RUNS = 15;
const int ROWS = 30;

// A small fixed generator, so every run builds the same worlds.
class Random
{
public:
    explicit Random(unsigned seed) : m_state(seed) {}

    // 0 to 1.
    float next()
    {
        m_state = m_state * 1664525u + 1013904223u;
        return static_cast<float>(m_state >> 8) / 16777216.0f;
    }

private:
    unsigned m_state;
};

// Processor time, not wall time: the time other programs take the processor
// from the benchmark is left out.
double millisecondsSince(std::clock_t start)
{
    return static_cast<double>(std::clock() - start) * 1000.0 / CLOCKS_PER_SEC;
}

ov::Object* makeObject(ov::Vector position, float width, float height, ov::CollisionKind kind)
{
    ov::Object* object = new ov::Object();
    object->setBox(ov::Box(ov::Vector(-width * 0.5f, -height * 0.5f), width, height));
    object->setPosition(position);
    object->setCollisionKind(kind);
    ov::WorldManager::getInstance().insertObject(object);
    return object;
}

// A level: column after column of ground, platforms, walls and the odd
// background piece, and its movers (walkers that fall and fliers) in and
// around the view at the level's start. What lies near the view does not
// depend on the level's length.
void buildLevel(int objects, int movers)
{
    Random random(7);
    int statics = objects - movers;
    for (int column = 0; statics > 0; ++column)
    {
        float x = static_cast<float>(column);
        makeObject(ov::Vector(x, ROWS - 1), 1, 1, ov::BLOCKING);
        --statics;
        // A platform piece, a wall brick or a background piece in most columns.
        for (int piece = 0; piece < 3 && statics > 0; ++piece)
        {
            float roll = random.next();
            float row = 6.0f + static_cast<float>(static_cast<int>(random.next() * 20.0f));
            if (roll < 0.6f)
                makeObject(ov::Vector(x, row), 1, 1, roll < 0.5f ? ov::BLOCKING : ov::GHOST);
            else if (roll < 0.7f)
                makeObject(ov::Vector(x, row), 1, 3, ov::BLOCKING);
            else
                continue;
            --statics;
        }
    }

    for (int i = 0; i < movers; ++i)
    {
        ov::Vector place(2.0f + random.next() * 110.0f, 2.0f + random.next() * 24.0f);
        bool walker = i % 2 == 0;
        ov::Object* mover = makeObject(place, walker ? 1.0f : 3.0f, 1, walker ? ov::BLOCKING : ov::SOFT);
        mover->setGravity(walker);
        mover->setVelocity(ov::Vector(random.next() * 0.8f - 0.4f, walker ? 0.0f : random.next() * 0.4f - 0.2f));
    }
}

// Movers only, a square block of them one and a half cells apart, centred
// in the part of the world that updates, so that every crowd has the same
// density and shape. They drift right together, each a little differently,
// so they keep bumping into each other; every third one is soft and passes
// through.
void buildCrowd(int movers)
{
    Random random(11);
    int side = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(movers))));
    float corner = -static_cast<float>(side) * 0.75f;
    for (int i = 0; i < movers; ++i)
    {
        ov::Vector place(40.0f + corner + static_cast<float>(i % side) * 1.5f,
                         15.0f + corner + static_cast<float>(i / side) * 1.5f);
        ov::Object* mover = makeObject(place, 1, 1, i % 3 == 0 ? ov::SOFT : ov::BLOCKING);
        mover->setVelocity(ov::Vector(0.15f + random.next() * 0.3f, random.next() * 0.3f - 0.15f));
    }
}

struct Figures
{
    double build;
    double update;
    double remove;
};

Figures measureOnce(int objects, int movers, bool crowd, int& step)
{
    ov::WorldManager& world = ov::WorldManager::getInstance();
    world.setView(ov::Box(ov::Vector(0, 0), 80, ROWS));

    Figures figures;
    std::clock_t start = std::clock();
    if (crowd)
        buildCrowd(movers);
    else
        buildLevel(objects, movers);
    figures.build = millisecondsSince(start);

    start = std::clock();
    for (int i = 0; i < UPDATES; ++i)
        world.update(++step);
    figures.update = millisecondsSince(start) / UPDATES;

    start = std::clock();
    ov::ObjectList all = world.getAllObjects();
    for (int i = 0; i < all.getCount(); ++i)
        world.markForDelete(all.get(i));
    world.update(++step);
    figures.remove = millisecondsSince(start);
    return figures;
}

Figures measure(int objects, int movers, bool crowd, int& step)
{
    Figures best = measureOnce(objects, movers, crowd, step);
    for (int run = 1; run < RUNS; ++run)
    {
        Figures figures = measureOnce(objects, movers, crowd, step);
        best.build = std::min(best.build, figures.build);
        best.update = std::min(best.update, figures.update);
        best.remove = std::min(best.remove, figures.remove);
    }
    std::printf("world-scale objects=%d movers=%d: build %.2f ms, update %.3f ms, delete %.2f ms\n", objects,
                movers, best.build, best.update, best.remove);
    std::fflush(stdout);
    return best;
}

} // namespace

int main()
{
    int step = 0;
    Figures small = measure(1000, LEVEL_MOVERS, false, step);
    measure(5000, LEVEL_MOVERS, false, step);
    Figures large = measure(20000, LEVEL_MOVERS, false, step);
    Figures fewCrowded = measure(250, 250, true, step);
    measure(1000, 1000, true, step);
    Figures manyCrowded = measure(2000, 2000, true, step);

    std::printf("world-scale ratios: build 20000/1000 %.1f (at most 30), delete 20000/1000 %.1f (at most 30), "
                "update 200 movers in 20000/1000 %.2f (at most 3), update crowd 2000/250 %.1f (at most 12)\n",
                large.build / small.build, large.remove / small.remove, large.update / small.update,
                manyCrowded.update / fewCrowded.update);
    return 0;
}
