#include "engine/resources/Sprite.h"

#include "engine/core/LogManager.h"

namespace ov
{

Sprite::Sprite(int maxFrameCount)
    : m_width(0),
      m_height(0),
      // A negative count can hold nothing; 0 keeps the animation's arithmetic safe.
      m_maxFrameCount(maxFrameCount < 0 ? 0 : maxFrameCount),
      m_color(WHITE),
      m_slowdown(0),
      m_frames(),
      m_label(),
      m_transparency(0)
{
    // The count comes from a file that users edit by hand: frames are stored
    // as they arrive, never reserved up front.
}

void Sprite::setWidth(int width)
{
    m_width = width;
}

int Sprite::getWidth() const
{
    return m_width;
}

void Sprite::setHeight(int height)
{
    m_height = height;
}

int Sprite::getHeight() const
{
    return m_height;
}

void Sprite::setColor(Color color)
{
    m_color = color;
}

Color Sprite::getColor() const
{
    return m_color;
}

void Sprite::setSlowdown(int slowdown)
{
    m_slowdown = slowdown;
}

int Sprite::getSlowdown() const
{
    return m_slowdown;
}

void Sprite::setLabel(const std::string& label)
{
    m_label = label;
}

const std::string& Sprite::getLabel() const
{
    return m_label;
}

void Sprite::setTransparency(char transparency)
{
    m_transparency = transparency;
}

char Sprite::getTransparency() const
{
    return m_transparency;
}

int Sprite::getMaxFrameCount() const
{
    return m_maxFrameCount;
}

int Sprite::getFrameCount() const
{
    return static_cast<int>(m_frames.size());
}

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
