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
    // The one world manager.
    static WorldManager& getInstance();

    // Needs the log and the display; the boundary and the view are the window's 80 x 30 cells until set. 0, or -1.
    int start() override;
    // Deletes every object of the world.
    void stop() override;

    // Puts an object into the world, which then owns it and deletes it at the latest when it stops, or takes it out
    // without deleting it; 0, or -1 (see SceneGraph).
    ///@{
    int insertObject(Object* object) { return m_sceneGraph.insertObject(object); }
    int removeObject(Object* object) { return m_sceneGraph.removeObject(object); }
    ///@}
    // The active objects followed by the inactive ones.
    ObjectList getAllObjects() const;
    // Where the world files its objects.
    ///@{
    SceneGraph& getSceneGraph() { return m_sceneGraph; }
    const SceneGraph& getSceneGraph() const { return m_sceneGraph; }
    ///@}
    // Whether the object with this address and id is still in the world: a
    // holder of an object the world may have deleted asks before touching it.
    // Only the address is compared until it is found, and the id tells a new
    // object made at a freed address from the one that was held.
    bool holds(const Object* object, int id) const;

    // Deletes the object at the start of the next update, not now: it may still be handling an event. 0.
    int markForDelete(Object* object);
    // The objects waiting to be deleted.
    const ObjectList& getDeletions() const { return m_deletions; }

    // The colliding objects whose boxes the object's box would meet at where.
    ObjectList getCollisions(const Object* object, Vector where) const;
    // Moves in sub-steps with collision tests; 0, or -1 without an object.
    int moveObject(Object* object, Vector where);

    // One frame of the world: deletes the marked objects, then, for each active object within UPDATE_MARGIN cells
    // of the view, adds gravity (GRAVITY_STEP cells a frame, downwards) to its velocity, moves it by its velocity
    // (cells a frame) and sends it a step event with stepCount.
    void update(int stepCount);
    // Draws the active objects whose box meets the view, and those always drawn, altitude 0 first.
    void draw();

    // The world's extent in cells: objects that leave it hear an out event, and the view stays inside it.
    ///@{
    void setBoundary(Box boundary) { m_boundary = boundary; }
    Box getBoundary() const { return m_boundary; }
    ///@}
    // The part of the world the window shows, in cells (80 x 30 at its top-left corner).
    ///@{
    void setView(Box view) { m_view = view; }
    Box getView() const { return m_view; }
    ///@}

    // Places the view around a point, inside the boundary.
    void setViewPosition(Vector center);
    // The object the view keeps in sight as it moves (nullptr: none; 0, or -1 for an object not in the world).
    ///@{
    int setViewFollowing(Object* object);
    Object* getViewFollowing() const { return m_viewFollowing; }
    ///@}
    // How far the followed object may move from the view's centre before the view moves, as a fraction of half the
    // view across and down (0, 0: the view keeps it centred).
    ///@{
    void setViewSlack(Vector slack) { m_viewSlack = slack; }
    Vector getViewSlack() const { return m_viewSlack; }
    ///@}

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
