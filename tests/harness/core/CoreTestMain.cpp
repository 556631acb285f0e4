// The main of the test programs of the logic library: an offscreen
// QGuiApplication (images and fonts, no widget).
#include "TestRun.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    useOffscreenPlatform();
    QGuiApplication app(argc, argv);
    prepareTestRun();
    return RUN_ALL_TESTS();
}
