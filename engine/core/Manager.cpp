#include "engine/core/Manager.h"

#include "engine/core/LogManager.h"
#include "engine/world/Object.h"

#include <cstdarg>
#include <utility>

namespace ov
{

int Manager::start()
{
    m_started = true;
    logMessage("", "Started.");
    return 0;
}

void Manager::stop()
{
    m_started = false;
    // The log manager itself stops last; after that there is nowhere to write.
    if (LogManager::getInstance().isStarted())
        logMessage("", "Stopped.");
}

int Manager::logMessage(const std::string& level, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    int written = LogManager::getInstance().writeLogV(level, m_type, format, args);
    va_end(args);
    return written;
}

int Manager::registerInterest(Object* object, const std::string& eventType)
{
    // The log line below reads the object's type and id, so a missing object
    // is refused before anything changes.
    if (!object)
    {
        logMessage("ERROR", "Cannot register no object for events of type '%s'.", eventType.c_str());
        return -1;
    }

    int slot = findEvent(eventType);
    if (slot >= 0)
    {
        // The list warns about a duplicate itself and keeps one entry.
        m_interested[slot].insert(object);
        return 0;
    }

    if (m_eventCount >= MAX_EVENT_TYPES)
        return -1;

    slot = m_eventCount;
    m_eventNames[slot] = eventType;
    m_interested[slot].clear();
    m_interested[slot].insert(object);
    ++m_eventCount;

    // Logged under the object's name, not the manager's: the line tells which
    // object caused the new type.
    std::string source = object->getType() + " " + std::to_string(object->getId());
    LogManager::getInstance().writeLog("ALERT", source, "Can now recieve events of type '%s'.",
                                       eventType.c_str());
    return 0;
}

int Manager::unregisterInterest(Object* object, const std::string& eventType)
{
    int slot = findEvent(eventType);
    if (slot < 0)
        return 0;

    m_interested[slot].remove(object);
    logMessage("ALERT", "Can now not recieve events of type '%s'", eventType.c_str());

    if (!m_interested[slot].isEmpty())
        return 0;

    // Keep the used slots packed and in registration order. Swapping carries
    // each later slot's list down with its own storage and leaves the emptied
    // list in the slot that becomes free at the end.
    for (int i = slot; i < m_eventCount - 1; ++i)
    {
        std::swap(m_eventNames[i], m_eventNames[i + 1]);
        std::swap(m_interested[i], m_interested[i + 1]);
    }
    --m_eventCount;
    m_eventNames[m_eventCount].clear();
    return 0;
}

void Manager::dropObject(Object* object)
{
    for (int slot = 0; slot < m_eventCount; ++slot)
        m_interested[slot].remove(object);
}

const std::string& Manager::getEventName(int slot) const
{
    static const std::string none;
    if (slot < 0 || slot >= m_eventCount)
        return none;
    return m_eventNames[slot];
}

const ObjectList& Manager::getInterested(int slot) const
{
    static const ObjectList none;
    if (slot < 0 || slot >= m_eventCount)
        return none;
    return m_interested[slot];
}

int Manager::findEvent(const std::string& eventType) const
{
    for (int i = 0; i < m_eventCount; ++i)
    {
        if (m_eventNames[i] == eventType)
            return i;
    }
    return -1;
}

} // namespace ov
