#pragma once

#include "engine/world/Box.h"
#include "engine/world/Object.h"
#include "engine/world/WorldManager.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Shared by the world tests: objects that are only a box and record what they
// receive, and a fixture that leaves the world as it found it.
namespace worldtest
{

// One event as a probe handled it.
struct Received
{
    int receiver;
    std::string type;
    ov::Object* object1;
    ov::Object* object2;
    ov::Vector receiverPosition; // where the receiver stood meanwhile
    int stepCount;
    bool outOfWorld;
};

// Every event any probe handled, in order.
std::vector<Received>& journal();
std::vector<Received> receivedBy(const ov::Object* object, const std::string& type);

// A box at a position, put into the world; it writes down every event.
class Probe : public ov::Object
{
public:
    Probe(ov::Box box, ov::Vector position, ov::CollisionKind kind = ov::BLOCKING);
    ~Probe() override;
    int handleEvent(const ov::Event& event) override;

    int* deaths = nullptr;
};

inline ov::WorldManager& world()
{
    return ov::WorldManager::getInstance();
}

// One cell centred on the position, as a one-character sprite gives.
ov::Box cellBox();
// w x h cells with the top-left corner on the position.
ov::Box cornerBox(float w, float h);

// Puts back the boundary, view and slack, and deletes what the test left in the world.
class WorldTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

private:
    ov::Box m_boundary;
    ov::Box m_view;
    ov::Vector m_slack;
};

} // namespace worldtest

// The names every world test uses.
using ov::Box;
using ov::Object;
using ov::ObjectList;
using ov::Vector;
using worldtest::Probe;
using worldtest::Received;
using worldtest::cellBox;
using worldtest::cornerBox;
using worldtest::world;
