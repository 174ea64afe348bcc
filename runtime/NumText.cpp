#include "runtime/NumText.h"

namespace {
char decimalSeparator = '.';
}

char DecimalSeparator()
{
    return decimalSeparator;
}

void SetDecimalSeparator(char separator)
{
    decimalSeparator = separator;
}
