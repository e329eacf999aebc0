#include "engine/resources/Frame.h"

#include "engine/core/LogManager.h"
#include "engine/display/DisplayManager.h"

namespace ov
{

int Frame::draw(Vector topLeft, Color color, char transparency) const
{
    // A stopped display keeps its window object, closed: that is no window either.
    DisplayManager& display = DisplayManager::getInstance();
    if (!display.getWindow() || !display.getWindow()->isOpen())
    {
        LogManager::getInstance().writeLog("ERROR", "Frame", "Cannot draw. No window.");
        return -1;
    }

    // Only the cells that can show in the window: a sprite far larger than
    // the window costs no more to draw than one that fills it. A frame built
    // by hand may hold fewer characters than its size says: never read past
    // the text.
    int firstColumn, endColumn, firstRow, endRow;
    display.visibleCells(topLeft, m_width, m_height, firstColumn, endColumn, firstRow, endRow);
    const size_t length = m_text.size();
    for (int r = firstRow; r < endRow; ++r)
    {
        for (int c = firstColumn; c < endColumn; ++c)
        {
            const size_t at = static_cast<size_t>(r) * static_cast<size_t>(m_width) + static_cast<size_t>(c);
            if (at >= length)
                return 0;
            const char ch = m_text[at];
            if (transparency != 0 && ch == transparency)
                continue;
            if (display.drawCh(Vector(topLeft.x + c, topLeft.y + r), ch, color) == -1)
            {
                LogManager::getInstance().writeLog("ERROR", "Frame", "Error drawing char %d %d.", c, r);
                return -1;
            }
        }
    }
    return 0;
}

} // namespace ov
