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
    // The count comes from a file that users edit by hand: frames are stored
    // as they arrive, never reserved up front. A negative count holds nothing.
    explicit Sprite(int maxFrameCount) : m_maxFrameCount(maxFrameCount < 0 ? 0 : maxFrameCount) {}

    // Every frame's size in cells.
    ///@{
    void setWidth(int width) { m_width = width; }
    int getWidth() const { return m_width; }
    void setHeight(int height) { m_height = height; }
    int getHeight() const { return m_height; }
    ///@}
    // The colour every character is drawn in.
    ///@{
    void setColor(Color color) { m_color = color; }
    Color getColor() const { return m_color; }
    ///@}
    // Draws of each frame before the next is shown (0 or 1: every draw; a sprite file's "slowdown").
    ///@{
    void setSlowdown(int slowdown) { m_slowdown = slowdown; }
    int getSlowdown() const { return m_slowdown; }
    ///@}
    // The label the resource manager finds it by.
    ///@{
    void setLabel(const std::string& label) { m_label = label; }
    const std::string& getLabel() const { return m_label; }
    ///@}
    // The character that is not drawn, so that what lies behind shows (0: none).
    ///@{
    void setTransparency(char transparency) { m_transparency = transparency; }
    char getTransparency() const { return m_transparency; }
    ///@}
    // The frames the sprite file announced, and those loaded so far.
    ///@{
    int getMaxFrameCount() const { return m_maxFrameCount; }
    int getFrameCount() const { return static_cast<int>(m_frames.size()); }
    ///@}
    // The empty frame outside 0 to getFrameCount() - 1.
    const Frame& getFrame(int index) const;

    // 0, or -1 when the sprite already holds maxFrameCount frames.
    int addFrame(const Frame& frame);
    // Draws one frame with its top-left at a world position; 0 or -1.
    int draw(int index, Vector topLeft) const;

private:
    int m_width = 0;
    int m_height = 0;
    int m_maxFrameCount;
    Color m_color = WHITE;
    int m_slowdown = 0;
    std::vector<Frame> m_frames; // grows with addFrame, never beyond m_maxFrameCount
    std::string m_label;
    char m_transparency = 0;
};

} // namespace ov
