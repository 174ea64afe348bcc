// Powers of ten in extended precision, shared by the reading and the writing of reals.
#pragma once

#include "runtime/Extended.h"

// The largest power of ten below the top of the extended range (about 1.19E4932).
inline constexpr int LargestFinitePower = 4932;

// value * 10^power. A negative power divides, so that 25 * 10^-1 is the exact 25 / 10.
// A power beyond the largest table value is applied in parts, the odd part first and
// then whole steps of the largest, so a value near either end of the range loses
// nothing to an intermediate overflow or underflow, and an underflowing result is
// rounded into the denormals only once.
Extended ScaleByPowerOfTen(Extended value, int power);
