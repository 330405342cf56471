#include "actors/PortableMath.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double HALF_PI = 0x1.921fb54442d18p+0;

// 0 for the same double or NaN for NaN, 1 for a neighbour, 2 for anything farther.
int ulpsApart(double ours, double theirs) {
    if (ours == theirs || (std::isnan(ours) && std::isnan(theirs))) return 0;
    return ours == std::nextafter(theirs, HUGE_VAL) || ours == std::nextafter(theirs, -HUGE_VAL) ? 1 : 2;
}

}  // namespace

// The C library rounds correctly nearly always: differing from it more often would mean precision lost on the way.
// Every fifth point of the wide sweep lies next to a multiple of pi/2, where the remainder cancels almost entirely.
TEST(PortableMathTest, StaysWithinOneUlpOfTheCLibraryAndMostlyRoundsAsItDoes) {
    struct Sweep { double from, to; int points; };
    const Sweep sweeps[] = {{-4.0, 4.0, 100000}, {-3e3 * HALF_PI, 3e3 * HALF_PI, 30001}, {-1.0, 1.0, 100001}};
    for (const Sweep& s : sweeps) {
        int differing[3] = {};  // sin, cos, acos
        for (int i = 0; i < s.points; ++i) {
            const double x = s.from + (s.to - s.from) * i / (s.points - 1);
            const int ulps[] = {ulpsApart(portableSin(x), std::sin(x)), ulpsApart(portableCos(x), std::cos(x)),
                                ulpsApart(portableAcos(x), std::acos(x))};
            for (int f = 0; f < 3; ++f) ASSERT_LE(ulps[f], 1) << "function " << f << " at " << std::hexfloat << x;
            for (int f = 0; f < 3; ++f) differing[f] += ulps[f];
        }
        EXPECT_LT(differing[0] + differing[1], 0.08 * s.points) << s.from;
        EXPECT_LT(differing[2], 0.09 * s.points);
    }
    for (const double x : {HUGE_VAL, -HUGE_VAL, std::nan("")}) EXPECT_TRUE(std::isnan(portableSin(x) + portableCos(x)));
    // Past 2^20 whole turns of a double near 2 pi come off first: about 4e-17 is lost per radian.
    for (double x : {-0x1p21, 0x1.fffffffffffffp+1023}) EXPECT_NEAR(portableSin(x), std::sin(x), std::fabs(x) * 1e-16);
}

// The throws' angles, left and right, and the ends of acos: a change to any of these bits changes the matches.
TEST(PortableMathTest, GivesExactlyTheseBits) {
    struct Case { int degrees; double sin, cos; };
    const Case cases[] = {{0, 0x0p+0, 0x1p+0}, {15, 0x1.0907dbf7891cep-2, 0x1.ee8dd4790e2c7p-1},
        {20, 0x1.5e3a871cf9a82p-2, 0x1.e11f642d1484fp-1}, {40, 0x1.491b75002b5d6p-1, 0x1.8836fa4ad139ep-1},
        {60, 0x1.bb67ae62ad945p-1, 0x1.0000003c58876p-1}, {120, 0x1.bb67aecb33375p-1, -0x1.ffffff0e9de26p-2},
        {140, 0x1.491b75a04e714p-1, -0x1.8836f9c472456p-1}, {160, 0x1.5e3a88a5d978dp-2, -0x1.e11f63e59537ap-1},
        {165, 0x1.0907dd8b60aebp-2, -0x1.ee8dd442f366bp-1}, {180, 0x1.a2168c234c4c6p-26, -0x1.ffffffffffffdp-1},
        {195, -0x1.0907da63b18aep-2, -0x1.ee8dd4af28f1ep-1}};
    for (const Case& c : cases) {
        for (const double side : {1.0, -1.0}) {
            const double radians = side * c.degrees * static_cast<double>(0.017453292f);  // as the robots turn
            EXPECT_EQ(portableSin(radians), side * c.sin) << side * c.degrees;
            EXPECT_EQ(portableCos(radians), c.cos) << side * c.degrees;
        }
    }
    EXPECT_TRUE(std::signbit(portableSin(-0.0)));
    EXPECT_EQ(portableAcos(1.0), 0.0);
    EXPECT_EQ(portableAcos(0.0), HALF_PI);
    EXPECT_EQ(portableAcos(-1.0), 2 * HALF_PI);
}
