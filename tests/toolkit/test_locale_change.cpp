// Numbers follow the desktop's decimal separator, also when it changes while the program runs.
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEvent>
#include <clocale>
#include <cstdlib>
#include <gtest/gtest.h>
#include <locale.h>
#ifdef _WIN32
#include <windows.h>
#endif

#include "runtime/Locale.h"
#include "runtime/NumText.h"
#include "toolkit/Application.h"

#ifdef _WIN32

// The control panel's change of the number format reaches the program as a broadcast.
TEST(LocaleChange, SettingsBroadcastRereadsTheSeparator)
{
    const char system = LocaleDecimalSeparator();
    SetDecimalSeparator(system == ',' ? '.' : ',');
    MSG message{};
    message.message = WM_SETTINGCHANGE;
    qintptr result = 0;
    QAbstractEventDispatcher::instance()->filterNativeEvent("windows_generic_MSG", &message, &result);
    EXPECT_EQ(DecimalSeparator(), system);
}

#else

TEST(LocaleChange, AnnouncedChangeRereadsTheSeparator)
{
    const locale_t russian = newlocale(LC_NUMERIC_MASK, "ru_RU.UTF-8", static_cast<locale_t>(nullptr));
    if (russian == static_cast<locale_t>(nullptr))
        GTEST_SKIP() << "the ru_RU.UTF-8 locale is not installed";
    freelocale(russian);
    const char* saved = std::getenv("LC_ALL");
    const std::string savedValue = saved ? saved : "";

    setenv("LC_ALL", "C", 1);
    QEvent change(QEvent::LocaleChange);
    QApplication::sendEvent(Application(), &change);
    EXPECT_EQ(DecimalSeparator(), '.');

    setenv("LC_ALL", "ru_RU.UTF-8", 1);
    QApplication::sendEvent(Application(), &change);
    EXPECT_EQ(DecimalSeparator(), ',');
    EXPECT_EQ(FloatToStr(2.5L), "2,5");

    if (saved)
        setenv("LC_ALL", savedValue.c_str(), 1);
    else
        unsetenv("LC_ALL");
    QApplication::sendEvent(Application(), &change);
}

#endif
