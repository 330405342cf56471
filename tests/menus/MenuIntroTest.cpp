#include "menus/MenuIntro.h"
#include "menus/ScriptedKeys.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

using Alphas = std::array<int, 3>;

TEST(MenuIntroTest, PicturesFadeInTurn) {
    MenuIntro intro;
    const std::pair<int, Alphas> expected[] = {
        {6000, {255, 0, 0}}, {5250, {255, 128, 0}}, {4500, {0, 255, 0}}, {3000, {0, 255, 255}}};
    for (const auto& [remaining, alphas] : expected) {
        intro.remainingMs = remaining;
        EXPECT_EQ(intro.pictureAlphas(), alphas) << remaining << " ms left";
    }
}

TEST(MenuIntroTest, EndsAfter6000MsOfCappedStepsWhateverTheDirectionsOrAtAnAction) {
    ScriptedKeys keys;
    MenuIntro intro;
    keys.hold(Down, 1);
    keys.hold(Up, 2);
    int steps = 0;
    for (; intro.getResult() == 0 && steps < 1000; ++steps)
        keys.step(intro);  // a stalled frame counts 33 ms at most
    EXPECT_EQ(steps, 182);  // 181 steps are 5973 ms
    EXPECT_EQ(intro.getResult(), MenuIntro::FINISHED);

    MenuIntro skipped;  // by player 2's action
    keys.hold(Action1, 2);
    keys.step(skipped);
    EXPECT_EQ(skipped.getResult(), MenuIntro::FINISHED);
    EXPECT_EQ(keys.input.controls[controlIndex(Action1, 2)], Consumed);
}

}  // namespace
