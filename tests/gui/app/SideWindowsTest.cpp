// The program's other windows: created in their order at start, each with
// its caption, size and frame; closing one hides it and saves its place.
#include "ScriptedDialogs.h"
#include "TiravonSession.h"

#include "windows/frm_CALC.h"
#include "windows/frm_edit.h"
#include "windows/unit_HISTORIQUE.h"
#include "app/Unit1.h"
#include "app/variables_globales.h"
#include "patient/DataModule_navelis.h"
#include "windows/unit_options.h"
#include "widgets/tq32_LISTES.h"
#include "support/tq32_ini.h"

#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(SideWindows, EachHasItsCaptionSizeAndFrame)
{
    TiravonSession session;
    session.start();
    ASSERT_NE(DATA_NAVELIS, nullptr);
    struct Expected { QWidget *window; const char *name; const char *caption; QSize size; bool tool; bool fixed; };
    const Expected windows[] = {
        {form_historique, "form_historique", "Raccourcis", QSize(157, 316), true, false},
        {Form_OPTIONS, "Form_OPTIONS", "Présentation", QSize(259, 552), true, true},
        {form_EDIT, "form_EDIT", "CéCAM", QSize(888, 673), false, false},
        {form_CALC, "form_CALC", "Modificalculateur", QSize(220, 359), true, true},
    };
    for (const Expected &e : windows) {
        EXPECT_EQ(e.window->objectName(), QString::fromLatin1(e.name));
        EXPECT_EQ(e.window->windowTitle(), QString::fromUtf8(e.caption));
        EXPECT_EQ(e.window->size(), e.size) << e.name;
        EXPECT_EQ(e.window->windowType() == Qt::Tool, e.tool) << e.name;
        EXPECT_EQ(e.window->minimumSize() == e.window->maximumSize(), e.fixed) << e.name;
    }
    // Created hidden until asked for.
    EXPECT_TRUE(form_EDIT->isHidden());
    EXPECT_TRUE(form_CALC->isHidden());
}

TEST(SideWindows, ClosingOneHidesItAndSavesItsPlaceWhichTheNextStartRestores)
{
    TiravonSession session;
    session.start();
    form_CALC->show();
    form_CALC->move(210, 120);
    form_CALC->close();
    EXPECT_TRUE(form_CALC->isHidden());
    EXPECT_EQ(INI_ReadString(QStringLiteral("Tiravon"), QStringLiteral("form_CALC"), QString()),
              QStringLiteral("210:120:220:359"));

    Form_OPTIONS->move(15, 25);
    Form_OPTIONS->close();
    EXPECT_EQ(INI_ReadInteger(QStringLiteral("OPTIONS"), QStringLiteral("X"), -1), 15);
    EXPECT_EQ(INI_ReadInteger(QStringLiteral("OPTIONS"), QStringLiteral("Y"), -1), 25);

    session.stop();
    session.start(false);
    EXPECT_EQ(form_CALC->pos(), QPoint(210, 120));
}

TEST(SideWindows, AMalformedStoredPlaceIsReportedAndTheWindowStillOpens)
{
    TiravonSession session;
    INI_WriteString(QStringLiteral("Tiravon"), QStringLiteral("form_EDIT"), QStringLiteral("x:10:888:673"));
    session.start(false);
    ASSERT_NE(form_EDIT, nullptr);
    EXPECT_EQ(testDialogs().texts(QStringLiteral("error")),
              QStringList{QStringLiteral("'x' n'est pas une valeur entière correcte")});
}

TEST(SideWindows, TheShortcutsListDeletesItsSelectedEntryOnly)
{
    TiravonSession session;
    session.start();
    QListWidget *list = form_historique->ListBox1;
    for (const char *name : {"ECHO", "CS", "BILAN"})
        AddUniqueToList(list, QString::fromLatin1(name), false);
    form_historique->Supprimer1Click();   // nothing selected
    EXPECT_EQ(list->count(), 3);
    list->setCurrentRow(1);               // CS, in sorted order
    form_historique->Supprimer1Click();
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("BILAN"));
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("ECHO"));
}

} // namespace
