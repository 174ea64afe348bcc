// The user's decimal separator, read from the environment's numeric locale.
#pragma once

// The decimal point of the user's LC_NUMERIC locale (LC_ALL, LC_NUMERIC, LANG), read
// without touching the process's own locale. "." when the locale cannot be loaded or
// its decimal point is not one plain character that could not be mistaken for part
// of a number.
char LocaleDecimalSeparator();
