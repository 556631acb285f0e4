// The date fields of the care sheet in the window: month and year steps with
// the arrows, today's date on a double click, the start of the social-security
// number from the date of birth; with the fields locked too.
#include "ScriptedDialogs.h"
#include "SheetTest.h"
#include "TiravonSession.h"

#include "widgets/SheetEdit.h"
#include "app/CareSheetWindow.h"
#include "widgets/DateEdit.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString Today = QStringLiteral("09/12/2026");   // the session's clock

class DateKeysTest : public SheetTest
{
protected:
    void SetUp() override
    {
        SheetTest::SetUp();
        QApplication::setActiveWindow(form);
        ASSERT_TRUE(QTest::qWaitForWindowActive(form));
        dateField(form, "DDG")->show();   // shown while the maternity box is ticked
        testDialogs().clear();
    }

    static QLineEdit *editOf(DateEdit *field) { return field->findChild<QLineEdit *>(QStringLiteral("edit")); }

    // Gives the field the focus and presses a key in it.
    static void press(DateEdit *field, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        editOf(field)->setFocus();
        QTest::keyClick(editOf(field), key, modifiers);
    }

    // A double click as the mouse makes it: press, release, double click, release.
    static void doubleClick(QWidget *widget)
    {
        const QPoint at(8, widget->height() / 2);
        QTest::mouseClick(widget, Qt::LeftButton, {}, at);
        QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
        QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
    }

    DateEdit *dateNamed(const char *name) const { return session.find<DateEdit>(QString::fromLatin1(name)); }
};

// The steps of each key and the month arithmetic are in the date rules'
// tables; here the keys reach the rule in every date field, from today's date
// when the field holds none.
TEST_F(DateKeysTest, ArrowsStepByMonthsAndCtrlByYears)
{
    const struct
    {
        const char *field;
        const char *before;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char *after;
    } cases[] = {
        {"DATE_ACTE", "31/01/2013", Qt::Key_Up, {}, "28/02/2013"},
        {"DDN", "29/02/2012", Qt::Key_Down, Qt::ControlModifier, "28/02/2011"},
        {"DATE", "15/03/2013", Qt::Key_Up, Qt::ShiftModifier | Qt::ControlModifier, "15/03/2014"},
        {"DDG", "", Qt::Key_Up, {}, "09/01/2027"},                            // empty: from today
        {"DDG", "31/02/2013", Qt::Key_Down, {}, "09/11/2026"},                // invalid: from today
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.before);
        DateEdit *field = dateNamed(c.field);
        field->setText(QString::fromLatin1(c.before));
        press(field, c.key, c.modifiers);
        EXPECT_EQ(field->text(), QString::fromLatin1(c.after));
        EXPECT_FALSE(field->isCalendarOpen());
    }
    EXPECT_TRUE(testDialogs().shown.isEmpty());
}

TEST_F(DateKeysTest, ATypedInvalidDateStaysAndTheStepsStartFromToday)
{
    QLineEdit *edit = editOf(dateField(form, "DATE_ACTE"));
    dateField(form, "DATE_ACTE")->setText(QString());
    edit->setFocus();
    edit->setCursorPosition(0);
    QTest::keyClicks(edit, QStringLiteral("1203"));
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), edit);
    EXPECT_EQ(dateField(form, "DATE_ACTE")->text(), QStringLiteral("12/03/    "));
    EXPECT_TRUE(testDialogs().shown.isEmpty());

    press(dateField(form, "DATE_ACTE"), Qt::Key_Up);
    EXPECT_EQ(dateField(form, "DATE_ACTE")->text(), QStringLiteral("09/01/2027"));
}

TEST_F(DateKeysTest, AltDownStepsBackThenOpensTheCalendarWhoseArrowsMakeNoStep)
{
    DateEdit *field = dateField(form, "DATE_ACTE");
    field->setText(QStringLiteral("31/03/2013"));
    press(field, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(field->text(), QStringLiteral("28/02/2013"));
    ASSERT_TRUE(field->isCalendarOpen());
    EXPECT_EQ(field->calendar()->selectedDate(), QDate(2013, 2, 28));

    // The arrows move the calendar's selection; the field keeps its date.
    QWidget *view = field->calendar()->findChild<QTableView *>();
    QTest::keyClick(view, Qt::Key_Up);
    QTest::keyClick(view, Qt::Key_Up, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(field->text(), QStringLiteral("28/02/2013"));
    EXPECT_EQ(field->calendar()->selectedDate(), QDate(2013, 2, 21));
    // Keys reaching the field while the calendar is open make no step either.
    QTest::keyClick(editOf(field), Qt::Key_Up);
    EXPECT_EQ(field->text(), QStringLiteral("28/02/2013"));

    QTest::keyClick(view, Qt::Key_Escape);
    EXPECT_FALSE(field->isCalendarOpen());
    EXPECT_EQ(field->text(), QStringLiteral("28/02/2013"));
}

TEST_F(DateKeysTest, AStepOutsideTheYearsOneTo9999IsRefused)
{
    const struct
    {
        const char *field;
        const char *date;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    } cases[] = {
        {"DATE", "15/12/9999", Qt::Key_Up, {}},
        {"DDN", "15/06/9999", Qt::Key_Up, Qt::ControlModifier},
        {"DDG", "31/01/0001", Qt::Key_Down, {}},
        {"DATE_ACTE", "31/01/0001", Qt::Key_Down, Qt::AltModifier},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.date);
        testDialogs().clear();
        DateEdit *field = dateNamed(c.field);
        field->setText(QString::fromLatin1(c.date));
        press(field, c.key, c.modifiers);
        EXPECT_EQ(field->text(), QString::fromLatin1(c.date));
        ASSERT_EQ(testDialogs().shown.size(), 1);
        EXPECT_EQ(testDialogs().shown.first().kind, QStringLiteral("error"));
        EXPECT_EQ(testDialogs().shown.first().text,
                  QStringLiteral("La date doit être comprise entre le 01/01/0001 et le 31/12/9999"));
        field->closeCalendar();
    }
}

TEST_F(DateKeysTest, DoubleClickOnEitherDateOfTheSheetPutsTodayIntoTheDateOfActs)
{
    for (DateEdit *clicked : {dateField(form, "DATE"), dateField(form, "DATE_ACTE")}) {
        SCOPED_TRACE(clicked->objectName().toStdString());
        dateField(form, "DATE")->setText(QStringLiteral("01/02/2003"));
        dateField(form, "DATE_ACTE")->setText(QStringLiteral("04/05/2006"));
        doubleClick(editOf(clicked));
        EXPECT_EQ(dateField(form, "DATE_ACTE")->text(), Today);
        EXPECT_EQ(dateField(form, "DATE")->text(), QStringLiteral("01/02/2003"));
    }
    // Not the other dates.
    dateField(form, "DATE_ACTE")->setText(QStringLiteral("04/05/2006"));
    dateField(form, "DDN")->setText(QStringLiteral("15/01/1955"));
    doubleClick(editOf(dateField(form, "DDN")));
    doubleClick(editOf(dateField(form, "DDG")));
    EXPECT_EQ(dateField(form, "DATE_ACTE")->text(), QStringLiteral("04/05/2006"));
    EXPECT_EQ(dateField(form, "DDN")->text(), QStringLiteral("15/01/1955"));
}

TEST_F(DateKeysTest, DayPickedForTheBirthDateStartsAnEmptySocialSecurityNumber)
{
    textField(form, "MATRICULE")->setText(QString());
    dateField(form, "DDN")->setText(QString());
    auto pick = [this](const QDate &day) {
        QTest::mouseClick(dateField(form, "DDN")->findChild<QWidget *>(QStringLiteral("button")), Qt::LeftButton);
        ASSERT_TRUE(dateField(form, "DDN")->isCalendarOpen());
        QCalendarWidget *calendar = dateField(form, "DDN")->calendar();
        calendar->setSelectedDate(day);
        QTest::keyClick(calendar->findChild<QTableView *>(), Qt::Key_Return);
        EXPECT_FALSE(dateField(form, "DDN")->isCalendarOpen());
    };
    pick(QDate(2001, 3, 3));
    EXPECT_EQ(dateField(form, "DDN")->text(), QStringLiteral("03/03/2001"));
    EXPECT_EQ(textField(form, "MATRICULE")->text(), QStringLiteral("2 01 03"));

    pick(QDate(1955, 1, 15));
    EXPECT_EQ(dateField(form, "DDN")->text(), QStringLiteral("15/01/1955"));
    EXPECT_EQ(textField(form, "MATRICULE")->text(), QStringLiteral("2 01 03"));
    EXPECT_TRUE(testDialogs().shown.isEmpty());
}

TEST_F(DateKeysTest, DoubleClickOnAnEmptySocialSecurityNumberStartsItFromTheBirthDate)
{
    const struct
    {
        const char *number;
        const char *birth;
        const char *after;
    } cases[] = {
        {"", "15/01/1955", "2 55 01"},
        {"", "03/03/2001", "2 01 03"},
        {"", "", "2 26 12"},             // no date of birth: today's
        {"", "31/02/2013", "2 26 12"},   // not a date: today's
        {" ", "15/01/1955", " "},        // any text stays, a blank too
        {"1 80 07 75 111 222   33", "15/01/1955", "1 80 07 75 111 222   33"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string("[") + c.number + "] " + c.birth);
        textField(form, "MATRICULE")->setText(QString::fromLatin1(c.number));
        dateField(form, "DDN")->setText(QString::fromLatin1(c.birth));
        doubleClick(textField(form, "MATRICULE"));
        EXPECT_EQ(textField(form, "MATRICULE")->text(), QString::fromLatin1(c.after));
    }
    EXPECT_TRUE(testDialogs().shown.isEmpty());
}

TEST_F(DateKeysTest, LockedFieldsIgnoreTheDoubleClickOnTheNumberButDatesKeepTheirs)
{
    actionOf(form, "lockFieldsAction")->trigger();
    ASSERT_TRUE(actionOf(form, "lockFieldsAction")->isChecked());

    textField(form, "MATRICULE")->setText(QString());
    dateField(form, "DDN")->setText(QStringLiteral("15/01/1955"));
    doubleClick(textField(form, "MATRICULE"));
    EXPECT_EQ(textField(form, "MATRICULE")->text(), QStringLiteral(""));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);   // the empty gesture has ended

    dateField(form, "DATE_ACTE")->setText(QStringLiteral("04/05/2006"));
    doubleClick(editOf(dateField(form, "DATE")));
    EXPECT_EQ(dateField(form, "DATE_ACTE")->text(), Today);
    press(dateField(form, "DATE_ACTE"), Qt::Key_Up);
    EXPECT_EQ(dateField(form, "DATE_ACTE")->text(), QStringLiteral("09/01/2027"));
    press(dateField(form, "DDN"), Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(dateField(form, "DDN")->text(), QStringLiteral("15/01/1954"));

    // Unlocked again, the number takes the prefix.
    actionOf(form, "lockFieldsAction")->trigger();
    doubleClick(textField(form, "MATRICULE"));
    EXPECT_EQ(textField(form, "MATRICULE")->text(), QStringLiteral("2 54 01"));
}

TEST_F(DateKeysTest, ARestartKeepsTheBirthDatePregnancyDateAndNumberButDatesTheSheetToday)
{
    dateField(form, "DATE")->setText(QStringLiteral("01/02/2003"));
    dateField(form, "DATE_ACTE")->setText(QStringLiteral("04/05/2006"));
    dateField(form, "DDN")->setText(QStringLiteral("15/01/1955"));
    dateField(form, "DDG")->setText(QStringLiteral("12/03/    "));
    textField(form, "MATRICULE")->setText(QStringLiteral("2 55 01"));
    session.restart();
    form = session.form();
    EXPECT_EQ(dateField(form, "DATE")->text(), Today);
    EXPECT_EQ(dateField(form, "DATE_ACTE")->text(), Today);
    EXPECT_EQ(dateField(form, "DDN")->text(), QStringLiteral("15/01/1955"));
    EXPECT_EQ(dateField(form, "DDG")->text(), QStringLiteral("12/03/    "));
    EXPECT_EQ(textField(form, "MATRICULE")->text(), QStringLiteral("2 55 01"));
}

} // namespace
