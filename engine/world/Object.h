#pragma once

#include "engine/resources/Animation.h"
#include "engine/world/Box.h"
#include "engine/world/CollisionKind.h"
#include "engine/world/Vector.h"

#include <string>
#include <vector>

namespace ov
{

class Event;

const int MAX_ALTITUDE = 4;
const int MAX_OBJ_EVENTS = 100;
const float GROUND_PROBE = 0.05f;

// Everything that lives in the world. Game code creates objects on the heap;
// an object enters the world with its first sprite or through the world
// manager's insertObject, and only the world manager deletes it.
class Object
{
public:
    Object();

    // Virtual operations in a fixed order: destructor, setPosition, handleEvent, draw.
    virtual ~Object();
    virtual void setPosition(Vector position);
    // 1 when handled, 0 otherwise.
    virtual int handleEvent(const Event& event);
    virtual int draw();

    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    int getId() const;
    void setType(const std::string& type);
    const std::string& getType() const;
    Vector getPosition() const { return m_position; }

    // The velocity is kept as a direction of unit length and a speed.
    void setVelocity(Vector velocity);
    Vector getVelocity() const;
    Vector getDirection() const { return m_direction; }
    float getSpeed() const { return m_speed; }

    void setBox(Box box);
    Box getBox() const { return m_box; }

    // Looks the sprite up by label; the first sprite puts the object into the world.
    int setSprite(const std::string& label);
    const std::string& getSpriteName() const;
    Animation& getAnimation();
    const Animation& getAnimation() const;

    void setAltitude(int altitude);
    int getAltitude() const;
    void setCollisionKind(CollisionKind kind);
    CollisionKind getCollisionKind() const { return m_collisionKind; }
    void setBlockedBySoft(bool blocked);
    bool isBlockedBySoft() const { return m_blockedBySoft; }
    void setActive(bool active);
    bool isActive() const;
    void setVisible(bool visible);
    bool isVisible() const;
    void setGravity(bool gravity);
    bool getGravity() const;
    void setAlwaysDraw(bool alwaysDraw);
    bool getAlwaysDraw() const;

    int registerInterest(const std::string& eventType);
    int unregisterInterest(const std::string& eventType);
    int getEventTypeCount() const;
    const std::string& getEventType(int index) const;

    // Whether a blocking object lies just below.
    bool isOnGround();

    // Writes a log line with the source "type id".
    int logMessage(const std::string& level, const char* format, ...)
        __attribute__((format(printf, 3, 4)));

private:
    int m_id;
    std::string m_type;
    Box m_box;
    Vector m_position;
    Vector m_direction;
    float m_speed;
    std::string m_spriteName;
    Animation m_animation;
    int m_altitude;
    CollisionKind m_collisionKind;
    bool m_blockedBySoft;
    std::vector<std::string> m_eventTypes; // at most MAX_OBJ_EVENTS
    bool m_active;
    bool m_visible;
    bool m_gravity;
    bool m_alwaysDraw;
};

} // namespace ov
