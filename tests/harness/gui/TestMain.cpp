// The main of the window tests: an offscreen QApplication prepared like the
// program's.
#include "TestRun.h"
#include "app/ProgramEntry.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {
// The offscreen platform cannot grab the mouse, nor do a few other things a
// desktop does, and says so each time; Qt's own grab still works, and the
// messages would drown the test output.
QtMessageHandler g_defaultHandler = nullptr;
void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (text != QLatin1String("This plugin does not support grabbing the mouse")
        && text != QLatin1String("This plugin does not support propagateSizeHints()")
        && text != QLatin1String("This plugin does not support raise()"))
        g_defaultHandler(type, context, text);
}
} // namespace

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    useOffscreenPlatform();
    g_defaultHandler = qInstallMessageHandler(quietHandler);
    QApplication app(argc, argv);
    prepareApplication(app);
    prepareTestRun();
    return RUN_ALL_TESTS();
}
