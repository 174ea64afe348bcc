// Powers of ten in extended precision, shared by the reading and the writing of reals.
// Inline, so that each conversion's loop is compiled with the tables in view.
#pragma once

#include "runtime/Extended.h"

// The largest power of ten below the top of the extended range (about 1.19E4932).
inline constexpr int LargestFinitePower = 4932;

namespace powers_of_ten_detail {

// Every power of ten below 10^128 as the compiler rounds it (exact up to 10^27), and
// every 128th power up to the top of the extended range: any power up to the largest
// finite one is then at most one multiplication away, with at most two roundings.
inline constexpr Extended SmallPowersOfTen[128] = {
    1e0L, 1e1L, 1e2L, 1e3L, 1e4L, 1e5L, 1e6L, 1e7L,
    1e8L, 1e9L, 1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L,
    1e16L, 1e17L, 1e18L, 1e19L, 1e20L, 1e21L, 1e22L, 1e23L,
    1e24L, 1e25L, 1e26L, 1e27L, 1e28L, 1e29L, 1e30L, 1e31L,
    1e32L, 1e33L, 1e34L, 1e35L, 1e36L, 1e37L, 1e38L, 1e39L,
    1e40L, 1e41L, 1e42L, 1e43L, 1e44L, 1e45L, 1e46L, 1e47L,
    1e48L, 1e49L, 1e50L, 1e51L, 1e52L, 1e53L, 1e54L, 1e55L,
    1e56L, 1e57L, 1e58L, 1e59L, 1e60L, 1e61L, 1e62L, 1e63L,
    1e64L, 1e65L, 1e66L, 1e67L, 1e68L, 1e69L, 1e70L, 1e71L,
    1e72L, 1e73L, 1e74L, 1e75L, 1e76L, 1e77L, 1e78L, 1e79L,
    1e80L, 1e81L, 1e82L, 1e83L, 1e84L, 1e85L, 1e86L, 1e87L,
    1e88L, 1e89L, 1e90L, 1e91L, 1e92L, 1e93L, 1e94L, 1e95L,
    1e96L, 1e97L, 1e98L, 1e99L, 1e100L, 1e101L, 1e102L, 1e103L,
    1e104L, 1e105L, 1e106L, 1e107L, 1e108L, 1e109L, 1e110L, 1e111L,
    1e112L, 1e113L, 1e114L, 1e115L, 1e116L, 1e117L, 1e118L, 1e119L,
    1e120L, 1e121L, 1e122L, 1e123L, 1e124L, 1e125L, 1e126L, 1e127L,

};

inline constexpr Extended LargePowersOfTen[39] = {
    1e0L, 1e128L, 1e256L, 1e384L, 1e512L, 1e640L, 1e768L, 1e896L,
    1e1024L, 1e1152L, 1e1280L, 1e1408L, 1e1536L, 1e1664L, 1e1792L, 1e1920L,
    1e2048L, 1e2176L, 1e2304L, 1e2432L, 1e2560L, 1e2688L, 1e2816L, 1e2944L,
    1e3072L, 1e3200L, 1e3328L, 1e3456L, 1e3584L, 1e3712L, 1e3840L, 1e3968L,
    1e4096L, 1e4224L, 1e4352L, 1e4480L, 1e4608L, 1e4736L, 1e4864L,

};

// 10^n for 0 <= n <= LargestFinitePower.
inline Extended PowerOfTen(int n)
{
    const Extended low = SmallPowersOfTen[n % 128];
    return n < 128 ? low : low * LargePowersOfTen[n / 128];
}

} // namespace powers_of_ten_detail

// value * 10^power. A negative power divides, so that 25 * 10^-1 is the exact 25 / 10.
// A power beyond the largest table value is applied in parts, the odd part first and
// then whole steps of the largest, so a value near either end of the range loses
// nothing to an intermediate overflow or underflow, and an underflowing result is
// rounded into the denormals only once.
inline Extended ScaleByPowerOfTen(Extended value, int power)
{
    const bool divide = power < 0;
    int remaining = divide ? -power : power;
    while (remaining > 0) {
        const int part = (remaining - 1) % LargestFinitePower + 1;
        const Extended factor = powers_of_ten_detail::PowerOfTen(part);
        value = divide ? value / factor : value * factor;
        remaining -= part;
    }
    return value;
}
