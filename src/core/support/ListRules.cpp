#include "ListRules.h"

#include <QCollator>
#include <QLocale>

namespace {

// Upper-cases the letters a to z only.
QString foldAsciiLetters(const QString &text)
{
    QString folded = text;
    for (QChar &c : folded)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - ('a' - 'A'));
    return folded;
}

const QCollator &listCollator()
{
    static const QCollator collator = [] {
        QCollator c(QLocale(QLocale::French, QLocale::France));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator;
}

} // namespace

bool sameListEntry(const QString &a, const QString &b)
{
    return foldAsciiLetters(a) == foldAsciiLetters(b);
}

bool listOrderLess(const QString &a, const QString &b)
{
    const int order = listCollator().compare(a, b);
    if (order != 0)
        return order < 0;
    // Equal for the collator: keep a stable, deterministic order.
    return a < b;
}

bool isNewListEntry(const QStringList &entries, const QString &text)
{
    if (text.isEmpty())
        return false;
    for (const QString &entry : entries)
        if (sameListEntry(entry, text))
            return false;
    return true;
}
