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
        form->NOM->setFocus();
        testDialogs().clear();
    }

    // Tab into the town field from the address, Shift+Tab into the fund
    // field from the box after it (neither neighbour has a list of its own).
    void tabInto(SheetEdit *field)
    {
        const bool town = field == form->VILLE;
        QWidget *from = town ? static_cast<QWidget *>(form->ADRESSE) : form->COCHE_MALADIE;
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
    QListWidget *list = form->LISTE_VILLES;
    EXPECT_TRUE(list->isHidden());
    // Wherever the field stands, the list comes just below it with its width.
    form->VILLE->setGeometry(300, 400, 260, 25);
    const int listHeight = list->height();

    tabInto(form->VILLE);
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->geometry(), QRect(300, 425, 260, listHeight));

    tabOut(form->VILLE);
    EXPECT_TRUE(list->isVisible());   // leaving the field does not hide it

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_EQ(QApplication::focusWidget(), form->VILLE);
    EXPECT_TRUE(list->isHidden());    // entering again does

    // An empty field left adds nothing and says nothing.
    tabOut(form->VILLE);
    EXPECT_EQ(list->count(), 0);
    EXPECT_TRUE(testDialogs().shown.isEmpty());
}

TEST_F(PickListTest, LeavingTheFieldRemembersOnlyNewTextsAndTellsSo)
{
    writeBytes(session.path("VILLES.TXT"), "75011 PARIS\r\n75011 \xE9VRY\r\n");
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
        const int before = form->LISTE_VILLES->count();
        const bool shown = form->LISTE_VILLES->isVisible();
        tabInto(form->VILLE);
        form->VILLE->clear();
        form->VILLE->insert(QString::fromUtf8(c.typed));
        tabOut(form->VILLE);
        EXPECT_EQ(form->LISTE_VILLES->isVisible(), !shown);   // only the entry toggled it
        if (c.added) {
            EXPECT_EQ(form->LISTE_VILLES->count(), before + 1);
            EXPECT_EQ(testDialogs().texts(QStringLiteral("information")),
                      QStringList{QStringLiteral("\"%1\" ajouté à la liste").arg(QString::fromUtf8(c.typed))});
            EXPECT_EQ(testDialogs().shown.size(), 1);
        } else {
            EXPECT_EQ(form->LISTE_VILLES->count(), before);
            EXPECT_TRUE(testDialogs().shown.isEmpty());
        }
    }
    EXPECT_EQ(listEntries(form->LISTE_VILLES),
              QStringList({" 75011 PARIS", "75011 Évry", "75011 éVRY", "75011 PARIS"}));

    // The fund field too, in capitals as typed.
    testDialogs().clear();
    tabInto(form->CPAM);
    QTest::keyClicks(form->CPAM, "cpam de paris");
    tabOut(form->CPAM);
    EXPECT_EQ(listEntries(form->Liste_CPAMS), QStringList{"CPAM DE PARIS"});
    EXPECT_EQ(testDialogs().texts(), QStringList{"\"CPAM DE PARIS\" ajouté à la liste"});
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
    tabInto(form->VILLE);
    QTest::keyClicks(form->VILLE, "PARIS");
    QTest::keyClick(form->VILLE, Qt::Key_Tab);
    EXPECT_TRUE(watching.shown.isEmpty());
    EXPECT_TRUE(form->Liste_CPAMS->isVisible());
    QCoreApplication::processEvents();
    setDialogs(&testDialogs());
    EXPECT_EQ(watching.texts(), QStringList{"\"PARIS\" ajouté à la liste"});
    EXPECT_EQ(watching.focusAtInformation, QList<QWidget *>{form->CPAM});
    // The text as it stood when the field was left.
    EXPECT_EQ(listEntries(form->LISTE_VILLES), QStringList{"PARIS"});
}

TEST_F(PickListTest, ClickingTheFundFieldTogglesItsListToo)
{
    startOnName();
    QListWidget *list = form->Liste_CPAMS;
    const QPoint inField = form->CPAM->rect().center();

    // A click that brings the focus toggles twice: entering, then the click.
    QTest::mouseClick(form->CPAM, Qt::LeftButton, {}, inField);
    ASSERT_EQ(QApplication::focusWidget(), form->CPAM);
    EXPECT_TRUE(list->isHidden());

    // Tab in: shown, below the field.
    tabInto(form->CPAM);
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->pos(), QPoint(form->CPAM->x(), form->CPAM->y() + form->CPAM->height()));
    EXPECT_EQ(list->width(), form->CPAM->width());

    // Further clicks on the field that has the focus toggle once each.
    QTest::mouseClick(form->CPAM, Qt::LeftButton, {}, inField);
    EXPECT_TRUE(list->isHidden());
    QTest::mouseClick(form->CPAM, Qt::LeftButton, {}, inField);
    EXPECT_TRUE(list->isVisible());
}

TEST_F(PickListTest, PickingAnEntryCopiesItIntoTheFieldAndHidesTheList)
{
    writeBytes(session.path("VILLES.TXT"), "75011 PARIS\r\n91000 EVRY\r\n92160 ANTONY\r\n");
    writeBytes(session.path("CPAMS.TXT"), "CPAM 75\r\nCPAM 91\r\n");
    startOnName();

    // By a click.
    tabInto(form->VILLE);
    clickEntry(form->LISTE_VILLES, "91000 EVRY");
    EXPECT_EQ(form->VILLE->text(), "91000 EVRY");
    EXPECT_TRUE(form->LISTE_VILLES->isHidden());

    // By the arrows in the list: each move picks.
    form->VILLE->setFocus();   // entering again shows the list
    ASSERT_TRUE(form->LISTE_VILLES->isVisible());
    form->LISTE_VILLES->setFocus();
    QTest::keyClick(form->LISTE_VILLES, Qt::Key_Down);
    EXPECT_EQ(form->VILLE->text(), "92160 ANTONY");
    EXPECT_TRUE(form->LISTE_VILLES->isHidden());
    // The hidden list passes its focus to no field: a further arrow changes nothing.
    QWidget *focus = QApplication::focusWidget();
    EXPECT_EQ(focus, nullptr);
    QTest::keyClick(focus ? focus : form, Qt::Key_Down);
    EXPECT_EQ(form->DATE->text(), "09/12/2026");
    EXPECT_EQ(form->VILLE->text(), "92160 ANTONY");

    // A click on the entry that is already selected picks it again.
    form->VILLE->setText("75011 PARIS");
    form->VILLE->setFocus();
    ASSERT_TRUE(form->LISTE_VILLES->isVisible());
    clickEntry(form->LISTE_VILLES, "92160 ANTONY");
    EXPECT_EQ(form->VILLE->text(), "92160 ANTONY");
    EXPECT_TRUE(form->LISTE_VILLES->isHidden());

    // The fund list the same way.
    tabInto(form->CPAM);
    clickEntry(form->Liste_CPAMS, "CPAM 91");
    EXPECT_EQ(form->CPAM->text(), "CPAM 91");
    EXPECT_TRUE(form->Liste_CPAMS->isHidden());

    // A right click (it opens the menu) picks nothing and keeps the selection.
    tabInto(form->VILLE);
    const QListWidgetItem *paris = form->LISTE_VILLES->findItems("75011 PARIS", Qt::MatchExactly).first();
    QTest::mouseClick(form->LISTE_VILLES->viewport(), Qt::RightButton, {},
                      form->LISTE_VILLES->visualItemRect(paris).center());
    // Nor does a click on the blank below the entries.
    QTest::mouseClick(form->LISTE_VILLES->viewport(), Qt::LeftButton, {},
                      QPoint(10, form->LISTE_VILLES->viewport()->height() - 3));
    EXPECT_EQ(form->VILLE->text(), "92160 ANTONY");
    EXPECT_EQ(selectedTexts(form->LISTE_VILLES), QStringList{"92160 ANTONY"});
    EXPECT_TRUE(form->LISTE_VILLES->isVisible());
    EXPECT_TRUE(testDialogs().shown.isEmpty());
}

TEST_F(PickListTest, AfterAPickEscapeReachesTheWindowAndARightClickOpensNoList)
{
    writeBytes(session.path("CPAMS.TXT"), "CPAM 75\r\nCPAM 91\r\n");
    startOnName();
    tabInto(form->CPAM);
    clickEntry(form->Liste_CPAMS, "CPAM 91");
    ASSERT_TRUE(form->Liste_CPAMS->isHidden());

    // No field has the focus now: Escape goes to the window itself.
    testDialogs().confirmAnswers = {false};
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : form, Qt::Key_Escape);
    EXPECT_EQ(testDialogs().texts("confirm"), QStringList{"Initialiser les champs ?"});

    // A right click on the fund field opens its menu, not its list; the
    // menu's "&Supprimer" then deletes the fund picked, the list hidden.
    form->NOM->setFocus();
    QTest::mouseClick(form->CPAM, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_TRUE(form->Liste_CPAMS->isHidden());
    form->deleteFundAction->trigger();
    EXPECT_EQ(listEntries(form->Liste_CPAMS), QStringList{"CPAM 75"});
}

TEST_F(PickListTest, DoubleClickAndCloseItemsHideTheLists)
{
    writeBytes(session.path("VILLES.TXT"), "75011 PARIS\r\n");
    writeBytes(session.path("CPAMS.TXT"), "CPAM 75\r\n");
    startOnName();

    // A double click anywhere on the list, below its entries too.
    tabInto(form->VILLE);
    const QPoint belowEntries(10, form->LISTE_VILLES->viewport()->height() - 3);
    doubleClick(form->LISTE_VILLES->viewport(), belowEntries);
    EXPECT_TRUE(form->LISTE_VILLES->isHidden());
    EXPECT_EQ(form->VILLE->text(), "");
    EXPECT_TRUE(testDialogs().shown.isEmpty());

    tabInto(form->CPAM);
    doubleClick(form->Liste_CPAMS->viewport(), QPoint(10, form->Liste_CPAMS->viewport()->height() - 3));
    EXPECT_TRUE(form->Liste_CPAMS->isHidden());

    // "&Fermer" of each menu; the town list's menu opens on the list, the
    // fund list's on the field.
    tabInto(form->VILLE);
    ASSERT_TRUE(form->LISTE_VILLES->isVisible());
    openMenuOn(form->LISTE_VILLES->viewport(), form->townListMenu);
    EXPECT_EQ(form->closeTownListAction->text(), "&Fermer");
    form->closeTownListAction->trigger();
    EXPECT_TRUE(form->LISTE_VILLES->isHidden());
    tabInto(form->CPAM);
    ASSERT_TRUE(form->Liste_CPAMS->isVisible());
    openMenuOn(form->CPAM, form->fundListMenu);
    form->closeFundListAction->trigger();
    EXPECT_TRUE(form->Liste_CPAMS->isHidden());
    EXPECT_EQ(listEntries(form->LISTE_VILLES), QStringList{"75011 PARIS"});
    EXPECT_EQ(listEntries(form->Liste_CPAMS), QStringList{"CPAM 75"});
    EXPECT_TRUE(testDialogs().shown.isEmpty());
}

TEST_F(PickListTest, DeleteRemovesTheSelectedEntryOnlyAndPicksNothingElse)
{
    writeBytes(session.path("VILLES.TXT"), "75011 PARIS\r\n91000 EVRY\r\n92160 ANTONY\r\n");
    writeBytes(session.path("CPAMS.TXT"), "CPAM 75\r\nCPAM 91\r\nCPAM 92\r\n");
    startOnName();

    // Nothing selected: nothing deleted.
    form->deleteFundAction->trigger();
    form->deleteTownAction->trigger();
    EXPECT_EQ(form->Liste_CPAMS->count(), 3);
    EXPECT_EQ(form->LISTE_VILLES->count(), 3);

    // The fund just picked goes, though its list is hidden, without a question.
    tabInto(form->CPAM);
    clickEntry(form->Liste_CPAMS, "CPAM 91");
    ASSERT_TRUE(form->Liste_CPAMS->isHidden());
    EXPECT_EQ(form->deleteFundAction->text(), "&Supprimer");
    form->deleteFundAction->trigger();
    EXPECT_EQ(listEntries(form->Liste_CPAMS), QStringList({"CPAM 75", "CPAM 92"}));
    EXPECT_EQ(form->CPAM->text(), "CPAM 91");
    EXPECT_TRUE(selectedTexts(form->Liste_CPAMS).isEmpty());
    EXPECT_TRUE(form->Liste_CPAMS->isHidden());
    form->deleteFundAction->trigger();   // no selection left
    EXPECT_EQ(form->Liste_CPAMS->count(), 2);

    // The town list, from its own menu while it is shown.
    tabInto(form->VILLE);
    clickEntry(form->LISTE_VILLES, "75011 PARIS");
    tabInto(form->VILLE);
    ASSERT_TRUE(form->LISTE_VILLES->isVisible());
    form->deleteTownAction->trigger();
    EXPECT_EQ(listEntries(form->LISTE_VILLES), QStringList({"91000 EVRY", "92160 ANTONY"}));
    EXPECT_EQ(form->VILLE->text(), "75011 PARIS");
    EXPECT_TRUE(selectedTexts(form->LISTE_VILLES).isEmpty());
    EXPECT_TRUE(form->LISTE_VILLES->isVisible());
    EXPECT_TRUE(testDialogs().shown.isEmpty());

    // Gone from the files at the next save.
    session.close();
    EXPECT_EQ(fileBytes("CPAMS.TXT"), "CPAM 75\r\nCPAM 92\r\n");
    EXPECT_EQ(fileBytes("VILLES.TXT"), "91000 EVRY\r\n92160 ANTONY\r\n");
}

TEST_F(PickListTest, AnErrorWhilePickingNamesTheHandler)
{
    EXPECT_EQ(pickListErrorText(QStringLiteral("LISTE_VILLESClick"), QStringLiteral("Index de liste hors limites (-1)")),
              QStringLiteral("ERR:\"LISTE_VILLESClick\"=>Index de liste hors limites (-1)"));
}

TEST_F(PickListTest, ValuesFilledInByTheProgramAreNotRemembered)
{
    startOnName();
    form->VILLE->setText("75011 PARIS");
    form->CPAM->setText("CPAM 75");
    form->MATRICULE->setFocus();
    form->NOM->setFocus();
    EXPECT_EQ(form->LISTE_VILLES->count(), 0);
    EXPECT_EQ(form->Liste_CPAMS->count(), 0);
    EXPECT_TRUE(testDialogs().shown.isEmpty());
}

TEST_F(PickListTest, ListFilesKeepTheirEncodingAndAreWrittenSortedWithCrLf)
{
    // UTF-8 with its mark; Windows-1252 with accents, lines ended every way.
    writeBytes(session.path("VILLES.TXT"), Utf8Mark + "Sèvres\npARIS\r\nÉvry\rANTONY");
    writeBytes(session.path("CPAMS.TXT"), "CPAM DE S\xC8VRES\r\ncpam 91\r\n\xC9VRY\r\n");
    startOnName();
    EXPECT_EQ(listEntries(form->LISTE_VILLES), QStringList({"ANTONY", "Évry", "pARIS", "Sèvres"}));
    EXPECT_EQ(listEntries(form->Liste_CPAMS), QStringList({"cpam 91", "CPAM DE SÈVRES", "ÉVRY"}));

    // A new entry takes its sorted place in the file at the save.
    tabInto(form->CPAM);
    QTest::keyClicks(form->CPAM, "cpam 75");
    tabOut(form->CPAM);
    session.close();
    EXPECT_EQ(fileBytes("VILLES.TXT"), Utf8Mark + "ANTONY\r\nÉvry\r\npARIS\r\nSèvres\r\n");
    EXPECT_EQ(fileBytes("CPAMS.TXT"), "CPAM 75\r\ncpam 91\r\nCPAM DE S\xC8VRES\r\n\xC9VRY\r\n");

    // And read again at the next start.
    startOnName();
    EXPECT_EQ(listEntries(form->LISTE_VILLES), QStringList({"ANTONY", "Évry", "pARIS", "Sèvres"}));
    EXPECT_EQ(listEntries(form->Liste_CPAMS), QStringList({"CPAM 75", "cpam 91", "CPAM DE SÈVRES", "ÉVRY"}));
}

TEST_F(PickListTest, RememberedValuesSurviveARestartAndMissingFilesLeaveTheListsEmpty)
{
    startOnName();
    EXPECT_EQ(form->LISTE_VILLES->count(), 0);
    EXPECT_EQ(form->Liste_CPAMS->count(), 0);
    EXPECT_TRUE(testDialogs().shown.isEmpty());

    tabInto(form->VILLE);
    form->VILLE->insert(QStringLiteral("91000 Évry"));
    tabOut(form->VILLE);
    QTest::keyClicks(form->CPAM, "cpam 91");
    tabOut(form->CPAM);
    EXPECT_EQ(testDialogs().texts(), QStringList({"\"91000 Évry\" ajouté à la liste", "\"CPAM 91\" ajouté à la liste"}));
    session.close();
    // A new file is written in Windows-1252.
    EXPECT_EQ(fileBytes("VILLES.TXT"), "91000 \xC9vry\r\n");
    EXPECT_EQ(fileBytes("CPAMS.TXT"), "CPAM 91\r\n");

    startOnName();
    EXPECT_EQ(listEntries(form->LISTE_VILLES), QStringList{"91000 Évry"});
    EXPECT_EQ(listEntries(form->Liste_CPAMS), QStringList{"CPAM 91"});
    EXPECT_TRUE(form->LISTE_VILLES->isHidden());
    EXPECT_TRUE(form->Liste_CPAMS->isHidden());
}

} // namespace
