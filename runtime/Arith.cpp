#include "runtime/Arith.h"

#include <cmath>

#include "runtime/Errors.h"
#include "runtime/NumText.h"

namespace {

[[noreturn]] void RaiseInvalidOp()
{
    throw EInvalidOp("Invalid floating point operation");
}

[[noreturn]] void RaiseOverflow()
{
    throw EOverflow("Floating point overflow");
}

// Infinities never come out of the lesson's own arithmetic unless something overflowed,
// so an infinite result is reported as the overflow it stands for.
Extended FiniteResult(Extended result)
{
    if (std::isinf(result))
        RaiseOverflow();
    return result;
}

} // namespace

Extended CheckedDivide(Extended dividend, Extended divisor)
{
    if (std::isnan(dividend) || std::isnan(divisor))
        RaiseInvalidOp();
    if (divisor == 0) {
        if (dividend == 0)
            RaiseInvalidOp();
        throw EZeroDivide("Floating point division by zero");
    }
    if (std::isinf(dividend) && std::isinf(divisor))
        RaiseInvalidOp();
    return FiniteResult(dividend / divisor);
}

Extended CheckedMultiply(Extended a, Extended b)
{
    if (std::isnan(a) || std::isnan(b))
        RaiseInvalidOp();
    if ((a == 0 && std::isinf(b)) || (std::isinf(a) && b == 0))
        RaiseInvalidOp();
    return FiniteResult(a * b);
}

double ToDouble(Extended value)
{
    if (std::isnan(value))
        RaiseInvalidOp();
    const double stored = static_cast<double>(value);
    if (std::isinf(stored))
        RaiseOverflow();
    return stored;
}

int64_t Round(Extended value)
{
    // Rounded first, in the current mode (nearest, ties to even), so that the range test
    // sees the integer the conversion would deliver: 2^63 - 0.5 rounds up out of range.
    const Extended rounded = std::rint(value);
    constexpr Extended limit = 0x1p63L;
    if (!(rounded >= -limit && rounded < limit))
        RaiseInvalidOp();
    return static_cast<int64_t>(rounded);
}

int32_t RoundToInt32(Extended value)
{
    const int64_t rounded = Round(value);
    if (rounded < std::numeric_limits<int32_t>::min() || rounded > std::numeric_limits<int32_t>::max())
        RaiseInvalidOp();
    return static_cast<int32_t>(rounded);
}
