#pragma once

#include <QDate>
#include <Qt>
#include <QString>

// The rules of the date fields, without any widget: month and day steps, the
// text form "dd/mm/yyyy" of a date, and the start of a social-security number
// made from a date of birth.

// The message of a step that would leave the years 1 to 9999.
QString dateOutOfRangeMessage();

// The date moved by a number of months: the year and month change by the step,
// the day stays, or becomes the last day of a shorter month (31/01/2013 + 1
// gives 28/02/2013). Raises TiravonError when the date or the result lies
// outside the years 1 to 9999.
QDate stepMonths(const QDate &date, int months);

// The months a key steps a date field by: Up one month forward, Down one
// back, twelve with Ctrl; Shift and Alt change nothing. 0 for any other key.
int monthStepOfKey(int key, Qt::KeyboardModifiers modifiers);

// The date moved by a number of days; raises TiravonError as stepMonths does.
QDate stepDays(const QDate &date, int days);

// "2 y mm": the digit 2, a blank, the year modulo 100 on two digits, a blank,
// the month on two digits (15/01/1955 gives "2 55 01"). Empty for an invalid date.
QString socialSecurityPrefix(const QDate &date);

// Reads "dd/mm/yyyy", every digit at its place; anything else, an impossible
// day (31/02/2013) included, gives an invalid date.
QDate parseSheetDate(const QString &text);

// Writes "dd/mm/yyyy"; empty for an invalid date.
QString formatSheetDate(const QDate &date);

// True when the text fits the mask "99/99/9999": a digit or a blank at each
// digit place and "/" at the third and sixth places.
bool fitsDateMask(const QString &text);

// A date as a date box takes it from a file or another program: a text that
// fits the mask stays as it is (the settings store's trimmed trailing blanks
// put back); a text that reads as a date in another usual
// form (1/2/1955, 1.2.1955, 1955-02-01) becomes dd/mm/yyyy; any other text
// is kept as it is, so that it is saved back unchanged.
QString dateBoxText(const QString &text);
