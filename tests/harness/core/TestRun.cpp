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
    // The offscreen platform of Windows reads its fonts from one folder,
    // which Wine cannot hand over as QT_QPA_FONTDIR (it keeps the host's QT_
    // variables to itself).
    if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR") && !qEnvironmentVariableIsEmpty("TIRAVON_QPA_FONTDIR"))
        qputenv("QT_QPA_FONTDIR", qgetenv("TIRAVON_QPA_FONTDIR"));
}

void prepareTestRun()
{
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    ::testing::UnitTest::GetInstance()->listeners().Append(new ResetDialogs);
}
