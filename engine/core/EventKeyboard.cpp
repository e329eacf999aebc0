#include "engine/core/EventKeyboard.h"

namespace ov
{

EventKeyboard::EventKeyboard() :
    m_key(Key::Undefined),
    m_action(KeyboardAction::Undefined)
{
    setType(EVENT_TYPE_KEYBOARD);
}

void EventKeyboard::setKey(Key key)
{
    m_key = key;
}

Key EventKeyboard::getKey() const
{
    return m_key;
}

void EventKeyboard::setAction(KeyboardAction action)
{
    m_action = action;
}

KeyboardAction EventKeyboard::getAction() const
{
    return m_action;
}

} // namespace ov
