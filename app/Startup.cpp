#include "app/Startup.h"

#include <QIcon>

#include "app/UiFonts.h"
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
