#include "Currency.h"

#include "support/TiravonError.h"

#include <QStringList>
#include <limits>

namespace {

const qint64 kScale = 10000;

[[noreturn]] void reject(const QString &text)
{
    throw TiravonError(Messages::notAFloat(text));
}

// Multiplies by ten and adds a digit, refusing to overflow.
bool pushDigit(quint64 &value, int digit)
{
    const quint64 limit = quint64(std::numeric_limits<qint64>::max());
    if (value > (limit - quint64(digit)) / 10)
        return false;
    value = value * 10 + quint64(digit);
    return true;
}

} // namespace

Currency textToCurrency(const QString &text, const QLocale &locale)
{
    const QString s = text.trimmed();
    const QString separator = locale.decimalPoint();
    int i = 0;
    bool negative = false;
    if (i < s.size() && (s.at(i) == QLatin1Char('+') || s.at(i) == QLatin1Char('-'))) {
        negative = s.at(i) == QLatin1Char('-');
        ++i;
    }

    // The digits, kept whole; the exponent moves the decimal point.
    QString digits;
    int decimals = 0;
    bool seenSeparator = false;
    while (i < s.size()) {
        const QChar c = s.at(i);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            digits.append(c);
            if (seenSeparator)
                ++decimals;
            ++i;
        } else if (!seenSeparator && s.mid(i, separator.size()) == separator) {
            seenSeparator = true;
            i += int(separator.size());
        } else {
            break;
        }
    }
    if (digits.isEmpty())
        reject(text);
    int exponent = 0;
    if (i < s.size() && (s.at(i) == QLatin1Char('e') || s.at(i) == QLatin1Char('E'))) {
        ++i;
        bool negativeExponent = false;
        if (i < s.size() && (s.at(i) == QLatin1Char('+') || s.at(i) == QLatin1Char('-'))) {
            negativeExponent = s.at(i) == QLatin1Char('-');
            ++i;
        }
        // Every digit of the exponent is read; beyond a few thousand the
        // amount is zero or out of range anyway.
        const int start = i;
        while (i < s.size() && s.at(i) >= QLatin1Char('0') && s.at(i) <= QLatin1Char('9')) {
            if (exponent < 10000)
                exponent = exponent * 10 + (s.at(i).unicode() - '0');
            ++i;
        }
        if (i == start)
            reject(text);
        if (negativeExponent)
            exponent = -exponent;
    }
    if (i != s.size())
        reject(text);

    // value = digits × 10^(exponent − decimals), wanted in ten-thousandths:
    // keep the digits that remain whole, round on the first one dropped.
    const int shift = 4 + exponent - decimals;
    const int keep = shift >= 0 ? int(digits.size()) : int(digits.size()) + shift;
    quint64 value = 0;
    for (int k = 0; k < keep; ++k)
        if (!pushDigit(value, digits.at(k).unicode() - '0'))
            reject(text);
    for (int k = 0; k < shift; ++k)
        if (!pushDigit(value, 0))
            reject(text);
    if (keep >= 0 && keep < digits.size() && digits.at(keep) >= QLatin1Char('5')) {
        if (value == quint64(std::numeric_limits<qint64>::max()))
            reject(text);
        ++value;
    }
    return negative ? -qint64(value) : qint64(value);
}

Currency addCurrency(Currency a, Currency b, const QString &offending)
{
    const Currency max = std::numeric_limits<Currency>::max();
    const Currency min = std::numeric_limits<Currency>::min();
    if ((b > 0 && a > max - b) || (b < 0 && a < min - b))
        reject(offending);
    return a + b;
}

QString formatCurrency2(Currency amount, const QLocale &locale)
{
    const bool negative = amount < 0;
    quint64 magnitude = negative ? quint64(-(amount + 1)) + 1 : quint64(amount);
    // Two decimals: hundredths, a tie at the third decimal away from zero.
    quint64 cents = magnitude / 100;
    if (magnitude % 100 >= 50)
        ++cents;
    const QString text = QStringLiteral("%1%2%3")
                             .arg(cents / 100)
                             .arg(locale.decimalPoint())
                             .arg(cents % 100, 2, 10, QLatin1Char('0'));
    return negative && cents != 0 ? QLatin1Char('-') + text : text;
}

QString totalOfTariffs(const QStringList &tariffs, const QLocale &locale)
{
    Currency sum = 0;
    for (const QString &tariff : tariffs) {
        if (tariff.isEmpty())
            continue;
        sum = addCurrency(sum, textToCurrency(tariff, locale), tariff);
    }
    return formatCurrency2(sum, locale);
}
