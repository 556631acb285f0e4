// Dates and their keys: a text that reads as a date writes back as itself; the
// text a date box keeps is stable; steps stay in the years 1 to 9999 or raise
// the program's error.

#include "FuzzSupport.h"

#include "patient/DateRules.h"
#include "support/TiravonError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const QString text = textFrom(input, 24);

    const QDate date = parseSheetDate(text);
    if (date.isValid()) {
        FUZZ_CHECK(formatSheetDate(date) == text);
        FUZZ_CHECK(fitsDateMask(text));
        FUZZ_CHECK(socialSecurityPrefix(date).size() == 7);
    }
    const QString boxed = dateBoxText(text);
    FUZZ_CHECK(dateBoxText(boxed) == boxed);

    const int key = input.ConsumeIntegral<int>();
    const auto modifiers = Qt::KeyboardModifiers(input.ConsumeIntegral<int>());
    const int months = monthStepOfKey(key, modifiers);
    FUZZ_CHECK(months == 0 || months == 1 || months == -1 || months == 12 || months == -12);

    const QDate start = QDate::fromJulianDay(input.ConsumeIntegralInRange<qint64>(-1000000, 6000000));
    const int step = input.ConsumeIntegral<int>();
    for (int byMonths = 0; byMonths < 2; ++byMonths) {
        try {
            const QDate moved = byMonths ? stepMonths(start, step) : stepDays(start, step);
            FUZZ_CHECK(moved.isValid() && moved.year() >= 1 && moved.year() <= 9999);
        } catch (const TiravonError &) {
        }
    }
    return 0;
}
