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

} // namespace
