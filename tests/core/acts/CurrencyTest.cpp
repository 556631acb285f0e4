// Amounts as the total adds them: reading a tariff in the locale's format,
// the fixed-point sum, the two-decimal formatting.
#include "acts/Currency.h"
#include "support/TiravonError.h"

#include <QLocale>
#include <QStringList>
#include <gtest/gtest.h>
#include <limits>

namespace {

const QLocale kFrench(QLocale::French, QLocale::France);
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

QString rejection(const QString &text)
{
    return QStringLiteral("'%1' n'est pas une valeur en virgule flottante correcte").arg(text);
}

// The message of the error raised by the call, or "" when none is.
template <typename F>
QString errorOf(F &&call)
{
    try {
        call();
    } catch (const TiravonError &e) {
        return e.message();
    }
    return QString();
}

TEST(CurrencyTest, ReadsAmountsInTheLocalesFormatInTenThousandths)
{
    struct Case { const char *text; Currency amount; };
    const Case cases[] = {
        {"23", 230000},          {"0", 0},                 {"-5", -50000},
        {"+7", 70000},           {"12,5", 125000},         {"0,35", 3500},
        {",5", 5000},            {"5,", 50000},            {"-0,0001", -1},
        {"  12,50  ", 125000},   {"007", 70000},           {"1,5e2", 1500000},
        {"15E-1", 15000},        {"1e+3", 10000000},       {"2,5e-4", 3},
        {"1e00002", 1000000},    {"0e99999", 0},           {"5e-99999", 0},
        // More than four decimals: rounded to four, a tie away from zero.
        {"0,00004", 0},          {"0,00005", 1},           {"-0,00005", -1},
        {"1,23456", 12346},      {"1,234549", 12345},      {"0,99999", 10000},
        // The largest amount the type holds.
        {"922337203685477,5807", std::numeric_limits<Currency>::max()},
        {"-922337203685477,5807", -std::numeric_limits<Currency>::max()},
    };
    for (const Case &c : cases) {
        const QString text = QString::fromUtf8(c.text);
        Currency read = 0;
        EXPECT_EQ(errorOf([&] { read = textToCurrency(text, kFrench); }), QString()) << c.text;
        EXPECT_EQ(read, c.amount) << c.text;
    }
    // Under a locale whose decimal mark is a point, the point is the mark.
    EXPECT_EQ(textToCurrency(QStringLiteral("12.50"), kEnglish), 125000);
}

TEST(CurrencyTest, RejectsWhatIsNotAnAmountWithTheOffendingTextInTheMessage)
{
    const char *const texts[] = {
        "12.50",   // a full stop where the locale expects a comma
        " ",       // blanks only
        "   ",
        "abc",     // no digit at all
        ",",  "-", "+", "-,", "e5", ",e1",
        "12 €", "€12", "1 000", "12,5,0", "1,2.3", "--5", "+-5", "- 5",
        "5e", "5e+", "5x", "0x10", "1e99999",
        // Beyond the range of the type.
        "922337203685477,5808", "922337203685478", "99999999999999999999", "1e15",
        "-922337203685477,5808",
        // Rounding to four decimals would step over the range.
        "922337203685477,58075",
    };
    for (const char *t : texts) {
        const QString text = QString::fromUtf8(t);
        EXPECT_EQ(errorOf([&] { textToCurrency(text, kFrench); }), rejection(text)) << t;
    }
    EXPECT_EQ(errorOf([] { textToCurrency(QStringLiteral("12,50"), kEnglish); }), rejection(QStringLiteral("12,50")));
}

TEST(CurrencyTest, FormatsTwoDecimalsWithATieAtTheThirdAwayFromZero)
{
    struct Case { Currency amount; const char *shown; };
    const Case cases[] = {
        {280000, "28,00"},  {128500, "12,85"}, {0, "0,00"},      {-50000, "-5,00"},
        {123450, "12,35"},  {123449, "12,34"}, {-123450, "-12,35"}, {-123449, "-12,34"},
        {50, "0,01"},       {49, "0,00"},      {-49, "0,00"},    {99950, "10,00"},
        {123456789012340000, "12345678901234,00"},   // no thousands separator
        {std::numeric_limits<Currency>::max(), "922337203685477,58"},
        {std::numeric_limits<Currency>::min(), "-922337203685477,58"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(formatCurrency2(c.amount, kFrench), QString::fromUtf8(c.shown)) << c.amount;
    EXPECT_EQ(formatCurrency2(125000, kEnglish), QStringLiteral("12.50"));
}

TEST(CurrencyTest, TotalsAddTheTariffsWithoutBinaryRounding)
{
    struct Case { QStringList tariffs; const char *total; };
    const Case cases[] = {
        {{QStringLiteral("23"), QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("")}, "28,00"},
        {{QStringLiteral("12,5"), QStringLiteral("0,35"), QStringLiteral(""), QStringLiteral("")}, "12,85"},
        {{QStringLiteral(""), QStringLiteral(""), QStringLiteral(""), QStringLiteral("")}, "0,00"},
        {{QStringLiteral("-5"), QStringLiteral(""), QStringLiteral(""), QStringLiteral("")}, "-5,00"},
        // 0,1 + 0,2 is no exact binary sum: fixed-point gives 0,30.
        {{QStringLiteral("0,1"), QStringLiteral("0,2"), QStringLiteral(""), QStringLiteral("")}, "0,30"},
        // The tie is judged on the exact sum: 0,0025 + 0,0025 = 0,005 → 0,01.
        {{QStringLiteral("0,0025"), QStringLiteral("0,0025"), QStringLiteral(""), QStringLiteral("")}, "0,01"},
        {{QStringLiteral("1,005"), QStringLiteral(""), QStringLiteral(""), QStringLiteral("")}, "1,01"},
        {{QStringLiteral("-1,005"), QStringLiteral(""), QStringLiteral(""), QStringLiteral("")}, "-1,01"},
        {{QStringLiteral("10"), QStringLiteral("-2,5"), QStringLiteral("0,25"), QStringLiteral("-0,75")}, "7,00"},
        {{QStringLiteral("922337203685477,5807"), QStringLiteral("-1"), QStringLiteral(""), QStringLiteral("")}, "922337203685476,58"},
        // More than four decimals; a tie at the third goes away from zero.
        {{QStringLiteral("1,23456"), QStringLiteral(""), QStringLiteral(""), QStringLiteral("")}, "1,23"},
        {{QStringLiteral("0,005"), QStringLiteral(""), QStringLiteral(""), QStringLiteral("")}, "0,01"},
        {{QStringLiteral("-0,005"), QStringLiteral(""), QStringLiteral(""), QStringLiteral("")}, "-0,01"},
        {{QStringLiteral(" 7 "), QStringLiteral("0,1"), QStringLiteral("0,2"), QStringLiteral("")}, "7,30"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(totalOfTariffs(c.tariffs, kFrench), QString::fromUtf8(c.total)) << c.tariffs.join(QLatin1Char('|')).toStdString();
}

TEST(CurrencyTest, TotalStopsAtTheFirstBadTariffAndRejectsASumBeyondTheRange)
{
    struct Case { QStringList tariffs; const char *offending; };
    const Case cases[] = {
        {{QStringLiteral("23"), QStringLiteral("12.50"), QStringLiteral("abc"), QStringLiteral("")}, "12.50"},   // the later bad tariff is not read
        {{QStringLiteral(" "), QStringLiteral("3"), QStringLiteral(""), QStringLiteral("")}, " "},
        {{QStringLiteral("  "), QStringLiteral("3"), QStringLiteral(""), QStringLiteral("")}, "  "},
        {{QStringLiteral("23"), QStringLiteral(""), QStringLiteral(""), QStringLiteral("x")}, "x"},
        {{QStringLiteral(""), QStringLiteral(""), QStringLiteral(""), QStringLiteral("EUR")}, "EUR"},
        {{QStringLiteral("12 €"), QStringLiteral(""), QStringLiteral(""), QStringLiteral("")}, "12 €"},
        {{QStringLiteral("99999999999999999999"), QStringLiteral(""), QStringLiteral(""), QStringLiteral("")}, "99999999999999999999"},
        {{QStringLiteral("922337203685477"), QStringLiteral("1"), QStringLiteral(""), QStringLiteral("")}, "1"},
        {{QStringLiteral("-922337203685477"), QStringLiteral("-1"), QStringLiteral(""), QStringLiteral("")}, "-1"},
    };
    for (const Case &c : cases) {
        const QString offending = QString::fromUtf8(c.offending);
        EXPECT_EQ(errorOf([&] { totalOfTariffs(c.tariffs, kFrench); }), rejection(offending)) << c.offending;
    }
}

} // namespace
