#include "patient/DateRules.h"
#include "support/TiravonError.h"

#include <gtest/gtest.h>
#include <climits>

namespace {

struct MonthStep
{
    QDate from;
    int months;
    QDate expected;
};

TEST(DateRules, StepMonthsKeepsTheDayOrTakesTheLastDayOfAShorterMonth)
{
    const MonthStep steps[] = {
        {QDate(2013, 1, 31), 1, QDate(2013, 2, 28)},
        {QDate(2012, 1, 31), 1, QDate(2012, 2, 29)},     // leap year
        {QDate(2012, 2, 29), -12, QDate(2011, 2, 28)},
        {QDate(2012, 2, 29), 12, QDate(2013, 2, 28)},
        {QDate(2012, 2, 29), 48, QDate(2016, 2, 29)},
        {QDate(2013, 3, 31), -1, QDate(2013, 2, 28)},
        {QDate(2013, 4, 30), 1, QDate(2013, 5, 30)},     // the day stays, not the month's end
        {QDate(2013, 12, 15), 1, QDate(2014, 1, 15)},
        {QDate(2013, 1, 15), -1, QDate(2012, 12, 15)},
        {QDate(2013, 6, 15), 0, QDate(2013, 6, 15)},
        {QDate(2, 1, 10), -12, QDate(1, 1, 10)},
        {QDate(9998, 12, 31), 12, QDate(9999, 12, 31)},
        {QDate(1, 1, 1), 9999 * 12 - 1, QDate(9999, 12, 1)},
    };
    for (const MonthStep &s : steps)
        EXPECT_EQ(stepMonths(s.from, s.months), s.expected)
            << s.from.toString(Qt::ISODate).toStdString() << " + " << s.months;
}

TEST(DateRules, StepsLeavingTheYearsOneTo9999AreRefused)
{
    const MonthStep refused[] = {
        {QDate(9999, 12, 15), 1, {}},
        {QDate(9999, 1, 1), 12, {}},
        {QDate(1, 1, 15), -1, {}},
        {QDate(1, 12, 31), -12, {}},
        {QDate(2013, 1, 1), INT_MAX, {}},
        {QDate(2013, 1, 1), INT_MIN, {}},
        {QDate(), 1, {}},
    };
    for (const MonthStep &s : refused) {
        try {
            stepMonths(s.from, s.months);
            ADD_FAILURE() << s.from.toString(Qt::ISODate).toStdString() << " + " << s.months;
        } catch (const TiravonError &e) {
            EXPECT_EQ(e.message(), QStringLiteral("La date doit être comprise entre le 01/01/0001 et le 31/12/9999"));
        }
    }
    EXPECT_THROW(stepDays(QDate(9999, 12, 31), 1), TiravonError);
    EXPECT_THROW(stepDays(QDate(1, 1, 1), -1), TiravonError);
    EXPECT_EQ(stepDays(QDate(2013, 2, 28), 1), QDate(2013, 3, 1));
    EXPECT_EQ(stepDays(QDate(2013, 1, 1), -1), QDate(2012, 12, 31));
}

TEST(DateRules, UpAndDownStepAMonthCtrlAYearShiftAndAltNothing)
{
    struct Case
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int months;
    };
    const Case cases[] = {
        {Qt::Key_Up, {}, 1},
        {Qt::Key_Down, {}, -1},
        {Qt::Key_Up, Qt::ControlModifier, 12},
        {Qt::Key_Down, Qt::ControlModifier, -12},
        {Qt::Key_Up, Qt::ShiftModifier, 1},
        {Qt::Key_Down, Qt::AltModifier, -1},   // then the calendar opens
        {Qt::Key_Up, Qt::ShiftModifier | Qt::ControlModifier, 12},
        {Qt::Key_Down, Qt::AltModifier | Qt::ControlModifier, -12},
        {Qt::Key_Up, Qt::KeypadModifier, 1},
        {Qt::Key_Left, {}, 0},
        {Qt::Key_PageUp, Qt::ControlModifier, 0},
        {Qt::Key_Plus, {}, 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(monthStepOfKey(c.key, c.modifiers), c.months) << c.key << " " << int(c.modifiers);
}

TEST(DateRules, SocialSecurityPrefixIsTwoThenYearAndMonth)
{
    EXPECT_EQ(socialSecurityPrefix(QDate(1955, 1, 15)), QStringLiteral("2 55 01"));
    EXPECT_EQ(socialSecurityPrefix(QDate(2001, 3, 3)), QStringLiteral("2 01 03"));
    EXPECT_EQ(socialSecurityPrefix(QDate(2000, 12, 31)), QStringLiteral("2 00 12"));
    EXPECT_EQ(socialSecurityPrefix(QDate(5, 10, 1)), QStringLiteral("2 05 10"));
    EXPECT_EQ(socialSecurityPrefix(QDate()), QStringLiteral(""));
}

TEST(DateRules, ParsesOnlyCompleteValidDayMonthYear)
{
    EXPECT_EQ(parseSheetDate(QStringLiteral("03/03/2001")), QDate(2001, 3, 3));
    EXPECT_EQ(parseSheetDate(QStringLiteral("29/02/2012")), QDate(2012, 2, 29));
    EXPECT_EQ(parseSheetDate(QStringLiteral("01/01/0001")), QDate(1, 1, 1));

    const char *invalid[] = {"31/02/2013", "29/02/2013", "00/01/2013", "01/13/2013",
                             "01/01/0000", "1/2/2013",   "12/03/20  ", "  /  /    ",
                             "",           "01-01-2013", "01/01/2013 ", "ab/cd/efgh",
                             " 1/01/2013", "+1/01/2013"};
    for (const char *text : invalid)
        EXPECT_FALSE(parseSheetDate(QString::fromUtf8(text)).isValid()) << text;
}

TEST(DateRules, FormatsDayMonthYearWithLeadingZeros)
{
    EXPECT_EQ(formatSheetDate(QDate(2001, 3, 3)), QStringLiteral("03/03/2001"));
    EXPECT_EQ(formatSheetDate(QDate(12, 11, 10)), QStringLiteral("10/11/0012"));
    EXPECT_EQ(formatSheetDate(QDate()), QStringLiteral(""));
    EXPECT_EQ(parseSheetDate(formatSheetDate(QDate(9999, 12, 31))), QDate(9999, 12, 31));
}

} // namespace

TEST(DateRules, ABoxTakesAStoredDateInItsOwnFormAndKeepsAnyOtherText)
{
    const struct
    {
        const char *stored;
        const char *shown;
    } cases[] = {
        {"15/01/1955", "15/01/1955"},    // the mask's own form
        {"12/03/    ", "12/03/    "},    // typed incompletely, kept as typed
        {"12/03/", "12/03/    "},        // the same, read back trimmed
        {"12/03/19", "12/03/19  "},
        {"31/02/2013", "31/02/2013"},    // fits the mask: kept, read as no date
        {"1/2/1955", "01/02/1955"},
        {"1.2.1955", "01/02/1955"},
        {"1955-01-15", "15/01/1955"},
        {" 1955/1/15 ", "15/01/1955"},
        {"", ""},
        {"inconnue", "inconnue"},        // no date: kept for the next saving
        {"1/2/55", "1/2/55"},            // a two-digit year is no sure date
        {"30/2/1955", "30/2/1955"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(dateBoxText(QString::fromUtf8(c.stored)), QString::fromUtf8(c.shown)) << c.stored;
}
