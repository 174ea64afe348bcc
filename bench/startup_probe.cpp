// The program's start-up exactly as app/Project1.cpp does it, with one addition: it
// quits once the main window has been painted for the first time.
#include "app/AboutForm.h"
#include "app/CribSheetForm.h"
#include "app/MainForm.h"
#include "app/Startup.h"
#include "bench/StartupReport.h"
#include "toolkit/Application.h"

int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    PrepareApplication(app);

    TForm1 form1;
    TForm2 form2;
    TForm3 form3;
    form1.SetSecondaryWindows(&form2, &form3);
    new FirstPaintReporter(&form1);
    form1.show();
    return app.exec();
}
