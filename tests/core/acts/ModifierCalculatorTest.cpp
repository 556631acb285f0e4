// The modifier calculator's arithmetic: single-precision rates added, amounts
// in ten-thousandths with ties to even, and the display rules.
#include "acts/ModifierCalculator.h"
#include "QtPrinting.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

const QLocale kFrench(QLocale::French, QLocale::France);

QString shown(const std::optional<QString> &text)
{
    return text ? *text : QStringLiteral("<not written>");
}

TEST(ModifierCalculatorTest, TheWorkedTableComesOutExactly)
{
    struct Row { double base; Modifier first, second; const char *rate, *firstStep, *compounded, *jo2012, *difference; };
    const Row rows[] = {
        {23, Modifier::O, Modifier::Effacer, "0,3%", "23,07", "23,14", "23,14", "0"},
        {28, Modifier::Nine, Modifier::I, "6,5%", "29,82", "31,76", "31,64", "0,12"},
        {41.8, Modifier::X, Modifier::X, "16%", "48,49", "56,25", "55,18", "1,07"},   // the same one twice
        {69.12, Modifier::K, Modifier::X, "19,5%", "82,6", "98,71", "96,08", "2,63"},
        {23, Modifier::Effacer, Modifier::Effacer, "0%", "23", "23", "23", "0"},
        // Without modifiers every result is the base at two decimals.
        {12.345, Modifier::Effacer, Modifier::Effacer, "0%", "12,34", "12,34", "12,34", "0"},
        {12.355, Modifier::Effacer, Modifier::Effacer, "0%", "12,36", "12,36", "12,36", "0"},
        {0, Modifier::K, Modifier::K, "23%", "0", "0", "0", "0"},
        {-10, Modifier::X, Modifier::Effacer, "8%", "-10,8", "-11,66", "-11,6", "-0,06"},
    };
    for (const Row &r : rows) {
        const ModifierResults results = computeModifiers(r.base, modifierRate(r.first), modifierRate(r.second), kFrench);
        EXPECT_EQ(results.error, QString()) << r.base;
        EXPECT_EQ(shown(results.rate), QString::fromLatin1(r.rate)) << r.base;
        EXPECT_EQ(shown(results.firstStep), QString::fromLatin1(r.firstStep)) << r.base;
        EXPECT_EQ(shown(results.compounded), QString::fromLatin1(r.compounded)) << r.base;
        EXPECT_EQ(shown(results.jo2012), QString::fromLatin1(r.jo2012)) << r.base;
        EXPECT_EQ(shown(results.difference), QString::fromLatin1(r.difference)) << r.base;
    }
}

TEST(ModifierCalculatorTest, ABaseBeyondTheFixedPointRangeStopsWithAnErrorKeepingWhatWasWritten)
{
    const QString invalid = QStringLiteral("Opération en virgule flottante incorrecte");
    // Beyond the range at once: nothing written.
    ModifierResults results = computeModifiers(1e15, 8.0f, 8.0f, kFrench);
    EXPECT_EQ(results.error, invalid);
    EXPECT_FALSE(results.rate);
    // The base fits, the first-step tariff does not: only the rate is written.
    results = computeModifiers(9e14, 8.0f, 8.0f, kFrench);
    EXPECT_EQ(results.error, invalid);
    EXPECT_EQ(shown(results.rate), QStringLiteral("16%"));
    EXPECT_FALSE(results.firstStep);
    // Not a number at all.
    EXPECT_EQ(computeModifiers(std::numeric_limits<double>::infinity(), 0, 0, kFrench).error, invalid);
    // The largest base that fits goes through.
    EXPECT_EQ(computeModifiers(9e14, 0.0f, 0.0f, kFrench).error, QString());
}

TEST(ModifierCalculatorTest, AmountsShowWithoutTrailingZerosAndTheLocalesSeparator)
{
    struct Case { qint64 hundredths; const char *french; const char *english; };
    const Case cases[] = {
        {8260, "82,6", "82.6"}, {2300, "23", "23"}, {0, "0", "0"}, {5, "0,05", "0.05"},
        {-1, "-0,01", "-0.01"}, {123456789012, "1234567890,12", "1234567890.12"},
    };
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    for (const Case &c : cases) {
        EXPECT_EQ(formatHundredths(c.hundredths, kFrench), QString::fromLatin1(c.french));
        EXPECT_EQ(formatHundredths(c.hundredths, english), QString::fromLatin1(c.english));
    }
    EXPECT_EQ(formatGeneralCurrency(12345, kFrench), QStringLiteral("1,2345"));
    EXPECT_EQ(formatGeneralCurrency(12000, kFrench), QStringLiteral("1,2"));
}

} // namespace
