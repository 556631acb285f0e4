// The claim boxes as the user works them: the space bar and the double click
// toggle, "Cocher" and "Décocher", and the rules that keep the pairs of boxes
// as radio choices and show the pregnancy date and the attending physician.
#include "ScriptedDialogs.h"
#include "SheetTest.h"
#include "TiravonSession.h"

#include "widgets/SheetEdit.h"
#include "app/CareSheetWindow.h"
#include "widgets/DateEdit.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QSignalBlocker>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QString kX = QStringLiteral("X");

class ClaimBoxTest : public SheetTest
{
protected:
    void SetUp() override
    {
        SheetTest::SetUp();
        QApplication::setActiveWindow(form);
        boxes = {textField(form, "COCHE_MALADIE"), textField(form, "COCHE_MATERNITE"), textField(form, "COCHE_ACCES"), textField(form, "COCHE_NP_OBLIGAT"),
                 textField(form, "COCHE_NP_COMP"), textField(form, "COCHE_ALD_0"), textField(form, "COCHE_ALD_1"), textField(form, "COCHE_ALD_TYPE")};
        testDialogs().clear();
    }

    void space(SheetEdit *box)
    {
        box->setFocus(Qt::TabFocusReason);
        QTest::keyClick(box, Qt::Key_Space);
    }

    void doubleClick(SheetEdit *box)
    {
        QTest::mouseDClick(box, Qt::LeftButton, Qt::NoModifier, box->rect().center());
    }

    // Cocher or Décocher with the focus in the given field.
    void command(QAction *action, QWidget *focus)
    {
        focus->setFocus(Qt::TabFocusReason);
        action->trigger();
    }

    QStringList texts() const
    {
        QStringList all;
        for (SheetEdit *box : boxes)
            all << box->text();
        return all;
    }

    QList<int> flags() const
    {
        QList<int> all;
        for (SheetEdit *box : boxes)
            all << box->toggleFlag;
        return all;
    }

    QList<SheetEdit *> boxes;
};

TEST_F(ClaimBoxTest, FreshStartShowsTheDefaultTicksAndEveryFlagDown)
{
    EXPECT_EQ(texts(), (QStringList{kX, QString(), kX, QString(), QString(), kX, QString(), QString()}));
    EXPECT_EQ(flags(), QList<int>(8, 0));
    EXPECT_TRUE(dateField(form, "DDG")->isHidden());
    EXPECT_TRUE(textField(form, "MEDECIN")->isHidden());
}

TEST_F(ClaimBoxTest, SpaceTicksAnEmptyBoxThenClearsItAndIsNeverTyped)
{
    for (SheetEdit *box : {textField(form, "COCHE_NP_OBLIGAT"), textField(form, "COCHE_NP_COMP"), textField(form, "COCHE_ALD_TYPE")}) {
        const QString name = box->objectName();
        const QStringList before = texts();
        space(box);
        EXPECT_EQ(box->text(), kX) << name.toStdString();
        EXPECT_EQ(box->toggleFlag, 1) << name.toStdString();
        space(box);
        EXPECT_EQ(box->text(), QString()) << name.toStdString();
        EXPECT_EQ(box->toggleFlag, 0) << name.toStdString();
        EXPECT_EQ(texts(), before) << name.toStdString();
    }
    // Every other key is typed as usual; the space in between still toggles.
    textField(form, "COCHE_NP_OBLIGAT")->setFocus();
    QTest::keyClicks(textField(form, "COCHE_NP_OBLIGAT"), QStringLiteral("a b"));
    EXPECT_EQ(textField(form, "COCHE_NP_OBLIGAT")->text(), QStringLiteral("Xb"));
    EXPECT_EQ(textField(form, "COCHE_NP_OBLIGAT")->toggleFlag, 1);
}

TEST_F(ClaimBoxTest, EachBoxTogglesItselfWhicheverHandlerItShares)
{
    for (int i = 0; i < boxes.size(); ++i) {
        SheetEdit *box = boxes[i];
        const std::string name = box->objectName().toStdString();
        QList<int> expected = flags();
        space(box);
        expected[i] = 1;
        EXPECT_EQ(flags(), expected) << name;
        EXPECT_EQ(box->text(), kX) << name;
        doubleClick(box);
        expected[i] = 0;
        EXPECT_EQ(flags(), expected) << name;
        EXPECT_EQ(box->text(), QString()) << name;
    }
}

TEST_F(ClaimBoxTest, FirstSpaceOnTheDefaultTickOnlyRaisesTheFlagTheSecondClearsIt)
{
    space(textField(form, "COCHE_MALADIE"));
    EXPECT_EQ(textField(form, "COCHE_MALADIE")->text(), kX);
    EXPECT_EQ(textField(form, "COCHE_MATERNITE")->text(), QString());
    EXPECT_TRUE(dateField(form, "DDG")->isHidden());
    EXPECT_EQ(textField(form, "COCHE_MALADIE")->toggleFlag, 1);

    space(textField(form, "COCHE_MALADIE"));
    EXPECT_EQ(textField(form, "COCHE_MALADIE")->text(), QString());
    EXPECT_EQ(textField(form, "COCHE_MATERNITE")->text(), kX);
    EXPECT_FALSE(dateField(form, "DDG")->isHidden());
    EXPECT_EQ(textField(form, "COCHE_MATERNITE")->toggleFlag, 0);   // ticked by the rule, not toggled
}

TEST_F(ClaimBoxTest, DoubleClickOnTheAldTypeBoxTogglesItAlone)
{
    const QStringList before = texts();
    doubleClick(textField(form, "COCHE_ALD_TYPE"));
    QStringList expected = before;
    expected[7] = kX;
    EXPECT_EQ(texts(), expected);
    EXPECT_EQ(flags(), (QList<int>{0, 0, 0, 0, 0, 0, 0, 1}));
}

// The chains themselves are worked out in the claim-box rules' table; here
// the commands set the focused field and the rules follow.
TEST_F(ClaimBoxTest, CocherAndDecocherSetTheFocusedFieldAndTheRulesFollow)
{
    command(actionOf(form, "untickAction"), textField(form, "COCHE_ALD_0"));
    EXPECT_EQ(textField(form, "COCHE_ALD_0")->text(), QString());
    EXPECT_EQ(textField(form, "COCHE_ALD_1")->text(), kX);

    command(actionOf(form, "tickAction"), textField(form, "COCHE_MATERNITE"));
    EXPECT_EQ(textField(form, "COCHE_MALADIE")->text(), QString());
    EXPECT_FALSE(dateField(form, "DDG")->isHidden());

    // Any field of the window, not only a box.
    command(actionOf(form, "tickAction"), textField(form, "NOM"));
    EXPECT_EQ(textField(form, "NOM")->text(), kX);
    command(actionOf(form, "untickAction"), textField(form, "ACTE_1"));
    EXPECT_EQ(textField(form, "ACTE_1")->text(), QString());

    EXPECT_EQ(flags(), QList<int>(8, 0));
    EXPECT_TRUE(testDialogs().shown.isEmpty());
}

TEST_F(ClaimBoxTest, DecocherEmptiesAFocusedDateFieldAndCocherLeavesItWithoutADate)
{
    QLineEdit *inner = dateField(form, "DDN")->findChild<QLineEdit *>(QStringLiteral("edit"));
    ASSERT_NE(inner, nullptr);
    dateField(form, "DDN")->setText(QStringLiteral("15/01/1955"));
    command(actionOf(form, "untickAction"), inner);
    EXPECT_EQ(dateField(form, "DDN")->text(), QString());
    command(actionOf(form, "tickAction"), inner);   // a letter is no date: the mask lets nothing through
    EXPECT_EQ(dateField(form, "DDN")->text(), QString());
    EXPECT_TRUE(testDialogs().shown.isEmpty());
}

TEST_F(ClaimBoxTest, TypingOverTheTickRunsTheChainToItsEnd)
{
    // The X selected and Y typed over it in one step.
    textField(form, "COCHE_MALADIE")->setFocus(Qt::TabFocusReason);
    textField(form, "COCHE_MALADIE")->selectAll();
    QTest::keyClick(textField(form, "COCHE_MALADIE"), Qt::Key_Y);
    EXPECT_EQ(textField(form, "COCHE_MALADIE")->text(), QString());
    EXPECT_EQ(textField(form, "COCHE_MATERNITE")->text(), kX);
    EXPECT_FALSE(dateField(form, "DDG")->isHidden());
    EXPECT_EQ(flags(), QList<int>(8, 0));
}

TEST_F(ClaimBoxTest, ClearingDirectAccessShowsTheAttendingPhysicianAnyTextHidesIt)
{
    struct Way { const char *name; std::function<void()> clear; };
    const Way ways[] = {
        {"two spaces", [&] { space(textField(form, "COCHE_ACCES")); space(textField(form, "COCHE_ACCES")); }},
        {"Décocher", [&] { command(actionOf(form, "untickAction"), textField(form, "COCHE_ACCES")); }},
        {"backspace", [&] {
             textField(form, "COCHE_ACCES")->setFocus(Qt::TabFocusReason);
             textField(form, "COCHE_ACCES")->end(false);
             QTest::keyClick(textField(form, "COCHE_ACCES"), Qt::Key_Backspace);
         }},
        {"double clicks", [&] { doubleClick(textField(form, "COCHE_ACCES")); doubleClick(textField(form, "COCHE_ACCES")); }},
        {"clearing everything", [&] { actionOf(form, "clearAllAction")->trigger(); }},
    };
    for (const Way &way : ways) {
        textField(form, "COCHE_ACCES")->setText(kX);
        ASSERT_TRUE(textField(form, "MEDECIN")->isHidden()) << way.name;
        way.clear();
        EXPECT_EQ(textField(form, "COCHE_ACCES")->text(), QString()) << way.name;
        EXPECT_FALSE(textField(form, "MEDECIN")->isHidden()) << way.name;
    }
    // Any text hides it (the texts are in the rules' table).
    textField(form, "COCHE_ACCES")->setText(QString());
    ASSERT_FALSE(textField(form, "MEDECIN")->isHidden());
    QTest::keyClick(textField(form, "COCHE_ACCES"), Qt::Key_Y);
    EXPECT_TRUE(textField(form, "MEDECIN")->isHidden());
}

TEST_F(ClaimBoxTest, SettingTheTextABoxHoldsRunsNoRule)
{
    // Both boxes of a pair shown ticked behind the rules' back: a rule run
    // now would clear the partner.
    {
        const QSignalBlocker blocker(textField(form, "COCHE_MATERNITE"));
        textField(form, "COCHE_MATERNITE")->setText(kX);
    }
    command(actionOf(form, "tickAction"), textField(form, "COCHE_MALADIE"));
    textField(form, "COCHE_MALADIE")->setText(kX);
    EXPECT_EQ(textField(form, "COCHE_MATERNITE")->text(), kX);
    EXPECT_TRUE(dateField(form, "DDG")->isHidden());

    {
        const QSignalBlocker blocker(textField(form, "COCHE_ACCES"));
        textField(form, "COCHE_ACCES")->setText(QString());
    }
    command(actionOf(form, "untickAction"), textField(form, "COCHE_ACCES"));
    EXPECT_TRUE(textField(form, "MEDECIN")->isHidden());
}

TEST_F(ClaimBoxTest, FlagsAreLeftAloneByEverythingButTheToggle)
{
    space(textField(form, "COCHE_ALD_TYPE"));     // flag 1, ticked
    space(textField(form, "COCHE_MALADIE"));      // flag 1, still ticked
    const QList<int> raised = {1, 0, 0, 0, 0, 0, 0, 1};
    ASSERT_EQ(flags(), raised);

    command(actionOf(form, "untickAction"), textField(form, "COCHE_ALD_TYPE"));
    command(actionOf(form, "tickAction"), textField(form, "COCHE_NP_COMP"));
    command(actionOf(form, "tickAction"), textField(form, "COCHE_MATERNITE"));   // clears COCHE_MALADIE by its rule
    EXPECT_EQ(flags(), raised);
    actionOf(form, "clearAllAction")->trigger();
    EXPECT_EQ(flags(), raised);
    actionOf(form, "saveConfigurationAction")->trigger();
    actionOf(form, "readConfigurationAction")->trigger();
    EXPECT_EQ(flags(), raised);

    // A box with its flag up clears at the next space whatever it shows.
    textField(form, "COCHE_NP_COMP")->setText(kX);
    space(textField(form, "COCHE_NP_COMP"));                      // flag was 0: stays ticked
    EXPECT_EQ(textField(form, "COCHE_NP_COMP")->text(), kX);
    textField(form, "COCHE_ALD_TYPE")->setText(QString());
    space(textField(form, "COCHE_ALD_TYPE"));                     // flag was 1: stays empty
    EXPECT_EQ(textField(form, "COCHE_ALD_TYPE")->text(), QString());
    EXPECT_EQ(textField(form, "COCHE_ALD_TYPE")->toggleFlag, 0);
}

TEST_F(ClaimBoxTest, EveryBoxOpensItsMenuWithCocherAndDecocher)
{
    QStringList items;
    for (QAction *action : menuOf(form, "claimBoxMenu")->actions())
        items << action->text();
    EXPECT_EQ(items, (QStringList{QStringLiteral("Cocher"), QStringLiteral("Décocher")}));

    for (SheetEdit *box : boxes) {
        EXPECT_EQ(box->toolTip(), QStringLiteral("Appuyer sur BARRE ESPACE"));
        QContextMenuEvent event(QContextMenuEvent::Mouse, box->rect().center(), box->mapToGlobal(box->rect().center()));
        QApplication::sendEvent(box, &event);
        EXPECT_EQ(QApplication::activePopupWidget(), menuOf(form, "claimBoxMenu")) << box->objectName().toStdString();
        menuOf(form, "claimBoxMenu")->hide();
    }
    // Chosen from the menu, the item acts on the box the menu was opened on.
    textField(form, "COCHE_NP_COMP")->setFocus(Qt::TabFocusReason);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), textField(form, "COCHE_NP_COMP")->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(textField(form, "COCHE_NP_COMP"), &event);
    ASSERT_EQ(QApplication::activePopupWidget(), menuOf(form, "claimBoxMenu"));
    QTest::keyClick(menuOf(form, "claimBoxMenu"), Qt::Key_Down);
    QTest::keyClick(menuOf(form, "claimBoxMenu"), Qt::Key_Return);
    EXPECT_EQ(textField(form, "COCHE_NP_COMP")->text(), kX);
}

} // namespace
