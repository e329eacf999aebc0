#pragma once

#include "engine/world/Vector.h"

#include <string>

namespace ov
{

class Sprite;

// Which frame of a sprite an object shows, and for how many draws it has shown it.
class Animation
{
public:
    // Frame 0, the count at the sprite's slowdown, the name its label.
    void setSprite(Sprite* sprite);
    // The sprite shown (the resource manager's), nullptr for none.
    Sprite* getSprite() const { return m_sprite; }
    // The frame shown, from 0.
    ///@{
    void setIndex(int index) { m_index = index; }
    int getIndex() const { return m_index; }
    ///@}
    // -1 freezes the animation on its frame.
    void setSlowdownCount(int count) { m_slowdownCount = count; }
    // Draws of the current frame so far; the frame advances when it reaches the sprite's slowdown.
    int getSlowdownCount() const { return m_slowdownCount; }
    // The animation's name: the sprite's label unless set.
    ///@{
    void setName(const std::string& name) { m_name = name; }
    const std::string& getName() const { return m_name; }
    ///@}

    // Draws the current frame centred on a world position, then advances.
    int draw(Vector position);

private:
    Sprite* m_sprite = nullptr;
    int m_index = 0;
    int m_slowdownCount = 0;
    std::string m_name;
};

} // namespace ov
