#include "input/KeyBindings.h"

#include "support/TempDirectory.h"

#include <gtest/gtest.h>

namespace {

using Keys = std::vector<Key>;

TEST(KeyBindings, KeysSectionReplacesAnEntrysKeysUnlessItNamesAKeySdlDoesNotKnow) {
    constexpr Key KEYPAD_4 = 92, LEFT_SHIFT = 225;
    const struct {
        const char* file;
        ControlKind kind;
        int player;
        Keys expected;
        bool reported;
    } cases[] = {
        {"[Keys]\np2Action1=Right Ctrl\n", Action1, 2, {KeyCode::RightCtrl}, false},
        {"[Keys]\np1Up=Up,W\n", Up, 1, {KeyCode::Up, KeyCode::W}, false},
        {"[KEYS]\nP1LEFT =  keypad 4 ,  LEFT shift \n", Left, 1, {KEYPAD_4, LEFT_SHIFT}, false},
        {"[Keys]\np2Action2=Keypad 2, Rigth Shift\n", Action2, 2, {KeyCode::Numpad2, KeyCode::RightShift}, true},
        {"[Keys]\np1Action2=H,\n", Action2, 1, {KeyCode::H}, true},
    };
    TempDirectory dir;
    const std::string path = dir.file("config.ini");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        writeTextFile(path, c.file);
        KeyBindings bindings;
        testing::internal::CaptureStderr();
        bindings.read(path);
        const std::string errors = testing::internal::GetCapturedStderr();
        EXPECT_EQ(bindings.keys(c.kind, c.player), c.expected);
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), c.reported ? 1 : 0) << errors;
        // Every other entry keeps its defaults.
        EXPECT_EQ(bindings.keys(Down, 2), Keys{KeyCode::Down});
    }
}

}  // namespace
