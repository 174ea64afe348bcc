#include "toolkit/Platform.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>

#include <vector>

#include "runtime/Locale.h"
#include "runtime/NumText.h"
#include "runtime/PictureFile.h"
#include "toolkit/Application.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

#ifdef _WIN32

// WM_SETTINGCHANGE (formerly WM_WININICHANGE) reaches every top-level window when the
// user changes the number format in the control panel.
class SettingsChangeFilter : public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override
    {
        if (eventType == "windows_generic_MSG" && static_cast<const MSG*>(message)->message == WM_SETTINGCHANGE)
            SetDecimalSeparator(LocaleDecimalSeparator());
        return false;
    }
};

#endif

} // namespace

void MapLayoutFontFamily(const char* family)
{
#ifdef _WIN32
    // Windows' "MS Sans Serif" is a bitmap font, which Qt does not draw; its outline twin
    // is "Microsoft Sans Serif". Wine has neither: it shows the desktop's own fonts,
    // among them the free one the layouts were checked with elsewhere.
    for (const QString& outline :
         {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans")}) {
        if (QFontDatabase::hasFamily(outline)) {
            QFont::insertSubstitution(QString::fromLatin1(family), outline);
            UseFamilyForSystemTexts(outline);
            return;
        }
    }
#else
    QFont::insertSubstitution(QString::fromLatin1(family), QStringLiteral("Liberation Sans"));
#endif
}

void UseFamilyForSystemTexts(const QString& family)
{
    // The classes Qt's Windows theme gives fonts of their own, from Windows' settings.
    static constexpr const char* themed[] = {"QMenu",      "QMenuBar",         "QMessageBox",
                                             "QTipLabel",  "QStatusBar",       "QDockWidgetTitle",
                                             "QMdiSubWindowTitleBar", "QAbstractItemView"};
    std::vector<QFont> fonts;
    for (const char* name : themed)
        fonts.push_back(QApplication::font(name));
    QFont general = QApplication::font();
    general.setFamilies({family});
    QApplication::setFont(general);  // forgets the classes' fonts: they are set again below
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        fonts[i].setFamilies({family});
        QApplication::setFont(fonts[i], themed[i]);
    }
}

void FollowSystemSettings(TApplication& app)
{
#ifdef _WIN32
    static SettingsChangeFilter filter;
    app.installNativeEventFilter(&filter);
#else
    Q_UNUSED(app);
#endif
}

void EnterDataFolder(const QString& folder)
{
    if (!QDir::current().exists(folder)) {
#ifdef _WIN32
        const QDir installed(QCoreApplication::applicationDirPath());
#else
        const QDir installed(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/velmora"));
#endif
        if (installed.exists(folder))
            QDir::setCurrent(installed.absolutePath());
    }
    // The folder the program works in from now on.
    RememberWorkingFolder();
}

void MarkProgramRunning()
{
#ifdef _WIN32
    // The handle is never closed: Windows drops the mutex when the process ends, however
    // it ends. Global\ makes it visible to an installer running in another session.
    CreateMutexW(nullptr, FALSE, L"Global\\VelmoraRunning");
#endif
}
