#include "actors/PortableMath.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

constexpr double NOT_A_NUMBER = std::numeric_limits<double>::quiet_NaN();
constexpr double LARGEST_FINITE = std::numeric_limits<double>::max();

// pi/2 in three 33-bit parts and a tail: a multiple of a part by a quotient below 2^20 is exact, so the
// remainder loses nothing to cancellation near multiples of pi/2.
constexpr double TWO_OVER_PI = 0x1.45f306dc9c883p-1;
constexpr double HALF_PI_1 = 0x1.921fb544p+0;
constexpr double HALF_PI_2 = 0x1.0b4611a6p-34;
constexpr double HALF_PI_3 = 0x1.3198a2ep-69;
constexpr double HALF_PI_TAIL = 0x1.b839a252049c1p-104;
// Adding and removing 1.5 * 2^52 rounds any double below 2^51 in magnitude to the nearest integer.
constexpr double ROUNDING_SHIFT = 0x1.8p52;
// Below this every quotient by pi/2 stays under 2^20, where the products by the parts above are exact.
constexpr double EXACT_REDUCTION_LIMIT = 0x1p20;
// Beyond that limit whole turns of this double come off first; it differs from 2 pi by about 2.4e-16, so
// the error grows with the argument there.
constexpr double TWO_PI = 0x1.921fb54442d18p+2;

// Minimax polynomials for sin and cos on [-pi/4, pi/4], both good to about 2^-58.
constexpr double SIN_1 = -0x1.5555555555549p-3;
constexpr double SIN_2 = 0x1.111111110f8a6p-7;
constexpr double SIN_3 = -0x1.a01a019c161d5p-13;
constexpr double SIN_4 = 0x1.71de357b1fe7dp-19;
constexpr double SIN_5 = -0x1.ae5e68a2b9cebp-26;
constexpr double SIN_6 = 0x1.5d93a5acfd57cp-33;
constexpr double COS_1 = 0x1.555555555554cp-5;
constexpr double COS_2 = -0x1.6c16c16c15177p-10;
constexpr double COS_3 = 0x1.a01a019cb159p-16;
constexpr double COS_4 = -0x1.27e4f809c52adp-22;
constexpr double COS_5 = 0x1.1ee9ebdb4b1c4p-29;
constexpr double COS_6 = -0x1.8fae9be8838d4p-37;

// asin(s) = s + s * p(s^2) / q(s^2) on [0, 0.5], the rational form acos is built on.
constexpr double ASIN_P0 = 0x1.5555555555555p-3;
constexpr double ASIN_P1 = -0x1.4d61203eb6f7dp-2;
constexpr double ASIN_P2 = 0x1.9c1550e884455p-3;
constexpr double ASIN_P3 = -0x1.48228b5688f3bp-5;
constexpr double ASIN_P4 = 0x1.9efe07501b288p-11;
constexpr double ASIN_P5 = 0x1.23de10dfdf709p-15;
constexpr double ASIN_Q1 = -0x1.33a271c8a2d4bp+1;
constexpr double ASIN_Q2 = 0x1.02ae59c598ac8p+1;
constexpr double ASIN_Q3 = -0x1.6066c1b8d0159p-1;
constexpr double ASIN_Q4 = 0x1.3b8c5b12e9282p-4;
constexpr double PI = 0x1.921fb54442d18p+1;
constexpr double HALF_PI_HEAD = 0x1.921fb54442d18p+0;
constexpr double HALF_PI_LOW = 0x1.1a62633145c07p-54;  // pi/2 - HALF_PI_HEAD
constexpr double ACOS_MIDDLE = 0.5;                    // below it in magnitude acos needs no square root
// Keeping only the upper 21 bits of the significand makes the square of a double exact.
constexpr std::uint64_t UPPER_HALF_BITS = 0xffffffff00000000u;

// An argument less a multiple of pi/2: x = quadrant * pi/2 + head + tail, with |head| <= ~pi/4 and the tail
// below half a unit of the head.
struct Reduced {
    int quadrant;  // 0 to 3
    double head;
    double tail;
};

// x less a multiple of TWO_PI, exactly: a long division in which every subtraction is of two numbers
// within a factor of two of each other, so none of them rounds.
double lessWholeTurns(double x) {
    const double magnitude = std::fabs(x);
    double turns = TWO_PI;
    while (turns <= magnitude * 0.5) turns *= 2.0;
    double rest = magnitude;
    for (; turns >= TWO_PI; turns *= 0.5) {
        if (rest >= turns) rest -= turns;
    }
    return x < 0.0 ? -rest : rest;
}

// Takes off each part of pi/2 in turn, carrying the rounding error of every subtraction into the tail.
Reduced reduce(double x) {
    if (std::fabs(x) >= EXACT_REDUCTION_LIMIT) x = lessWholeTurns(x);
    const double n = (x * TWO_OVER_PI + ROUNDING_SHIFT) - ROUNDING_SHIFT;
    const double first = x - n * HALF_PI_1;
    const double part2 = n * HALF_PI_2;
    const double second = first - part2;
    const double error2 = (first - second) - part2;
    const double part3 = n * HALF_PI_3;
    const double third = second - part3;
    const double error3 = (second - third) - part3;
    const double rest = n * HALF_PI_TAIL - (error2 + error3);
    const double head = third - rest;
    return {static_cast<int>(n) & 3, head, (third - head) - rest};
}

// sin(x + y) for |x| <= ~pi/4 and a tail y: sin(x) + cos(x) y, with cos(x) taken as 1 - x^2/2.
double sinKernel(double x, double y) {
    const double z = x * x;
    const double w = z * z;
    const double r = SIN_2 + z * (SIN_3 + z * SIN_4) + z * w * (SIN_5 + z * SIN_6);
    const double v = z * x;
    return x - ((z * (0.5 * y - v * r) - y) - v * SIN_1);
}

// cos(x + y) for |x| <= ~pi/4 and a tail y. 1 - x^2/2 is split so that its rounding error is added back.
double cosKernel(double x, double y) {
    const double z = x * x;
    const double w = z * z;
    const double r = z * (COS_1 + z * (COS_2 + z * COS_3)) + w * w * (COS_4 + z * (COS_5 + z * COS_6));
    const double halfZ = 0.5 * z;
    const double rounded = 1.0 - halfZ;
    return rounded + (((1.0 - rounded) - halfZ) + (z * r - x * y));
}

bool isFinite(double x) { return std::fabs(x) <= LARGEST_FINITE; }

double asinRatio(double z) {
    const double p = z * (ASIN_P0 + z * (ASIN_P1 + z * (ASIN_P2 + z * (ASIN_P3 + z * (ASIN_P4 + z * ASIN_P5)))));
    const double q = 1.0 + z * (ASIN_Q1 + z * (ASIN_Q2 + z * (ASIN_Q3 + z * ASIN_Q4)));
    return p / q;
}

}  // namespace

double portableSin(double radians) {
    if (!isFinite(radians)) return NOT_A_NUMBER;
    const Reduced r = reduce(radians);
    switch (r.quadrant) {
        case 0: return sinKernel(r.head, r.tail);
        case 1: return cosKernel(r.head, r.tail);
        case 2: return -sinKernel(r.head, r.tail);
        default: return -cosKernel(r.head, r.tail);
    }
}

double portableCos(double radians) {
    if (!isFinite(radians)) return NOT_A_NUMBER;
    const Reduced r = reduce(radians);
    switch (r.quadrant) {
        case 0: return cosKernel(r.head, r.tail);
        case 1: return -sinKernel(r.head, r.tail);
        case 2: return -cosKernel(r.head, r.tail);
        default: return sinKernel(r.head, r.tail);
    }
}

// acos(x) = pi/2 - asin(x) near 0; nearer the ends it comes from asin(sqrt((1 - |x|) / 2)), whose argument
// stays below 0.5 and loses nothing to the cancellation in 1 - |x|.
double portableAcos(double x) {
    if (!(std::fabs(x) <= 1.0)) return NOT_A_NUMBER;
    if (x == 1.0) return 0.0;  // the split of the square root below would divide 0 by 0
    if (std::fabs(x) < ACOS_MIDDLE) {
        return HALF_PI_HEAD - (x - (HALF_PI_LOW - x * asinRatio(x * x)));
    }
    if (x < 0.0) {
        const double z = (1.0 + x) * 0.5;
        const double s = std::sqrt(z);
        return PI - 2.0 * (s + (asinRatio(z) * s - HALF_PI_LOW));
    }
    // 2 asin(s) with s split as high + correction, so that the doubling and the sum keep s's last bits.
    const double z = (1.0 - x) * 0.5;
    const double s = std::sqrt(z);
    const double high = std::bit_cast<double>(std::bit_cast<std::uint64_t>(s) & UPPER_HALF_BITS);
    const double correction = (z - high * high) / (s + high);
    return 2.0 * (high + (asinRatio(z) * s + correction));
}
