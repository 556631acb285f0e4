// Amounts and totals: any text is an amount or the program's error; an amount
// written with two decimals reads back as itself rounded to the cent; a sum
// either is exact or raises the error.

#include "FuzzSupport.h"

#include "acts/Currency.h"
#include "support/TiravonError.h"

#include <QStringList>

namespace {

// Rounded to the cent, a tie away from zero (the amounts are in ten-thousandths).
Currency toCents(Currency amount)
{
    const Currency rest = amount % 100;
    Currency cents = amount - rest;
    if (rest >= 50)
        cents += 100;
    else if (rest <= -50)
        cents -= 100;
    return cents;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QLocale kLocales[] = {QLocale(QLocale::French, QLocale::France), QLocale::c()};
    FuzzedDataProvider input(data, size);
    const QLocale &locale = kLocales[input.ConsumeBool() ? 1 : 0];
    const QString text = textFrom(input, 48);

    try {
        const Currency amount = textToCurrency(text, locale);
        const Currency cents = toCents(amount);
        bool representable = true;
        if (amount > 0 && cents < amount - 100)
            representable = false;      // rounding went past the top of the range
        if (representable) {
            const QString written = formatCurrency2(amount, locale);
            FUZZ_CHECK(textToCurrency(written, locale) == cents);
        }
    } catch (const TiravonError &) {
    }

    const Currency a = input.ConsumeIntegral<Currency>();
    const Currency b = input.ConsumeIntegral<Currency>();
    Currency sum = 0;
    const bool overflows = __builtin_add_overflow(a, b, &sum);
    try {
        FUZZ_CHECK(addCurrency(a, b, text) == sum && !overflows);
    } catch (const TiravonError &) {
        FUZZ_CHECK(overflows);
    }

    QStringList tariffs;
    while (input.remaining_bytes() > 0 && tariffs.size() < 8)
        tariffs.append(textFrom(input, 16));
    try {
        (void)totalOfTariffs(tariffs, locale);
    } catch (const TiravonError &) {
    }
    return 0;
}
