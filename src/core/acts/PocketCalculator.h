#pragma once

#include <QLocale>
#include <QString>

// The small calculator that drops down from the calculator's base field:
// digits and a decimal separator make the entry, the four operations are
// applied from left to right, "=" gives the result. Keys: '0'-'9', ',' (or
// '.'), '+', '-', '*', '/', '=', 'C' (clear), '<' (last digit off).
class PocketCalculator
{
public:
    explicit PocketCalculator(double start = 0);

    void press(QChar key);

    // What the calculator shows: the entry being typed, else the result
    // (general format, the locale's separator), or "Erreur" after a division
    // by zero.
    QString display(const QLocale &locale = QLocale()) const;
    // The value shown; 0 after an error.
    double value() const;

private:
    double entryValue() const;
    void applyPending();

    double m_accumulator = 0;
    QString m_entry;            // digits and '.', empty when none is typed
    QChar m_pending;            // the operation waiting for its second operand
    bool m_error = false;
};
