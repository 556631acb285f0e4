// The town and fund pick lists of the care sheet, driven as the user does:
// Tab and clicks into the fields, clicks and arrows in the lists, the items
// of the pop-up menus; and the list files beside the program.
#include "ScriptedDialogs.h"
#include "TiravonSession.h"

#include "widgets/SheetEdit.h"
#include "app/CareSheetWindow.h"
#include "widgets/DateEdit.h"
#include "widgets/PickLists.h"
#include "widgets/ListBoxes.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QByteArray Utf8Mark("\xEF\xBB\xBF");

class PickListTest : public ::testing::Test
{
protected:
    void startOnName()
    {
        session.start();
        form = session.form();
        QApplication::setActiveWindow(form);
        ASSERT_TRUE(QTest::qWaitForWindowActive(form));
        textField(form, "NOM")->setFocus();
        testDialogs().clear();
    }

    // Tab into the town field from the address, Shift+Tab into the fund
    // field from the box after it (neither neighbour has a list of its own).
    void tabInto(SheetEdit *field)
    {
        const bool town = field == textField(form, "VILLE");
        QWidget *from = town ? static_cast<QWidget *>(textField(form, "ADRESSE")) : textField(form, "COCHE_MALADIE");
        from->setFocus();
        QTest::keyClick(from, Qt::Key_Tab, town ? Qt::NoModifier : Qt::ShiftModifier);
        ASSERT_EQ(QApplication::focusWidget(), field);
    }

    // A double click as the mouse makes it: press, release, double click, release.
    static void doubleClick(QWidget *widget, const QPoint &at)
    {
        QTest::mouseClick(widget, Qt::LeftButton, {}, at);
        QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
        QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
    }

    // Tab out; the events the move leaves behind are then handled, as the
    // program's event loop does before the user's next key.
    void tabOut(SheetEdit *field)
    {
        ASSERT_EQ(QApplication::focusWidget(), field);
        QTest::keyClick(field, Qt::Key_Tab);
        ASSERT_NE(QApplication::focusWidget(), field);
        QCoreApplication::processEvents();
    }

    static void clickEntry(QListWidget *list, const QString &text)
    {
        const QList<QListWidgetItem *> found = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.first()).center());
    }

    // The menu a right click brings on the widget; closed again at once.
    static void openMenuOn(QWidget *widget, QMenu *menu)
    {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), widget->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(widget, &event);
        EXPECT_TRUE(menu->isVisible()) << widget->objectName().toStdString();
        menu->hide();
    }

    static QStringList selectedTexts(const QListWidget *list)
    {
        QStringList texts;
        for (const QListWidgetItem *item : list->selectedItems())
            texts << item->text();
        return texts;
    }

    QByteArray fileBytes(const char *name) const { return readBytes(session.path(QString::fromLatin1(name))); }

    TiravonSession session;
    CareSheetWindow *form = nullptr;
};

TEST_F(PickListTest, TownListShowsBelowTheFieldOnEntryAndTogglesOnEachEntry)
{
    startOnName();
    QListWidget *list = pickList(form, "LISTE_VILLES");
    EXPECT_TRUE(list->isHidden());
    // Wherever the field stands, the list comes just below it with its width.
    textField(form, "VILLE")->setGeometry(300, 400, 260, 25);
    const int listHeight = list->height();

    tabInto(textField(form, "VILLE"));
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->geometry(), QRect(300, 425, 260, listHeight));

    tabOut(textField(form, "VILLE"));
    EXPECT_TRUE(list->isVisible());   // leaving the field does not hide it

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_EQ(QApplication::focusWidget(), textField(form, "VILLE"));
    EXPECT_TRUE(list->isHidden());    // entering again does

    // An empty field left adds nothing and says nothing.
    tabOut(textField(form, "VILLE"));
    EXPECT_EQ(list->count(), 0);
    EXPECT_TRUE(testDialogs().shown.isEmpty());
}

TEST_F(PickListTest, LeavingTheFieldRemembersOnlyNewTextsAndTellsSo)
{
    writeBytes(session.path(QStringLiteral("VILLES.TXT")), QByteArray("75011 PARIS\r\n75011 \xE9VRY\r\n"));
    startOnName();
    const struct
    {
        const char *typed;
        bool added;
    } cases[] = {
        {"75011 paris", false},   // only a to z are folded
        {"75011 Évry", true},     // é and É differ
        {"75011 évry", false},    // equal to the entry from the file
        {" 75011 PARIS", true},   // blanks count
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        testDialogs().clear();
        const int before = pickList(form, "LISTE_VILLES")->count();
        const bool shown = pickList(form, "LISTE_VILLES")->isVisible();
        tabInto(textField(form, "VILLE"));
        textField(form, "VILLE")->clear();
        textField(form, "VILLE")->insert(QString::fromUtf8(c.typed));
        tabOut(textField(form, "VILLE"));
        EXPECT_EQ(pickList(form, "LISTE_VILLES")->isVisible(), !shown);   // only the entry toggled it
        if (c.added) {
            EXPECT_EQ(pickList(form, "LISTE_VILLES")->count(), before + 1);
            EXPECT_EQ(testDialogs().texts(QStringLiteral("information")),
                      QStringList{QStringLiteral("\"%1\" ajouté à la liste").arg(QString::fromUtf8(c.typed))});
            EXPECT_EQ(testDialogs().shown.size(), 1);
        } else {
            EXPECT_EQ(pickList(form, "LISTE_VILLES")->count(), before);
            EXPECT_TRUE(testDialogs().shown.isEmpty());
        }
    }
    EXPECT_EQ(listEntries(pickList(form, "LISTE_VILLES")),
              QStringList({QStringLiteral(" 75011 PARIS"), QStringLiteral("75011 Évry"), QStringLiteral("75011 éVRY"), QStringLiteral("75011 PARIS")}));

    // The fund field too, in capitals as typed.
    testDialogs().clear();
    tabInto(textField(form, "CPAM"));
    QTest::keyClicks(textField(form, "CPAM"), QStringLiteral("cpam de paris"));
    tabOut(textField(form, "CPAM"));
    EXPECT_EQ(listEntries(pickList(form, "Liste_CPAMS")), QStringList{QStringLiteral("CPAM DE PARIS")});
    EXPECT_EQ(testDialogs().texts(), QStringList{QStringLiteral("\"CPAM DE PARIS\" ajouté à la liste")});
}

// Records where the focus stands when the message of a new entry comes.
class WatchingDialogs : public ScriptedDialogs
{
public:
    QList<QWidget *> focusAtInformation;
    void information(const QString &text) override
    {
        ScriptedDialogs::information(text);
        focusAtInformation << QApplication::focusWidget();
    }
};

TEST_F(PickListTest, TheMessageOfANewEntryComesOnceTheNextFieldIsEntered)
{
    // A modal box shown while the focus moves would keep the next field from
    // being entered, and the fund list from showing.
    startOnName();
    WatchingDialogs watching;
    setDialogs(&watching);
    tabInto(textField(form, "VILLE"));
    QTest::keyClicks(textField(form, "VILLE"), QStringLiteral("PARIS"));
    QTest::keyClick(textField(form, "VILLE"), Qt::Key_Tab);
    EXPECT_TRUE(watching.shown.isEmpty());
    EXPECT_TRUE(pickList(form, "Liste_CPAMS")->isVisible());
    QCoreApplication::processEvents();
    setDialogs(&testDialogs());
    EXPECT_EQ(watching.texts(), QStringList{QStringLiteral("\"PARIS\" ajouté à la liste")});
    EXPECT_EQ(watching.focusAtInformation, QList<QWidget *>{textField(form, "CPAM")});
    // The text as it stood when the field was left.
    EXPECT_EQ(listEntries(pickList(form, "LISTE_VILLES")), QStringList{QStringLiteral("PARIS")});
}

TEST_F(PickListTest, ClickingTheFundFieldTogglesItsListToo)
{
    startOnName();
    QListWidget *list = pickList(form, "Liste_CPAMS");
    const QPoint inField = textField(form, "CPAM")->rect().center();

    // A click that brings the focus toggles twice: entering, then the click.
    QTest::mouseClick(textField(form, "CPAM"), Qt::LeftButton, {}, inField);
    ASSERT_EQ(QApplication::focusWidget(), textField(form, "CPAM"));
    EXPECT_TRUE(list->isHidden());

    // Tab in: shown, below the field.
    tabInto(textField(form, "CPAM"));
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->pos(), QPoint(textField(form, "CPAM")->x(), textField(form, "CPAM")->y() + textField(form, "CPAM")->height()));
    EXPECT_EQ(list->width(), textField(form, "CPAM")->width());

    // Further clicks on the field that has the focus toggle once each.
    QTest::mouseClick(textField(form, "CPAM"), Qt::LeftButton, {}, inField);
    EXPECT_TRUE(list->isHidden());
    QTest::mouseClick(textField(form, "CPAM"), Qt::LeftButton, {}, inField);
    EXPECT_TRUE(list->isVisible());
}

TEST_F(PickListTest, PickingAnEntryCopiesItIntoTheFieldAndHidesTheList)
{
    writeBytes(session.path(QStringLiteral("VILLES.TXT")), QByteArray("75011 PARIS\r\n91000 EVRY\r\n92160 ANTONY\r\n"));
    writeBytes(session.path(QStringLiteral("CPAMS.TXT")), QByteArray("CPAM 75\r\nCPAM 91\r\n"));
    startOnName();

    // By a click.
    tabInto(textField(form, "VILLE"));
    clickEntry(pickList(form, "LISTE_VILLES"), QStringLiteral("91000 EVRY"));
    EXPECT_EQ(textField(form, "VILLE")->text(), QStringLiteral("91000 EVRY"));
    EXPECT_TRUE(pickList(form, "LISTE_VILLES")->isHidden());

    // By the arrows in the list: each move picks.
    textField(form, "VILLE")->setFocus();   // entering again shows the list
    ASSERT_TRUE(pickList(form, "LISTE_VILLES")->isVisible());
    pickList(form, "LISTE_VILLES")->setFocus();
    QTest::keyClick(pickList(form, "LISTE_VILLES"), Qt::Key_Down);
    EXPECT_EQ(textField(form, "VILLE")->text(), QStringLiteral("92160 ANTONY"));
    EXPECT_TRUE(pickList(form, "LISTE_VILLES")->isHidden());
    // The hidden list passes its focus to no field: a further arrow changes nothing.
    QWidget *focus = QApplication::focusWidget();
    EXPECT_EQ(focus, nullptr);
    QTest::keyClick(focus ? focus : form, Qt::Key_Down);
    EXPECT_EQ(dateField(form, "DATE")->text(), QStringLiteral("09/12/2026"));
    EXPECT_EQ(textField(form, "VILLE")->text(), QStringLiteral("92160 ANTONY"));

    // A click on the entry that is already selected picks it again.
    textField(form, "VILLE")->setText(QStringLiteral("75011 PARIS"));
    textField(form, "VILLE")->setFocus();
    ASSERT_TRUE(pickList(form, "LISTE_VILLES")->isVisible());
    clickEntry(pickList(form, "LISTE_VILLES"), QStringLiteral("92160 ANTONY"));
    EXPECT_EQ(textField(form, "VILLE")->text(), QStringLiteral("92160 ANTONY"));
    EXPECT_TRUE(pickList(form, "LISTE_VILLES")->isHidden());

    // The fund list the same way.
    tabInto(textField(form, "CPAM"));
    clickEntry(pickList(form, "Liste_CPAMS"), QStringLiteral("CPAM 91"));
    EXPECT_EQ(textField(form, "CPAM")->text(), QStringLiteral("CPAM 91"));
    EXPECT_TRUE(pickList(form, "Liste_CPAMS")->isHidden());

    // A right click (it opens the menu) picks nothing and keeps the selection.
    tabInto(textField(form, "VILLE"));
    const QListWidgetItem *paris = pickList(form, "LISTE_VILLES")->findItems(QStringLiteral("75011 PARIS"), Qt::MatchExactly).first();
    QTest::mouseClick(pickList(form, "LISTE_VILLES")->viewport(), Qt::RightButton, {},
                      pickList(form, "LISTE_VILLES")->visualItemRect(paris).center());
    // Nor does a click on the blank below the entries.
    QTest::mouseClick(pickList(form, "LISTE_VILLES")->viewport(), Qt::LeftButton, {},
                      QPoint(10, pickList(form, "LISTE_VILLES")->viewport()->height() - 3));
    EXPECT_EQ(textField(form, "VILLE")->text(), QStringLiteral("92160 ANTONY"));
    EXPECT_EQ(selectedTexts(pickList(form, "LISTE_VILLES")), QStringList{QStringLiteral("92160 ANTONY")});
    EXPECT_TRUE(pickList(form, "LISTE_VILLES")->isVisible());
    EXPECT_TRUE(testDialogs().shown.isEmpty());
}

TEST_F(PickListTest, AfterAPickEscapeReachesTheWindowAndARightClickOpensNoList)
{
    writeBytes(session.path(QStringLiteral("CPAMS.TXT")), QByteArray("CPAM 75\r\nCPAM 91\r\n"));
    startOnName();
    tabInto(textField(form, "CPAM"));
    clickEntry(pickList(form, "Liste_CPAMS"), QStringLiteral("CPAM 91"));
    ASSERT_TRUE(pickList(form, "Liste_CPAMS")->isHidden());

    // No field has the focus now: Escape goes to the window itself.
    testDialogs().confirmAnswers = {false};
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : form, Qt::Key_Escape);
    EXPECT_EQ(testDialogs().texts(QStringLiteral("confirm")), QStringList{QStringLiteral("Initialiser les champs ?")});

    // A right click on the fund field opens its menu, not its list; the
    // menu's "&Supprimer" then deletes the fund picked, the list hidden.
    textField(form, "NOM")->setFocus();
    QTest::mouseClick(textField(form, "CPAM"), Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_TRUE(pickList(form, "Liste_CPAMS")->isHidden());
    actionOf(form, "deleteFundAction")->trigger();
    EXPECT_EQ(listEntries(pickList(form, "Liste_CPAMS")), QStringList{QStringLiteral("CPAM 75")});
}

TEST_F(PickListTest, DoubleClickAndCloseItemsHideTheLists)
{
    writeBytes(session.path(QStringLiteral("VILLES.TXT")), QByteArray("75011 PARIS\r\n"));
    writeBytes(session.path(QStringLiteral("CPAMS.TXT")), QByteArray("CPAM 75\r\n"));
    startOnName();

    // A double click anywhere on the list, below its entries too.
    tabInto(textField(form, "VILLE"));
    const QPoint belowEntries(10, pickList(form, "LISTE_VILLES")->viewport()->height() - 3);
    doubleClick(pickList(form, "LISTE_VILLES")->viewport(), belowEntries);
    EXPECT_TRUE(pickList(form, "LISTE_VILLES")->isHidden());
    EXPECT_EQ(textField(form, "VILLE")->text(), QStringLiteral(""));
    EXPECT_TRUE(testDialogs().shown.isEmpty());

    tabInto(textField(form, "CPAM"));
    doubleClick(pickList(form, "Liste_CPAMS")->viewport(), QPoint(10, pickList(form, "Liste_CPAMS")->viewport()->height() - 3));
    EXPECT_TRUE(pickList(form, "Liste_CPAMS")->isHidden());

    // "&Fermer" of each menu; the town list's menu opens on the list, the
    // fund list's on the field.
    tabInto(textField(form, "VILLE"));
    ASSERT_TRUE(pickList(form, "LISTE_VILLES")->isVisible());
    openMenuOn(pickList(form, "LISTE_VILLES")->viewport(), menuOf(form, "townListMenu"));
    EXPECT_EQ(actionOf(form, "closeTownListAction")->text(), QStringLiteral("&Fermer"));
    actionOf(form, "closeTownListAction")->trigger();
    EXPECT_TRUE(pickList(form, "LISTE_VILLES")->isHidden());
    tabInto(textField(form, "CPAM"));
    ASSERT_TRUE(pickList(form, "Liste_CPAMS")->isVisible());
    openMenuOn(textField(form, "CPAM"), menuOf(form, "fundListMenu"));
    actionOf(form, "closeFundListAction")->trigger();
    EXPECT_TRUE(pickList(form, "Liste_CPAMS")->isHidden());
    EXPECT_EQ(listEntries(pickList(form, "LISTE_VILLES")), QStringList{QStringLiteral("75011 PARIS")});
    EXPECT_EQ(listEntries(pickList(form, "Liste_CPAMS")), QStringList{QStringLiteral("CPAM 75")});
    EXPECT_TRUE(testDialogs().shown.isEmpty());
}

TEST_F(PickListTest, DeleteRemovesTheSelectedEntryOnlyAndPicksNothingElse)
{
    writeBytes(session.path(QStringLiteral("VILLES.TXT")), QByteArray("75011 PARIS\r\n91000 EVRY\r\n92160 ANTONY\r\n"));
    writeBytes(session.path(QStringLiteral("CPAMS.TXT")), QByteArray("CPAM 75\r\nCPAM 91\r\nCPAM 92\r\n"));
    startOnName();

    // Nothing selected: nothing deleted.
    actionOf(form, "deleteFundAction")->trigger();
    actionOf(form, "deleteTownAction")->trigger();
    EXPECT_EQ(pickList(form, "Liste_CPAMS")->count(), 3);
    EXPECT_EQ(pickList(form, "LISTE_VILLES")->count(), 3);

    // The fund just picked goes, though its list is hidden, without a question.
    tabInto(textField(form, "CPAM"));
    clickEntry(pickList(form, "Liste_CPAMS"), QStringLiteral("CPAM 91"));
    ASSERT_TRUE(pickList(form, "Liste_CPAMS")->isHidden());
    EXPECT_EQ(actionOf(form, "deleteFundAction")->text(), QStringLiteral("&Supprimer"));
    actionOf(form, "deleteFundAction")->trigger();
    EXPECT_EQ(listEntries(pickList(form, "Liste_CPAMS")), QStringList({QStringLiteral("CPAM 75"), QStringLiteral("CPAM 92")}));
    EXPECT_EQ(textField(form, "CPAM")->text(), QStringLiteral("CPAM 91"));
    EXPECT_TRUE(selectedTexts(pickList(form, "Liste_CPAMS")).isEmpty());
    EXPECT_TRUE(pickList(form, "Liste_CPAMS")->isHidden());
    actionOf(form, "deleteFundAction")->trigger();   // no selection left
    EXPECT_EQ(pickList(form, "Liste_CPAMS")->count(), 2);

    // The town list, from its own menu while it is shown.
    tabInto(textField(form, "VILLE"));
    clickEntry(pickList(form, "LISTE_VILLES"), QStringLiteral("75011 PARIS"));
    tabInto(textField(form, "VILLE"));
    ASSERT_TRUE(pickList(form, "LISTE_VILLES")->isVisible());
    actionOf(form, "deleteTownAction")->trigger();
    EXPECT_EQ(listEntries(pickList(form, "LISTE_VILLES")), QStringList({QStringLiteral("91000 EVRY"), QStringLiteral("92160 ANTONY")}));
    EXPECT_EQ(textField(form, "VILLE")->text(), QStringLiteral("75011 PARIS"));
    EXPECT_TRUE(selectedTexts(pickList(form, "LISTE_VILLES")).isEmpty());
    EXPECT_TRUE(pickList(form, "LISTE_VILLES")->isVisible());
    EXPECT_TRUE(testDialogs().shown.isEmpty());

    // Gone from the files at the next save.
    session.close();
    EXPECT_EQ(fileBytes("CPAMS.TXT"), QByteArray("CPAM 75\r\nCPAM 92\r\n"));
    EXPECT_EQ(fileBytes("VILLES.TXT"), QByteArray("91000 EVRY\r\n92160 ANTONY\r\n"));
}

TEST_F(PickListTest, AnErrorWhilePickingNamesTheHandler)
{
    EXPECT_EQ(pickListErrorText(QStringLiteral("LISTE_VILLESClick"), QStringLiteral("Index de liste hors limites (-1)")),
              QStringLiteral("ERR:\"LISTE_VILLESClick\"=>Index de liste hors limites (-1)"));
}

TEST_F(PickListTest, ValuesFilledInByTheProgramAreNotRemembered)
{
    startOnName();
    textField(form, "VILLE")->setText(QStringLiteral("75011 PARIS"));
    textField(form, "CPAM")->setText(QStringLiteral("CPAM 75"));
    textField(form, "MATRICULE")->setFocus();
    textField(form, "NOM")->setFocus();
    EXPECT_EQ(pickList(form, "LISTE_VILLES")->count(), 0);
    EXPECT_EQ(pickList(form, "Liste_CPAMS")->count(), 0);
    EXPECT_TRUE(testDialogs().shown.isEmpty());
}

TEST_F(PickListTest, ListFilesKeepTheirEncodingAndAreWrittenSortedWithCrLf)
{
    // UTF-8 with its mark; Windows-1252 with accents, lines ended every way.
    writeBytes(session.path(QStringLiteral("VILLES.TXT")), Utf8Mark + QByteArray("Sèvres\npARIS\r\nÉvry\rANTONY"));
    writeBytes(session.path(QStringLiteral("CPAMS.TXT")), QByteArray("CPAM DE S\xC8VRES\r\ncpam 91\r\n\xC9VRY\r\n"));
    startOnName();
    EXPECT_EQ(listEntries(pickList(form, "LISTE_VILLES")), QStringList({QStringLiteral("ANTONY"), QStringLiteral("Évry"), QStringLiteral("pARIS"), QStringLiteral("Sèvres")}));
    EXPECT_EQ(listEntries(pickList(form, "Liste_CPAMS")), QStringList({QStringLiteral("cpam 91"), QStringLiteral("CPAM DE SÈVRES"), QStringLiteral("ÉVRY")}));

    // A new entry takes its sorted place in the file at the save.
    tabInto(textField(form, "CPAM"));
    QTest::keyClicks(textField(form, "CPAM"), QStringLiteral("cpam 75"));
    tabOut(textField(form, "CPAM"));
    session.close();
    EXPECT_EQ(fileBytes("VILLES.TXT"), Utf8Mark + QByteArray("ANTONY\r\nÉvry\r\npARIS\r\nSèvres\r\n"));
    EXPECT_EQ(fileBytes("CPAMS.TXT"), QByteArray("CPAM 75\r\ncpam 91\r\nCPAM DE S\xC8VRES\r\n\xC9VRY\r\n"));

    // And read again at the next start.
    startOnName();
    EXPECT_EQ(listEntries(pickList(form, "LISTE_VILLES")), QStringList({QStringLiteral("ANTONY"), QStringLiteral("Évry"), QStringLiteral("pARIS"), QStringLiteral("Sèvres")}));
    EXPECT_EQ(listEntries(pickList(form, "Liste_CPAMS")), QStringList({QStringLiteral("CPAM 75"), QStringLiteral("cpam 91"), QStringLiteral("CPAM DE SÈVRES"), QStringLiteral("ÉVRY")}));
}

TEST_F(PickListTest, RememberedValuesSurviveARestartAndMissingFilesLeaveTheListsEmpty)
{
    startOnName();
    EXPECT_EQ(pickList(form, "LISTE_VILLES")->count(), 0);
    EXPECT_EQ(pickList(form, "Liste_CPAMS")->count(), 0);
    EXPECT_TRUE(testDialogs().shown.isEmpty());

    tabInto(textField(form, "VILLE"));
    textField(form, "VILLE")->insert(QStringLiteral("91000 Évry"));
    tabOut(textField(form, "VILLE"));
    QTest::keyClicks(textField(form, "CPAM"), QStringLiteral("cpam 91"));
    tabOut(textField(form, "CPAM"));
    EXPECT_EQ(testDialogs().texts(), QStringList({QStringLiteral("\"91000 Évry\" ajouté à la liste"), QStringLiteral("\"CPAM 91\" ajouté à la liste")}));
    session.close();
    // A new file is written in Windows-1252.
    EXPECT_EQ(fileBytes("VILLES.TXT"), QByteArray("91000 \xC9vry\r\n"));
    EXPECT_EQ(fileBytes("CPAMS.TXT"), QByteArray("CPAM 91\r\n"));

    startOnName();
    EXPECT_EQ(listEntries(pickList(form, "LISTE_VILLES")), QStringList{QStringLiteral("91000 Évry")});
    EXPECT_EQ(listEntries(pickList(form, "Liste_CPAMS")), QStringList{QStringLiteral("CPAM 91")});
    EXPECT_TRUE(pickList(form, "LISTE_VILLES")->isHidden());
    EXPECT_TRUE(pickList(form, "Liste_CPAMS")->isHidden());
}

} // namespace
