#pragma once

#include "engine/core/Manager.h"
#include "engine/world/Box.h"
#include "engine/world/ObjectList.h"
#include "engine/world/SceneGraph.h"
#include "engine/world/Vector.h"

namespace ov
{

class Object;

const int UPDATE_MARGIN = 20;
const int MOVE_SUBSTEPS = 10;
const float GRAVITY_STEP = 0.04f;

// Owns the world: its objects, boundary, view and the objects waiting to be
// deleted. Each frame, update moves the objects near the view with collisions
// and sends them a step event; draw draws the visible ones by altitude.
class WorldManager : public Manager
{
public:
    static WorldManager& getInstance();

    int start() override;
    void stop() override;

    int insertObject(Object* object) { return m_sceneGraph.insertObject(object); }
    int removeObject(Object* object) { return m_sceneGraph.removeObject(object); }
    // The active objects followed by the inactive ones.
    ObjectList getAllObjects() const;
    SceneGraph& getSceneGraph() { return m_sceneGraph; }
    const SceneGraph& getSceneGraph() const { return m_sceneGraph; }
    // Whether the object with this address and id is still in the world: a
    // holder of an object the world may have deleted asks before touching it.
    // Only the address is compared until it is found, and the id tells a new
    // object made at a freed address from the one that was held.
    bool holds(const Object* object, int id) const;

    int markForDelete(Object* object);
    const ObjectList& getDeletions() const { return m_deletions; }

    // The colliding objects whose boxes the object's box would meet at where.
    ObjectList getCollisions(const Object* object, Vector where) const;
    // Moves in sub-steps with collision tests; 0, or -1 without an object.
    int moveObject(Object* object, Vector where);

    void update(int stepCount);
    void draw();

    void setBoundary(Box boundary) { m_boundary = boundary; }
    Box getBoundary() const { return m_boundary; }
    void setView(Box view) { m_view = view; }
    Box getView() const { return m_view; }

    // Places the view around a point, inside the boundary.
    void setViewPosition(Vector center);
    int setViewFollowing(Object* object);
    Object* getViewFollowing() const { return m_viewFollowing; }
    void setViewSlack(Vector slack) { m_viewSlack = slack; }
    Vector getViewSlack() const { return m_viewSlack; }

    // Called by an object's destructor: the world stops referring to it
    // (the followed object, the deletion list).
    void forgetObject(Object* object);

private:
    WorldManager();

    Box m_boundary;
    Box m_view;
    Object* m_viewFollowing = nullptr;
    Vector m_viewSlack;
    ObjectList m_deletions;
    SceneGraph m_sceneGraph;
};

} // namespace ov
