#include "ListRules.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <vector>

namespace {

// Upper-cases the letters a to z only.
char16_t foldAsciiLetter(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? char16_t(c - (u'a' - u'A')) : c;
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
    if (a.size() != b.size())
        return false;
    const QChar *x = a.constData();
    const QChar *y = b.constData();
    for (qsizetype i = 0; i < a.size(); ++i)
        if (foldAsciiLetter(x[i].unicode()) != foldAsciiLetter(y[i].unicode()))
            return false;
    return true;
}

bool listOrderLess(const QString &a, const QString &b)
{
    const int order = listCollator().compare(a, b);
    if (order != 0)
        return order < 0;
    // Equal for the collator: keep a stable, deterministic order.
    return a < b;
}

QStringList sortedListEntries(const QStringList &entries)
{
    // A list the program saved is in its order already: one look along it
    // costs far less than a sorting.
    if (std::is_sorted(entries.cbegin(), entries.cend(), listOrderLess))
        return entries;
    // Each entry's collation key made once, rather than the collator asked
    // again at each of the n log n comparisons.
    struct Keyed
    {
        QCollatorSortKey key;
        const QString *text;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(size_t(entries.size()));
    for (const QString &entry : entries)
        keyed.push_back({listCollator().sortKey(entry), &entry});
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed &a, const Keyed &b) {
        const int order = a.key.compare(b.key);
        return order != 0 ? order < 0 : *a.text < *b.text;
    });
    QStringList sorted;
    sorted.reserve(entries.size());
    for (const Keyed &entry : keyed)
        sorted << *entry.text;
    return sorted;
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
