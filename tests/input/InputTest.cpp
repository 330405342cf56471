// The controls as the keyboard, its bindings and the joysticks make them.
#include "FakeInputDevices.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

constexpr int R = Released, A = Active;

TEST(KeyboardState, KeyHeldAtStartCountsAfterReleaseEscapeAndReturnAtOnceAndTheLaterOppositeKeyWins) {
    FakeInput fake;
    fake.hold({KeyCode::W, KeyCode::G, KeyCode::Escape, KeyCode::Return});
    EXPECT_EQ(std::tuple(fake.control(Up, 1), fake.control(Action1, 1), fake.input.keyboard->enter, fake.pause()),
              std::tuple(R, R, A, A));

    fake.release({KeyCode::W, KeyCode::G});
    fake.hold({KeyCode::W, KeyCode::G});
    EXPECT_EQ(std::tuple(fake.control(Up, 1), fake.control(Action1, 1)), std::tuple(Active, Active));

    // The opposite key pressed later wins; the first comes back on its release.
    fake.release({KeyCode::W, KeyCode::G, KeyCode::Escape, KeyCode::Return});
    fake.hold({KeyCode::W});
    fake.hold({KeyCode::S});
    EXPECT_EQ(fake.directions(1), (Directions{Released, Active, Released, Released}));
    fake.release({KeyCode::S});
    EXPECT_EQ(fake.directions(1), (Directions{Active, Released, Released, Released}));

    // Down in the same poll, the key processed later wins: S over W, Right over Left.
    fake.release({KeyCode::W});
    fake.hold({KeyCode::W, KeyCode::S, KeyCode::Left, KeyCode::Right});
    EXPECT_EQ(fake.directions(1), (Directions{Released, Active, Released, Released}));
    EXPECT_EQ(fake.directions(2), (Directions{Released, Released, Released, Active}));
}

TEST(KeyboardState, EachKeyDrivesItsOwnPlayersControl) {
    const struct { Key code; ControlKind kind; int player; } bindings[] = {
        {KeyCode::W, Up, 1}, {KeyCode::S, Down, 1}, {KeyCode::A, Left, 1}, {KeyCode::D, Right, 1},
        {KeyCode::G, Action1, 1}, {KeyCode::H, Action2, 1}, {KeyCode::Up, Up, 2}, {KeyCode::Down, Down, 2},
        {KeyCode::Left, Left, 2}, {KeyCode::Right, Right, 2}, {KeyCode::Numpad1, Action1, 2},
        {KeyCode::Numpad2, Action2, 2}, {KeyCode::RightCtrl, Action1, 2}, {KeyCode::RightShift, Action2, 2},
    };
    FakeInput fake;
    fake.poll();
    for (const auto& binding : bindings) {
        fake.hold({binding.code});
        for (int index = 0; index < CONTROL_COUNT; ++index) {
            const bool expected = index == controlIndex(binding.kind, binding.player);
            EXPECT_EQ(fake.input.controls[index], expected ? Active : Released) << int(binding.code);
        }
        fake.release({binding.code});
    }
}

TEST(InputManager, DevicesThatCannotBeReadLetEveryControlGoUntilTheyAreBack) {
    FakeInput fake(1);
    fake.poll();
    fake.hold({KeyCode::D, KeyCode::RightCtrl});
    fake.joysticks[0]->reading.buttons.set(PadUp).set(PadA).set(PadB).set(PadX);
    fake.poll();
    ASSERT_EQ(std::tuple(fake.control(Right, 1), fake.control(Action1, 2), fake.control(Up, 1), fake.pause()),
              std::tuple(A, A, A, A));

    // The window is away and the joystick unplugged: nothing stays held.
    fake.keyboard->readable = false;
    fake.keyboard->acquirable = false;
    fake.joysticks[0]->readable = false;
    fake.poll();
    EXPECT_EQ(std::tuple(fake.control(Right, 1), fake.control(Action1, 2), fake.control(Up, 1),
                         fake.control(Action1, 1), fake.pause()),
              std::tuple(R, R, R, R, R));
    fake.keyboard->readable = true;
    fake.poll();
    EXPECT_EQ(std::tuple(fake.control(Right, 1), fake.control(Action1, 2)), std::tuple(A, A));
}

TEST(KeyboardState, NoKeyboardDeviceLeavesTheStatesAsTheyAre) {
    KeyboardState& keyboard = KeyboardState::instance();
    keyboard.pollKeyboard();
    EXPECT_EQ(keyboard.states[controlIndex(Up, 1)], Consumed);
    EXPECT_EQ(keyboard.escape, Released);
}

// A D-pad held in two directions gives both, as a diagonal does.
TEST(InputManager, PadButtonsDriveTheirOwnPlayersControlsAsBoundAndWinOverTheOppositeKey) {
    using Pressed = std::vector<PadButton>;
    const struct { Pressed buttons; Directions expected; } cases[] = {
        {{PadUp}, {A, R, R, R}},          {{PadUp, PadRight}, {A, R, R, A}}, {{PadDown}, {R, A, R, R}},
        {{PadDown, PadLeft}, {R, A, A, R}}, {{PadY, PadB}, {R, R, R, R}},    {{}, {R, R, R, R}},
    };
    FakeInput fake(2);
    for (int player : {1, 2}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << "player " << player << ", case " << &c - cases);
            fake.joysticks[player - 1]->reading.buttons.reset();
            for (PadButton button : c.buttons) fake.joysticks[player - 1]->reading.buttons.set(button);
            fake.poll();
            EXPECT_EQ(fake.directions(player), c.expected);
            EXPECT_EQ(fake.directions(3 - player), (Directions{R, R, R, R}));
        }
    }
    // The pad's direction wins over the held opposite key and gives it back.
    fake.hold({KeyCode::W});
    fake.joysticks[0]->reading.buttons.set(PadDown);
    fake.poll();
    EXPECT_EQ(fake.directions(1), (Directions{Masked, A, R, R}));
    fake.joysticks[0]->reading.buttons.reset();
    fake.poll();
    EXPECT_EQ(fake.directions(1), (Directions{A, R, R, R}));

    // Bound to Y, player 1's up leaves the D-pad; player 2's stays on it.
    fake.release({KeyCode::W});
    fake.input.joysticks->bindings.bind(controlIndex(Up, 1), PadY);
    for (FakeJoystick* pad : fake.joysticks) pad->reading.buttons.set(PadUp);
    fake.poll();
    EXPECT_EQ(std::tuple(fake.control(Up, 1), fake.control(Up, 2)), std::tuple(R, A));
    fake.joysticks[0]->reading.buttons.set(PadY);
    fake.poll();
    EXPECT_EQ(fake.control(Up, 1), A);
}

// X pauses from the first pad only; Start on either pad chooses as Return.
TEST(InputManager, PadButtonsActForTheirPlayerAndAConsumedHeldButtonStaysConsumed) {
    FakeInput fake(2);
    fake.joysticks[1]->reading.buttons.set(PadA).set(PadX);
    fake.joysticks[0]->reading.buttons.set(PadB);
    fake.poll();
    EXPECT_EQ(std::tuple(fake.control(Action1, 2), fake.control(Action2, 1), fake.control(Action1, 1), fake.pause(),
                         fake.input.keyboard->enter),
              std::tuple(A, A, R, R, R));
    fake.joysticks[1]->reading.buttons.set(PadStart);
    fake.poll();
    EXPECT_EQ(fake.input.keyboard->enter, A);

    fake.input.consume(Action1, 2);
    fake.input.keyboard->enter = Consumed;
    fake.poll();
    fake.poll();
    EXPECT_EQ(std::tuple(fake.control(Action1, 2), fake.input.keyboard->enter), std::tuple(Consumed, Consumed));
    fake.joysticks[1]->reading.buttons.reset();
    fake.poll();
    EXPECT_EQ(std::tuple(fake.control(Action1, 2), fake.input.keyboard->enter), std::tuple(R, R));
}

}  // namespace
