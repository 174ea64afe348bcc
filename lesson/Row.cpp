#include "lesson/Row.h"

#include "runtime/Arith.h"
#include "runtime/NumText.h"

namespace Lesson {
namespace {

// The quotient of two whole numbers, formed in extended precision and kept as a double.
std::string QuotientText(int32_t dividend, int32_t divisor)
{
    return FloatToStr(ToDouble(CheckedDivide(dividend, divisor)));
}

// Two's-complement wrap without overflow in signed arithmetic.
int32_t WrappingAdd(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

} // namespace

bool HasTwoValues(const RowTexts& row)
{
    const bool t = !row.T.empty(), v = !row.V.empty(), s = !row.S.empty();
    return (t && v) || (v && s) || (t && s);
}

std::optional<Completion> CompleteRow(const RowTexts& row)
{
    if (row.S.empty()) {
        const int32_t time = StrToInt(row.T);
        const int32_t speed = StrToInt(row.V);
        // Formed in 64 bits: a product beyond 32 bits is written as its true value.
        const int64_t distance = int64_t{time} * speed;
        return Completion{RowField::S, FloatToStr(static_cast<Extended>(distance))};
    }
    if (row.V.empty()) {
        const int32_t time = StrToInt(row.T);
        const int32_t distance = StrToInt(row.S);
        return Completion{RowField::V, QuotientText(distance, time)};
    }
    if (row.T.empty()) {
        const int32_t speed = StrToInt(row.V);
        const int32_t distance = StrToInt(row.S);
        return Completion{RowField::T, QuotientText(distance, speed)};
    }
    return std::nullopt;
}

int32_t StepOf(const std::string& speedText)
{
    return RoundToInt32(CheckedDivide(StrToFloat(speedText), SpeedDivisor));
}

RunLimits ScaledLimits(const std::string& distance1, const std::string& distance2)
{
    const double s1 = ToDouble(StrToFloat(distance1));
    const double s2 = ToDouble(StrToFloat(distance2));
    if (s1 > s2)
        return {TrackLength, RoundToInt32(CheckedDivide(CheckedMultiply(s2, TrackLength), s1))};
    return {RoundToInt32(CheckedDivide(CheckedMultiply(s1, TrackLength), s2)), TrackLength};
}

bool Tick(int32_t& position, int32_t step, int32_t limit)
{
    // Strictly greater: a run ends only after overshooting its limit.
    if (position > limit) {
        position = 0;
        return false;
    }
    position = WrappingAdd(position, step);
    return true;
}

int32_t TowardsLeft(int32_t position)
{
    return static_cast<int32_t>(static_cast<uint32_t>(TrackLength) - static_cast<uint32_t>(position));
}

} // namespace Lesson
