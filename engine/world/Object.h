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
    // Where the object is, in world cells: the middle of its sprite (the top-left corner of its box is position +
    // box.corner). Placed directly, without collisions; WorldManager::moveObject moves with them.
    virtual void setPosition(Vector position);
    // Hears an event: a game's object tells kinds apart by Event::getType.
    // 1 when handled, 0 otherwise.
    virtual int handleEvent(const Event&) { return 0; }
    // Draws the sprite's current frame centred on the position and advances the animation; nothing when invisible
    // or without a sprite. 0, or -1. A game's object may draw more (text, for one) or otherwise.
    virtual int draw();

    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    // A number of its own, from 0 in the order objects are made, never reused.
    int getId() const { return m_id; }
    // A name of the object's kind, "Object" by default; its log lines come from "type id".
    ///@{
    void setType(const std::string& type);
    const std::string& getType() const { return m_type; }
    ///@}
    // Where the object is (see setPosition).
    Vector getPosition() const { return m_position; }

    // The velocity in cells a frame (y grows downwards), kept as a direction
    // of unit length and a speed.
    ///@{
    void setVelocity(Vector velocity);
    Vector getVelocity() const { return Vector(m_speed * m_direction.x, m_speed * m_direction.y); }
    Vector getDirection() const { return m_direction; }
    float getSpeed() const { return m_speed; }
    ///@}

    // The box the object collides with, relative to its position; a sprite sets it to the sprite's size, centred.
    ///@{
    void setBox(Box box);
    Box getBox() const { return m_box; }
    ///@}

    // Looks the sprite up by label and shows it from its first frame, the box
    // becoming the sprite's size; the first sprite puts the object into the
    // world. 0, or -1 (logged) for a label not loaded.
    int setSprite(const std::string& label);
    // The label of the sprite, and the animation that shows it.
    ///@{
    const std::string& getSpriteName() const { return m_spriteName; }
    Animation& getAnimation() { return m_animation; }
    const Animation& getAnimation() const { return m_animation; }
    ///@}

    // The layer the object is drawn in, 0 (first, at the back) to MAX_ALTITUDE; out of range is refused (logged)
    // for an object in the world.
    ///@{
    void setAltitude(int altitude);
    int getAltitude() const { return m_altitude; }
    ///@}
    // How the object takes part in collisions: BLOCKING (the default), SOFT or GHOST.
    ///@{
    void setCollisionKind(CollisionKind kind);
    CollisionKind getCollisionKind() const { return m_collisionKind; }
    ///@}
    // Whether soft objects stop it too (off by default: it passes through them, and both hear of the collision).
    ///@{
    void setBlockedBySoft(bool blocked) { m_blockedBySoft = blocked; }
    bool isBlockedBySoft() const { return m_blockedBySoft; }
    ///@}
    // Whether the world moves, updates and draws it (on by default).
    ///@{
    void setActive(bool active) { m_active = active; }
    bool isActive() const { return m_active; }
    ///@}
    // Whether it is drawn (on by default); it still moves and collides.
    ///@{
    void setVisible(bool visible) { m_visible = visible; }
    bool isVisible() const { return m_visible; }
    ///@}
    // Whether the world pulls it down each frame (off by default).
    ///@{
    void setGravity(bool gravity) { m_gravity = gravity; }
    bool getGravity() const { return m_gravity; }
    ///@}
    // Whether it is drawn even outside the view (off by default), for objects that draw where they like.
    ///@{
    void setAlwaysDraw(bool alwaysDraw) { m_alwaysDraw = alwaysDraw; }
    bool getAlwaysDraw() const { return m_alwaysDraw; }
    ///@}

    // Notes, or forgets, that the object wants events of a type (EVENT_TYPE_STEP, _KEYBOARD, _MOUSE, or a game's
    // own); 0, or -1 beyond MAX_OBJ_EVENTS types. The engine hands every object the step, keyboard and mouse events
    // regardless: the notes are bookkeeping.
    ///@{
    int registerInterest(const std::string& eventType);
    int unregisterInterest(const std::string& eventType);
    ///@}
    // How many types it has noted.
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
