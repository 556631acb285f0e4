#include "FakePlatform.h"
#include "ScriptedDialogs.h"
#include "widgets/DateEdit.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class DateEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setPlatform(&fake);
        box = new DateEdit(&window);
        box->setObjectName("DDN");
        box->setGeometry(10, 10, 145, 24);
        other = new QLineEdit(&window);
        other->setGeometry(10, 100, 100, 24);
        window.resize(300, 200);
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        other->setFocus();   // the box starts without the focus
    }
    void TearDown() override { setPlatform(nullptr); }

    QLineEdit *edit() const { return box->findChild<QLineEdit *>(QStringLiteral("edit")); }
    QDate today() const { return fake.clock.date(); }

    // Clicks day 15 of the month the calendar shows.
    static void clickFifteenth(QCalendarWidget *calendar)
    {
        auto *view = calendar->findChild<QTableView *>();
        for (int row = 0; row < view->model()->rowCount(); ++row)
            for (int col = 0; col < view->model()->columnCount(); ++col) {
                const QModelIndex cell = view->model()->index(row, col);
                if (cell.data().toString() == QStringLiteral("15")) {
                    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                                      view->visualRect(cell).center());
                    return;
                }
            }
        ADD_FAILURE() << "no day 15 in the calendar";
    }

    FakePlatform fake;
    QWidget window;
    DateEdit *box = nullptr;
    QLineEdit *other = nullptr;
};

TEST_F(DateEditTest, EmptyBoxShowsNothingAndReadsAsToday)
{
    EXPECT_EQ(box->text(), QStringLiteral(""));
    EXPECT_EQ(edit()->displayText(), QStringLiteral(""));
    EXPECT_FALSE(box->hasValidDate());
    EXPECT_EQ(box->date(), today());

    edit()->setFocus();
    EXPECT_EQ(box->text(), QStringLiteral(""));          // the mask's blanks are not a text
    other->setFocus();
    EXPECT_EQ(edit()->displayText(), QStringLiteral(""));
}

TEST_F(DateEditTest, TypingFillsTheMaskWithDigitsOnly)
{
    QSignalSpy changed(box, &DateEdit::textChanged);
    edit()->setFocus();
    QTest::keyClicks(edit(), QStringLiteral("03a0x3b2001"));
    EXPECT_EQ(box->text(), QStringLiteral("03/03/2001"));
    EXPECT_EQ(box->date(), QDate(2001, 3, 3));
    ASSERT_FALSE(changed.isEmpty());
    EXPECT_EQ(changed.last().at(0).toString(), QStringLiteral("03/03/2001"));
}

TEST_F(DateEditTest, IncompleteOrInvalidTextStaysAsTypedAndReadsAsToday)
{
    edit()->setFocus();
    QTest::keyClicks(edit(), QStringLiteral("1203"));
    other->setFocus();
    EXPECT_EQ(box->text(), QStringLiteral("12/03/    "));
    EXPECT_EQ(box->date(), today());

    box->setText(QStringLiteral("31/02/2013"));
    EXPECT_EQ(box->text(), QStringLiteral("31/02/2013"));
    EXPECT_FALSE(box->hasValidDate());
    EXPECT_EQ(box->date(), today());
    EXPECT_TRUE(testDialogs().texts().isEmpty());
}

TEST_F(DateEditTest, AClickAnywhereInAnEmptyBoxTypesFromTheFirstDigit)
{
    QTest::mouseClick(edit(), Qt::LeftButton, {}, QPoint(edit()->width() / 2, edit()->height() / 2));
    ASSERT_TRUE(edit()->hasFocus());
    QTest::keyClicks(edit(), QStringLiteral("15012024"));
    EXPECT_EQ(box->text(), QStringLiteral("15/01/2024"));
}

TEST_F(DateEditTest, AStoredDateInAnotherFormIsShownInTheMasksAndOtherTextIsKept)
{
    box->setText(QStringLiteral("1/2/1955"));
    EXPECT_EQ(box->text(), QStringLiteral("01/02/1955"));
    box->setText(QStringLiteral("1955-01-15"));
    EXPECT_EQ(box->text(), QStringLiteral("15/01/1955"));

    // Text that is no date goes through the focus unchanged, and reads as today.
    box->setText(QStringLiteral("inconnue"));
    EXPECT_EQ(box->text(), QStringLiteral("inconnue"));
    edit()->setFocus();
    other->setFocus();
    EXPECT_EQ(box->text(), QStringLiteral("inconnue"));
    EXPECT_EQ(box->date(), today());
    // Typing into it starts a date afresh.
    edit()->setFocus();
    edit()->setCursorPosition(0);
    QTest::keyClicks(edit(), QStringLiteral("03032001"));
    EXPECT_EQ(box->text(), QStringLiteral("03/03/2001"));
}

// A stored text that does not fit the mask stays as stored while the user
// only moves the caret, selects or copies in it, and leaves it again; only
// what types into the box starts a date afresh.
TEST_F(DateEditTest, AStoredTextThatIsNoDateStaysUntilTheUserTypesIntoIt)
{
    struct Case
    {
        const char *name;
        int key;
        Qt::KeyboardModifiers modifiers;
        const char *after;
    };
    const Case cases[] = {
        {"Left", Qt::Key_Left, Qt::NoModifier, "1/2/55"},
        {"End", Qt::Key_End, Qt::NoModifier, "1/2/55"},
        {"Home", Qt::Key_Home, Qt::NoModifier, "1/2/55"},
        {"Shift+Right", Qt::Key_Right, Qt::ShiftModifier, "1/2/55"},
        {"Ctrl+C", Qt::Key_C, Qt::ControlModifier, "1/2/55"},
        {"Shift", Qt::Key_Shift, Qt::ShiftModifier, "1/2/55"},
        {"a digit", Qt::Key_7, Qt::NoModifier, "7 /  /    "},
        {"Backspace", Qt::Key_Backspace, Qt::NoModifier, ""},
    };
    for (const Case &c : cases) {
        box->setText(QStringLiteral("1/2/55"));
        QTest::mouseClick(edit(), Qt::LeftButton, {}, QPoint(5, edit()->height() / 2));
        ASSERT_TRUE(edit()->hasFocus()) << c.name;
        QTest::keyClick(edit(), Qt::Key(c.key), c.modifiers);
        QTest::keyClick(edit(), Qt::Key_Tab);
        EXPECT_FALSE(edit()->hasFocus()) << c.name;
        EXPECT_EQ(box->text(), QString::fromLatin1(c.after)) << c.name;
        other->setFocus();
    }
}

// A text the program sets shows from its first character, as a Windows edit
// box shows it; a box being typed into keeps its caret.
TEST_F(DateEditTest, ATextSetByTheProgramShowsFromItsStart)
{
    box->resize(60, box->height());
    box->setText(QStringLiteral("née le premier février"));
    EXPECT_EQ(edit()->cursorPosition(), 0);
    box->setDate(QDate(2013, 1, 31));
    EXPECT_EQ(edit()->cursorPosition(), 0);

    edit()->setFocus();
    QTest::keyClick(edit(), Qt::Key_End);
    box->setDate(QDate(2013, 2, 1));
    EXPECT_EQ(edit()->cursorPosition(), 10);
}

TEST_F(DateEditTest, SetDateDropsTheTimeAndAnInvalidDateEmptiesTheBox)
{
    box->setDate(QDateTime(QDate(2013, 1, 31), QTime(23, 59)));
    EXPECT_EQ(box->text(), QStringLiteral("31/01/2013"));
    box->setDate(QDate());
    EXPECT_EQ(box->text(), QStringLiteral(""));
    EXPECT_EQ(edit()->displayText(), QStringLiteral(""));
}

TEST_F(DateEditTest, LetterTSetsToday)
{
    for (const char *letter : {"t", "T"}) {
        box->setDate(QDate(2013, 1, 31));
        QTest::keyClicks(edit(), QString::fromLatin1(letter));
        EXPECT_EQ(box->date(), today()) << letter;
    }
}

TEST_F(DateEditTest, KeypadPlusAndMinusStepOneDayAndAreNotTyped)
{
    box->setDate(QDate(2013, 2, 28));
    edit()->setCursorPosition(0);
    QTest::keyClick(edit(), Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(box->text(), QStringLiteral("01/03/2013"));
    QTest::keyClick(edit(), Qt::Key_Minus, Qt::KeypadModifier);
    QTest::keyClick(edit(), Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(box->text(), QStringLiteral("27/02/2013"));

    // With Ctrl, or off the keypad, they are not steps.
    QTest::keyClick(edit(), Qt::Key_Plus, Qt::KeypadModifier | Qt::ControlModifier);
    QTest::keyClick(edit(), Qt::Key_Plus);
    EXPECT_EQ(box->text(), QStringLiteral("27/02/2013"));

    box->setText(QStringLiteral(""));
    QTest::keyClick(edit(), Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(box->date(), today().addDays(1));
}

TEST_F(DateEditTest, DayStepBeyondTheLastYearIsRefusedWithAMessage)
{
    box->setDate(QDate(9999, 12, 31));
    QTest::keyClick(edit(), Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(box->text(), QStringLiteral("31/12/9999"));
    EXPECT_EQ(testDialogs().texts(QStringLiteral("error")),
              QStringList{QStringLiteral("La date doit être comprise entre le 01/01/0001 et le 31/12/9999")});
}

TEST_F(DateEditTest, ArrowsGoToTheKeyHookAndDoNothingElse)
{
    QList<int> keys;
    box->setKeyDownHandler([&](DateEdit *sender, QKeyEvent *event) {
        EXPECT_EQ(sender, box);
        if (event->key() != Qt::Key_Control)
            keys << event->key();
    });
    box->setDate(QDate(2013, 1, 31));
    edit()->setFocus();
    edit()->setCursorPosition(3);
    QTest::keyClick(edit(), Qt::Key_Up);
    QTest::keyClick(edit(), Qt::Key_Down, Qt::ControlModifier);
    QTest::keyClicks(edit(), QStringLiteral("5"));
    EXPECT_EQ(keys, (QList<int>{Qt::Key_Up, Qt::Key_Down, Qt::Key_5}));
    EXPECT_EQ(box->text(), QStringLiteral("31/51/2013"));   // the cursor did not move with the arrows
    EXPECT_FALSE(box->isCalendarOpen());
}

TEST_F(DateEditTest, AltDownRunsTheHookFirstThenOpensTheCalendarOnTheNewDate)
{
    bool openDuringHook = true;
    box->setKeyDownHandler([&](DateEdit *sender, QKeyEvent *event) {
        openDuringHook = sender->isCalendarOpen();
        if (event->key() == Qt::Key_Down)
            sender->setDate(sender->date().addMonths(-1));
    });
    box->setDate(QDate(2013, 3, 31));
    QTest::keyClick(edit(), Qt::Key_Down, Qt::AltModifier);
    EXPECT_FALSE(openDuringHook);
    ASSERT_TRUE(box->isCalendarOpen());
    EXPECT_EQ(box->calendar()->selectedDate(), QDate(2013, 2, 28));
    EXPECT_EQ(box->calendar()->windowTitle(), QStringLiteral("Date des actes"));
}

TEST_F(DateEditTest, CalendarStartsOnTheFieldsDateOrToday)
{
    box->setDate(QDate(2001, 3, 3));
    QTest::mouseClick(box->findChild<QToolButton *>(QStringLiteral("button")), Qt::LeftButton);
    ASSERT_TRUE(box->isCalendarOpen());
    EXPECT_EQ(box->calendar()->selectedDate(), QDate(2001, 3, 3));
    box->closeCalendar();

    for (const char *text : {"", "12/03/20", "31/02/2013"}) {
        box->setText(QString::fromLatin1(text));
        box->openCalendar();
        EXPECT_EQ(box->calendar()->selectedDate(), today()) << text;
        EXPECT_EQ(box->calendar()->monthShown(), today().month()) << text;
        box->closeCalendar();
    }
}

TEST_F(DateEditTest, PickedDayIsAnnouncedThenTaken)
{
    QList<QPair<QDate, QString>> accepted;   // the day, and the box's text at that moment
    QObject::connect(box, &DateEdit::dateAccepted, box,
            [&](const QDate &day) { accepted << qMakePair(day, box->text()); });

    box->setDate(QDate(2001, 3, 3));
    box->openCalendar();
    clickFifteenth(box->calendar());
    EXPECT_FALSE(box->isCalendarOpen());
    EXPECT_EQ(box->text(), QStringLiteral("15/03/2001"));

    // By the keyboard: the arrows move the selection, Enter picks it.
    box->openCalendar();
    QWidget *view = box->calendar()->findChild<QTableView *>();
    QTest::keyClick(view, Qt::Key_Right);
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(box->text(), QStringLiteral("15/03/2001"));
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_FALSE(box->isCalendarOpen());
    EXPECT_EQ(box->text(), QStringLiteral("23/03/2001"));

    ASSERT_EQ(accepted.size(), 2);
    EXPECT_EQ(accepted[0], qMakePair(QDate(2001, 3, 15), QString(QStringLiteral("03/03/2001"))));
    EXPECT_EQ(accepted[1], qMakePair(QDate(2001, 3, 23), QString(QStringLiteral("15/03/2001"))));
}

TEST_F(DateEditTest, EscapeClosesTheCalendarWithoutChange)
{
    QSignalSpy accepted(box, &DateEdit::dateAccepted);
    box->setText(QStringLiteral(""));
    box->openCalendar();
    QWidget *view = box->calendar()->findChild<QTableView *>();
    QTest::keyClick(view, Qt::Key_Right);
    QTest::keyClick(view, Qt::Key_Escape);
    EXPECT_FALSE(box->isCalendarOpen());
    EXPECT_EQ(box->text(), QStringLiteral(""));
    EXPECT_TRUE(accepted.isEmpty());
}

TEST_F(DateEditTest, FrameAndButtonCanBeTakenAway)
{
    box->setDate(QDate(2001, 3, 3));
    EXPECT_TRUE(box->isFramed());
    EXPECT_TRUE(box->isButtonVisible());
    EXPECT_EQ(box->findChild<QToolButton *>(QStringLiteral("button"))->width(), 20);
    EXPECT_EQ(box->grab().toImage().pixelColor(0, 12), QColor(Qt::black));

    box->setFramed(false);
    box->setButtonVisible(false);
    EXPECT_FALSE(box->isFramed());
    EXPECT_FALSE(box->isButtonVisible());
    EXPECT_EQ(box->grab().toImage().pixelColor(0, 12), QColor(Qt::white));
    EXPECT_EQ(box->text(), QStringLiteral("03/03/2001"));
}

// How the presses on the inner edit reach the move-and-resize handlers as the
// box's is tested with the component (MRControlTest).
TEST_F(DateEditTest, ADoubleClickOnTheInnerEditIsTheBoxsAndSoIsItsPointer)
{
    QSignalSpy doubleClicks(box, &DateEdit::doubleClicked);
    const QPoint inEdit(5, 6);
    QTest::mouseDClick(edit(), Qt::LeftButton, {}, inEdit);
    EXPECT_EQ(doubleClicks.size(), 1);

    // The resize pointers given to the box show over the edit as well.
    box->setCursor(Qt::SizeHorCursor);
    EXPECT_EQ(edit()->cursor().shape(), Qt::SizeHorCursor);
    box->setCursor(Qt::ArrowCursor);
    EXPECT_EQ(edit()->cursor().shape(), Qt::IBeamCursor);
}

} // namespace
