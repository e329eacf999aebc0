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
    Animation();

    // Frame 0, the count at the sprite's slowdown, the name its label.
    void setSprite(Sprite* sprite);
    Sprite* getSprite() const;
    void setIndex(int index);
    int getIndex() const;
    // -1 freezes the animation on its frame.
    void setSlowdownCount(int count);
    int getSlowdownCount() const;
    void setName(const std::string& name);
    const std::string& getName() const;

    // Draws the current frame centred on a world position, then advances.
    int draw(Vector position);

private:
    Sprite* m_sprite;
    int m_index;
    int m_slowdownCount;
    std::string m_name;
};

} // namespace ov
