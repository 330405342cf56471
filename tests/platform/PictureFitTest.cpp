#include "platform/PictureFit.h"

#include <gtest/gtest.h>

#include <array>

namespace {

TEST(PictureFit, TheLargestCentredRectangleOfThePicturesProportions) {
    struct Case {
        int pictureWidth, pictureHeight, areaWidth, areaHeight;
        Rect expected;
    };
    const Case cases[] = {
        {640, 480, 640, 480, {0, 0, 640, 480}},         // windowed: pixel for pixel
        {640, 480, 1920, 1200, {160, 0, 1760, 1200}},   // bars left and right
        {1680, 1050, 1920, 1200, {0, 0, 1920, 1200}},   // same proportions, no bars
        {800, 600, 1920, 1080, {240, 0, 1680, 1080}},
        {1280, 720, 1280, 1024, {0, 152, 1280, 872}},   // bars above and below
        {640, 480, 1001, 700, {34, 0, 967, 700}},       // 933.33 wide, rounded
        {640, 480, 0, 0, {0, 0, 0, 0}},                 // minimised
    };
    for (const Case& c : cases) {
        const Rect r = fitPicture(c.pictureWidth, c.pictureHeight, c.areaWidth, c.areaHeight);
        EXPECT_EQ((std::array{r.left, r.top, r.right, r.bottom}),
                  (std::array{c.expected.left, c.expected.top, c.expected.right, c.expected.bottom}))
            << c.pictureWidth << "x" << c.pictureHeight << " in " << c.areaWidth << "x" << c.areaHeight;
    }
}

}  // namespace
