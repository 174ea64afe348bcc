#include <QtGlobal>
#include <gtest/gtest.h>

#include "app/UiFonts.h"
#include "toolkit/Application.h"

int main(int argc, char** argv)
{
    // Tests never need a real display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    MapLayoutFont();
    app.SetTitle("Velmora 1.0");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
