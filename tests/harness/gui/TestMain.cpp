// The main of every test program: an offscreen QApplication prepared like the
// program's, the French locale, and the scripted dialogs, reset before each test.
#include "ScriptedDialogs.h"
#include "app/ProgramEntry.h"

#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

namespace {
class ResetDialogs : public ::testing::EmptyTestEventListener
{
    void OnTestStart(const ::testing::TestInfo &) override
    {
        testDialogs().clear();
        setDialogs(&testDialogs());
    }
};
// The offscreen platform cannot grab the mouse and says so at every drag;
// Qt's own grab still works, and the message would drown the test output.
QtMessageHandler g_defaultHandler = nullptr;
void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (text != QLatin1String("This plugin does not support grabbing the mouse"))
        g_defaultHandler(type, context, text);
}

} // namespace

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    g_defaultHandler = qInstallMessageHandler(quietHandler);
    QApplication app(argc, argv);
    prepareApplication(app);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    ::testing::UnitTest::GetInstance()->listeners().Append(new ResetDialogs);
    return RUN_ALL_TESTS();
}
