#pragma once

#include <string>

namespace ov
{

// A point or a velocity in cells: x to the right, y downward.
struct Vector
{
    float x; // column, in cells (or pixels, where a function says so)
    float y; // row, growing downwards

    // A vector of its two parts; (0, 0) by default.
    ///@{
    Vector() : x(0.0f), y(0.0f) {}
    Vector(float xValue, float yValue) : x(xValue), y(yValue) {}
    ///@}

    // Length, computed in double precision.
    float getMagnitude() const;

    // Scales to unit length; a zero vector stays as it is.
    void normalize();

    // "%f %f" of x and y.
    std::string toString() const;

    // Sum, difference, scaling and exact comparison, part by part.
    ///@{
    Vector operator+(const Vector& other) const { return Vector(x + other.x, y + other.y); }
    Vector operator-(const Vector& other) const { return Vector(x - other.x, y - other.y); }
    Vector operator*(float factor) const { return Vector(x * factor, y * factor); }
    bool operator==(const Vector& other) const { return x == other.x && y == other.y; }
    bool operator!=(const Vector& other) const { return !(*this == other); }
    ///@}
};

} // namespace ov
