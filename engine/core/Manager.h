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

    // Whether an object has registered interest in this type of event here.
    // (The virtual operations keep a fixed order: isValid, destructor, start, stop.)
    virtual bool isValid(const std::string& eventType) const { return findEvent(eventType) >= 0; }
    virtual ~Manager() = default;
    // Marks the manager started and logs "Started."; 0 for started, -1 when it cannot start (each manager's own
    // start says why in the log).
    virtual int start();
    // Marks the manager stopped and logs "Stopped." while the log is still open.
    virtual void stop();

    Manager(const Manager&) = delete;
    Manager& operator=(const Manager&) = delete;

    // The manager's name: the source of its log lines.
    ///@{
    void setType(const std::string& type) { m_type = type; }
    const std::string& getType() const { return m_type; }
    ///@}
    // Whether start succeeded and stop has not been called since.
    bool isStarted() const { return m_started; }

    // Writes a line through the log manager with this manager's type as source.
    // Returns the number of characters written.
    int logMessage(const std::string& level, const char* format, ...)
        __attribute__((format(printf, 3, 4)));

    // Notes that the object wants events of this type (it stays the caller's, or the world's); 0, or -1 for no
    // object or a hundred types already known. The first object of a new type is logged.
    int registerInterest(Object* object, const std::string& eventType);
    // Forgets the object's interest in this type; a type nobody wants any more is dropped. 0.
    int unregisterInterest(Object* object, const std::string& eventType);
    // Takes an object that is being destroyed out of every type's list,
    // without a word and keeping the types: no list may keep its address,
    // or a new object made there would be taken for it.
    void dropObject(Object* object);

    // The number of event types with interested objects: the registry's
    // slots 0 to getEventCount() - 1.
    int getEventCount() const { return m_eventCount; }
    // The type name in a slot ("" outside), and the objects interested in it (an empty list outside).
    ///@{
    const std::string& getEventName(int slot) const;
    const ObjectList& getInterested(int slot) const;
    ///@}

protected:
    // For a manager's own start and stop.
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
