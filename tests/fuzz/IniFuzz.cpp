// The INI reader and writer: any text reads and writes back unchanged; writing
// a key then reading it gives the value written, and every other line stays as
// it was, in its place.

#include "FuzzSupport.h"

#include "support/CodePage.h"
#include "support/IniFile.h"

#include <QStringList>

namespace {

// The line texts of a document, split as the reader splits them.
QStringList lineTexts(const QString &text)
{
    QStringList lines;
    int start = 0;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('\r') && text.at(i) != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start));
        if (text.at(i) == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

bool hasLineBreak(const QString &text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

// A name the program could write: one line, no blanks around it, and for a key
// no "=" and no "[" in front (it would read as a header).
bool usableSection(const QString &name)
{
    return !name.isEmpty() && name == name.trimmed() && !hasLineBreak(name) && !name.contains(QLatin1Char(']'));
}

bool usableKey(const QString &name)
{
    return !name.isEmpty() && name == name.trimmed() && !hasLineBreak(name) &&
           !name.contains(QLatin1Char('=')) && !name.startsWith(QLatin1Char('['));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const QString section = textFrom(input, 24);
    const QString key = textFrom(input, 24);
    const QString value = textFrom(input, 64);
    const std::string rest = input.ConsumeRemainingBytesAsString();
    const QString text = decodeWindows1252(QByteArray(rest.data(), qsizetype(rest.size())));

    IniDocument document = IniDocument::parse(text);
    FUZZ_CHECK(document.toText() == text);
    (void)document.value(section, key);
    (void)profileValue(text);

    // Writes made to one document read once, as a saving session makes them,
    // leave the text, and read back the values, that each write made to the
    // file read afresh leaves; whatever the names, usable or not.
    {
        IniDocument kept = IniDocument::parse(text);
        QString oneByOne = text;
        const QString names[][2] = {{section, key}, {key, section}, {section, value.left(8)}};
        for (const auto &name : names) {
            kept.setValue(name[0], name[1], value);
            IniDocument fresh = IniDocument::parse(oneByOne);
            fresh.setValue(name[0], name[1], value);
            oneByOne = fresh.toText();
            FUZZ_CHECK(kept.toText() == oneByOne);
            const IniDocument reread = IniDocument::parse(oneByOne);
            FUZZ_CHECK(kept.value(name[0], name[1]) == reread.value(name[0], name[1]));
            FUZZ_CHECK(kept.value(name[1], name[0]) == reread.value(name[1], name[0]));
        }
    }

    if (!usableSection(section) || !usableKey(key))
        return 0;

    const QStringList before = lineTexts(text);
    document.setValue(section, key, value);
    const QString written = document.toText();
    QString expected = value;
    expected.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    expected.replace(QLatin1Char('\r'), QLatin1Char(' '));
    expected.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const auto readBack = IniDocument::parse(written).value(section, key);
    FUZZ_CHECK(readBack && *readBack == expected.trimmed());

    // The other lines: the same texts in the same order, at most one changed
    // (the key's own line) or one or two added (the key, its section).
    const QStringList after = lineTexts(written);
    const qsizetype added = after.size() - before.size();
    FUZZ_CHECK(added >= 0 && added <= 2);
    qsizetype i = 0, j = 0, changed = 0;
    while (i < before.size() && j < after.size()) {
        if (before.at(i) == after.at(j)) {
            ++i;
            ++j;
        } else if (added == 0) {
            ++changed;
            ++i;
            ++j;
        } else {
            ++j;
        }
    }
    FUZZ_CHECK(i == before.size());
    FUZZ_CHECK(changed <= 1);
    return 0;
}
