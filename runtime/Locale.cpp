#include "runtime/Locale.h"

#include <cstring>
#ifdef _WIN32
#include <windows.h>
#else
#include <langinfo.h>
#include <locale.h>
#endif

namespace {

constexpr char DefaultSeparator = '.';

// A separator that is a digit, a sign, a blank or an exponent letter would make
// number texts ambiguous; such a locale is treated as giving nothing.
bool UsableSeparator(char c)
{
    return c != '\0' && std::strchr("0123456789+- Ee", c) == nullptr;
}

#ifdef _WIN32

// The number setting of the user's default locale, as the control panel sets it (Wine
// takes it from LANG). Read anew on every call, so a settings change is seen at once.
char SystemDecimalSeparator()
{
    wchar_t point[8] = {};
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, point, 8);
    // Only a one-character ASCII separator can be told apart in a number's text.
    if (length == 2 && point[0] < 0x80 && UsableSeparator(static_cast<char>(point[0])))
        return static_cast<char>(point[0]);
    return DefaultSeparator;
}

#else

char SystemDecimalSeparator()
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

#endif

} // namespace

char LocaleDecimalSeparator()
{
    return SystemDecimalSeparator();
}
