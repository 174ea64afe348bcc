#include <QFont>
#include <QtGlobal>
#include <gtest/gtest.h>

#include "toolkit/Application.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
    TApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
