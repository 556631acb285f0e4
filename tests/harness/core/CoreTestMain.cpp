// The main of the test programs of the logic library: an offscreen
// QGuiApplication (images and fonts, no widget), the French locale, and the
// scripted dialogs, reset before each test.
#include "ScriptedDialogs.h"

#include <QGuiApplication>
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
} // namespace

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    ::testing::UnitTest::GetInstance()->listeners().Append(new ResetDialogs);
    return RUN_ALL_TESTS();
}
