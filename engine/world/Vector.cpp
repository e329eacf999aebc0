#include "engine/world/Vector.h"

#include <cmath>
#include <cstdio>

namespace ov
{

float Vector::getMagnitude() const
{
    // Double precision keeps the squares of large coordinates exact enough.
    double dx = x;
    double dy = y;
    return static_cast<float>(std::sqrt(dx * dx + dy * dy));
}

void Vector::normalize()
{
    float magnitude = getMagnitude();
    if (magnitude > 0.0f)
    {
        x /= magnitude;
        y /= magnitude;
    }
}

std::string Vector::toString() const
{
    // "%f" of the largest float is 47 characters; two of them fit easily.
    char text[128];
    std::snprintf(text, sizeof(text), "%f %f", x, y);
    return text;
}

} // namespace ov
