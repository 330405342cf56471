#include "input/InputManager.h"
#include "input/JoystickSet.h"
#include "platform/JoystickDevice.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace {

// SDL's virtual joysticks stand in for real ones; the test holds the
// subsystem up for them.
class VirtualJoysticks : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError(); }
    void TearDown() override { SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER); }

    // A controller with SDL's standard button layout.
    static int attachController() {
        return SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                         SDL_CONTROLLER_BUTTON_MAX, 0);
    }
    // A joystick that no controller mapping knows: buttons and one hat.
    static int attachPlainJoystick() {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_UNKNOWN;
        desc.nbuttons = 4;
        desc.nhats = 1;
        desc.vendor_id = 0x1234;
        desc.product_id = 0x5678;
        desc.name = "Korvandeltix test stick";
        return SDL_JoystickAttachVirtualEx(&desc);
    }
    // Opens the virtual device a second time to drive it.
    static SDL_Joystick* driver(int index) { return SDL_JoystickOpen(index); }
};

JoystickReading readNow(JoystickDevice& device) {
    JoystickReading reading;
    EXPECT_TRUE(device.read(reading));
    return reading;
}

TEST_F(VirtualJoysticks, ControllerGivesItsDpadAsPovAndItsFaceButtonsAsButtons) {
    const int index = attachController();
    ASSERT_GE(index, 0) << SDL_GetError();
    ASSERT_TRUE(SDL_IsGameController(index));
    SDL_Joystick* stick = driver(index);
    auto device = openJoystick(index);
    ASSERT_TRUE(device);

    EXPECT_EQ(readNow(*device).pov, JoystickReading::POV_CENTRED);

    const struct {
        bool up, right, down, left;
        int pov;
    } dpads[] = {
        {true, false, false, false, 0},     {true, true, false, false, 4500},
        {false, true, false, false, 9000},  {false, true, true, false, 13500},
        {false, false, true, false, 18000}, {false, false, true, true, 22500},
        {false, false, false, true, 27000}, {true, false, false, true, 31500},
    };
    for (const auto& dpad : dpads) {
        SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_DPAD_UP, dpad.up);
        SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, dpad.right);
        SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_DPAD_DOWN, dpad.down);
        SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_DPAD_LEFT, dpad.left);
        EXPECT_EQ(readNow(*device).pov, dpad.pov);
    }

    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_DPAD_LEFT, 0);
    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_DPAD_UP, 0);
    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_B, 1);
    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_Y, 1);
    JoystickReading reading = readNow(*device);
    EXPECT_EQ(reading.pov, JoystickReading::POV_CENTRED);
    EXPECT_EQ(reading.buttons, (std::array<bool, 3>{false, true, false}));

    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_A, 1);
    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_B, 0);
    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_X, 1);
    reading = readNow(*device);
    EXPECT_EQ(reading.buttons, (std::array<bool, 3>{true, false, true}));

    device.reset();
    SDL_JoystickClose(stick);
}

TEST_F(VirtualJoysticks, OtherJoystickGivesItsFirstHatAndButtonsZeroToTwo) {
    const int index = attachPlainJoystick();
    ASSERT_GE(index, 0) << SDL_GetError();
    ASSERT_FALSE(SDL_IsGameController(index));
    SDL_Joystick* stick = driver(index);
    auto device = openJoystick(index);
    ASSERT_TRUE(device);

    SDL_JoystickSetVirtualHat(stick, 0, SDL_HAT_LEFTUP);
    SDL_JoystickSetVirtualButton(stick, 2, 1);
    SDL_JoystickSetVirtualButton(stick, 3, 1);
    JoystickReading reading = readNow(*device);
    EXPECT_EQ(reading.pov, 31500);
    EXPECT_EQ(reading.buttons, (std::array<bool, 3>{false, false, true}));

    SDL_JoystickSetVirtualHat(stick, 0, SDL_HAT_RIGHTDOWN);
    SDL_JoystickSetVirtualButton(stick, 0, 1);
    SDL_JoystickSetVirtualButton(stick, 2, 0);
    reading = readNow(*device);
    EXPECT_EQ(reading.pov, 13500);
    EXPECT_EQ(reading.buttons, (std::array<bool, 3>{true, false, false}));

    // Unplugged: the read fails and the set counts it as neutral.
    device->read(reading);
    SDL_JoystickClose(stick);
    SDL_JoystickDetachVirtual(index);
    EXPECT_FALSE(device->read(reading));
}

TEST_F(VirtualJoysticks, TwoJoysticksAreSetUpInOrderAndAThirdIsIgnored) {
    SDL_Joystick* sticks[3];
    for (int i = 0; i < 3; ++i) {
        const int index = attachController();
        ASSERT_EQ(index, i) << SDL_GetError();
        sticks[i] = driver(index);
    }
    InputManager& input = InputManager::instance();
    input.enumerateJoysticks();
    ASSERT_EQ(input.joysticks->count, 2);

    // Each controller presses its A button in turn; only the first two reach
    // a player, the first as player 1.
    for (int i = 0; i < 3; ++i) {
        SDL_JoystickSetVirtualButton(sticks[i], SDL_CONTROLLER_BUTTON_A, 1);
        input.updateControls();
        EXPECT_EQ(input.controls[controlIndex(Action1, 1)], i == 0 ? Active : Released) << i;
        EXPECT_EQ(input.controls[controlIndex(Action1, 2)], i == 1 ? Active : Released) << i;
        SDL_JoystickSetVirtualButton(sticks[i], SDL_CONTROLLER_BUTTON_A, 0);
        input.updateControls();
    }
    input.joysticks->devices = {};
    for (SDL_Joystick* stick : sticks) {
        SDL_JoystickClose(stick);
    }
}

TEST_F(VirtualJoysticks, NoJoystickAttachedSetsUpNone) {
    InputManager& input = InputManager::instance();
    input.enumerateJoysticks();
    EXPECT_EQ(input.joysticks->count, 0);
    EXPECT_FALSE(openJoystick(0));
    EXPECT_FALSE(openJoystick(-1));
}

}  // namespace
