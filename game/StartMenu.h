#pragma once

#include "game/Startable.h"
#include "game/ViewObject.h"

// The title picture shown over the roof during the introduction; the space
// bar, pressed, held or released, lets the player start.
class StartMenu : public ov::ViewObject
{
public:
    // Centres itself in the view and enters the world with its sprite. The
    // player is an object of the world that is Startable.
    explicit StartMenu(ov::Object* player);

    int handleEvent(const ov::Event& event) override;
    int draw() override { return ov::Object::draw(); }

    // A player that respawned takes the place of the one the screen was made for.
    void setPlayer(ov::Object* player);

private:
    // Touched only while the world still holds it, so a player that died is never touched.
    ov::Object* m_player = nullptr;
    int m_playerId = -1;
};
