#include "app/Startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QIcon>

#include "app/LessonLook.h"
#include "app/UiFonts.h"
#include "app/VehicleCatalogue.h"
#include "toolkit/Application.h"
#include "toolkit/Utf8.h"
#include "xpcontrols/XpAccessible.h"

void PrepareApplication(TApplication& app)
{
    app.SetTitle(std::string(ProgramTitle));
    MapLayoutFont();
    InstallXpAccessibility();
    // One icon for every window, decoded once.
    app.setWindowIcon(QIcon(QStringLiteral(":/velmora/velmora.png")));
}

void EnterPictureFolder()
{
    const QString pictures = ToQString(VehicleCatalogue::PictureFolder);
    if (QDir::current().exists(pictures))
        return;
    const QDir installed(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/velmora"));
    if (installed.exists(pictures))
        QDir::setCurrent(installed.absolutePath());
}
