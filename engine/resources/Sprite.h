#pragma once

#include "engine/display/Color.h"
#include "engine/resources/Frame.h"
#include "engine/world/Vector.h"

#include <string>
#include <vector>

namespace ov
{

// Character art of one or more frames, loaded from a sprite file and owned by the resource manager.
class Sprite
{
public:
    explicit Sprite(int maxFrameCount);

    void setWidth(int width);
    int getWidth() const;
    void setHeight(int height);
    int getHeight() const;
    void setColor(Color color);
    Color getColor() const;
    void setSlowdown(int slowdown);
    int getSlowdown() const;
    void setLabel(const std::string& label);
    const std::string& getLabel() const;
    void setTransparency(char transparency);
    char getTransparency() const;
    int getMaxFrameCount() const;
    int getFrameCount() const;
    const Frame& getFrame(int index) const;

    // 0, or -1 when the sprite already holds maxFrameCount frames.
    int addFrame(const Frame& frame);
    // Draws one frame with its top-left at a world position; 0 or -1.
    int draw(int index, Vector topLeft) const;

private:
    int m_width;
    int m_height;
    int m_maxFrameCount;
    Color m_color;
    int m_slowdown;
    std::vector<Frame> m_frames; // grows with addFrame, never beyond m_maxFrameCount
    std::string m_label;
    char m_transparency;
};

} // namespace ov
