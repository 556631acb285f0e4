#pragma once

// The modifier calculator's arithmetic: what a CCAM tariff becomes under the
// tariff steps of 01/07/2013 and 01/03/2014 when one or two modifiers apply.
// Rates are single-precision percentages that add up (they do not compound);
// amounts are whole ten-thousandths of a euro, rounded to the nearest with
// ties to the even one, products taken in extended precision.

#include <QLocale>
#include <QString>
#include <optional>

enum class Modifier { Effacer, O, Nine, I, X, K };

// The rate of a modifier in percent: 0, 0.3, 1.9, 4.6, 8, 11.5.
float modifierRate(Modifier modifier);

// The texts of the result fields. A computation stopped by an error keeps the
// texts written before it; the fields after it are not written (no value).
struct ModifierResults
{
    std::optional<QString> rate;          // "Augmentation", with its "%"
    std::optional<QString> firstStep;     // 01/07/2013
    std::optional<QString> compounded;    // 01/03/2014, the rate applied twice
    std::optional<QString> jo2012;        // "JO 2012", the first increase added twice
    std::optional<QString> difference;    // compounded minus "JO 2012"
    QString error;                        // empty when it went through
};

// The computation for a base tariff in euros and the two current rates.
// A base beyond the fixed-point range stops it with "Opération en virgule
// flottante incorrecte".
ModifierResults computeModifiers(double base, float firstRate, float secondRate,
                                 const QLocale &locale = QLocale());

// The general number format on a value in hundredths: no trailing zeros, the
// locale's decimal separator, no thousands separator ("82,6", "23", "0").
QString formatHundredths(qint64 hundredths, const QLocale &locale = QLocale());
// The same on a currency value in ten-thousandths (at most four decimals).
QString formatGeneralCurrency(qint64 tenThousandths, const QLocale &locale = QLocale());
