#include "FakeInputDevices.h"

#include <gtest/gtest.h>

namespace {

TEST(InputManager, ControlIndicesFollowTwoKPlusPlayer) {
    EXPECT_EQ(controlIndex(Up, 1), 1);
    EXPECT_EQ(controlIndex(Down, 2), 4);
    EXPECT_EQ(controlIndex(Action2, 2), 12);
    EXPECT_EQ(CONTROL_COUNT, 13);
}

TEST(InputManager, DiagonalPovPressesTwoDirectionsOfItsOwnPlayer) {
    FakeInput fake(2);
    fake.joysticks[0]->reading.pov = 4500;
    fake.joysticks[1]->reading.pov = 22500;
    fake.input.updateControls();
    EXPECT_EQ(fake.control(Up, 1), Active);
    EXPECT_EQ(fake.control(Right, 1), Active);
    EXPECT_EQ(fake.control(Down, 1), Released);
    EXPECT_EQ(fake.control(Left, 1), Released);
    EXPECT_EQ(fake.control(Down, 2), Active);
    EXPECT_EQ(fake.control(Left, 2), Active);
    EXPECT_EQ(fake.control(Up, 2), Released);
    EXPECT_EQ(fake.control(Right, 2), Released);

    fake.joysticks[0]->reading.pov = JoystickReading::POV_CENTRED;
    fake.input.updateControls();
    EXPECT_EQ(fake.control(Up, 1), Released);
    EXPECT_EQ(fake.control(Right, 1), Released);
}

TEST(InputManager, JoystickDirectionWinsOverTheHeldOppositeKeyAndGivesItBack) {
    FakeInput fake(1);
    fake.input.updateControls();
    fake.keyboard->hold({KeyCode::W});
    fake.input.updateControls();
    fake.joysticks[0]->reading.pov = 18000;
    fake.input.updateControls();
    EXPECT_EQ(fake.control(Up, 1), Masked);
    EXPECT_EQ(fake.control(Down, 1), Active);
    fake.joysticks[0]->reading.pov = JoystickReading::POV_CENTRED;
    fake.input.updateControls();
    EXPECT_EQ(fake.control(Up, 1), Active);
    EXPECT_EQ(fake.control(Down, 1), Released);
}

TEST(InputManager, PauseComesFromEscapeOrTheFirstJoysticksButtonTwoOnly) {
    {
        FakeInput fake(0);
        fake.keyboard->hold({KeyCode::Escape});
        fake.input.updateControls();
        EXPECT_EQ(fake.pause(), Active);
        fake.keyboard->release(KeyCode::Escape);
        fake.input.updateControls();
        EXPECT_EQ(fake.pause(), Released);
    }
    FakeInput fake(2);
    fake.joysticks[1]->reading.buttons[2] = true;
    fake.input.updateControls();
    EXPECT_EQ(fake.pause(), Released);
    fake.joysticks[0]->reading.buttons[2] = true;
    fake.input.updateControls();
    EXPECT_EQ(fake.pause(), Active);
}

TEST(InputManager, JoystickButtonsActForTheirPlayerAndAConsumedHeldButtonStaysConsumed) {
    FakeInput fake(2);
    fake.joysticks[1]->reading.buttons[0] = true;
    fake.joysticks[0]->reading.buttons[1] = true;
    fake.input.updateControls();
    EXPECT_EQ(fake.control(Action1, 2), Active);
    EXPECT_EQ(fake.control(Action2, 1), Active);
    EXPECT_EQ(fake.control(Action1, 1), Released);

    fake.input.consume(Action1, 2);
    for (int i = 0; i < 3; ++i) {
        fake.input.updateControls();
        EXPECT_EQ(fake.control(Action1, 2), Consumed);
    }
    fake.joysticks[1]->reading.buttons[0] = false;
    fake.input.updateControls();
    EXPECT_EQ(fake.control(Action1, 2), Released);
}

TEST(InputManager, JoystickThatCannotBeReadIsNeutralAndNoJoystickMeansKeyboardOnly) {
    FakeInput fake(1);
    fake.joysticks[0]->reading.pov = 0;
    fake.joysticks[0]->reading.buttons = {true, true, true};
    fake.input.updateControls();
    ASSERT_EQ(fake.control(Up, 1), Active);

    fake.joysticks[0]->readable = false;
    fake.input.updateControls();
    EXPECT_EQ(fake.control(Up, 1), Released);
    EXPECT_EQ(fake.control(Action1, 1), Released);
    EXPECT_EQ(fake.pause(), Released);

    // A device left in the set but not counted is never read.
    fake.joysticks[0]->readable = true;
    fake.input.joysticks->count = 0;
    fake.input.updateControls();
    EXPECT_EQ(fake.control(Up, 1), Released);
    EXPECT_EQ(fake.pause(), Released);
}

}  // namespace
