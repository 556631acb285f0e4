#include "ListRules.h"

#include <algorithm>
#include <vector>

namespace {

// Upper-cases the letters a to z only.
char16_t foldAsciiLetter(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? char16_t(c - (u'a' - u'A')) : c;
}

// The order of the lists is the program's own, the same on every system
// (the systems' collations differ, and Wine's from Windows'): letters by
// their base letter without regard to case or accent (ligatures as their two
// letters), after digits, after punctuation and symbols, after blanks; then
// the accents, letter by letter; then the texts' characters themselves.
//
// A text's key: the weight of each base character, a zero, the accent
// weight of each; keys compare as bytes.

// Accents in the order of the common collation tables: acute before grave,
// and so on; any other mark after them, by its code.
quint32 accentWeight(char16_t mark)
{
    static const char16_t order[] = {0x0301, 0x0300, 0x0306, 0x0302, 0x030C, 0x030A,
                                     0x0308, 0x030B, 0x0303, 0x0307, 0x0327, 0x0328, 0x0304};
    for (size_t i = 0; i < sizeof order / sizeof order[0]; ++i)
        if (order[i] == mark)
            return quint32(i + 1);
    return 0x100u + mark;
}

quint32 baseWeight(char32_t c)
{
    const QChar::Category category = QChar::category(c);
    if (QChar::isSpace(c))
        return 0x100;
    if (category == QChar::Number_DecimalDigit)
        return 0x20000 + quint32(QChar::digitValue(c));
    if (QChar::isLetter(c) || category == QChar::Number_Letter || category == QChar::Number_Other)
        return 0x30000 + QChar::toUpper(c);
    // Punctuation and symbols, by their code.
    return 0x200 + c;
}

void appendWeight(QByteArray &key, quint32 weight)
{
    key.append(char((weight >> 16) & 0xFF));
    key.append(char((weight >> 8) & 0xFF));
    key.append(char(weight & 0xFF));
}

// The base characters and the accent of each, ligatures spelled out.
void appendCharacter(char32_t c, QByteArray &bases, QByteArray &accents)
{
    auto add = [&](char32_t base, quint32 accent) {
        appendWeight(bases, baseWeight(base));
        appendWeight(accents, accent);
    };
    switch (c) {
    case U'Œ': case U'œ': add(U'O', 0); add(U'E', 0); return;
    case U'Æ': case U'æ': add(U'A', 0); add(U'E', 0); return;
    case U'ß': add(U'S', 0); add(U'S', 0); return;
    default: break;
    }
    if (c < 0x80 || QChar::decompositionTag(c) != QChar::Canonical) {
        // A lone combining mark adds its accent to the character before it.
        if (QChar::category(c) == QChar::Mark_NonSpacing && !accents.isEmpty()) {
            const int last = int(accents.size()) - 3;
            const quint32 before = (quint32(uchar(accents[last])) << 16) | (quint32(uchar(accents[last + 1])) << 8)
                                   | uchar(accents[last + 2]);
            accents.chop(3);
            appendWeight(accents, qMin<quint32>(0xFFFFFF, before * 32 + accentWeight(char16_t(c))));
            return;
        }
        add(c, 0);
        return;
    }
    // A letter with its accents written as one character: its canonical
    // decomposition, the base letter first.
    const QString parts = QChar::decomposition(c);
    const QList<uint> codes = parts.toUcs4();
    char32_t base = codes.isEmpty() ? c : char32_t(codes.first());
    quint32 accent = 0;
    for (qsizetype i = 1; i < codes.size(); ++i)
        accent = accent * 32 + accentWeight(char16_t(codes.at(i)));
    // A base that decomposes again (ǘ: ü then the acute) is taken apart too.
    while (QChar::decompositionTag(base) == QChar::Canonical) {
        const QList<uint> inner = QChar::decomposition(base).toUcs4();
        if (inner.isEmpty())
            break;
        base = char32_t(inner.first());
        for (qsizetype i = 1; i < inner.size(); ++i)
            accent = accent * 32 + accentWeight(char16_t(inner.at(i)));
    }
    add(base, qMin<quint32>(0xFFFFFF, accent));
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

QByteArray listOrderKey(const QString &text)
{
    // The bases, then the accents, in one array; the accents gather in a
    // buffer kept from one key to the next (a list makes one key per entry).
    QByteArray bases;
    static thread_local QByteArray accents;
    accents.resize(0);
    bases.reserve(text.size() * 6 + 3);
    accents.reserve(text.size() * 3);
    const char16_t *chars = reinterpret_cast<const char16_t *>(text.utf16());
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        char32_t c = chars[i];
        if (QChar::isHighSurrogate(c) && i + 1 < size && QChar::isLowSurrogate(chars[i + 1]))
            c = QChar::surrogateToUcs4(char16_t(c), chars[++i]);
        appendCharacter(c, bases, accents);
    }
    appendWeight(bases, 0);
    bases.append(accents);
    return bases;
}

bool listOrderLess(const QString &a, const QString &b)
{
    const int order = listOrderKey(a).compare(listOrderKey(b));
    if (order != 0)
        return order < 0;
    // The same letters and accents: the characters decide, so that the
    // order is the same whatever the order of the entries before sorting.
    return a < b;
}

QStringList sortedListEntries(const QStringList &entries)
{
    // A list the program saved is in its order already: one look along it,
    // each entry's key made once, costs far less than a sorting.
    bool inOrder = true;
    QByteArray previous;
    for (qsizetype i = 0; i < entries.size() && inOrder; ++i) {
        QByteArray key = listOrderKey(entries.at(i));
        if (i > 0) {
            const int order = previous.compare(key);
            inOrder = order < 0 || (order == 0 && !(entries.at(i) < entries.at(i - 1)));
        }
        previous = std::move(key);
    }
    if (inOrder)
        return entries;
    // Each entry's collation key made once, rather than the collator asked
    // again at each of the n log n comparisons.
    struct Keyed
    {
        QByteArray key;
        const QString *text;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(size_t(entries.size()));
    for (const QString &entry : entries)
        keyed.push_back({listOrderKey(entry), &entry});
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
