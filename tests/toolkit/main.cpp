#include <QtGlobal>
#include <gtest/gtest.h>

#include "toolkit/Application.h"

int main(int argc, char** argv)
{
    // Tests never need a real display; this also lets the build list the tests
    // on a machine without one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
