#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <random>
#include <string>

#include "runtime/Arith.h"
#include "runtime/Errors.h"
#include "runtime/Locale.h"
#include "runtime/NumText.h"

namespace {

#ifdef _WIN32
// MinGW has no switches for the floating-point traps: set the x87 and SSE masks
// directly (the exception flags are the mask bits).
int fegetexcept()
{
    unsigned short control = 0;
    asm volatile("fnstcw %0" : "=m"(control));
    return ~control & FE_ALL_EXCEPT;
}

void SetTrapMasks(int excepts, bool masked)
{
    unsigned short control = 0;
    unsigned sse = 0;
    asm volatile("fnstcw %0\n\tstmxcsr %1" : "=m"(control), "=m"(sse));
    control = static_cast<unsigned short>(masked ? control | excepts : control & ~excepts);
    sse = masked ? sse | unsigned(excepts) << 7 : sse & ~(unsigned(excepts) << 7);
    asm volatile("fldcw %0\n\tldmxcsr %1" : : "m"(control), "m"(sse));
}

void feenableexcept(int excepts)
{
    SetTrapMasks(excepts, false);
}

void fedisableexcept(int excepts)
{
    SetTrapMasks(excepts, true);
}
#endif

// Every case runs once with "," and once with "." as the separator. Texts are written
// for ","; with "." the two characters swap, so "2.5" stays the foreign separator.
class WithSeparator : public testing::TestWithParam<char> {
protected:
    void SetUp() override
    {
        saved_ = DecimalSeparator();
        SetDecimalSeparator(GetParam());
    }
    void TearDown() override { SetDecimalSeparator(saved_); }

    static std::string L(std::string text)
    {
        if (GetParam() == '.')
            for (char& c : text)
                c = c == ',' ? '.' : c == '.' ? ',' : c;
        return text;
    }

private:
    char saved_ = '.';
};

std::string SeparatorName(const testing::TestParamInfo<char>& info)
{
    return info.param == ',' ? "Comma" : "Point";
}

template <typename Conversion>
std::string ErrorOf(Conversion conversion)
{
    try {
        conversion();
    } catch (const EConvertError& error) {
        return error.Message();
    }
    return "no error";
}

// ---- StrToInt ----

using StrToIntTest = WithSeparator;

TEST_P(StrToIntTest, BadInput)
{
    for (const char* text : {"", "   ", "12 ", "- 7", "+-7", "--7", "1,5", "1.5", "12a", "$", "x", "0x", "$ 1",
                             "$1G", "0x1F ", "$100000000", "$000100000000", "7 7", "\t7", "1e3"})
        EXPECT_THROW(StrToInt(L(text)), EConvertError) << text;
}

TEST_P(StrToIntTest, MessageQuotesTheWholeText)
{
    EXPECT_EQ(ErrorOf([] { StrToInt(" 12 "); }), "' 12 ' is not a valid integer value");
    EXPECT_EQ(ErrorOf([] { StrToInt(""); }), "'' is not a valid integer value");
}

TEST_P(StrToIntTest, Decimal)
{
    EXPECT_EQ(StrToInt("  12"), 12);
    EXPECT_EQ(StrToInt("+7"), 7);
    EXPECT_EQ(StrToInt("007"), 7);
    EXPECT_EQ(StrToInt("-0"), 0);
    EXPECT_EQ(StrToInt("-20"), -20);
}

TEST_P(StrToIntTest, DecimalRangeNeverWraps)
{
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(StrToInt("0000000000002147483647"), 2147483647);
    for (const char* text : {"2147483648", "-2147483649", "2147483650", "4294967296", "99999999999"})
        EXPECT_THROW(StrToInt(text), EConvertError) << text;
}

TEST_P(StrToIntTest, HexTakesTheBitPattern)
{
    EXPECT_EQ(StrToInt("$1F"), 31);
    EXPECT_EQ(StrToInt("x1F"), 31);
    EXPECT_EQ(StrToInt("0X1f"), 31);
    EXPECT_EQ(StrToInt(" -$1f"), -31);
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(StrToInt("$80000000"), INT32_MIN);
    EXPECT_EQ(StrToInt("-$80000000"), INT32_MIN);
    EXPECT_EQ(StrToInt("-$FFFFFFFF"), 1);
    EXPECT_EQ(StrToInt("$0000000000FFFFFFFF"), -1);
}

INSTANTIATE_TEST_SUITE_P(Separators, StrToIntTest, testing::Values(',', '.'), SeparatorName);

// ---- StrToFloat ----

using StrToFloatTest = WithSeparator;

TEST_P(StrToFloatTest, BadInput)
{
    for (const char* text : {"", "  ", "-", "+", "2.5", "1 000", "1\xD0\xB5" "3", "E5", "-E5", "1E5000", "1E4999",
                             "1,2E4932", "1E1E1", "2,5,", "--1", "- 1", "INF", "NAN", "$1", "1,5 x", "\t1"})
        EXPECT_THROW(StrToFloat(L(text)), EConvertError) << text;
}

TEST_P(StrToFloatTest, MessageQuotesTheWholeText)
{
    EXPECT_EQ(ErrorOf([] { StrToFloat(" abc "); }), "' abc ' is not a valid floating point value");
}

TEST_P(StrToFloatTest, Numbers)
{
    EXPECT_EQ(StrToFloat(L("2,5")), 2.5L);
    EXPECT_EQ(StrToFloat(L("  2,5  ")), 2.5L);
    EXPECT_EQ(StrToFloat(L("-2,5")), -2.5L);
    EXPECT_EQ(StrToFloat(L(",5")), 0.5L);
    EXPECT_EQ(StrToFloat(L("7,")), 7.0L);
    EXPECT_EQ(StrToFloat(L("0,1")), 1.0L / 10);
    EXPECT_EQ(StrToFloat(L("12345678901234567890")), 12345678901234567890.0L);
}

TEST_P(StrToFloatTest, LoneSeparatorIsZero)
{
    EXPECT_EQ(StrToFloat(L(",")), 0.0L);
    EXPECT_TRUE(std::signbit(StrToFloat(L("-,"))));
    EXPECT_EQ(StrToFloat(L(",E7")), 0.0L);
}

TEST_P(StrToFloatTest, Exponent)
{
    EXPECT_EQ(StrToFloat("1e3"), 1000.0L);
    EXPECT_EQ(StrToFloat("1E+3"), 1000.0L);
    EXPECT_EQ(StrToFloat(L("2,5E-1")), 0.25L);
    EXPECT_EQ(StrToFloat("1e"), 1.0L);
    EXPECT_EQ(StrToFloat("1E-"), 1.0L);
    EXPECT_EQ(StrToFloat("1E0499"), 1e499L);
    EXPECT_EQ(StrToFloat("0E4999"), 0.0L);
}

TEST_P(StrToFloatTest, RangeOfExtended)
{
    // Large powers of ten are products of two table values: within a few units of the last bit.
    EXPECT_LT(std::fabs(StrToFloat("1E500") / 1e500L - 1), 1e-18L);
    EXPECT_LT(std::fabs(StrToFloat("1E4932") / 1e4932L - 1), 1e-18L);
    EXPECT_THROW(StrToFloat("1E4933"), EConvertError);
    EXPECT_THROW(StrToFloat("-1E4933"), EConvertError);
    // Underflow is silent: denormal, then zero.
    const long double tiny = StrToFloat("1E-4940");
    EXPECT_GT(tiny, 0.0L);
    EXPECT_LT(tiny, std::numeric_limits<long double>::min());
    EXPECT_EQ(StrToFloat("1E-4999"), 0.0L);
    EXPECT_EQ(StrToFloat(L("0,") + std::string(200, '0') + "1E-4930"), 0.0L);
}

TEST_P(StrToFloatTest, VeryLongTexts)
{
    // Every digit, the fraction's too, goes into the accumulator: a text whose digits
    // together pass the top of the range (about 1.19E4932) is no number, however small
    // the power of ten that would follow.
    const auto threes = [](int count) { return std::string(static_cast<std::size_t>(count), '3'); };
    for (int count : {4932, 4940, 5000, 30000})
        EXPECT_THROW(StrToFloat(L("1,") + threes(count)), EConvertError) << count << " threes";
    EXPECT_LT(std::fabs(StrToFloat(L("1,") + threes(4931)) * 3 / 4 - 1), 1e-17L) << "4,932 digits, within the range";
    EXPECT_THROW(StrToFloat(threes(4933)), EConvertError);
    EXPECT_THROW(StrToFloat(L("1,") + std::string(6000, '0')), EConvertError);
    EXPECT_THROW(StrToFloat("1" + std::string(5000, '0') + "E-4990"), EConvertError);
    // Leading zeros leave the accumulator at zero, however many.
    EXPECT_EQ(StrToFloat(std::string(6000, '0') + L("1,5")), 1.5L);
    EXPECT_EQ(StrToFloat(L("0,") + std::string(6000, '0')), 0.0L);
    // More than 5000 fraction digits, yet a value well inside the range.
    const long double small = StrToFloat(L("0,") + std::string(1119, '0') + "1" + std::string(4000, '0'));
    EXPECT_LT(std::fabs(small / 1e-1120L - 1), 1e-14L);
}

INSTANTIATE_TEST_SUITE_P(Separators, StrToFloatTest, testing::Values(',', '.'), SeparatorName);

TEST(StrToFloatEnvironment, LeavesTheCallersFlagsAndModes)
{
    std::feclearexcept(FE_ALL_EXCEPT);
    StrToFloat("0.1");
    EXPECT_THROW(StrToFloat("1E4999"), EConvertError);
    StrToFloat("1E-4940");
    EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), 0);

    std::feraiseexcept(FE_INEXACT);
    StrToFloat("0.1");
    EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), FE_INEXACT);
    std::feclearexcept(FE_ALL_EXCEPT);

    // Even with the overflow and invalid traps on, a failing text is only a conversion error.
    feenableexcept(FE_OVERFLOW | FE_INVALID | FE_DIVBYZERO);
    EXPECT_THROW(StrToFloat("1E4999"), EConvertError);
    EXPECT_EQ(fegetexcept(), FE_OVERFLOW | FE_INVALID | FE_DIVBYZERO);
    fedisableexcept(FE_ALL_EXCEPT);
}

// ---- FloatToStr ----

using FloatToStrTest = WithSeparator;

TEST_P(FloatToStrTest, Table)
{
    EXPECT_EQ(FloatToStr(6), "6");
    EXPECT_EQ(FloatToStr(-6), "-6");
    EXPECT_EQ(FloatToStr(2.5), L("2,5"));
    EXPECT_EQ(FloatToStr(1.0 / 3), L("0,333333333333333"));
    EXPECT_EQ(FloatToStr(2.0 / 3), L("0,666666666666667"));
    EXPECT_EQ(FloatToStr(100.0 / 7), L("14,2857142857143"));
    EXPECT_EQ(FloatToStr(999999999999999), "999999999999999");
    EXPECT_EQ(FloatToStr(1e15), "1E15");
    EXPECT_EQ(FloatToStr(1234567890123456), L("1,23456789012346E15"));
    EXPECT_EQ(FloatToStr(0.0001), L("0,0001"));
    EXPECT_EQ(FloatToStr(0.00001), "1E-5");
    EXPECT_EQ(FloatToStr(0.000015), L("1,5E-5"));
    EXPECT_EQ(FloatToStr(-0.0), "0");
}

TEST_P(FloatToStrTest, InfinitiesNansAndTinyValues)
{
    EXPECT_EQ(FloatToStr(0), "0");
    EXPECT_EQ(FloatToStr(std::numeric_limits<long double>::denorm_min()), "0");
    EXPECT_EQ(FloatToStr(-std::numeric_limits<long double>::min() / 2), "0");
    EXPECT_EQ(FloatToStr(HUGE_VALL), "INF");
    EXPECT_EQ(FloatToStr(-HUGE_VALL), "-INF");
    EXPECT_EQ(FloatToStr(std::nanl("")), "NAN");
    EXPECT_EQ(FloatToStr(-std::nanl("")), "NAN");
}

TEST_P(FloatToStrTest, Layout)
{
    EXPECT_EQ(FloatToStr(100000000000000), "100000000000000");
    EXPECT_EQ(FloatToStr(120), "120");
    EXPECT_EQ(FloatToStr(-0.00125), L("-0,00125"));
    EXPECT_EQ(FloatToStr(1e100), "1E100");
    EXPECT_EQ(FloatToStr(-2.5e-300), L("-2,5E-300"));
    EXPECT_EQ(FloatToStr(std::numeric_limits<long double>::max()), L("1,18973149535723E4932"));
    EXPECT_EQ(FloatToStr(std::numeric_limits<long double>::min()), L("3,36210314311209E-4932"));
}

TEST_P(FloatToStrTest, SixteenthDigitRoundsAwayFromZero)
{
    EXPECT_EQ(FloatToStr(123456789012344.5L), "123456789012345");
    EXPECT_EQ(FloatToStr(-123456789012344.5L), "-123456789012345");
    EXPECT_EQ(FloatToStr(123456789012344.49L), "123456789012344");
    EXPECT_EQ(FloatToStr(999999999999999.5L), "1E15");
    EXPECT_EQ(FloatToStr(0.99999999999999951L), "1");
}

TEST_P(FloatToStrTest, LessonQuotients)
{
    const auto quotient = [](int32_t s, int32_t t) { return FloatToStr(ToDouble(CheckedDivide(s, t))); };
    EXPECT_EQ(quotient(10, 7), L("1,42857142857143"));
    EXPECT_EQ(quotient(100, 3), L("33,3333333333333"));
    EXPECT_EQ(quotient(10, 4), L("2,5"));
    EXPECT_EQ(quotient(-10, 4), L("-2,5"));
    EXPECT_EQ(FloatToStr(180), "180");
}

INSTANTIATE_TEST_SUITE_P(Separators, FloatToStrTest, testing::Values(',', '.'), SeparatorName);

// ---- Agreement with the C library ----

// printf's %.15Lg in FloatToStr's spelling ("1E-5" for "1e-05"); both switch to the
// exponent form at the same points.
std::string PrintfText(long double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.15Lg", value);
    std::string result(text);
    const size_t e = result.find('e');
    if (e == std::string::npos)
        return result;
    return result.substr(0, e) + "E" + std::to_string(std::atoi(text + e + 1));
}

// printf rounds the exact value once; FloatToStr rounds to 18 digits and then at the
// 16th digit alone, ties away from zero. They may differ only when digits 16 and on
// lie within a few units of the 18th digit of one half.
bool NearSixteenthDigitTie(long double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.20Le", std::fabs(value));
    const std::string digits = std::string(1, text[0]) + std::string(text + 2, 20);
    const long tail = std::atol(digits.substr(15, 6).c_str());
    return std::labs(tail - 500000) <= 5000;
}

void ExpectAgreesWithPrintf(long double value)
{
    if (!NearSixteenthDigitTie(value)) {
        EXPECT_EQ(FloatToStr(value), PrintfText(value)) << std::hexfloat << value;
    }
}

class AgreementWithCLibrary : public testing::Test {
protected:
    void SetUp() override
    {
        saved_ = DecimalSeparator();
        SetDecimalSeparator('.');
    }
    void TearDown() override { SetDecimalSeparator(saved_); }

    std::mt19937_64 random_{20240611};

private:
    char saved_ = '.';
};

TEST_F(AgreementWithCLibrary, EveryBinaryExponent)
{
    for (int exponent = -16382; exponent <= 16383; ++exponent) {
        ExpectAgreesWithPrintf(std::ldexp(1.0L, exponent));
        ExpectAgreesWithPrintf(-std::ldexp(1.0L - 0x1p-64L, exponent + 1));
    }
}

TEST_F(AgreementWithCLibrary, RandomDoubles)
{
    std::uniform_int_distribution<int32_t> whole(1, 100000);
    for (int i = 0; i < 200000; ++i) {
        const uint64_t bits = random_();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value) || value == 0)
            continue;
        ExpectAgreesWithPrintf(value);
        ExpectAgreesWithPrintf(static_cast<double>(static_cast<long double>(whole(random_)) / whole(random_)));
    }
}

TEST_F(AgreementWithCLibrary, RandomExtendedValues)
{
    // Significands in [0.5, 1): these exponents keep every value normal.
    std::uniform_int_distribution<int> exponent(-16381, 16384);
    for (int i = 0; i < 50000; ++i) {
        const long double significand = static_cast<long double>(random_() | (1ULL << 63)) * 0x1p-64L;
        ExpectAgreesWithPrintf(std::ldexp(significand, exponent(random_)));
    }
}

TEST_F(AgreementWithCLibrary, RoundTripKeepsFifteenDigits)
{
    for (int i = 0; i < 200000; ++i) {
        const uint64_t bits = random_();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value) || value == 0 || std::fabs(value) < 1e-300)
            continue;
        const std::string text = FloatToStr(value);
        const long double back = StrToFloat(text);
        // Half a unit of the 15th significant digit, plus half a unit of the 18th for the
        // first rounding and room for the last bits.
        char rounded[64];
        std::snprintf(rounded, sizeof rounded, "%.14Le", static_cast<long double>(value));
        const int decimalExponent = std::atoi(std::strchr(rounded, 'e') + 1);
        const long double halfUnit = 0.5L * std::pow(10.0L, decimalExponent - 14);
        ASSERT_LE(std::fabs(back - value), halfUnit * 1.0011L) << text;
        ASSERT_EQ(FloatToStr(back), text);
    }
}

// ---- The locale's separator ----

#ifndef _WIN32

class LocaleSeparator : public testing::Test {
protected:
    void SetUp() override
    {
        const char* old = std::getenv("LC_ALL");
        hadLcAll_ = old != nullptr;
        if (hadLcAll_)
            oldLcAll_ = old;
    }
    void TearDown() override
    {
        if (hadLcAll_)
            setenv("LC_ALL", oldLcAll_.c_str(), 1);
        else
            unsetenv("LC_ALL");
    }

private:
    bool hadLcAll_ = false;
    std::string oldLcAll_;
};

TEST_F(LocaleSeparator, MissingLocaleFallsBackToPoint)
{
    setenv("LC_ALL", "xx_NOWHERE.UTF-8", 1);
    EXPECT_EQ(LocaleDecimalSeparator(), '.');
}

TEST_F(LocaleSeparator, PlainCLocaleGivesPoint)
{
    setenv("LC_ALL", "C", 1);
    EXPECT_EQ(LocaleDecimalSeparator(), '.');
}

TEST_F(LocaleSeparator, CommaLocaleGivesCommaAndLeavesTheProcessLocale)
{
    const std::string before = setlocale(LC_NUMERIC, nullptr);
    for (const char* name : {"ru_RU.UTF-8", "ru_RU.utf8", "de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"}) {
        const locale_t probe = newlocale(LC_NUMERIC_MASK, name, static_cast<locale_t>(nullptr));
        if (probe == static_cast<locale_t>(nullptr))
            continue;
        freelocale(probe);
        setenv("LC_ALL", name, 1);
        EXPECT_EQ(LocaleDecimalSeparator(), ',') << name;
        EXPECT_EQ(setlocale(LC_NUMERIC, nullptr), before);
        return;
    }
    GTEST_SKIP() << "no locale with a decimal comma is installed";
}

#else

// Wine takes the user's number setting from LANG; ctest also runs this in Russian and in C.
TEST(LocaleSeparator, UserDefaultLocale)
{
    const char* lang = std::getenv("LANG");
    const std::string name = lang ? lang : "";
    if (name.rfind("ru", 0) == 0)
        EXPECT_EQ(LocaleDecimalSeparator(), ',');
    else if (name.empty() || name == "C" || name.rfind("C.", 0) == 0 || name.rfind("en", 0) == 0)
        EXPECT_EQ(LocaleDecimalSeparator(), '.');
    else
        GTEST_SKIP() << "no expectation for LANG=" << name;
}

#endif

} // namespace
