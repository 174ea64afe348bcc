// Conversions between field texts and numbers, exactly as the lesson reads and writes them.
//
//   StrToInt("  12") -> 12        StrToInt("$FFFFFFFF") -> -1     StrToInt("12 ") throws
//   StrToFloat("2,5") -> 2.5 (separator ",")                    StrToFloat("1E5000") throws
//   FloatToStr(100.0L/7) -> "14,2857142857143"   FloatToStr(1e15) -> "1E15"
//
// StrToInt and StrToFloat throw EConvertError with
// "'<text>' is not a valid integer value" / "'<text>' is not a valid floating point value".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/Extended.h"

int32_t StrToInt(std::string_view text);
// Runs with the x87 exceptions masked and leaves the caller's control word and flags as
// they were; a value beyond the extended range is an invalid text, underflow is silent.
Extended StrToFloat(std::string_view text);
// 15 significant digits, ties at the 16th digit away from zero; "INF", "-INF", "NAN";
// zero and the denormals give "0". Never fails.
std::string FloatToStr(Extended value);

// The decimal separator every conversion reads and writes; "," on Russian systems.
char DecimalSeparator();
void SetDecimalSeparator(char separator);
