// The drop-down calculator of the base field: keys in, what it shows and the
// value it gives back.
#include "acts/PocketCalculator.h"
#include "QtPrinting.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

TEST(PocketCalculatorTest, KeysGiveTheDisplayAndTheValue)
{
    const QLocale french(QLocale::French, QLocale::France);
    struct Case { double start; const char *keys; const char *display; double value; };
    const Case cases[] = {
        {0, "", "0", 0},
        {41.8, "", "41,8", 41.8},                 // opens on the field's value
        {41.8, "*2=", "83,6", 83.6},              // an operation applies to it
        {0, "12,5", "12,5", 12.5},
        {0, "1,2,3", "1,23", 1.23},               // one separator only
        {0, "2+3*4=", "20", 20},                  // left to right
        {0, "10-+4=", "14", 14},                  // the last operation typed counts
        {0, "7/0=", "Erreur", 0},
        {0, "7/0=5", "Erreur", 0},                // only C leaves the error
        {0, "7/0=C5", "5", 5},
        {0, "123<", "12", 12},
        {0, "100000*100000=", "10000000000", 1e10},  // no thousands separator
        {0, "9+", "9", 9},
    };
    for (const Case &c : cases) {
        PocketCalculator calculator(c.start);
        for (const char *key = c.keys; *key; ++key)
            calculator.press(QLatin1Char(*key));
        EXPECT_EQ(calculator.display(french), QString::fromLatin1(c.display)) << c.keys;
        EXPECT_DOUBLE_EQ(calculator.value(), c.value) << c.keys;
    }
}

// The keyboard of the drop-down calculator and of amounts: the main keys and
// the keypad's, as a French or another keyboard gives them.
TEST(PocketCalculatorTest, KeyboardKeysStandForTheCalculatorsKeys)
{
    struct Case
    {
        const char *name;
        int key;
        const char *text;
        char calculator;   // 0: none
    };
    const Case cases[] = {
        {"digit", Qt::Key_7, "7", '7'},
        {"keypad digit", Qt::Key_0, "0", '0'},
        {"plus", Qt::Key_Plus, "+", '+'},
        {"minus", Qt::Key_Minus, "-", '-'},
        {"times", Qt::Key_Asterisk, "*", '*'},
        {"times sign", Qt::Key_multiply, "\u00d7", '*'},
        {"divided", Qt::Key_Slash, "/", '/'},
        {"divided sign", Qt::Key_division, "\u00f7", '/'},
        {"full stop", Qt::Key_Period, ".", ','},
        {"comma", Qt::Key_Comma, ",", ','},
        {"Enter", Qt::Key_Return, "\r", '='},
        {"keypad Enter", Qt::Key_Enter, "\r", '='},
        {"equals", Qt::Key_Equal, "=", '='},
        {"Backspace", Qt::Key_Backspace, "\b", '<'},
        {"Delete", Qt::Key_Delete, "", 'C'},
        {"C", Qt::Key_C, "c", 'C'},
        {"French keyboard's unshifted 1", Qt::Key_Ampersand, "&", 0},
        {"letter", Qt::Key_A, "a", 0},
        {"Escape", Qt::Key_Escape, "\x1b", 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(PocketCalculator::keyFor(c.key, QString::fromUtf8(c.text)),
                  c.calculator ? QChar(QLatin1Char(c.calculator)) : QChar())
            << c.name;

    struct Decimal
    {
        const char *name;
        int key;
        Qt::KeyboardModifiers modifiers;
        const char *text;
        bool decimal;
    };
    const Decimal decimals[] = {
        {"full stop", Qt::Key_Period, Qt::NoModifier, ".", true},
        {"shifted full stop (French)", Qt::Key_Period, Qt::ShiftModifier, ".", true},
        {"keypad key giving a full stop", Qt::Key_Period, Qt::KeypadModifier, ".", true},
        {"keypad key giving a comma", Qt::Key_Comma, Qt::KeypadModifier, ",", true},
        {"comma (the validator takes it)", Qt::Key_Comma, Qt::NoModifier, ",", false},
        {"digit", Qt::Key_5, Qt::NoModifier, "5", false},
        {"keypad digit", Qt::Key_5, Qt::KeypadModifier, "5", false},
        {"Ctrl with a full stop", Qt::Key_Period, Qt::ControlModifier, ".", false},
    };
    for (const Decimal &d : decimals)
        EXPECT_EQ(isDecimalKey(d.key, d.modifiers, QString::fromUtf8(d.text)), d.decimal) << d.name;
}

} // namespace
