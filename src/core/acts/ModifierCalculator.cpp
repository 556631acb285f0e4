#include "ModifierCalculator.h"

#include "Currency.h"
#include "support/TiravonError.h"

#include <cfenv>
#include <cmath>

namespace {

QString invalidOperation()
{
    return QStringLiteral("Opération en virgule flottante incorrecte");
}

// Rounds an extended value to a whole number, ties to the even one; false
// when it is not a number or beyond the range of the fixed-point type.
bool roundToFixed(long double value, qint64 *out)
{
    // 2^63: the first value that no longer fits.
    const long double limit = 9223372036854775808.0L;
    if (!std::isfinite(value))
        return false;
    const long double rounded = std::nearbyint(value);
    if (rounded >= limit || rounded < -limit)
        return false;
    *out = qint64(rounded);
    return true;
}

// Ten-thousandths rounded to hundredths, ties to the even one, exactly.
qint64 toHundredths(qint64 tenThousandths)
{
    qint64 quotient = tenThousandths / 100;
    qint64 remainder = tenThousandths % 100;
    if (remainder < 0) {
        remainder += 100;
        --quotient;
    }
    if (remainder > 50 || (remainder == 50 && (quotient % 2 != 0)))
        ++quotient;
    return quotient;
}

QString formatScaled(qint64 value, int decimals, const QLocale &locale)
{
    qint64 scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    const bool negative = value < 0;
    const quint64 magnitude = negative ? quint64(-(value + 1)) + 1 : quint64(value);
    QString text = QString::number(magnitude / quint64(scale));
    QString fraction = QStringLiteral("%1").arg(magnitude % quint64(scale), decimals, 10, QLatin1Char('0'));
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    if (!fraction.isEmpty())
        text += locale.decimalPoint() + fraction;
    return negative ? QLatin1Char('-') + text : text;
}

} // namespace

float modifierRate(Modifier modifier)
{
    switch (modifier) {
    case Modifier::Effacer: return 0.0f;
    case Modifier::O: return 0.3f;
    case Modifier::Nine: return 1.9f;
    case Modifier::I: return 4.6f;
    case Modifier::X: return 8.0f;
    case Modifier::K: return 11.5f;
    }
    return 0.0f;
}

QString formatHundredths(qint64 hundredths, const QLocale &locale)
{
    return formatScaled(hundredths, 2, locale);
}

QString formatGeneralCurrency(qint64 tenThousandths, const QLocale &locale)
{
    return formatScaled(tenThousandths, 4, locale);
}

ModifierResults computeModifiers(double base, float firstRate, float secondRate, const QLocale &locale)
{
    // Ties to even is the default rounding of the floating-point unit; make
    // sure of it for nearbyint.
    const int previousRounding = std::fegetround();
    std::fesetround(FE_TONEAREST);
    struct Restore { int mode; ~Restore() { std::fesetround(mode); } } restore{previousRounding};

    ModifierResults results;
    auto stop = [&results] {
        results.error = invalidOperation();
        return results;
    };

    qint64 c0 = 0;
    if (!roundToFixed(static_cast<long double>(base) * 10000.0L, &c0))
        return stop();
    const float rate = firstRate + secondRate;
    const long double t = rate;
    qint64 increase = 0;
    if (!roundToFixed(static_cast<long double>(c0) * t / 100.0L, &increase))
        return stop();

    qint64 rateHundredths = 0;
    roundToFixed(t * 100.0L, &rateHundredths);
    results.rate = formatHundredths(rateHundredths, locale) + QLatin1Char('%');

    qint64 c1 = 0;
    if (!roundToFixed(static_cast<long double>(c0) + static_cast<long double>(increase), &c1))
        return stop();
    results.firstStep = formatHundredths(toHundredths(c1), locale);

    qint64 c2 = 0;
    if (!roundToFixed(static_cast<long double>(c1) * t / 100.0L + static_cast<long double>(c1), &c2))
        return stop();
    results.compounded = formatHundredths(toHundredths(c2), locale);

    qint64 c3 = 0;
    if (!roundToFixed(static_cast<long double>(c0) + 2.0L * static_cast<long double>(increase), &c3))
        return stop();
    results.jo2012 = formatHundredths(toHundredths(c3), locale);

    // The two texts shown are read back as amounts and subtracted.
    const Currency compounded = textToCurrency(*results.compounded, locale);
    const Currency jo2012 = textToCurrency(*results.jo2012, locale);
    results.difference = formatGeneralCurrency(compounded - jo2012, locale);
    return results;
}
