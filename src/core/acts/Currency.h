#pragma once

#include <QLocale>
#include <QString>

// Amounts as the program adds them: fixed-point values in ten-thousandths of
// a euro (four decimals), so that no binary floating point enters a sum.
using Currency = qint64;

// Reads an amount typed in the locale's number format: an optional sign,
// digits, and the locale's decimal separator followed by digits (blanks
// around it and an exponent are accepted). More than four decimals are
// rounded to four. Raises "'%s' n'est pas une valeur en virgule flottante
// correcte" for anything else, a text without any digit, or an amount
// beyond the range of the type.
Currency textToCurrency(const QString &text, const QLocale &locale = QLocale());

// Adds two amounts; raises the same error on overflow.
Currency addCurrency(Currency a, Currency b, const QString &offending);

// "%0.2f": exactly two decimals (a tie at the third decimal rounded away
// from zero), the locale's decimal separator, no thousands separator, a
// leading "-" for a negative amount.
QString formatCurrency2(Currency amount, const QLocale &locale = QLocale());

// The total of the tariff texts; an empty text counts as nothing. Stops at
// the first text that is not an amount.
QString totalOfTariffs(const QStringList &tariffs, const QLocale &locale = QLocale());
