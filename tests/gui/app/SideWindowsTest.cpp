// The program's other windows: created in their order at start, each with
// its caption, size and frame; closing one hides it and saves its place.
#include "ScriptedDialogs.h"
#include "TiravonSession.h"

#include "windows/ModifierCalculatorWindow.h"
#include "windows/CcamViewerWindow.h"
#include "windows/ActShortcutsWindow.h"
#include "app/CareSheetWindow.h"
#include "app/ProgramWindows.h"
#include "patient/NavelisDatabase.h"
#include "windows/PresentationWindow.h"
#include "widgets/ListBoxes.h"
#include "support/SettingsStore.h"

#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(SideWindows, EachHasItsCaptionSizeAndFrame)
{
    TiravonSession session;
    session.start();
    ASSERT_NE(currentWindows().patients(), nullptr);
    struct Expected { QWidget *window; const char *name; const char *caption; QSize size; bool tool; bool fixed; };
    const Expected windows[] = {
        {currentWindows().shortcuts(), "form_historique", "Raccourcis", QSize(157, 316), true, false},
        {currentWindows().presentation(), "Form_OPTIONS", "Présentation", QSize(259, 552), true, true},
        {currentWindows().ccamViewer(), "form_EDIT", "CéCAM", QSize(888, 673), false, false},
        {currentWindows().calculator(), "form_CALC", "Modificalculateur", QSize(220, 359), true, true},
    };
    for (const Expected &e : windows) {
        EXPECT_EQ(e.window->objectName(), QString::fromLatin1(e.name));
        EXPECT_EQ(e.window->windowTitle(), QString::fromUtf8(e.caption));
        EXPECT_EQ(e.window->size(), e.size) << e.name;
        EXPECT_EQ(e.window->windowType() == Qt::Tool, e.tool) << e.name;
        EXPECT_EQ(e.window->minimumSize() == e.window->maximumSize(), e.fixed) << e.name;
    }
    // Created hidden until asked for.
    EXPECT_TRUE(currentWindows().ccamViewer()->isHidden());
    EXPECT_TRUE(currentWindows().calculator()->isHidden());
}

TEST(SideWindows, ClosingOneHidesItAndSavesItsPlaceWhichTheNextStartRestores)
{
    TiravonSession session;
    session.start();
    currentWindows().calculator()->show();
    currentWindows().calculator()->move(210, 120);
    currentWindows().calculator()->close();
    EXPECT_TRUE(currentWindows().calculator()->isHidden());
    EXPECT_EQ(readSetting(QStringLiteral("Tiravon"), QStringLiteral("form_CALC"), QString()),
              QStringLiteral("210:120:220:359"));

    currentWindows().presentation()->move(15, 25);
    currentWindows().presentation()->close();
    EXPECT_EQ(readIntegerSetting(QStringLiteral("OPTIONS"), QStringLiteral("X"), -1), 15);
    EXPECT_EQ(readIntegerSetting(QStringLiteral("OPTIONS"), QStringLiteral("Y"), -1), 25);

    session.stop();
    session.start(false);
    EXPECT_EQ(currentWindows().calculator()->pos(), QPoint(210, 120));
}

TEST(SideWindows, AMalformedStoredPlaceIsReportedAndTheWindowStillOpens)
{
    TiravonSession session;
    writeSetting(QStringLiteral("Tiravon"), QStringLiteral("form_EDIT"), QStringLiteral("x:10:888:673"));
    session.start(false);
    ASSERT_NE(currentWindows().ccamViewer(), nullptr);
    EXPECT_EQ(testDialogs().texts(QStringLiteral("error")),
              QStringList{QStringLiteral("'x' n'est pas une valeur entière correcte")});
}

TEST(SideWindows, TheShortcutsListDeletesItsSelectedEntryOnly)
{
    TiravonSession session;
    session.start();
    QListWidget *list = currentWindows().shortcuts()->actList;
    for (const char *name : {"ECHO", "CS", "BILAN"})
        addUniqueEntry(list, QString::fromLatin1(name), false);
    currentWindows().shortcuts()->deleteSelected();   // nothing selected
    EXPECT_EQ(list->count(), 3);
    list->setCurrentRow(1);               // CS, in sorted order
    currentWindows().shortcuts()->deleteSelected();
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("BILAN"));
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("ECHO"));
}

} // namespace
