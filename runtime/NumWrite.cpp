// Writing numbers as field texts: FloatToStr.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "runtime/NumText.h"
#include "runtime/PowersOfTen.h"

namespace {

constexpr uint64_t TenTo17 = 100000000000000000ULL;
constexpr uint64_t TenTo18 = 1000000000000000000ULL;
constexpr uint64_t TenTo15 = 1000000000000000ULL;
constexpr uint64_t TenTo14 = 100000000000000ULL;
constexpr int SignificantDigits = 15;

// |value| * 10^(18 - exponent), rounded to an integer (nearest, ties to even).
uint64_t ScaledDigits(Extended magnitude, int exponent)
{
    return static_cast<uint64_t>(std::rint(ScaleByPowerOfTen(magnitude, 18 - exponent)));
}

// Writes the decimal digits of a positive number ending just before `end`; returns where
// they start.
char* WriteDigitsBackwards(char* end, uint64_t number)
{
    do {
        *--end = static_cast<char>('0' + number % 10);
        number /= 10;
    } while (number != 0);
    return end;
}

// The 15 significant digits of a finite nonzero value and its decimal exponent E, so
// that |value| = 0.d1d2...d15 * 10^E; trailing zeros dropped (at least one digit kept).
struct SignificantText {
    char digits[SignificantDigits];
    int count = 0;
    int exponent = 0;
};

SignificantText FifteenDigits(Extended magnitude, int biasedExponent)
{
    // The estimate from the binary exponent can be one too low (fixed by the division)
    // or, for some small values, one too high, which would leave a leading zero digit
    // and a digit short.
    int exponent = (((biasedExponent - 16383) * 19728) >> 16) + 1;
    uint64_t digits = ScaledDigits(magnitude, exponent);
    if (digits < TenTo17) {
        --exponent;
        digits = ScaledDigits(magnitude, exponent);
    }
    if (digits >= TenTo18) {
        const uint64_t remainder = digits % 10;
        digits /= 10;
        if (remainder > 5 || (remainder == 5 && digits % 2 == 1))
            ++digits;
        ++exponent;
    }

    // Down to 15 digits by the 16th digit alone, ties away from zero.
    uint64_t kept = digits / 1000;
    if ((digits / 100) % 10 >= 5) {
        ++kept;
        // A carry out of the first digit leaves the single digit 1.
        if (kept == TenTo15) {
            kept = TenTo14;
            ++exponent;
        }
    }
    SignificantText text;
    WriteDigitsBackwards(text.digits + SignificantDigits, kept);
    text.count = SignificantDigits;
    while (text.count > 1 && text.digits[text.count - 1] == '0')
        --text.count;
    text.exponent = exponent;
    return text;
}

// Lays the digits out: scientific beyond 15 whole digits or below 0.001, otherwise plain.
char* WriteLaidOut(char* out, const SignificantText& text, char separator)
{
    const char* digits = text.digits;
    const int count = text.count;
    const int exponent = text.exponent;
    if (exponent > 15 || exponent < -3) {
        *out++ = digits[0];
        if (count > 1) {
            *out++ = separator;
            out = std::copy(digits + 1, digits + count, out);
        }
        *out++ = 'E';
        const int power = exponent - 1;
        if (power < 0)
            *out++ = '-';
        char powerText[8];
        char* const powerEnd = powerText + sizeof powerText;
        const char* powerStart = WriteDigitsBackwards(powerEnd, static_cast<uint64_t>(power < 0 ? -power : power));
        return std::copy(powerStart, static_cast<const char*>(powerEnd), out);
    }
    if (exponent <= 0) {
        *out++ = '0';
        *out++ = separator;
        out = std::fill_n(out, -exponent, '0');
        return std::copy(digits, digits + count, out);
    }
    if (count <= exponent) {
        out = std::copy(digits, digits + count, out);
        return std::fill_n(out, exponent - count, '0');
    }
    out = std::copy(digits, digits + exponent, out);
    *out++ = separator;
    return std::copy(digits + exponent, digits + count, out);
}

} // namespace

std::string FloatToStr(Extended value)
{
    // Decoded from the bits: the layout rules are stated in terms of the exponent field.
    uint64_t significand = 0;
    uint16_t signAndExponent = 0;
    std::memcpy(&significand, &value, sizeof significand);
    std::memcpy(&signAndExponent, reinterpret_cast<const unsigned char*>(&value) + sizeof significand,
                sizeof signAndExponent);
    const bool negative = (signAndExponent & 0x8000u) != 0;
    const int biasedExponent = signAndExponent & 0x7FFF;
    constexpr uint64_t integerBit = 1ULL << 63;

    // Zero of either sign, and the denormals, are written as plain zero.
    if (biasedExponent == 0)
        return "0";
    if (biasedExponent == 0x7FFF) {
        if (significand == integerBit)
            return negative ? "-INF" : "INF";
        return "NAN";
    }
    // A nonzero exponent without the integer bit is no number the processor accepts.
    if ((significand & integerBit) == 0)
        return "NAN";

    char buffer[32];
    char* out = buffer;
    if (negative)
        *out++ = '-';
    out = WriteLaidOut(out, FifteenDigits(std::fabs(value), biasedExponent), DecimalSeparator());
    return std::string(buffer, static_cast<size_t>(out - buffer));
}
