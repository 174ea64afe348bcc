#include "runtime/Locale.h"

#include <cstring>
#include <langinfo.h>
#include <locale.h>

namespace {

constexpr char DefaultSeparator = '.';

// A separator that is a digit, a sign, a blank or an exponent letter would make
// number texts ambiguous; such a locale is treated as giving nothing.
bool UsableSeparator(char c)
{
    return c != '\0' && std::strchr("0123456789+- Ee", c) == nullptr;
}

} // namespace

char LocaleDecimalSeparator()
{
    // A private locale object, so the process-wide locale (and other threads) stay as they are.
    const locale_t numeric = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (numeric == static_cast<locale_t>(nullptr))
        return DefaultSeparator;
    const char* point = nl_langinfo_l(RADIXCHAR, numeric);
    char separator = DefaultSeparator;
    if (point != nullptr && point[0] != '\0' && point[1] == '\0' && UsableSeparator(point[0]))
        separator = point[0];
    freelocale(numeric);
    return separator;
}
