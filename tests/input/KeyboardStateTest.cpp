#include "FakeInputDevices.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(KeyboardState, KeyHeldAtStartCountsOnlyAfterReleaseButEscapeAndReturnCountAtOnce) {
    FakeInput fake;
    fake.hold({KeyCode::W, KeyCode::G, KeyCode::Escape, KeyCode::Return});
    EXPECT_EQ(std::tuple(fake.control(Up, 1), fake.control(Action1, 1)), std::tuple(Released, Released));
    EXPECT_EQ(std::tuple(fake.input.keyboard->enter, fake.pause()), std::tuple(Active, Active));

    fake.release({KeyCode::W, KeyCode::G});
    fake.hold({KeyCode::W, KeyCode::G});
    EXPECT_EQ(std::tuple(fake.control(Up, 1), fake.control(Action1, 1)), std::tuple(Active, Active));
}

TEST(KeyboardState, OppositeKeyPressedLaterWinsAndTheFirstComesBackOnRelease) {
    FakeInput fake;
    fake.poll();  // nothing held: every key becomes usable
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

TEST(KeyboardState, ConsumedActionStaysUsedWhileHeldAndANewPressIsActiveAgain) {
    FakeInput fake;
    fake.poll();
    fake.hold({KeyCode::G});
    ASSERT_EQ(fake.control(Action1, 1), Active);

    fake.input.consume(Action1, 1);
    fake.poll();
    fake.poll();
    EXPECT_EQ(fake.control(Action1, 1), Released);
    fake.release({KeyCode::G});
    fake.hold({KeyCode::G});
    EXPECT_EQ(fake.control(Action1, 1), Active);
}

TEST(KeyboardState, EachKeyDrivesItsOwnPlayersControl) {
    struct Binding { Key code; ControlKind kind; int player; };
    const Binding bindings[] = {
        {KeyCode::W, Up, 1},          {KeyCode::S, Down, 1},           {KeyCode::A, Left, 1},
        {KeyCode::D, Right, 1},       {KeyCode::G, Action1, 1},        {KeyCode::H, Action2, 1},
        {KeyCode::Up, Up, 2},         {KeyCode::Down, Down, 2},        {KeyCode::Left, Left, 2},
        {KeyCode::Right, Right, 2},   {KeyCode::Numpad1, Action1, 2},  {KeyCode::Numpad2, Action2, 2},
        {KeyCode::RightCtrl, Action1, 2}, {KeyCode::RightShift, Action2, 2},
    };
    FakeInput fake;
    fake.poll();
    for (const Binding& binding : bindings) {
        fake.hold({binding.code});
        for (int index = 0; index < CONTROL_COUNT; ++index) {
            const bool expected = index == controlIndex(binding.kind, binding.player);
            EXPECT_EQ(fake.input.controls[index], expected ? Active : Released) << int(binding.code);
        }
        fake.release({binding.code});
    }
}

TEST(KeyboardState, KeyboardThatCannotBeHadReleasesEveryKeyUntilItIsBack) {
    FakeInput fake;
    fake.poll();
    fake.hold({KeyCode::D, KeyCode::RightCtrl});
    ASSERT_EQ(std::tuple(fake.control(Right, 1), fake.control(Action1, 2)), std::tuple(Active, Active));

    // The window is away: nothing stays held, whatever the keyboard holds.
    fake.keyboard->readable = false;
    fake.keyboard->acquirable = false;
    fake.poll();
    EXPECT_EQ(std::tuple(fake.control(Right, 1), fake.control(Action1, 2)), std::tuple(Released, Released));
    fake.keyboard->readable = true;
    fake.poll();
    EXPECT_EQ(std::tuple(fake.control(Right, 1), fake.control(Action1, 2)), std::tuple(Active, Active));
}

TEST(KeyboardState, NoKeyboardDeviceLeavesTheStatesAsTheyAre) {
    KeyboardState& keyboard = KeyboardState::instance();
    keyboard.pollKeyboard();
    EXPECT_EQ(keyboard.states[controlIndex(Up, 1)], Consumed);
    EXPECT_EQ(keyboard.escape, Released);
}

}  // namespace
