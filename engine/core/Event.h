#pragma once

#include <string>

namespace ov
{

inline const std::string EVENT_TYPE_UNDEFINED = "ov::undefined";
inline const std::string EVENT_TYPE_STEP = "ov::step";
inline const std::string EVENT_TYPE_KEYBOARD = "ov::keyboard";
inline const std::string EVENT_TYPE_MOUSE = "ov::mouse";
inline const std::string EVENT_TYPE_COLLISION = "ov::collision";
inline const std::string EVENT_TYPE_OUT = "ov::out";
inline const std::string EVENT_TYPE_VIEW = "ov::view";

// A message handed to objects; receivers tell kinds apart by getType() and
// then read the matching subclass.
class Event
{
public:
    virtual ~Event() = default;

    // The event's kind, one of the EVENT_TYPE_ names (or a game's own); receivers compare it before reading the
    // subclass.
    ///@{
    void setType(const std::string& type) { m_type = type; }
    const std::string& getType() const { return m_type; }
    ///@}

private:
    std::string m_type;
};

} // namespace ov
