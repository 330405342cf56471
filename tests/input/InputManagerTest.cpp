#include "FakeInputDevices.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

constexpr int R = Released;
constexpr int A = Active;

TEST(InputManager, PovGivesItsDirectionsDiagonalsIncludedToItsOwnPlayerOnly) {
    struct Case { int pov; Directions expected; };
    const Case cases[] = {
        {0, {A, R, R, R}},     {4500, {A, R, R, A}},  {9000, {R, R, R, A}},
        {13500, {R, A, R, A}}, {18000, {R, A, R, R}}, {22500, {R, A, A, R}},
        {27000, {R, R, A, R}}, {31500, {A, R, A, R}}, {JoystickReading::POV_CENTRED, {R, R, R, R}},
    };
    FakeInput fake(2);
    for (int player : {1, 2}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "player " << player << ", pov " << c.pov);
            fake.joysticks[player - 1]->reading.pov = c.pov;
            fake.poll();
            EXPECT_EQ(fake.directions(player), c.expected);
            EXPECT_EQ(fake.directions(3 - player), (Directions{R, R, R, R}));
        }
    }
}

TEST(InputManager, JoystickDirectionWinsOverTheHeldOppositeKeyAndGivesItBack) {
    FakeInput fake(1);
    fake.poll();
    fake.hold({KeyCode::W});
    fake.joysticks[0]->reading.pov = 18000;
    fake.poll();
    EXPECT_EQ(fake.directions(1), (Directions{Masked, A, R, R}));
    fake.joysticks[0]->reading.pov = JoystickReading::POV_CENTRED;
    fake.poll();
    EXPECT_EQ(fake.directions(1), (Directions{A, R, R, R}));
}

TEST(InputManager, PauseComesFromEscapeOrTheFirstJoysticksButtonTwoOnly) {
    {
        FakeInput fake(0);
        fake.hold({KeyCode::Escape});
        EXPECT_EQ(fake.pause(), Active);
    }
    FakeInput fake(2);
    fake.joysticks[1]->reading.buttons[2] = true;
    fake.poll();
    EXPECT_EQ(fake.pause(), Released);
    fake.joysticks[0]->reading.buttons[2] = true;
    fake.poll();
    EXPECT_EQ(fake.pause(), Active);
}

TEST(InputManager, JoystickButtonsActForTheirPlayerAndAConsumedHeldButtonStaysConsumed) {
    FakeInput fake(2);
    fake.joysticks[1]->reading.buttons[0] = true;
    fake.joysticks[0]->reading.buttons[1] = true;
    fake.poll();
    EXPECT_EQ(std::tuple(fake.control(Action1, 2), fake.control(Action2, 1), fake.control(Action1, 1)),
              std::tuple(A, A, R));

    fake.input.consume(Action1, 2);
    fake.poll();
    fake.poll();
    EXPECT_EQ(fake.control(Action1, 2), Consumed);
    fake.joysticks[1]->reading.buttons[0] = false;
    fake.poll();
    EXPECT_EQ(fake.control(Action1, 2), Released);
}

TEST(InputManager, JoystickThatCannotBeReadIsNeutral) {
    FakeInput fake(1);
    fake.joysticks[0]->reading.pov = 0;
    fake.joysticks[0]->reading.buttons = {true, true, true};
    fake.poll();
    ASSERT_EQ(fake.control(Up, 1), Active);

    fake.joysticks[0]->readable = false;
    fake.poll();
    EXPECT_EQ(std::tuple(fake.control(Up, 1), fake.control(Action1, 1), fake.pause()), std::tuple(R, R, R));
}

}  // namespace
