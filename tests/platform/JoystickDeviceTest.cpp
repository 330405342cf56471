#include "input/InputManager.h"
#include "input/JoystickSet.h"
#include "platform/JoystickDevice.h"
#include "support/TempDirectory.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using Buttons = std::bitset<PAD_BUTTON_COUNT>;

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
    // that no controller mapping knows: four buttons and one hat. Gives its
    // instance id.
    SDL_Joystick* attach(bool controller, int& id) {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = controller ? SDL_JOYSTICK_TYPE_GAMECONTROLLER : SDL_JOYSTICK_TYPE_UNKNOWN;
        desc.naxes = controller ? SDL_CONTROLLER_AXIS_MAX : 0;
        desc.nbuttons = controller ? SDL_CONTROLLER_BUTTON_MAX : 4;
        desc.nhats = controller ? 0 : 1;
        desc.name = controller ? "Korvandeltix test pad" : "Korvandeltix test stick";
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        EXPECT_GE(index, 0) << SDL_GetError();
        id = SDL_JoystickGetDeviceInstanceID(index);
        drivers.push_back(SDL_JoystickOpen(index));
        return drivers.back();
    }
    // Unplugs a pad as a player pulls its cable.
    void detach(SDL_Joystick* stick) {
        int index = 0;
        while (SDL_JoystickGetDeviceInstanceID(index) != SDL_JoystickInstanceID(stick)) ++index;
        SDL_JoystickDetachVirtual(index);
        SDL_JoystickClose(stick);
        drivers.erase(std::find(drivers.begin(), drivers.end(), stick));
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
    TempDirectory settings;
};

// A controller gives every button by its mapping; any other joystick its
// first hat as the D-pad and its first buttons as A, B, X, Y, until
// unplugged.
TEST_F(VirtualJoysticks, ControllersAndOtherJoysticksGiveTheirButtons) {
    int id = 0;
    SDL_Joystick* stick = attach(true, id);
    auto device = openJoystick(id);
    ASSERT_TRUE(device);
    set(stick, {{SDL_CONTROLLER_BUTTON_DPAD_UP, true}, {SDL_CONTROLLER_BUTTON_DPAD_LEFT, true},
                {SDL_CONTROLLER_BUTTON_B, true}, {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true},
                {SDL_CONTROLLER_BUTTON_START, true}});
    EXPECT_EQ(read(*device).buttons, Buttons().set(PadUp).set(PadLeft).set(PadB).set(PadRightShoulder).set(PadStart));

    stick = attach(false, id);
    device = openJoystick(id);
    ASSERT_TRUE(device);
    SDL_JoystickSetVirtualHat(stick, 0, SDL_HAT_LEFTUP);
    set(stick, {{0, true}, {2, true}, {3, true}});
    JoystickReading reading = read(*device);
    EXPECT_EQ(reading.buttons, Buttons().set(PadUp).set(PadLeft).set(PadA).set(PadX).set(PadY));

    // Unplugged: the read fails and the set counts it as neutral.
    detach(stick);
    EXPECT_FALSE(device->read(reading));
}

TEST_F(VirtualJoysticks, PadsGoToPlayersWithoutOneInOrderOfArrivalAndAnUnpluggedPadLeavesNothingHeld) {
    InputManager& input = InputManager::instance();
    // Each pad holds right on its D-pad and its A button.
    auto plugIn = [&] {
        int id = 0;
        SDL_Joystick* stick = attach(true, id);
        set(stick, {{SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true}, {SDL_CONTROLLER_BUTTON_A, true}});
        return stick;
    };
    auto held = [&](int player) {
        input.updateControls();
        return std::tuple(input.controls[controlIndex(Right, player)], input.controls[controlIndex(Action1, player)]);
    };
    constexpr auto HELD = std::tuple(Active, Active);
    constexpr auto NOTHING = std::tuple(Released, Released);

    SDL_Joystick* first = plugIn();
    SDL_Joystick* second = plugIn();
    plugIn();  // both players have one: a third is left alone
    input.enumerateJoysticks(settings.file("config.ini"));
    EXPECT_EQ(held(1), HELD);

    detach(first);
    EXPECT_EQ(held(1), NOTHING);
    EXPECT_EQ(held(2), HELD);
    // Player 1 is on the keyboard until the next pad arrives mid-game.
    plugIn();
    EXPECT_EQ(held(1), HELD);
    detach(second);
    EXPECT_EQ(held(2), NOTHING);
    input.joysticks->close();
}

TEST_F(VirtualJoysticks, MappingsBesideTheSettingsFileMakeAJoystickAController) {
    int id = 0;
    SDL_Joystick* stick = attach(false, id);
    char guidText[33];
    SDL_JoystickGetGUIDString(SDL_JoystickGetGUID(stick), guidText, sizeof guidText);
    // Mappings name pads without the checksum of their name (hex digits 4 to
    // 7); its A is button 3 and its D-pad the hat.
    std::string guid = guidText;
    guid.replace(4, 4, "0000");
    writeTextFile(settings.file("gamecontrollerdb.txt"),
                  "# community format\n" + guid +
                      ",Korvandeltix test stick,a:b3,b:b2,x:b1,dpup:h0.1,dpright:h0.2,dpdown:h0.4,dpleft:h0.8,"
                      "platform:Linux,\n");
    InputManager& input = InputManager::instance();
    input.enumerateJoysticks(settings.file("config.ini"));
    set(stick, {{3, true}});
    input.updateControls();
    EXPECT_EQ(input.controls[controlIndex(Action1, 1)], Active);
    input.joysticks->close();
}

}  // namespace
