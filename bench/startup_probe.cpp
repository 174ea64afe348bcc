// The program's start-up exactly as app/main.cpp does it, with one addition: it
// quits once the main window has been painted for the first time.
#include "app/AboutWindow.h"
#include "app/CribSheetWindow.h"
#include "app/MainWindow.h"
#include "app/Startup.h"
#include "bench/StartupReport.h"
#include "toolkit/Application.h"

int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    PrepareApplication(app);

    MainWindow mainWindow;
    AboutWindow about;
    CribSheetWindow cribSheet;
    mainWindow.SetSecondaryWindows(&about, &cribSheet);
    new FirstPaintReporter(&mainWindow);
    mainWindow.show();
    return app.exec();
}
