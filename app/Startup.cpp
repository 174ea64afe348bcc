#include "app/Startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QIcon>

#include "app/UiFonts.h"
#include "app/VehicleCatalogue.h"
#include "toolkit/Application.h"
#include "xpcontrols/XpAccessible.h"

void PrepareApplication(TApplication& app)
{
    app.SetTitle("Velmora 1.0");
    MapLayoutFont();
    InstallXpAccessibility();
    // One icon for every window, decoded once.
    app.setWindowIcon(QIcon(QStringLiteral(":/velmora/velmora.png")));
}

void EnterPictureFolder()
{
    const QString pictures = QString::fromUtf8(VehicleCatalogue::PictureFolder.data(),
                                               static_cast<qsizetype>(VehicleCatalogue::PictureFolder.size()));
    if (QDir::current().exists(pictures))
        return;
    const QDir installed(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/velmora"));
    if (installed.exists(pictures))
        QDir::setCurrent(installed.absolutePath());
}
