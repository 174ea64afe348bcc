// Fuzzes the text conversions with arbitrary bytes. The first byte chooses the decimal
// separator ("," when its low bit is set, else "."); the rest is the text. Checked:
//   - StrToInt and StrToFloat return or throw EConvertError with exactly the message
//     quoting the whole text; nothing else escapes;
//   - StrToFloat leaves the x87 control word and exception flags as it found them;
//   - a text of blanks, signs and decimal digits only is accepted by StrToInt exactly
//     when it is a decimal number in the 32-bit range, with that value;
//   - FloatToStr of an accepted real reads back with StrToFloat to the same value to
//     15 significant digits, and writes again to the same text;
//   - FloatToStr of the first ten bytes taken as an 80-bit value never fails, and its
//     text has the documented shape.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "runtime/Errors.h"
#include "runtime/NumText.h"

namespace {

[[noreturn]] void Fault()
{
    std::abort();
}

void Check(bool condition)
{
    if (!condition)
        Fault();
}

struct X87State {
    uint16_t Control;
    uint16_t Flags;

    static X87State Now()
    {
        uint16_t control, status;
        asm volatile("fnstcw %0\n\tfnstsw %1" : "=m"(control), "=m"(status) : : "memory");
        return {control, static_cast<uint16_t>(status & 0x003F)};
    }

    bool operator==(const X87State&) const = default;
};

// The decimal value of a text made only of blanks, signs and digits, when it is a valid
// integer text: leading blanks, one optional sign, then digits to the end.
bool ReferenceDecimal(std::string_view text, int64_t& value)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size())
        return false;
    int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > 2147483648LL)
            return false;
    }
    value = negative ? -magnitude : magnitude;
    return value >= INT32_MIN && value <= INT32_MAX;
}

bool OnlyBlanksSignsAndDigits(std::string_view text)
{
    for (const char c : text)
        if (c != ' ' && c != '+' && c != '-' && (c < '0' || c > '9'))
            return false;
    return true;
}

void FuzzStrToInt(std::string_view text)
{
    const std::string message = "'" + std::string(text) + "' is not a valid integer value";
    bool accepted = false;
    int32_t value = 0;
    try {
        value = StrToInt(text);
        accepted = true;
    } catch (const EConvertError& error) {
        Check(error.Message() == message);
    }
    if (OnlyBlanksSignsAndDigits(text)) {
        int64_t expected = 0;
        const bool valid = ReferenceDecimal(text, expected);
        Check(accepted == valid);
        Check(!accepted || value == expected);
    }
}

// The biased exponent field of an 80-bit value.
int ExponentField(long double value)
{
    uint16_t signAndExponent = 0;
    std::memcpy(&signAndExponent, reinterpret_cast<const unsigned char*>(&value) + 8, sizeof signAndExponent);
    return signAndExponent & 0x7FFF;
}

bool IntegerBit(long double value)
{
    unsigned char bytes[10];
    std::memcpy(bytes, &value, sizeof bytes);
    return (bytes[7] & 0x80) != 0;
}

// The shape FloatToStr writes: "INF", "-INF", "NAN", or an optional "-", digits with at
// most one separator that has digits on both sides and no trailing zero after it, then
// optionally "E", an optional "-" and the exponent digits; at most 15 significant digits.
void CheckShape(const std::string& text, char separator)
{
    if (text == "INF" || text == "-INF" || text == "NAN")
        return;
    std::size_t i = text[0] == '-' ? 1 : 0;
    const std::size_t mantissaStart = i;
    int significant = 0;
    bool leadingZeros = true;
    bool sawSeparator = false;
    for (; i < text.size() && text[i] != 'E'; ++i) {
        if (text[i] == separator) {
            Check(!sawSeparator && i > mantissaStart && i + 1 < text.size() && text[i + 1] != 'E');
            sawSeparator = true;
            continue;
        }
        Check(text[i] >= '0' && text[i] <= '9');
        leadingZeros = leadingZeros && text[i] == '0';
        if (!leadingZeros)
            ++significant;
    }
    Check(i > mantissaStart);
    Check(significant <= 15);
    if (sawSeparator)
        Check(text[i - 1] != '0');
    if (i < text.size()) {
        ++i;
        if (i < text.size() && text[i] == '-')
            ++i;
        Check(i < text.size());
        for (; i < text.size(); ++i)
            Check(text[i] >= '0' && text[i] <= '9');
    }
}

// Writes the value, reads it back and checks the two agree to 15 significant digits.
void CheckRoundTrip(long double value, char separator)
{
    const std::string text = FloatToStr(value);
    CheckShape(text, separator);
    const int field = ExponentField(value);
    if (field == 0) {
        Check(text == "0");
        return;
    }
    // Infinities, NaNs and the encodings without the integer bit (no number to the
    // processor) are written as words.
    const bool special = text == "INF" || text == "-INF" || text == "NAN";
    Check(special == (field == 0x7FFF || !IntegerBit(value)));
    if (special)
        return;
    // Far from the denormals, where reading back cannot lose precision of its own.
    if (std::fabs(value) < 1e-4900L)
        return;
    long double readBack = 0;
    try {
        readBack = StrToFloat(text);
    } catch (const EConvertError&) {
        Fault();
    }
    // 15 digits rounded at the 16th: at most half a unit of the 15th digit, that is
    // 5E-15 of a value whose first digit is 1, plus the first rounding to 18 digits.
    Check(std::fabs(readBack - value) <= 5.01e-15L * std::fabs(value));
    Check(FloatToStr(readBack) == text);
}

void FuzzStrToFloat(std::string_view text, char separator)
{
    const std::string message = "'" + std::string(text) + "' is not a valid floating point value";
    const X87State before = X87State::Now();
    long double value = 0;
    bool accepted = false;
    try {
        value = StrToFloat(text);
        accepted = true;
    } catch (const EConvertError& error) {
        Check(error.Message() == message);
    }
    Check(X87State::Now() == before);
    if (accepted) {
        Check(!std::isnan(value) && !std::isinf(value));
        CheckRoundTrip(value, separator);
    }
}

void FuzzFloatToStr(const uint8_t* bytes, std::size_t size, char separator)
{
    if (size < 10)
        return;
    long double value = 0;
    std::memcpy(&value, bytes, 10);
    CheckRoundTrip(value, separator);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const char separator = (data[0] & 1) != 0 ? ',' : '.';
    SetDecimalSeparator(separator);
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    try {
        FuzzStrToInt(text);
        FuzzStrToFloat(text, separator);
        FuzzFloatToStr(data + 1, size - 1, separator);
    } catch (...) {
        // Any other exception is a fault: the conversions raise EConvertError only.
        Fault();
    }
    return 0;
}
