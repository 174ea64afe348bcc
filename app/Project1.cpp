// Start-up: the application and its title, the main window, then the About window and
// the crib sheet (both hidden); the event loop runs until the main window closes.
#include "app/AboutForm.h"
#include "app/CribSheetForm.h"
#include "app/MainForm.h"
#include "app/Startup.h"
#include "toolkit/Application.h"

int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    PrepareApplication(app);
    EnterPictureFolder();

    TForm1 form1;
    TForm2 form2;
    TForm3 form3;
    form1.SetSecondaryWindows(&form2, &form3);
    form1.show();
    return app.exec();
}
