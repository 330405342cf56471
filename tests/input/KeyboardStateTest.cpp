#include "FakeInputDevices.h"

#include <gtest/gtest.h>

namespace {

TEST(KeyboardState, KeyHeldAtStartCountsOnlyAfterReleaseButEscapeAndReturnCountAtOnce) {
    FakeInput fake;
    fake.keyboard->hold({KeyCode::W, KeyCode::G, KeyCode::Escape, KeyCode::Return});
    fake.input.updateControls();
    EXPECT_EQ(fake.raw(Up, 1), Consumed);
    EXPECT_EQ(fake.raw(Action1, 1), Consumed);
    EXPECT_EQ(fake.control(Up, 1), Released);
    EXPECT_EQ(fake.control(Action1, 1), Released);
    EXPECT_EQ(fake.input.keyboard->escape, Active);
    EXPECT_EQ(fake.input.keyboard->enter, Active);
    EXPECT_EQ(fake.pause(), Active);

    fake.keyboard->release(KeyCode::W);
    fake.keyboard->release(KeyCode::G);
    fake.input.updateControls();
    EXPECT_EQ(fake.raw(Up, 1), Released);
    fake.keyboard->hold({KeyCode::W, KeyCode::G});
    fake.input.updateControls();
    EXPECT_EQ(fake.control(Up, 1), Active);
    EXPECT_EQ(fake.control(Action1, 1), Active);
}

TEST(KeyboardState, OppositeKeyPressedLaterWinsAndTheFirstComesBackOnRelease) {
    FakeInput fake;
    fake.input.updateControls();  // nothing held: every key becomes usable

    fake.keyboard->hold({KeyCode::W});
    fake.input.updateControls();
    EXPECT_EQ(fake.control(Up, 1), Active);

    fake.keyboard->hold({KeyCode::S});
    fake.input.updateControls();
    EXPECT_EQ(fake.raw(Up, 1), Masked);
    EXPECT_EQ(fake.control(Down, 1), Active);
    EXPECT_EQ(fake.control(Up, 1), Released);

    fake.keyboard->release(KeyCode::S);
    fake.input.updateControls();
    EXPECT_EQ(fake.raw(Up, 1), Active);
    EXPECT_EQ(fake.control(Up, 1), Active);
    EXPECT_EQ(fake.control(Down, 1), Released);
}

TEST(KeyboardState, OppositeKeysDownInTheSamePollGiveTheLaterProcessedKey) {
    FakeInput fake;
    fake.input.updateControls();
    fake.keyboard->hold({KeyCode::W, KeyCode::S, KeyCode::Left, KeyCode::Right});
    fake.input.updateControls();
    EXPECT_EQ(fake.raw(Up, 1), Masked);
    EXPECT_EQ(fake.control(Down, 1), Active);
    EXPECT_EQ(fake.control(Up, 1), Released);
    EXPECT_EQ(fake.raw(Left, 2), Masked);
    EXPECT_EQ(fake.control(Right, 2), Active);
}

TEST(KeyboardState, ConsumedActionStaysUsedWhileHeldAndANewPressIsActiveAgain) {
    FakeInput fake;
    fake.input.updateControls();
    fake.keyboard->hold({KeyCode::G});
    fake.input.updateControls();
    ASSERT_EQ(fake.control(Action1, 1), Active);

    fake.input.consume(Action1, 1);
    EXPECT_EQ(fake.raw(Action1, 1), Consumed);
    for (int i = 0; i < 3; ++i) {
        fake.input.updateControls();
        EXPECT_EQ(fake.control(Action1, 1), Released);
        EXPECT_EQ(fake.raw(Action1, 1), Consumed);
    }

    fake.keyboard->release(KeyCode::G);
    fake.input.updateControls();
    fake.keyboard->hold({KeyCode::G});
    fake.input.updateControls();
    EXPECT_EQ(fake.control(Action1, 1), Active);
}

TEST(KeyboardState, EachKeyDrivesItsOwnPlayersControl) {
    struct Binding {
        std::uint8_t code;
        ControlKind kind;
        int player;
    };
    const Binding bindings[] = {
        {KeyCode::W, Up, 1},         {KeyCode::S, Down, 1},       {KeyCode::A, Left, 1},
        {KeyCode::D, Right, 1},      {KeyCode::G, Action1, 1},    {KeyCode::H, Action2, 1},
        {KeyCode::Up, Up, 2},        {KeyCode::Down, Down, 2},    {KeyCode::Left, Left, 2},
        {KeyCode::Right, Right, 2},  {KeyCode::Numpad1, Action1, 2}, {KeyCode::Numpad2, Action2, 2},
    };
    FakeInput fake;
    fake.input.updateControls();
    for (const Binding& binding : bindings) {
        fake.keyboard->hold({binding.code});
        fake.input.updateControls();
        for (int index = 0; index < CONTROL_COUNT; ++index) {
            const bool expected = index == controlIndex(binding.kind, binding.player);
            EXPECT_EQ(fake.input.controls[index], expected ? Active : Released)
                << "key " << int(binding.code) << ", control " << index;
        }
        fake.keyboard->release(binding.code);
        fake.input.updateControls();
    }
}

TEST(KeyboardState, KeyboardThatCannotBeHadKeepsItsStatesAndAFailedRereadReadsAllUp) {
    FakeInput fake;
    fake.input.updateControls();
    fake.keyboard->hold({KeyCode::D});
    fake.input.updateControls();
    ASSERT_EQ(fake.raw(Right, 1), Active);

    fake.keyboard->readable = false;
    fake.keyboard->acquirable = false;
    fake.keyboard->release(KeyCode::D);
    fake.keyboard->hold({KeyCode::A});
    fake.input.updateControls();
    EXPECT_EQ(fake.raw(Right, 1), Active);
    EXPECT_EQ(fake.raw(Left, 1), Released);

    // Regained, but the read after it fails: every key reads as up.
    fake.keyboard->acquirable = true;
    fake.input.updateControls();
    EXPECT_EQ(fake.raw(Right, 1), Released);
    EXPECT_EQ(fake.raw(Left, 1), Released);
}

TEST(KeyboardState, NoKeyboardDeviceLeavesTheStatesAsTheyAre) {
    KeyboardState& keyboard = KeyboardState::instance();
    keyboard.pollKeyboard();
    EXPECT_EQ(keyboard.states[controlIndex(Up, 1)], Consumed);
    EXPECT_EQ(keyboard.escape, Released);
}

}  // namespace
