#include "engine/world/Geometry.h"

#include "engine/display/DisplayManager.h"
#include "engine/world/Object.h"

namespace ov
{

Box getWorldBox(const Object* object)
{
    return getWorldBox(object, object->getPosition());
}

Box getWorldBox(const Object* object, Vector where)
{
    Box box = object->getBox();
    box.corner = box.corner + where;
    return box;
}

Vector pixelsToCells(Vector pixels)
{
    const DisplayManager& display = DisplayManager::getInstance();

    // A display without cells has no cell size; hand the value back rather
    // than divide by zero.
    if (display.getWidthCells() == 0 || display.getHeightCells() == 0)
        return pixels;

    float cellWidth = static_cast<float>(display.getWidthPixels())
        / static_cast<float>(display.getWidthCells());
    float cellHeight = static_cast<float>(display.getHeightPixels())
        / static_cast<float>(display.getHeightCells());
    if (cellWidth == 0.0f || cellHeight == 0.0f)
        return pixels;

    return Vector(pixels.x / cellWidth, pixels.y / cellHeight);
}

} // namespace ov
