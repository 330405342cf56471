#include "input/InputManager.h"
#include "input/JoystickSet.h"
#include "platform/JoystickDevice.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Buttons = std::array<bool, 3>;

// SDL's virtual joysticks stand in for real ones; the test holds the
// subsystem up for them and drives each through a handle of its own.
class VirtualJoysticks : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError(); }
    void TearDown() override {
        for (SDL_Joystick* stick : drivers) SDL_JoystickClose(stick);
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }

    // A controller with SDL's standard button layout, or else a joystick
    // that no controller mapping knows: four buttons and one hat.
    SDL_Joystick* attach(bool controller, int& index) {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = controller ? SDL_JOYSTICK_TYPE_GAMECONTROLLER : SDL_JOYSTICK_TYPE_UNKNOWN;
        desc.naxes = controller ? SDL_CONTROLLER_AXIS_MAX : 0;
        desc.nbuttons = controller ? SDL_CONTROLLER_BUTTON_MAX : 4;
        desc.nhats = controller ? 0 : 1;
        desc.name = controller ? "Korvandeltix test pad" : "Korvandeltix test stick";
        index = SDL_JoystickAttachVirtualEx(&desc);
        EXPECT_GE(index, 0) << SDL_GetError();
        EXPECT_EQ(SDL_IsGameController(index), controller);
        drivers.push_back(SDL_JoystickOpen(index));
        return drivers.back();
    }

    static void set(SDL_Joystick* stick, const std::vector<std::pair<int, bool>>& buttons) {
        for (const auto& [button, down] : buttons) SDL_JoystickSetVirtualButton(stick, button, down);
    }

    static JoystickReading read(JoystickDevice& device) {
        JoystickReading reading;
        EXPECT_TRUE(device.read(reading));
        return reading;
    }

    std::vector<SDL_Joystick*> drivers;
};

TEST_F(VirtualJoysticks, ControllerGivesItsDpadAsPovAndItsFaceButtonsAsButtons) {
    int index = 0;
    SDL_Joystick* stick = attach(true, index);
    auto device = openJoystick(index);
    ASSERT_TRUE(device);

    // Directions pressed (Up, Right, Down, Left) and the POV they give.
    const std::pair<std::string, int> dpads[] = {{"U", 0},     {"UR", 4500},  {"R", 9000},  {"RD", 13500},
                                                 {"D", 18000}, {"DL", 22500}, {"L", 27000}, {"UL", 31500},
                                                 {"", JoystickReading::POV_CENTRED}};
    for (const auto& [pressed, pov] : dpads) {
        set(stick, {{SDL_CONTROLLER_BUTTON_DPAD_UP, pressed.find('U') != std::string::npos},
                    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, pressed.find('R') != std::string::npos},
                    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, pressed.find('D') != std::string::npos},
                    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, pressed.find('L') != std::string::npos}});
        EXPECT_EQ(read(*device).pov, pov) << pressed;
    }

    // A, B and X are the three buttons; Y is none of them.
    set(stick, {{SDL_CONTROLLER_BUTTON_B, true}, {SDL_CONTROLLER_BUTTON_Y, true}});
    EXPECT_EQ(read(*device).buttons, (Buttons{false, true, false}));
    set(stick, {{SDL_CONTROLLER_BUTTON_A, true}, {SDL_CONTROLLER_BUTTON_B, false}, {SDL_CONTROLLER_BUTTON_X, true}});
    EXPECT_EQ(read(*device).buttons, (Buttons{true, false, true}));
}

TEST_F(VirtualJoysticks, OtherJoystickGivesItsFirstHatAndButtonsZeroToTwoUntilUnplugged) {
    int index = 0;
    SDL_Joystick* stick = attach(false, index);
    auto device = openJoystick(index);
    ASSERT_TRUE(device);

    SDL_JoystickSetVirtualHat(stick, 0, SDL_HAT_LEFTUP);
    set(stick, {{0, true}, {2, true}, {3, true}});
    JoystickReading reading = read(*device);
    EXPECT_EQ(reading.pov, 31500);
    EXPECT_EQ(reading.buttons, (Buttons{true, false, true}));

    // Unplugged: the read fails and the set counts it as neutral.
    SDL_JoystickClose(stick);
    drivers.clear();
    SDL_JoystickDetachVirtual(index);
    EXPECT_FALSE(device->read(reading));
}

TEST_F(VirtualJoysticks, NoneAttachedSetsUpNoneThenTwoAreSetUpInOrderAndAThirdIsIgnored) {
    InputManager& input = InputManager::instance();
    input.enumerateJoysticks();
    EXPECT_EQ(input.joysticks->count, 0);
    EXPECT_FALSE(openJoystick(0));

    for (int i = 0; i < 3; ++i) {
        int index = 0;
        attach(true, index);
        ASSERT_EQ(index, i);
    }
    input.enumerateJoysticks();
    ASSERT_EQ(input.joysticks->count, 2);
    // Each controller presses its A button in turn; only the first two reach
    // a player, the first as player 1.
    for (int i = 0; i < 3; ++i) {
        SDL_JoystickSetVirtualButton(drivers[i], SDL_CONTROLLER_BUTTON_A, 1);
        input.updateControls();
        EXPECT_EQ(input.controls[controlIndex(Action1, 1)], i == 0 ? Active : Released) << i;
        EXPECT_EQ(input.controls[controlIndex(Action1, 2)], i == 1 ? Active : Released) << i;
        SDL_JoystickSetVirtualButton(drivers[i], SDL_CONTROLLER_BUTTON_A, 0);
        input.updateControls();
    }
    input.joysticks->devices = {};
}

}  // namespace
