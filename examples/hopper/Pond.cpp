#include "Pond.h"

#include "Fly.h"
#include "Frog.h"
#include "Pad.h"

#include "engine/core/EventMouse.h"
#include "engine/display/DisplayManager.h"
#include "engine/world/WorldManager.h"

namespace
{

const float WIDTH = 200;  // cells
const float HEIGHT = 30;
const int PADS = 12;
// The height of each pad above the water, in rows: a hop climbs 9 at most.
const int RISE[PADS] = {4, 6, 9, 7, 4, 8, 12, 9, 6, 10, 7, 4};

// The cell of the world under a pixel of the window's picture: the pointer
// is in pixels, the world in cells, and the view is where the window looks.
ov::Vector cellAt(ov::Vector pixel)
{
    const ov::DisplayManager& display = ov::DisplayManager::getInstance();
    const ov::Box view = ov::WorldManager::getInstance().getView();
    return ov::Vector(view.corner.x + pixel.x / display.getCellWidth(),
                      view.corner.y + pixel.y / display.getCellHeight());
}

} // namespace

Pond::Pond()
{
    setType("Pond");
    setCollisionKind(ov::GHOST);
    ov::WorldManager& world = ov::WorldManager::getInstance();
    world.insertObject(this);
    registerInterest(ov::EVENT_TYPE_MOUSE);

    // The world is wider than the window; the view follows the frog across it.
    world.setBoundary(ov::Box(ov::Vector(), WIDTH, HEIGHT));
    for (int i = 0; i < PADS; ++i)
    {
        const ov::Vector place(8.0f + static_cast<float>(i) * 16.0f, HEIGHT - static_cast<float>(RISE[i]));
        new Pad(place, false);
        if (i % 2 == 1)
        {
            new Fly(ov::Vector(place.x, place.y - 4.0f));
            ++m_flies;
        }
    }
    m_frog = new Frog(ov::Vector(8.0f, HEIGHT - static_cast<float>(RISE[0]) - 3.0f));
    world.setViewFollowing(m_frog);
}

int Pond::handleEvent(const ov::Event& event)
{
    if (event.getType() == ov::EVENT_TYPE_MOUSE)
    {
        const ov::EventMouse& mouse = static_cast<const ov::EventMouse&>(event);
        if (mouse.getAction() == ov::MouseAction::Clicked && mouse.getButton() == ov::MouseButton::Left)
        {
            new Pad(cellAt(mouse.getPosition()), true);
            logMessage("", "Laid a leaf.");
            return 1;
        }
    }
    return 0;
}
