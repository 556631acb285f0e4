#pragma once

#include <QLocale>
#include <QString>

// Whether a key typed into an amount is its decimal separator: the full stop
// and the keypad's decimal key, whatever character the keyboard gives for it
// (a French system gives a comma or a full stop), as Windows programs take
// them.
bool isDecimalKey(int key, Qt::KeyboardModifiers modifiers, const QString &text);

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

    // The calculator key a keyboard key stands for, or a null character:
    // the digits, the four operations of the main keys and of the keypad
    // (× and ÷ too), the decimal key (full stop, comma or the keypad's), Enter
    // and "=" for the result, Backspace for the last digit, Delete and C to
    // clear.
    static QChar keyFor(int key, const QString &text);

private:
    double entryValue() const;
    void applyPending();

    double m_accumulator = 0;
    QString m_entry;            // digits and '.', empty when none is typed
    QChar m_pending;            // the operation waiting for its second operand
    bool m_error = false;
};
