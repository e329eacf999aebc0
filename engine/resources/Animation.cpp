#include "engine/resources/Animation.h"

#include "engine/resources/Sprite.h"

#include <limits>

namespace ov
{

void Animation::setSprite(Sprite* sprite)
{
    m_sprite = sprite;
    m_index = 0;
    m_slowdownCount = sprite ? sprite->getSlowdown() : 0;
    m_name = sprite ? sprite->getLabel() : std::string();
}

int Animation::draw(Vector position)
{
    if (!m_sprite)
        return 0;

    const Vector topLeft(position.x - m_sprite->getWidth() * 0.5f + 0.5f,
                         position.y - m_sprite->getHeight() * 0.5f + 0.5f);
    if (m_sprite->draw(m_index, topLeft) == -1)
        return -1;

    if (m_slowdownCount == -1)
        return 0;

    // A huge slowdown from a sprite file must not overflow the count.
    if (m_slowdownCount < std::numeric_limits<int>::max())
        ++m_slowdownCount;
    if (m_slowdownCount >= m_sprite->getSlowdown())
    {
        // Compared as index >= max - 1 so that an index set by hand to the
        // largest int cannot overflow.
        if (m_index >= m_sprite->getMaxFrameCount() - 1)
            m_index = 0;
        else
            ++m_index;
        m_slowdownCount = 0;
    }
    return 0;
}

} // namespace ov
