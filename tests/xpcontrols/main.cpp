#include <QFont>
#include <QtGlobal>
#include <gtest/gtest.h>

#include "toolkit/Application.h"
#include "toolkit/Platform.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    MapLayoutFontFamily("MS Sans Serif");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
