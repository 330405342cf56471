#pragma once

// Sine, cosine and arc cosine computed from the four operations and sqrt alone, so that they give the same bits
// on every processor and C library (the C library's own may differ in the last bit). Below 2^20 radians in
// magnitude the error stays under one unit in the last place; beyond, the reduction loses precision but the
// result is still finite and the same everywhere. NaN and infinities give NaN.
double portableSin(double radians);
double portableCos(double radians);
double portableAcos(double x);  // x in [-1, 1]; NaN outside
