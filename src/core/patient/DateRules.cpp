#include "DateRules.h"

#include "support/TiravonError.h"

namespace {

constexpr int FirstYear = 1;
constexpr int LastYear = 9999;

bool inRange(const QDate &date)
{
    return date.isValid() && date.year() >= FirstYear && date.year() <= LastYear;
}

void requireInRange(const QDate &date)
{
    if (!inRange(date))
        throw TiravonError(dateOutOfRangeMessage());
}

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

// The number made of the digits text[from, from + count), or -1 when any of
// them is not a digit 0 to 9.
int digitsAt(const QString &text, int from, int count)
{
    int value = 0;
    for (int i = from; i < from + count; ++i) {
        const QChar c = text.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

} // namespace

QString dateOutOfRangeMessage()
{
    return QStringLiteral("La date doit être comprise entre le 01/01/0001 et le 31/12/9999");
}

QDate stepMonths(const QDate &date, int months)
{
    requireInRange(date);
    // Months counted from January of year 0; the years stay positive here, so
    // the missing year 0 of the calendar never comes into play.
    const qint64 total = qint64(date.year()) * 12 + (date.month() - 1) + months;
    const qint64 year = total / 12;
    if (total < 0 || year < FirstYear || year > LastYear)
        throw TiravonError(dateOutOfRangeMessage());
    const int month = int(total % 12) + 1;
    const int lastDay = QDate(int(year), month, 1).daysInMonth();
    return QDate(int(year), month, qMin(date.day(), lastDay));
}

int monthStepOfKey(int key, Qt::KeyboardModifiers modifiers)
{
    int step = 0;
    if (key == Qt::Key_Up)
        step = 1;
    else if (key == Qt::Key_Down)
        step = -1;
    return modifiers & Qt::ControlModifier ? step * 12 : step;
}

QDate stepDays(const QDate &date, int days)
{
    requireInRange(date);
    const QDate result = date.addDays(days);
    requireInRange(result);
    return result;
}

QString socialSecurityPrefix(const QDate &date)
{
    if (!date.isValid())
        return QString();
    return QStringLiteral("2 ") + twoDigits(qAbs(date.year()) % 100) + QLatin1Char(' ')
           + twoDigits(date.month());
}

QDate parseSheetDate(const QString &text)
{
    if (text.size() != 10 || text.at(2) != QLatin1Char('/') || text.at(5) != QLatin1Char('/'))
        return QDate();
    const int day = digitsAt(text, 0, 2);
    const int month = digitsAt(text, 3, 2);
    const int year = digitsAt(text, 6, 4);
    if (day < 0 || month < 0 || year < FirstYear)
        return QDate();
    return QDate(year, month, day);   // invalid when the day or month is impossible
}

QString formatSheetDate(const QDate &date)
{
    if (!date.isValid())
        return QString();
    return twoDigits(date.day()) + QLatin1Char('/') + twoDigits(date.month()) + QLatin1Char('/')
           + QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
}

bool fitsDateMask(const QString &text)
{
    if (text.size() != 10)
        return false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (i == 2 || i == 5) {
            if (c != QLatin1Char('/'))
                return false;
        } else if (!c.isDigit() && c != QLatin1Char(' ')) {
            return false;
        }
    }
    return true;
}

QString dateBoxText(const QString &text)
{
    if (text.isEmpty() || fitsDateMask(text))
        return text;
    // A date typed incompletely comes back from the file without the
    // mask's trailing blanks.
    if (text.size() < 10 && fitsDateMask(text.leftJustified(10, QLatin1Char(' '))))
        return text.leftJustified(10, QLatin1Char(' '));
    const QString trimmed = text.trimmed();
    for (const char *format : {"d/M/yyyy", "d.M.yyyy", "d-M-yyyy", "yyyy-M-d", "yyyy/M/d"}) {
        const QDate date = QDate::fromString(trimmed, QString::fromLatin1(format));
        if (date.isValid())
            return formatSheetDate(date);
    }
    return text;
}
