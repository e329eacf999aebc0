#pragma once

#include "engine/resources/Animation.h"
#include "engine/world/Box.h"
#include "engine/world/CollisionKind.h"
#include "engine/world/Vector.h"

#include <cstdint>
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
    virtual int handleEvent(const Event&) { return 0; }
    virtual int draw();

    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    int getId() const { return m_id; }
    void setType(const std::string& type);
    const std::string& getType() const { return m_type; }
    Vector getPosition() const { return m_position; }

    // The velocity is kept as a direction of unit length and a speed.
    void setVelocity(Vector velocity);
    Vector getVelocity() const { return Vector(m_speed * m_direction.x, m_speed * m_direction.y); }
    Vector getDirection() const { return m_direction; }
    float getSpeed() const { return m_speed; }

    void setBox(Box box);
    Box getBox() const { return m_box; }

    // Looks the sprite up by label; the first sprite puts the object into the world.
    int setSprite(const std::string& label);
    const std::string& getSpriteName() const { return m_spriteName; }
    Animation& getAnimation() { return m_animation; }
    const Animation& getAnimation() const { return m_animation; }

    void setAltitude(int altitude);
    int getAltitude() const { return m_altitude; }
    void setCollisionKind(CollisionKind kind);
    CollisionKind getCollisionKind() const { return m_collisionKind; }
    void setBlockedBySoft(bool blocked) { m_blockedBySoft = blocked; }
    bool isBlockedBySoft() const { return m_blockedBySoft; }
    void setActive(bool active) { m_active = active; }
    bool isActive() const { return m_active; }
    void setVisible(bool visible) { m_visible = visible; }
    bool isVisible() const { return m_visible; }
    void setGravity(bool gravity) { m_gravity = gravity; }
    bool getGravity() const { return m_gravity; }
    void setAlwaysDraw(bool alwaysDraw) { m_alwaysDraw = alwaysDraw; }
    bool getAlwaysDraw() const { return m_alwaysDraw; }

    int registerInterest(const std::string& eventType);
    int unregisterInterest(const std::string& eventType);
    int getEventTypeCount() const { return static_cast<int>(m_eventTypes.size()); }

    // Whether a blocking object lies just below.
    bool isOnGround();

    // A fingerprint of the object's state: id, type, position, velocity,
    // box, sprite and animation frame, altitude, collision kind and flags.
    // A replayed run compares it with the recorded one frame by frame.
    std::uint32_t digest() const;

    // Writes a log line with the source "type id".
    int logMessage(const std::string& level, const char* format, ...)
        __attribute__((format(printf, 3, 4)));

private:
    int m_id;
    std::string m_type = "Object";
    Box m_box;
    Vector m_position;
    Vector m_direction;
    float m_speed = 0.0f;
    std::string m_spriteName;
    Animation m_animation;
    int m_altitude = 0;
    CollisionKind m_collisionKind = BLOCKING;
    bool m_blockedBySoft = false;
    std::vector<std::string> m_eventTypes; // at most MAX_OBJ_EVENTS
    bool m_active = true;
    bool m_visible = true;
    bool m_gravity = false;
    bool m_alwaysDraw = false;
};

} // namespace ov
