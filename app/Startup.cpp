#include "app/Startup.h"

#include <QIcon>

#include "app/LessonLook.h"
#include "app/UiFonts.h"
#include "lesson/VehicleCatalogue.h"
#include "toolkit/Application.h"
#include "toolkit/Platform.h"
#include "toolkit/Utf8.h"
#include "xpcontrols/XpAccessible.h"

void PrepareApplication(TApplication& app)
{
    app.SetTitle(std::string(ProgramTitle));
    MapLayoutFont();
    InstallXpAccessibility();
    MarkProgramRunning();
    // One icon for every window, decoded once.
    app.setWindowIcon(QIcon(QStringLiteral(":/velmora/velmora.png")));
}

void EnterPictureFolder()
{
    EnterDataFolder(ToQString(Lesson::VehicleCatalogue::PictureFolder));
}
