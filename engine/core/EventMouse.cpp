#include "engine/core/EventMouse.h"

#include "engine/display/DisplayManager.h"

namespace ov
{

EventMouse::EventMouse()
    : m_action(MouseAction::Undefined), m_button(MouseButton::Undefined),
      // The centre of the window, in whole pixels.
      m_position(static_cast<float>(DisplayManager::getInstance().getWidthPixels() / 2),
                 static_cast<float>(DisplayManager::getInstance().getHeightPixels() / 2))
{
    setType(EVENT_TYPE_MOUSE);
}

} // namespace ov
