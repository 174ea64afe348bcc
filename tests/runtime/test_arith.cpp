#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

#include "runtime/Arith.h"
#include "runtime/Errors.h"
#include "runtime/NumText.h"

namespace {

constexpr Extended Inf = std::numeric_limits<Extended>::infinity();
const Extended NaN = std::nanl("");

template <typename Error, typename Operation>
std::string MessageOf(Operation operation)
{
    try {
        operation();
    } catch (const Error& error) {
        return error.Message();
    }
    return "no error of the expected kind";
}

TEST(CheckedDivide, ZeroDivisor)
{
    EXPECT_EQ(MessageOf<EZeroDivide>([] { CheckedDivide(7, 0); }), "Floating point division by zero");
    EXPECT_THROW(CheckedDivide(-7, 0), EZeroDivide);
    EXPECT_THROW(CheckedDivide(5, -0.0L), EZeroDivide);
    EXPECT_EQ(MessageOf<EInvalidOp>([] { CheckedDivide(0, 0); }), "Invalid floating point operation");
}

TEST(CheckedDivide, InvalidOperands)
{
    EXPECT_THROW(CheckedDivide(NaN, 2), EInvalidOp);
    EXPECT_THROW(CheckedDivide(2, NaN), EInvalidOp);
    EXPECT_THROW(CheckedDivide(Inf, -Inf), EInvalidOp);
}

TEST(CheckedDivide, Overflow)
{
    EXPECT_EQ(MessageOf<EOverflow>([] { CheckedDivide(LDBL_MAX, 0.5L); }), "Floating point overflow");
    EXPECT_THROW(CheckedDivide(1e4000L, 1e-4000L), EOverflow);
    EXPECT_THROW(CheckedDivide(Inf, 2), EOverflow);
}

TEST(CheckedDivide, Quotients)
{
    EXPECT_EQ(CheckedDivide(10, 4), 2.5L);
    EXPECT_EQ(CheckedDivide(-20, 10), -2.0L);
    EXPECT_EQ(CheckedDivide(5, Inf), 0.0L);
    EXPECT_EQ(CheckedDivide(LDBL_MIN, 4), LDBL_MIN / 4);  // underflow is silent
}

TEST(CheckedMultiply, BadOperands)
{
    EXPECT_THROW(CheckedMultiply(0, Inf), EInvalidOp);
    EXPECT_THROW(CheckedMultiply(-Inf, 0), EInvalidOp);
    EXPECT_THROW(CheckedMultiply(NaN, 1), EInvalidOp);
    EXPECT_EQ(MessageOf<EOverflow>([] { CheckedMultiply(LDBL_MAX, 2); }), "Floating point overflow");
    EXPECT_THROW(CheckedMultiply(-1e3000L, 1e3000L), EOverflow);
}

TEST(CheckedMultiply, Products)
{
    EXPECT_EQ(CheckedMultiply(30, 555), 16650.0L);
    EXPECT_EQ(CheckedMultiply(-2, 3), -6.0L);
}

TEST(ToDouble, BeyondTheDoubleRange)
{
    EXPECT_EQ(MessageOf<EOverflow>([] { ToDouble(1e400L); }), "Floating point overflow");
    EXPECT_THROW(ToDouble(-1e309L), EOverflow);
    EXPECT_THROW(ToDouble(Inf), EOverflow);
    EXPECT_THROW(ToDouble(NaN), EInvalidOp);
    // Just above the largest double, but rounding down to it.
    EXPECT_EQ(ToDouble(static_cast<Extended>(DBL_MAX) * (1 + 0x1p-60L)), DBL_MAX);
    EXPECT_THROW(ToDouble(static_cast<Extended>(DBL_MAX) * (1 + 0x1p-53L)), EOverflow);
}

TEST(ToDouble, RoundsToNearest)
{
    EXPECT_EQ(ToDouble(1 + 0x1p-53L + 0x1p-60L), 1 + 0x1p-52);
    EXPECT_EQ(ToDouble(1 + 0x1p-53L), 1.0);  // tie to even
    EXPECT_EQ(ToDouble(1e-400L), 0.0);
    EXPECT_GT(ToDouble(1e-320L), 0.0);
}

TEST(Round, OutsideSixtyFourBits)
{
    EXPECT_EQ(MessageOf<EInvalidOp>([] { Round(1e19L); }), "Invalid floating point operation");
    EXPECT_THROW(Round(NaN), EInvalidOp);
    EXPECT_THROW(Round(Inf), EInvalidOp);
    EXPECT_THROW(Round(0x1p63L), EInvalidOp);
    EXPECT_THROW(Round(0x1p63L - 0.5L), EInvalidOp);  // rounds up to 2^63
    EXPECT_THROW(Round(-0x1p63L - 1), EInvalidOp);
    EXPECT_EQ(Round(0x1p63L - 1), INT64_MAX);
    EXPECT_EQ(Round(-0x1p63L), INT64_MIN);
}

TEST(Round, TiesToEven)
{
    EXPECT_EQ(Round(0.5L), 0);
    EXPECT_EQ(Round(1.5L), 2);
    EXPECT_EQ(Round(2.5L), 2);
    EXPECT_EQ(Round(3.5L), 4);
    EXPECT_EQ(Round(-2.5L), -2);
    EXPECT_EQ(Round(0.49L), 0);
    EXPECT_EQ(Round(CheckedDivide(25, 10)), 2);
    EXPECT_EQ(Round(CheckedDivide(35, 10)), 4);
    EXPECT_EQ(Round(CheckedDivide(15, 10)), 2);
    EXPECT_EQ(Round(CheckedDivide(5, 10)), 0);
}

TEST(RoundToInt32, OutsideThirtyTwoBits)
{
    EXPECT_EQ(MessageOf<EInvalidOp>([] { RoundToInt32(3e9L); }), "Invalid floating point operation");
    EXPECT_THROW(RoundToInt32(2147483647.5L), EInvalidOp);
    EXPECT_THROW(RoundToInt32(-2147483649.0L), EInvalidOp);
    EXPECT_THROW(RoundToInt32(1e19L), EInvalidOp);
    EXPECT_EQ(RoundToInt32(2147483647.4L), INT32_MAX);
    EXPECT_EQ(RoundToInt32(-2147483648.5L), INT32_MIN);
}

// The lesson's step: the speed text read as a real, a tenth of it, rounded.
class LessonRounding : public testing::Test {
protected:
    void SetUp() override
    {
        saved_ = DecimalSeparator();
        SetDecimalSeparator(',');
    }
    void TearDown() override { SetDecimalSeparator(saved_); }

    static int32_t Step(const char* speed) { return RoundToInt32(CheckedDivide(StrToFloat(speed), 10)); }

    static int32_t ShorterLimit(double shorter, double longer)
    {
        return RoundToInt32(CheckedDivide(CheckedMultiply(shorter, 555), longer));
    }

private:
    char saved_ = '.';
};

TEST_F(LessonRounding, StepsRoundHalvesToEven)
{
    const std::pair<const char*, int32_t> cases[] = {{"60", 6},  {"4", 0},  {"5", 0},  {"6", 1},    {"15", 2},
                                                     {"25", 2},  {"35", 4}, {"45", 4}, {"-20", -2}, {"2,5", 0}};
    for (const auto& [speed, step] : cases)
        EXPECT_EQ(Step(speed), step) << speed;
    EXPECT_THROW(Step("5E10"), EInvalidOp);
}

TEST_F(LessonRounding, RunLimits)
{
    EXPECT_EQ(ShorterLimit(30, 100), 166);
    EXPECT_EQ(ShorterLimit(10, 20), 278);
    EXPECT_EQ(ShorterLimit(100, 100), 555);
    EXPECT_EQ(ShorterLimit(60, 100), 333);
    EXPECT_THROW(ShorterLimit(0, 0), EInvalidOp);
    EXPECT_THROW(ShorterLimit(-5, 0), EZeroDivide);
}

} // namespace
