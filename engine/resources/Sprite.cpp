#include "engine/resources/Sprite.h"

#include "engine/core/LogManager.h"

namespace ov
{

const Frame& Sprite::getFrame(int index) const
{
    static const Frame empty;
    if (index < 0 || index >= getFrameCount())
        return empty;
    return m_frames[static_cast<size_t>(index)];
}

int Sprite::addFrame(const Frame& frame)
{
    if (getFrameCount() >= m_maxFrameCount)
    {
        LogManager::getInstance().writeLog("ERROR", "Sprite '" + m_label + "'", "Error adding frame. Frame array full.");
        return -1;
    }
    m_frames.push_back(frame);
    return 0;
}

int Sprite::draw(int index, Vector topLeft) const
{
    // No frame there (a sprite without frames, or an index the game set by
    // hand): nothing to draw, and not worth a log line on every frame.
    if (index < 0 || index >= getFrameCount())
        return 0;

    if (m_frames[static_cast<size_t>(index)].draw(topLeft, m_color, m_transparency) == -1)
    {
        LogManager::getInstance().writeLog("ERROR", "Sprite '" + m_label + "'", "Error drawing sprite frame %d", index);
        return -1;
    }
    return 0;
}

} // namespace ov
