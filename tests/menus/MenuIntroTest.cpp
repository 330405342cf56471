#include "menus/MenuIntro.h"
#include "menus/ScriptedKeys.h"

#include <gtest/gtest.h>

namespace {

using Alphas = std::array<int, 3>;

TEST(MenuIntroTest, PicturesFadeInTurn) {
    ScriptedKeys keys;
    MenuIntro intro;
    EXPECT_EQ(intro.getTitle(), "MenuIntro");
    EXPECT_EQ(intro.pictureAlphas(), (Alphas{255, 0, 0}));  // first frame: intro1 alone
    intro.remainingMs = 5250;
    EXPECT_EQ(intro.pictureAlphas(), (Alphas{255, 128, 0}));
    intro.remainingMs = 4500;
    EXPECT_EQ(intro.pictureAlphas(), (Alphas{0, 255, 0}));
    intro.remainingMs = 3750;
    EXPECT_EQ(intro.pictureAlphas(), (Alphas{0, 255, 128}));
    intro.remainingMs = 3000;
    EXPECT_EQ(intro.pictureAlphas(), (Alphas{0, 255, 255}));
    intro.remainingMs = 1;
    EXPECT_EQ(intro.pictureAlphas(), (Alphas{0, 255, 255}));
}

TEST(MenuIntroTest, EndsAfter6000MsOfCappedStepsWithoutInput) {
    ScriptedKeys keys;
    MenuIntro intro;
    int steps = 0;
    while (intro.getResult() == 0 && steps < 1000) {
        keys.poll();
        intro.update(33);  // a stalled frame counts 33 ms at most
        ++steps;
    }
    EXPECT_EQ(steps, 182);  // 181 steps are 5973 ms
    EXPECT_EQ(intro.getResult(), MenuIntro::FINISHED);
}

TEST(MenuIntroTest, ReturnSkipsAndIsUsedUpWhileDirectionsDoNothing) {
    ScriptedKeys keys;
    MenuIntro intro;
    keys.hold(Down, 1);
    keys.hold(Up, 2);
    keys.poll();
    intro.update(33);
    EXPECT_EQ(intro.getResult(), 0);
    EXPECT_EQ(intro.selected, 1);
    keys.holdReturn();
    keys.poll();
    intro.update(33);
    EXPECT_EQ(intro.getResult(), MenuIntro::FINISHED);
    EXPECT_EQ(keys.keyboard.enter, Consumed);
}

TEST(MenuIntroTest, PlayerTwosActionSkipsToo) {
    ScriptedKeys keys;
    MenuIntro intro;
    keys.hold(Action1, 2);
    keys.poll();
    intro.update(33);
    EXPECT_EQ(intro.getResult(), MenuIntro::FINISHED);
    EXPECT_EQ(keys.input.controls[controlIndex(Action1, 2)], Consumed);
}

}  // namespace
