#include "GameTestSupport.h"

#include "engine/core/EventStep.h"
#include "engine/core/GameManager.h"
#include "engine/world/ObjectListIterator.h"
#include "engine/world/WorldManager.h"
#include "game/Floor.h"
#include "game/FloorManager.h"
#include "game/GameResources.h"
#include "support/TestSupport.h"

#include <unistd.h>

namespace gametest
{

namespace
{

int g_resourceLogBegin = 0;
int g_resourceLogEnd = 0;

class GameEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        // The game reads its data relative to the working directory.
        for (const char* folder : {"sprites", "sounds", "musics"})
        {
            std::string target = test::dataDir() + "/" + folder;
            ASSERT_EQ(0, symlink(target.c_str(), folder)) << folder;
        }
        test::startManagers(test::LOG | test::RESOURCES);
        g_resourceLogBegin = test::logMark();
        loadResources();
        g_resourceLogEnd = test::logMark();
    }
};

::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new GameEnvironment);

} // namespace

int resourceLogBegin()
{
    return g_resourceLogBegin;
}

int resourceLogEnd()
{
    return g_resourceLogEnd;
}

void clearWorld()
{
    ov::WorldManager& world = ov::WorldManager::getInstance();
    ov::ObjectList all = world.getAllObjects();
    ov::ObjectListIterator it(&all);
    for (it.first(); !it.isDone(); it.next())
        world.markForDelete(it.currentObject());
    // The update deletes everything marked, in the world or not, before it moves anything.
    world.update(0);

    world.setViewFollowing(nullptr);
    world.setViewSlack(ov::Vector());
    world.setBoundary(ov::Box(ov::Vector(), 80.0f, 30.0f));
    world.setView(ov::Box(ov::Vector(), 80.0f, 30.0f));

    FloorManager& floors = FloorManager::getInstance();
    if (floors.isStarted())
        floors.stop();
    floors.reset();
    ov::GameManager::getInstance().setGameOver(false);
}

std::vector<ov::Object*> objectsOfType(const std::string& type)
{
    std::vector<ov::Object*> found;
    ov::ObjectList all = ov::WorldManager::getInstance().getAllObjects();
    ov::ObjectListIterator it(&all);
    for (it.first(); !it.isDone(); it.next())
    {
        if (it.currentObject()->getType() == type)
            found.push_back(it.currentObject());
    }
    return found;
}

void buildGround(int from, int to, int row)
{
    for (int x = from; x <= to; ++x)
        ov::WorldManager::getInstance().insertObject(
            new Floor(ov::Vector(static_cast<float>(x), static_cast<float>(row))));
}

void step(ov::Object* object, int times)
{
    ov::EventStep event(0);
    for (int i = 0; i < times; ++i)
        object->handleEvent(event);
}

float restingRow(int groundRow)
{
    // The player's box reaches two rows below its position.
    return static_cast<float>(groundRow) - 2.001f;
}

bool isMarkedForDelete(const ov::Object* object)
{
    return ov::WorldManager::getInstance().getDeletions().contains(object);
}

void GameTest::SetUp()
{
    clearWorld();
}

void GameTest::TearDown()
{
    clearWorld();
}

ControlledPlayer::ControlledPlayer()
{
    setIntro(false);
    setStarted(true);
}

void ControlledPlayer::hold(ov::Key key)
{
    m_held.insert(key);
}

void ControlledPlayer::release(ov::Key key)
{
    m_held.erase(key);
}

bool ControlledPlayer::isKeyDown(ov::Key key) const
{
    return m_held.count(key) > 0;
}

} // namespace gametest
