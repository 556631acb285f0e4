#include "IniFile.h"

#include "TextFile.h"
#include "TiravonError.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

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

bool hasLineBreak(const QString &text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
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

const QHash<QString, IniDocument::SectionPlace> &IniDocument::index() const
{
    if (m_indexed)
        return m_index;
    m_index.clear();
    QString current;        // the folded name of a first section, empty in others
    bool inFirst = false;
    for (int i = 0; i < m_lines.size(); ++i) {
        const QString &text = m_lines.at(i).text;
        if (const auto name = headerName(text)) {
            current = name->toCaseFolded();
            inFirst = !m_index.contains(current);
            if (inFirst)
                m_index.insert(current, SectionPlace{i, {}});
            continue;
        }
        if (!inFirst)
            continue;
        if (const auto key = keyName(text)) {
            QHash<QString, int> &keys = m_index[current].keys;
            const QString folded = key->toCaseFolded();
            if (!keys.contains(folded))
                keys.insert(folded, i);
        }
    }
    m_indexed = true;
    return m_index;
}

int IniDocument::sectionEnd(int header) const
{
    for (int i = header + 1; i < m_lines.size(); ++i)
        if (headerName(m_lines.at(i).text))
            return i;
    return int(m_lines.size());
}

void IniDocument::insertLine(int at, const Line &line)
{
    m_lines.insert(at, line);
    if (!m_indexed)
        return;
    for (SectionPlace &place : m_index) {
        if (place.header >= at)
            ++place.header;
        for (int &key : place.keys)
            if (key >= at)
                ++key;
    }
}

std::optional<QString> IniDocument::value(const QString &section, const QString &key) const
{
    const auto place = index().constFind(section.toCaseFolded());
    if (place == m_index.cend())
        return std::nullopt;
    const auto line = place->keys.constFind(key.toCaseFolded());
    if (line == place->keys.cend())
        return std::nullopt;
    const QString &text = m_lines.at(*line).text;
    return text.mid(text.indexOf(QLatin1Char('=')) + 1).trimmed();
}

void IniDocument::setValue(const QString &section, const QString &key, const QString &value)
{
    const QString clean = singleLine(value);
    const QString foldedSection = section.toCaseFolded();
    const QString foldedKey = key.toCaseFolded();
    index();
    const auto place = m_index.find(foldedSection);
    if (place != m_index.end()) {
        const auto line = place->keys.constFind(foldedKey);
        if (line != place->keys.cend()) {
            // The key keeps its place and the spelling it has in the file.
            QString &text = m_lines[*line].text;
            text = text.left(text.indexOf(QLatin1Char('='))) + QLatin1Char('=') + clean;
            return;
        }
        // After the last entry of the section, before the blank lines that
        // separate it from the next one.
        const int header = place->header;
        int insertAt = sectionEnd(header);
        while (insertAt - 1 > header && m_lines.at(insertAt - 1).text.trimmed().isEmpty())
            --insertAt;
        if (m_lines.at(insertAt - 1).ending.isEmpty())
            m_lines[insertAt - 1].ending = kNewLine;
        insertLine(insertAt, {key + QLatin1Char('=') + clean, kNewLine});
        if (readsBackAs(m_lines.at(insertAt).text, foldedKey))
            m_index[foldedSection].keys.insert(foldedKey, insertAt);
        else
            reparse();
        return;
    }
    if (!m_lines.isEmpty() && m_lines.constLast().ending.isEmpty())
        m_lines.last().ending = kNewLine;
    const int header = int(m_lines.size());
    m_lines.append({QLatin1Char('[') + section + QLatin1Char(']'), kNewLine});
    m_lines.append({key + QLatin1Char('=') + clean, kNewLine});
    const auto written = headerName(m_lines.at(header).text);
    if (written && written->toCaseFolded() == foldedSection && !hasLineBreak(section)
        && readsBackAs(m_lines.at(header + 1).text, foldedKey))
        m_index.insert(foldedSection, SectionPlace{header, {{foldedKey, header + 1}}});
    else
        reparse();
}

bool IniDocument::readsBackAs(const QString &line, const QString &foldedKey)
{
    const auto name = keyName(line);
    return !hasLineBreak(line) && !headerName(line) && name && name->toCaseFolded() == foldedKey;
}

void IniDocument::reparse()
{
    // A name with a line break, an "=" or a bracket in it makes lines that
    // read back otherwise than they were meant: the document becomes what a
    // reading of its text finds, as the file on disk would.
    *this = parse(toText());
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

namespace {

// The files of the session under way: each read once, kept parsed, written
// back by writeFiles() in the order they were first written.
struct SessionFile
{
    bool exists = false;        // readable, or written in the session
    bool unreadable = false;    // there, but could not be read
    bool writable = false;      // checked at its first write
    bool changed = false;
    IniDocument document;
    TextEncoding encoding = TextEncoding::Windows1252;
};

struct Session
{
    int depth = 0;
    QHash<QString, SessionFile> files;
    QStringList written;        // the paths as first given, in order
    QHash<QString, QString> pathOf;
};

Session &session()
{
    static Session current;
    return current;
}

// One key for every spelling of a path.
QString sessionKey(const QString &path)
{
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
#ifdef Q_OS_WIN
    return absolute.toCaseFolded();
#else
    return absolute;
#endif
}

SessionFile &sessionFile(const QString &path)
{
    Session &current = session();
    const QString key = sessionKey(path);
    auto found = current.files.find(key);
    if (found != current.files.end())
        return *found;
    SessionFile file;
    const TextFileContent content = readTextFile(path);
    file.exists = content.exists;
    file.unreadable = !content.exists && QFileInfo::exists(path);
    file.encoding = content.encoding;
    file.document = IniDocument::parse(content.text);
    current.pathOf.insert(key, path);
    return *current.files.insert(key, file);
}

void writeDocument(const QString &path, const IniDocument &document, TextEncoding encoding)
{
    writeTextFile(path, document.toText(), encoding);
}

} // namespace

QString iniRead(const QString &path, const QString &section, const QString &key, const QString &def)
{
    if (session().depth > 0 && !path.isEmpty()) {
        const SessionFile &file = sessionFile(path);
        if (!file.exists)
            return def;
        const auto stored = file.document.value(section, key);
        return stored ? profileValue(*stored) : def;
    }
    const TextFileContent content = readTextFile(path);
    if (!content.exists)
        return def;
    const auto stored = IniDocument::parse(content.text).value(section, key);
    return stored ? profileValue(*stored) : def;
}

void iniWrite(const QString &path, const QString &section, const QString &key, const QString &value)
{
    if (session().depth > 0 && !path.isEmpty()) {
        SessionFile &file = sessionFile(path);
        // A file that is there but cannot be read must not be replaced by
        // the keys written; one that cannot be written says so now, as its
        // first write on its own would.
        if (file.unreadable || (!file.writable && !canReplaceFile(path)))
            throw TiravonError(Messages::cannotWrite(path));
        if (!file.writable) {
            file.writable = true;
            // The first write decides the encoding the text is written in.
            file.encoding = encodingToWrite(file.document.toText(), file.encoding);
        }
        file.document.setValue(section, key, value);
        // Windows-1252 holds the rest of the text already: only what was
        // just written can move the file to UTF-8, as at each write alone.
        file.encoding = encodingToWrite(section + key + value, file.encoding);
        file.exists = true;
        if (!file.changed) {
            file.changed = true;
            session().written << sessionKey(path);
        }
        return;
    }
    const TextFileContent content = readTextFile(path);
    // A file that is there but cannot be read must not be replaced by the
    // one key written.
    if (!content.exists && QFileInfo::exists(path))
        throw TiravonError(Messages::cannotWrite(path));
    IniDocument document = IniDocument::parse(content.text);
    document.setValue(section, key, value);
    writeDocument(path, document, content.exists ? content.encoding : TextEncoding::Windows1252);
}

IniSession::IniSession()
{
    ++session().depth;
}

void IniSession::writeFiles()
{
    if (m_done)
        return;
    m_done = true;
    Session &current = session();
    if (--current.depth > 0)
        return;
    const QStringList written = current.written;
    QHash<QString, SessionFile> files;
    QHash<QString, QString> paths;
    files.swap(current.files);
    paths.swap(current.pathOf);
    current.written.clear();
    for (const QString &key : written) {
        const SessionFile &file = files.value(key);
        writeDocument(paths.value(key), file.document, file.encoding);
    }
}

IniSession::~IniSession()
{
    try {
        writeFiles();
    } catch (const TiravonError &) {
        // Ended by an error already on its way to the caller: the files it
        // could write are written, the others are left as they were.
    }
}
