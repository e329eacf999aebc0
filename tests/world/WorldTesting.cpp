#include "WorldTesting.h"

#include "engine/core/EventCollision.h"
#include "engine/core/EventOut.h"
#include "engine/core/EventStep.h"
#include "engine/core/LogManager.h"
#include "engine/world/WorldManager.h"

namespace worldtest
{

// The log runs for the whole program.
const bool g_logRunning = test::keepManagersRunning(test::LOG);

std::vector<Received>& journal()
{
    static std::vector<Received> events;
    return events;
}

std::vector<Received> receivedBy(const ov::Object* object, const std::string& type)
{
    std::vector<Received> result;
    for (const Received& event : journal())
        if (event.receiver == object->getId() && event.type == type)
            result.push_back(event);
    return result;
}

Probe::Probe(ov::Box box, ov::Vector position, ov::CollisionKind kind)
{
    setType("Probe");
    setBox(box);
    setPosition(position);
    setCollisionKind(kind);
    ov::WorldManager::getInstance().insertObject(this);
}

Probe::~Probe()
{
    if (deaths)
        ++*deaths;
}

int Probe::handleEvent(const ov::Event& event)
{
    Received entry{getId(), event.getType(), nullptr, nullptr, getPosition(), -1, false};
    if (event.getType() == ov::EVENT_TYPE_COLLISION)
    {
        entry.object1 = static_cast<const ov::EventCollision&>(event).getObject1();
        entry.object2 = static_cast<const ov::EventCollision&>(event).getObject2();
    }
    else if (event.getType() == ov::EVENT_TYPE_STEP)
        entry.stepCount = static_cast<const ov::EventStep&>(event).getStepCount();
    else if (event.getType() == ov::EVENT_TYPE_OUT)
        entry.outOfWorld = static_cast<const ov::EventOut&>(event).getOutOfWorld();
    journal().push_back(entry);
    return 1;
}

ov::Box cellBox()
{
    return ov::Box(ov::Vector(-0.5f, -0.5f), 1.0f, 1.0f);
}

ov::Box cornerBox(float w, float h)
{
    return ov::Box(ov::Vector(), w, h);
}

void WorldTest::SetUp()
{
    ov::WorldManager& world = ov::WorldManager::getInstance();
    m_boundary = world.getBoundary();
    m_view = world.getView();
    m_slack = world.getViewSlack();
    journal().clear();
}

void WorldTest::TearDown()
{
    ov::WorldManager& world = ov::WorldManager::getInstance();
    ov::ObjectList left = world.getAllObjects();
    for (int i = 0; i < left.getCount(); ++i)
        world.markForDelete(left.get(i));
    world.update(0);
    world.setViewFollowing(nullptr);
    world.setBoundary(m_boundary);
    world.setView(m_view);
    world.setViewSlack(m_slack);
    journal().clear();
}

} // namespace worldtest
