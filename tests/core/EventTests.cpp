#include "engine/core/Event.h"
#include "engine/core/EventCollision.h"
#include "engine/core/EventKeyboard.h"
#include "engine/core/EventMouse.h"
#include "engine/core/EventOut.h"
#include "engine/core/EventStep.h"
#include "engine/core/EventView.h"

#include <gtest/gtest.h>

TEST(Events, EachKindCarriesItsTypeString)
{
    EXPECT_EQ(ov::Event().getType(), "");
    EXPECT_EQ(ov::EventStep().getType(), "ov::step");
    EXPECT_EQ(ov::EventKeyboard().getType(), "ov::keyboard");
    EXPECT_EQ(ov::EventMouse().getType(), "ov::mouse");
    EXPECT_EQ(ov::EventCollision().getType(), "ov::collision");
    EXPECT_EQ(ov::EventOut(true).getType(), "ov::out");
    EXPECT_EQ(ov::EventView().getType(), "ov::view");
}

TEST(Events, Defaults)
{
    EXPECT_EQ(ov::EventStep().getStepCount(), 0);
    EXPECT_EQ(ov::EventStep(7).getStepCount(), 7);

    ov::EventKeyboard keyboard;
    EXPECT_EQ(static_cast<int>(keyboard.getKey()), -1);
    EXPECT_EQ(static_cast<int>(keyboard.getAction()), -1);

    // The centre of the default 1024 x 768 window.
    ov::EventMouse mouse;
    EXPECT_EQ(static_cast<int>(mouse.getAction()), -1);
    EXPECT_EQ(static_cast<int>(mouse.getButton()), -1);
    EXPECT_EQ(mouse.getPosition(), ov::Vector(512.0f, 384.0f));

    ov::EventCollision collision;
    EXPECT_EQ(collision.getPosition(), ov::Vector(0.0f, 0.0f));
    EXPECT_EQ(collision.getObject1(), nullptr);
    EXPECT_EQ(collision.getObject2(), nullptr);

    EXPECT_TRUE(ov::EventOut(true).getOutOfWorld());
    EXPECT_FALSE(ov::EventOut(false).getOutOfWorld());
}

TEST(Events, KeyValuesFollowTheTable)
{
    EXPECT_EQ(static_cast<int>(ov::Key::Undefined), -1);
    EXPECT_EQ(static_cast<int>(ov::Key::Space), 0);
    EXPECT_EQ(static_cast<int>(ov::Key::RightShift), 23);
    EXPECT_EQ(static_cast<int>(ov::Key::F1), 24);
    EXPECT_EQ(static_cast<int>(ov::Key::F12), 35);
    EXPECT_EQ(static_cast<int>(ov::Key::A), 36);
    EXPECT_EQ(static_cast<int>(ov::Key::Z), 61);
    EXPECT_EQ(static_cast<int>(ov::Key::Num1), 62);
    EXPECT_EQ(static_cast<int>(ov::Key::Num9), 70);
    EXPECT_EQ(static_cast<int>(ov::Key::Num0), 71);
    EXPECT_EQ(static_cast<int>(ov::Key::Backspace), 72);
    EXPECT_EQ(ov::KEY_COUNT, 73);
}
