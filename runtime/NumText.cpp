#include "runtime/NumText.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "runtime/Arith.h"
#include "runtime/Errors.h"

namespace {

char decimalSeparator = '.';

[[noreturn]] void RaiseNotInteger(std::string_view text)
{
    throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
}

[[noreturn]] void RaiseNotFloat(std::string_view text)
{
    throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
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

// ---- Powers of ten ----------------------------------------------------------------

// Every power of ten below 10^128 as the compiler rounds it (exact up to 10^27), and
// every 128th power up to the top of the extended range: any power up to the largest
// finite one is then at most one multiplication away, with at most two roundings.
constexpr Extended SmallPowersOfTen[128] = {
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

constexpr Extended LargePowersOfTen[39] = {
    1e0L, 1e128L, 1e256L, 1e384L, 1e512L, 1e640L, 1e768L, 1e896L,
    1e1024L, 1e1152L, 1e1280L, 1e1408L, 1e1536L, 1e1664L, 1e1792L, 1e1920L,
    1e2048L, 1e2176L, 1e2304L, 1e2432L, 1e2560L, 1e2688L, 1e2816L, 1e2944L,
    1e3072L, 1e3200L, 1e3328L, 1e3456L, 1e3584L, 1e3712L, 1e3840L, 1e3968L,
    1e4096L, 1e4224L, 1e4352L, 1e4480L, 1e4608L, 1e4736L, 1e4864L,

};

// The largest power of ten below the top of the extended range (about 1.19E4932).
constexpr int LargestFinitePower = 4932;

// 10^n for 0 <= n <= LargestFinitePower.
Extended PowerOfTen(int n)
{
    const Extended low = SmallPowersOfTen[n % 128];
    return n < 128 ? low : low * LargePowersOfTen[n / 128];
}

// value * 10^power. A negative power divides, so that 25 * 10^-1 is the exact 25 / 10.
// A power beyond the largest table value is applied in parts, the odd part first and
// then whole steps of the largest, so a value near either end of the range loses
// nothing to an intermediate overflow or underflow, and an underflowing result is
// rounded into the denormals only once.
Extended ScaleByPowerOfTen(Extended value, int power)
{
    const bool divide = power < 0;
    int remaining = divide ? -power : power;
    while (remaining > 0) {
        const int part = (remaining - 1) % LargestFinitePower + 1;
        const Extended factor = PowerOfTen(part);
        value = divide ? value / factor : value * factor;
        remaining -= part;
    }
    return value;
}

// ---- Reading reals ------------------------------------------------------------------

// Runs a conversion with every x87 exception masked and gives the caller back its
// control word and sticky flags exactly as they were, whichever way the conversion
// leaves. Only the x87 unit computes in Extended, so its two words are all a conversion
// can change. Cheaper than saving the whole environment: the flags are put back only
// when the conversion raised new ones, and the control word only when it had to change.
class MaskedFloatingPoint {
public:
    MaskedFloatingPoint()
    {
        asm volatile("fnstcw %0\n\tfnstsw %1" : "=m"(control_), "=m"(status_) : : "memory");
        if ((control_ & ExceptionMasks) != ExceptionMasks) {
            const uint16_t masked = control_ | ExceptionMasks;
            asm volatile("fldcw %0" : : "m"(masked) : "memory");
        }
    }

    ~MaskedFloatingPoint()
    {
        uint16_t status;
        asm volatile("fnstsw %0" : "=m"(status) : : "memory");
        if ((status & StickyFlags) != (status_ & StickyFlags))
            RestoreFlags();
        // The flags first: an unmasked exception must not find a flag of ours pending.
        if ((control_ & ExceptionMasks) != ExceptionMasks)
            asm volatile("fldcw %0" : : "m"(control_) : "memory");
    }

    MaskedFloatingPoint(const MaskedFloatingPoint&) = delete;
    MaskedFloatingPoint& operator=(const MaskedFloatingPoint&) = delete;

private:
    // The six exception masks of the control word.
    static constexpr uint16_t ExceptionMasks = 0x003F;
    // The six exception flags, stack fault, error summary and busy of the status word.
    static constexpr uint16_t StickyFlags = 0x80FF;

    // The x87 environment as FNSTENV stores it in 32-bit protected-mode layout.
    struct Environment {
        uint16_t control, unused1;
        uint16_t status, unused2;
        uint32_t rest[5];
    };

    void RestoreFlags() const
    {
        if ((status_ & StickyFlags) == 0) {
            asm volatile("fnclex" : : : "memory");
            return;
        }
        Environment environment;
        asm volatile("fnstenv %0" : "=m"(environment) : : "memory");
        environment.status = static_cast<uint16_t>((environment.status & ~StickyFlags) | (status_ & StickyFlags));
        asm volatile("fldenv %0" : : "m"(environment) : "memory");
    }

    uint16_t control_;
    uint16_t status_;
};

// The digits of a real text, accumulated as accumulator * 10 + digit. While the digits fit
// 64 bits this runs in integers, which gives the same exact result as extended precision
// and is faster; past that it goes on in extended precision, rounding at each step.
class DigitAccumulator {
public:
    // Adds a digit; false when the accumulator is too close to the top of the range to
    // take it, in which case the digit counts only for its place value.
    bool Add(unsigned digit)
    {
        if (saturated_)
            return false;
        if (inIntegers_) {
            if (exact_ <= (UINT64_MAX - digit) / 10) {
                exact_ = exact_ * 10 + digit;
                return true;
            }
            rounded_ = static_cast<Extended>(exact_);
            inIntegers_ = false;
        }
        const Extended next = rounded_ * 10 + static_cast<Extended>(digit);
        if (std::isinf(next)) {
            saturated_ = true;
            return false;
        }
        rounded_ = next;
        return true;
    }

    Extended Value() const { return inIntegers_ ? static_cast<Extended>(exact_) : rounded_; }

private:
    uint64_t exact_ = 0;
    Extended rounded_ = 0;
    bool inIntegers_ = true;
    bool saturated_ = false;
};

// Exponent digits are read only while the exponent so far is below this, so the
// exponent never exceeds 4999 in magnitude.
constexpr int ExponentReadLimit = 500;
// Powers of ten beyond this, either way, take any accumulator (at least 1 when not 0,
// at most the top of the range) beyond the extended range or below its smallest denormal.
constexpr int64_t DecisivePower = 3 * LargestFinitePower;

// The reading itself; kept out of line so that none of its arithmetic can be moved
// across the switches of the masked environment around it.
[[gnu::noinline]] Extended ReadReal(std::string_view text)
{
    const size_t length = text.size();
    const char separator = decimalSeparator;
    size_t i = 0;
    while (i < length && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < length && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    DigitAccumulator digits;
    bool sawNumber = false;
    // Integer digits that no longer fit still scale the value; fraction digits that no
    // longer fit are too small to matter.
    int64_t droppedIntegerDigits = 0;
    int64_t fractionDigits = 0;
    for (; i < length && IsDigit(text[i]); ++i) {
        sawNumber = true;
        if (!digits.Add(DigitValue(text[i])))
            ++droppedIntegerDigits;
    }
    if (i < length && text[i] == separator) {
        // A lone separator counts as a number: it reads as 0.
        sawNumber = true;
        for (++i; i < length && IsDigit(text[i]); ++i) {
            if (digits.Add(DigitValue(text[i])))
                ++fractionDigits;
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

    int64_t power = exponent + droppedIntegerDigits - fractionDigits;
    power = std::clamp(power, -DecisivePower, DecisivePower);
    const Extended value = ScaleByPowerOfTen(digits.Value(), static_cast<int>(power));
    // Beyond the extended range: the only way the scaling can fail, since the
    // accumulator is finite and the powers are finite.
    if (std::isinf(value))
        RaiseNotFloat(text);
    return negative ? -value : value;
}

// ---- Writing reals ------------------------------------------------------------------

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

} // namespace

char DecimalSeparator()
{
    return decimalSeparator;
}

void SetDecimalSeparator(char separator)
{
    decimalSeparator = separator;
}

int32_t StrToInt(std::string_view text)
{
    const size_t length = text.size();
    size_t i = 0;
    while (i < length && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < length && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

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

long double StrToFloat(std::string_view text)
{
    const MaskedFloatingPoint masked;
    return ReadReal(text);
}

std::string FloatToStr(long double value)
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

    // The decimal exponent E, so that |value| = 0.d1d2d3... * 10^E; the estimate from
    // the binary exponent can be one too low (fixed by the division) or, for some small
    // values, one too high, which would leave a leading zero digit and a digit short.
    int exponent = (((biasedExponent - 16383) * 19728) >> 16) + 1;
    const Extended magnitude = std::fabs(value);
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
    char digitText[SignificantDigits];
    WriteDigitsBackwards(digitText + SignificantDigits, kept);
    int digitCount = SignificantDigits;
    while (digitCount > 1 && digitText[digitCount - 1] == '0')
        --digitCount;

    const char separator = decimalSeparator;
    char buffer[32];
    char* out = buffer;
    if (negative)
        *out++ = '-';
    if (exponent > 15 || exponent < -3) {
        *out++ = digitText[0];
        if (digitCount > 1) {
            *out++ = separator;
            out = std::copy(digitText + 1, digitText + digitCount, out);
        }
        *out++ = 'E';
        const int power = exponent - 1;
        if (power < 0)
            *out++ = '-';
        char powerText[8];
        char* const powerEnd = powerText + sizeof powerText;
        const char* powerStart = WriteDigitsBackwards(powerEnd, static_cast<uint64_t>(power < 0 ? -power : power));
        out = std::copy(powerStart, static_cast<const char*>(powerEnd), out);
    } else if (exponent <= 0) {
        *out++ = '0';
        *out++ = separator;
        out = std::fill_n(out, -exponent, '0');
        out = std::copy(digitText, digitText + digitCount, out);
    } else {
        const int wholeDigits = exponent;
        if (digitCount <= wholeDigits) {
            out = std::copy(digitText, digitText + digitCount, out);
            out = std::fill_n(out, wholeDigits - digitCount, '0');
        } else {
            out = std::copy(digitText, digitText + wholeDigits, out);
            *out++ = separator;
            out = std::copy(digitText + wholeDigits, digitText + digitCount, out);
        }
    }
    return std::string(buffer, static_cast<size_t>(out - buffer));
}
