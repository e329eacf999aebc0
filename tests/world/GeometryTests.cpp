#include "engine/world/Geometry.h"
#include "engine/world/Object.h"

#include <gtest/gtest.h>

using ov::Box;
using ov::Vector;

TEST(Geometry, VectorLengthDirectionAndText)
{
    Vector v(3.0f, 4.0f);
    EXPECT_FLOAT_EQ(v.getMagnitude(), 5.0f);
    v.normalize();
    EXPECT_FLOAT_EQ(v.x, 0.6f);
    EXPECT_FLOAT_EQ(v.y, 0.8f);
    Vector zero;
    zero.normalize();
    EXPECT_EQ(zero, Vector(0.0f, 0.0f));
    // The squares overflow a float; the length must not.
    EXPECT_FLOAT_EQ(Vector(3e20f, 4e20f).getMagnitude(), 5e20f);

    EXPECT_EQ(Vector().toString(), "0.000000 0.000000");
    EXPECT_EQ(Vector(1.5f, -2.0f).toString(), "1.500000 -2.000000");
}

TEST(Geometry, BoxesThatTouchIntersect)
{
    Box unit(Vector(), 1.0f, 1.0f);
    EXPECT_TRUE(ov::boxIntersectsBox(unit, Box(Vector(1.0f, 0.0f), 1.0f, 1.0f)));
    EXPECT_TRUE(ov::boxIntersectsBox(unit, Box(Vector(1.0f, 1.0f), 1.0f, 1.0f)));
    EXPECT_FALSE(ov::boxIntersectsBox(unit, Box(Vector(1.01f, 0.0f), 1.0f, 1.0f)));
    EXPECT_FALSE(ov::boxIntersectsBox(unit, Box(Vector(0.0f, -1.01f), 1.0f, 1.0f)));
    Box big(Vector(-5.0f, -5.0f), 10.0f, 10.0f);
    EXPECT_TRUE(ov::boxIntersectsBox(big, unit));
    EXPECT_TRUE(ov::boxIntersectsBox(unit, big));

    Box point(Vector(2.0f, 2.0f), 0.0f, 0.0f);
    EXPECT_TRUE(ov::boxIntersectsBox(point, Box(Vector(), 2.0f, 2.0f)));
    EXPECT_FALSE(ov::boxIntersectsBox(point, Box(Vector(), 1.9f, 1.9f)));
}

TEST(Geometry, WorldBoxAndCells)
{
    ov::Object object;
    object.setBox(Box(Vector(-1.5f, -0.5f), 3.0f, 1.0f));
    object.setPosition(Vector(10.0f, 5.0f));
    EXPECT_EQ(ov::getWorldBox(&object).corner, Vector(8.5f, 4.5f));
    EXPECT_EQ(ov::getWorldBox(&object, Vector(1.0f, 1.0f)).corner, Vector(-0.5f, 0.5f));
    EXPECT_FLOAT_EQ(ov::getWorldBox(&object).horizontal, 3.0f);

    // The default window: 1024 x 768 pixels over 80 x 30 cells.
    Vector window = ov::pixelsToCells(Vector(1024.0f, 768.0f));
    EXPECT_FLOAT_EQ(window.x, 80.0f);
    EXPECT_FLOAT_EQ(window.y, 30.0f);
    Vector cell = ov::pixelsToCells(Vector(12.8f, 25.6f));
    EXPECT_FLOAT_EQ(cell.x, 1.0f);
    EXPECT_FLOAT_EQ(cell.y, 1.0f);
}
