// Start-up: the application and its title, the main window, then the About window and
// the crib sheet (both hidden); the event loop runs until the main window closes.
#include "app/AboutWindow.h"
#include "app/CribSheetWindow.h"
#include "app/MainWindow.h"
#include "app/Startup.h"
#include "toolkit/Application.h"

int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    PrepareApplication(app);
    EnterPictureFolder();

    MainWindow mainWindow;
    AboutWindow about;
    CribSheetWindow cribSheet;
    mainWindow.SetSecondaryWindows(&about, &cribSheet);
    mainWindow.show();
    return app.exec();
}
