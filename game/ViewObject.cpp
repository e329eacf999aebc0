#include "game/ViewObject.h"

#include "engine/core/EventView.h"
#include "engine/display/DisplayManager.h"
#include "engine/world/WorldManager.h"

namespace ov
{

ViewObject::ViewObject()
{
    setAlwaysDraw(true);
    setCollisionKind(GHOST);
    setAltitude(MAX_ALTITUDE);
    setType("ViewObject");
    setLocation(1);
    registerInterest(EVENT_TYPE_VIEW);
}

void ViewObject::setLocation(int location)
{
    m_location = location;

    // C++ keeps the sign of the dividend, so negative spots land at or left of the first column.
    int f = (location % 3) + 1;
    Box view = WorldManager::getInstance().getView();
    Vector position;
    position.x = f * view.horizontal / 6 + view.corner.x;
    position.y = f * view.vertical / 6 + view.corner.y;
    if (!m_border)
        position.y -= 1;
    setPosition(position);
}

void ViewObject::setBorder(bool border)
{
    if (border == m_border)
        return;
    m_border = border;
    // Without the frame the text moves up one row to stay where the frame's middle was.
    setLocation(m_location);
}

int ViewObject::handleEvent(const Event& event)
{
    if (event.getType() != EVENT_TYPE_VIEW)
        return 0;

    const EventView& viewEvent = static_cast<const EventView&>(event);
    if (viewEvent.getTag() == m_viewString)
    {
        if (viewEvent.getDelta())
            m_value += viewEvent.getValue();
        else
            m_value = viewEvent.getValue();
    }
    // Events for other labels are consumed too: no other view object shares this one's label.
    return 1;
}

int ViewObject::draw()
{
    DisplayManager& display = DisplayManager::getInstance();
    std::string text = m_viewString + " " + std::to_string(m_value);
    Vector position = getPosition();

    if (!m_border)
    {
        display.drawString(position, text, m_color);
        return 0;
    }

    text = "| " + text + " |";
    // The dashes span from the blank after the left bar to the blank before the right one.
    std::string line(text.size() - 2, '-');
    if (display.drawString(Vector(position.x, position.y - 1), line, m_color) == -1)
        return -1;
    display.drawString(position, text, m_color);
    if (display.drawString(Vector(position.x, position.y + 1), line, m_color) == -1)
        return -1;
    return 0;
}

} // namespace ov
