// Reading field texts as numbers: StrToInt and StrToFloat.
#include <algorithm>
#include <cmath>

#include "runtime/Errors.h"
#include "runtime/NumText.h"
#include "runtime/PowersOfTen.h"

namespace {

[[noreturn]] void RaiseNotInteger(std::string_view text)
{
    throw EConvertError("'" + std::string(text) + "' is not a valid integer value", 1, text.size());
}

[[noreturn]] void RaiseNotFloat(std::string_view text)
{
    throw EConvertError("'" + std::string(text) + "' is not a valid floating point value", 1, text.size());
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

unsigned DigitValue(char c)
{
    return static_cast<unsigned>(c - '0');
}

// The value of a hexadecimal digit, or 16 for any other character.
unsigned HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<unsigned>(c - '0');
    if (c >= 'A' && c <= 'F')
        return static_cast<unsigned>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f')
        return static_cast<unsigned>(c - 'a' + 10);
    return 16;
}

// The digits of a real text, accumulated as accumulator * 10 + digit. While the digits fit
// 64 bits this runs in integers, which gives the same exact result as extended precision
// and is faster; past that it goes on in extended precision, rounding at each step.
class DigitAccumulator {
public:
    // Adds a digit; false once the accumulator has passed the top of the extended range,
    // which makes the text no number.
    bool Add(unsigned digit)
    {
        if (inIntegers_) {
            if (exact_ <= (UINT64_MAX - digit) / 10) {
                exact_ = exact_ * 10 + digit;
                return true;
            }
            rounded_ = static_cast<Extended>(exact_);
            inIntegers_ = false;
        }
        rounded_ = rounded_ * 10 + static_cast<Extended>(digit);
        return !std::isinf(rounded_);
    }

    Extended Value() const { return inIntegers_ ? static_cast<Extended>(exact_) : rounded_; }

private:
    uint64_t exact_ = 0;
    Extended rounded_ = 0;
    bool inIntegers_ = true;
};

// Exponent digits are read only while the exponent so far is below this, so the
// exponent never exceeds 4999 in magnitude.
constexpr int ExponentReadLimit = 500;
// Powers of ten beyond this, either way, take any accumulator (at least 1 when not 0,
// at most the top of the range) beyond the extended range or below its smallest denormal.
constexpr int64_t DecisivePower = 3 * LargestFinitePower;

// Where a number starts: after leading blanks and at most one sign, which it reports.
size_t SkipBlanksAndSign(std::string_view text, bool& negative)
{
    size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    return i;
}

// The reading itself; kept out of line so that none of its arithmetic can be moved
// across the switches of the masked environment around it.
[[gnu::noinline]] Extended ReadReal(std::string_view text)
{
    const size_t length = text.size();
    const char separator = DecimalSeparator();
    bool negative = false;
    size_t i = SkipBlanksAndSign(text, negative);

    DigitAccumulator digits;
    bool sawNumber = false;
    // Every digit, integer or fraction, goes into the accumulator; the fraction digits
    // are taken off again by the power of ten.
    int64_t fractionDigits = 0;
    for (; i < length && IsDigit(text[i]); ++i) {
        sawNumber = true;
        if (!digits.Add(DigitValue(text[i])))
            RaiseNotFloat(text);
    }
    if (i < length && text[i] == separator) {
        // A lone separator counts as a number: it reads as 0.
        sawNumber = true;
        for (++i; i < length && IsDigit(text[i]); ++i, ++fractionDigits) {
            if (!digits.Add(DigitValue(text[i])))
                RaiseNotFloat(text);
        }
    }
    if (!sawNumber)
        RaiseNotFloat(text);

    int exponent = 0;
    if (i < length && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        bool negativeExponent = false;
        if (i < length && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i] == '-';
            ++i;
        }
        // A digit met once the exponent has reached the limit is left unread, and so
        // makes the text invalid below.
        for (; i < length && IsDigit(text[i]) && exponent < ExponentReadLimit; ++i)
            exponent = exponent * 10 + static_cast<int>(DigitValue(text[i]));
        if (negativeExponent)
            exponent = -exponent;
    }
    while (i < length && text[i] == ' ')
        ++i;
    if (i != length)
        RaiseNotFloat(text);

    int64_t power = exponent - fractionDigits;
    power = std::clamp(power, -DecisivePower, DecisivePower);
    const Extended value = ScaleByPowerOfTen(digits.Value(), static_cast<int>(power));
    // Beyond the extended range: the only way the scaling can fail, since the
    // accumulator is finite and the powers are finite.
    if (std::isinf(value))
        RaiseNotFloat(text);
    return negative ? -value : value;
}

} // namespace

int32_t StrToInt(std::string_view text)
{
    const size_t length = text.size();
    bool negative = false;
    size_t i = SkipBlanksAndSign(text, negative);

    const bool hexPrefix = i < length && (text[i] == '$' || text[i] == 'x' || text[i] == 'X');
    const bool zeroXPrefix = i + 1 < length && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X');
    uint32_t value = 0;
    size_t digits = 0;
    if (hexPrefix || zeroXPrefix) {
        i += hexPrefix ? 1 : 2;
        // Leading zeros are free; at most eight significant hex digits fit.
        for (; i < length; ++i, ++digits) {
            const unsigned digit = HexDigitValue(text[i]);
            if (digit >= 16)
                break;
            if (value > 0x0FFFFFFFu)
                RaiseNotInteger(text);
            value = value * 16 + digit;
        }
        if (digits == 0 || i != length)
            RaiseNotInteger(text);
        // The bit pattern is taken as it is; a minus sign negates it with wrap-around.
        return static_cast<int32_t>(negative ? 0u - value : value);
    }

    for (; i < length && IsDigit(text[i]); ++i, ++digits) {
        if (value > 214748364u)
            RaiseNotInteger(text);
        value = value * 10 + DigitValue(text[i]);
    }
    if (digits == 0 || i != length)
        RaiseNotInteger(text);
    if (negative) {
        if (value > 2147483648u)
            RaiseNotInteger(text);
        return static_cast<int32_t>(0u - value);
    }
    if (value > 2147483647u)
        RaiseNotInteger(text);
    return static_cast<int32_t>(value);
}

Extended StrToFloat(std::string_view text)
{
    const MaskedFloatingPoint masked;
    return ReadReal(text);
}
