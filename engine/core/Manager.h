#pragma once

#include "engine/world/ObjectList.h"

#include <array>
#include <string>

namespace ov
{

class Object;

const int MAX_EVENT_TYPES = 100;

// Base of every manager: a type name (also the source name of its log lines),
// a started flag, and a registry of which objects asked for which event types.
// The registry is bookkeeping only; events are delivered by direct calls.
class Manager
{
public:
    Manager() = default;

    // Virtual operations in a fixed order: isValid, destructor, start, stop.
    virtual bool isValid(const std::string& eventType) const { return findEvent(eventType) >= 0; }
    virtual ~Manager() = default;
    virtual int start();
    virtual void stop();

    Manager(const Manager&) = delete;
    Manager& operator=(const Manager&) = delete;

    void setType(const std::string& type) { m_type = type; }
    const std::string& getType() const { return m_type; }
    bool isStarted() const { return m_started; }

    // Writes a line through the log manager with this manager's type as source.
    // Returns the number of characters written.
    int logMessage(const std::string& level, const char* format, ...)
        __attribute__((format(printf, 3, 4)));

    int registerInterest(Object* object, const std::string& eventType);
    int unregisterInterest(Object* object, const std::string& eventType);

    // Read access to the registry, slots 0 to getEventCount() - 1.
    int getEventCount() const { return m_eventCount; }
    const std::string& getEventName(int slot) const;
    const ObjectList& getInterested(int slot) const;

protected:
    void setStarted(bool started) { m_started = started; }

private:
    int findEvent(const std::string& eventType) const;

    std::string m_type = "Manager";
    bool m_started = false;
    std::array<std::string, MAX_EVENT_TYPES> m_eventNames;
    std::array<ObjectList, MAX_EVENT_TYPES> m_interested;
    int m_eventCount = 0;
};

} // namespace ov
