#include "TestRun.h"

#include "ScriptedDialogs.h"

#include <QLocale>
#include <QtGlobal>
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

void useOffscreenPlatform()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

void prepareTestRun()
{
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    ::testing::UnitTest::GetInstance()->listeners().Append(new ResetDialogs);
}
