// The lesson's arithmetic in extended precision, checked before it can fault: each
// helper either delivers its result or throws, and never hands on an infinity or a NaN.
//
//   CheckedDivide(7, 0)  throws EZeroDivide  "Floating point division by zero"
//   CheckedDivide(0, 0)  throws EInvalidOp   "Invalid floating point operation"
//   ToDouble(1e400L)     throws EOverflow    "Floating point overflow"
//   Round(2.5L) -> 2   Round(3.5L) -> 4      Round(1e19L) throws EInvalidOp
//   RoundToInt32(2.5L) -> 2                  RoundToInt32(3e9L) throws EInvalidOp
#pragma once

#include <cstdint>

#include "runtime/Extended.h"

// dividend / divisor. A nonzero number over zero throws EZeroDivide; 0 / 0, inf / inf or
// any NaN throws EInvalidOp; a quotient beyond the extended range throws EOverflow.
Extended CheckedDivide(Extended dividend, Extended divisor);

// a * b. 0 * inf or any NaN throws EInvalidOp; a product beyond the range throws EOverflow.
Extended CheckedMultiply(Extended a, Extended b);

// The value rounded to the nearest double, as when it is stored in a double variable.
// Beyond the double range (or infinite) throws EOverflow; a NaN throws EInvalidOp.
// Values too small for a double become denormal or zero, silently.
double ToDouble(Extended value);

// Round() of the value, kept as a 32-bit counter: a result outside the 32-bit range
// throws EInvalidOp just as a result outside 64 bits does.
int32_t RoundToInt32(Extended value);

// Nearest, ties to even; beyond 64 bits or a NaN throws EInvalidOp.
int64_t Round(Extended value);
