#include "IniFile.h"

#include "TextFile.h"
#include "TiravonError.h"

#include <QFileInfo>

namespace {

const int kMaxValueLength = 2047;
const QString kNewLine = QStringLiteral("\r\n");

// The section name of a header line, or nothing.
std::optional<QString> headerName(const QString &line)
{
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const int close = trimmed.indexOf(QLatin1Char(']'));
    return (close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1)).trimmed();
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The key of an entry line, or nothing for a line without "=".
std::optional<QString> keyName(const QString &line)
{
    const int equals = line.indexOf(QLatin1Char('='));
    if (equals < 0)
        return std::nullopt;
    return line.left(equals).trimmed();
}

// A value is one line: line breaks inside it would split the file.
QString singleLine(QString value)
{
    value.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return value;
}

} // namespace

IniDocument IniDocument::parse(const QString &text)
{
    IniDocument document;
    int start = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        const int endingLength =
            (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n')) ? 2 : 1;
        document.m_lines.append({text.mid(start, i - start), text.mid(i, endingLength)});
        i += endingLength - 1;
        start = i + 1;
    }
    if (start < text.size())
        document.m_lines.append({text.mid(start), QString()});
    return document;
}

QString IniDocument::toText() const
{
    QString text;
    for (const Line &line : m_lines)
        text += line.text + line.ending;
    return text;
}

int IniDocument::findSection(const QString &section) const
{
    for (int i = 0; i < m_lines.size(); ++i) {
        const auto name = headerName(m_lines.at(i).text);
        if (name && sameName(*name, section))
            return i;
    }
    return -1;
}

int IniDocument::sectionEnd(int header) const
{
    for (int i = header + 1; i < m_lines.size(); ++i)
        if (headerName(m_lines.at(i).text))
            return i;
    return int(m_lines.size());
}

int IniDocument::findKey(int header, const QString &key) const
{
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i) {
        const auto name = keyName(m_lines.at(i).text);
        if (name && sameName(*name, key))
            return i;
    }
    return -1;
}

std::optional<QString> IniDocument::value(const QString &section, const QString &key) const
{
    const int header = findSection(section);
    if (header < 0)
        return std::nullopt;
    const int line = findKey(header, key);
    if (line < 0)
        return std::nullopt;
    const QString &text = m_lines.at(line).text;
    return text.mid(text.indexOf(QLatin1Char('=')) + 1).trimmed();
}

void IniDocument::setValue(const QString &section, const QString &key, const QString &value)
{
    const QString clean = singleLine(value);
    const int header = findSection(section);
    if (header >= 0) {
        const int line = findKey(header, key);
        if (line >= 0) {
            // The key keeps its place and the spelling it has in the file.
            QString &text = m_lines[line].text;
            text = text.left(text.indexOf(QLatin1Char('='))) + QLatin1Char('=') + clean;
            return;
        }
        // After the last entry of the section, before the blank lines that
        // separate it from the next one.
        int insertAt = sectionEnd(header);
        while (insertAt - 1 > header && m_lines.at(insertAt - 1).text.trimmed().isEmpty())
            --insertAt;
        if (m_lines.at(insertAt - 1).ending.isEmpty())
            m_lines[insertAt - 1].ending = kNewLine;
        m_lines.insert(insertAt, {key + QLatin1Char('=') + clean, kNewLine});
        return;
    }
    if (!m_lines.isEmpty() && m_lines.constLast().ending.isEmpty())
        m_lines.last().ending = kNewLine;
    m_lines.append({QLatin1Char('[') + section + QLatin1Char(']'), kNewLine});
    m_lines.append({key + QLatin1Char('=') + clean, kNewLine});
}

QString profileValue(const QString &stored)
{
    QString value = stored.trimmed();
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
            value = value.mid(1, value.size() - 2);
    }
    return value.left(kMaxValueLength);
}

QString iniRead(const QString &path, const QString &section, const QString &key, const QString &def)
{
    const TextFileContent content = readTextFile(path);
    if (!content.exists)
        return def;
    const auto stored = IniDocument::parse(content.text).value(section, key);
    return stored ? profileValue(*stored) : def;
}

void iniWrite(const QString &path, const QString &section, const QString &key, const QString &value)
{
    const TextFileContent content = readTextFile(path);
    // A file that is there but cannot be read must not be replaced by the
    // one key written.
    if (!content.exists && QFileInfo::exists(path))
        throw TiravonError(Messages::cannotWrite(path));
    IniDocument document = IniDocument::parse(content.text);
    document.setValue(section, key, value);
    writeTextFile(path, document.toText(),
                  content.exists ? content.encoding : TextEncoding::Windows1252);
}
