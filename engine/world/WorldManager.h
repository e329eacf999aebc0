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

    int insertObject(Object* object);
    int removeObject(Object* object);
    // The active objects followed by the inactive ones.
    ObjectList getAllObjects() const;
    SceneGraph& getSceneGraph();
    const SceneGraph& getSceneGraph() const;

    int markForDelete(Object* object);
    const ObjectList& getDeletions() const;

    // The colliding objects whose boxes the object's box would meet at where.
    ObjectList getCollisions(const Object* object, Vector where) const;
    // Moves in sub-steps with collision tests; 0, or -1 without an object.
    int moveObject(Object* object, Vector where);

    void update(int stepCount);
    void draw();

    void setBoundary(Box boundary);
    Box getBoundary() const;
    void setView(Box view);
    Box getView() const;

    // Places the view around a point, inside the boundary.
    void setViewPosition(Vector center);
    int setViewFollowing(Object* object);
    Object* getViewFollowing() const;
    void setViewSlack(Vector slack);
    Vector getViewSlack() const;

    // Called by an object's destructor: the world stops referring to it
    // (the followed object, the deletion list).
    void forgetObject(Object* object);

private:
    WorldManager();
    ~WorldManager() override;

    Box m_boundary;
    Box m_view;
    Object* m_viewFollowing;
    Vector m_viewSlack;
    ObjectList m_deletions;
    SceneGraph m_sceneGraph;
};

} // namespace ov
