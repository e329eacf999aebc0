#pragma once

#include "game/ViewObject.h"

class Player;

// The title picture shown over the roof during the introduction; the space
// bar, pressed, held or released, lets the player start.
class StartMenu : public ov::ViewObject
{
public:
    // Centres itself in the view and enters the world with its sprite.
    explicit StartMenu(Player* player);

    int handleEvent(const ov::Event& event) override;
    int draw() override;

private:
    // The player is only compared with the world's objects until found there,
    // so a player that died is never touched.
    const ov::Object* m_player;
    int m_playerId;
};
