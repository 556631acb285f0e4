#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <optional>

// An INI file as the Windows profile functions see it. Section and key names
// are compared without regard to case; the first section and the first key of
// a name count. Writing keeps every line as it was (ending included) but the
// one written: an existing key keeps its place and its spelling, a new key
// goes after the last entry of its section, a new section at the end.
class IniDocument
{
public:
    static IniDocument parse(const QString &text);
    QString toText() const;

    // The value as stored after the "=", blanks around it dropped; nothing
    // when the section or key is missing.
    std::optional<QString> value(const QString &section, const QString &key) const;
    void setValue(const QString &section, const QString &key, const QString &value);

private:
    struct Line
    {
        QString text;
        QString ending;     // "\r\n", "\r", "\n" or empty for the last line
    };
    QList<Line> m_lines;

    // Where the first section of each name and, in it, the first key of each
    // name are, by their case-folded names; built at the first look-up and
    // kept up to date by the writing, so a look-up does not scan the lines.
    struct SectionPlace
    {
        int header = -1;
        QHash<QString, int> keys;
    };
    mutable QHash<QString, SectionPlace> m_index;
    mutable bool m_indexed = false;

    const QHash<QString, SectionPlace> &index() const;
    int sectionEnd(int header) const;                       // index of the next header, or size
    void insertLine(int at, const Line &line);              // keeps the index's line numbers right
    static bool readsBackAs(const QString &line, const QString &foldedKey);
    void reparse();
};

// The value forms of the reading: blanks dropped, one pair of surrounding
// quotes (single or double) removed, at most 2047 characters.
QString profileValue(const QString &stored);

// One read or write of a file on disk, opening and closing it; within a
// session, of the session's copy of the file.
QString iniRead(const QString &path, const QString &section, const QString &key, const QString &def);
// Raises "Impossible d'écrire dans %s" when the file cannot be written.
void iniWrite(const QString &path, const QString &section, const QString &key, const QString &value);

// A saving or reading of many keys at once. While a session lasts, each file
// the settings store touches is read and parsed once, the reads see the
// writes, and nothing reaches the disk: writeFiles() then replaces each changed
// file once, whole and atomically, with exactly the bytes the same writes one
// by one would have left. A program killed during a saving thus leaves every
// file as it was before or as it is after, never part of the keys written.
// A file that cannot be written (read-only, unreadable) still raises at its
// first write. Sessions nest; the outermost one writes. A session ended by an
// error writes what was written before the error, as single writes would have.
class IniSession
{
public:
    IniSession();
    ~IniSession();
    IniSession(const IniSession &) = delete;
    IniSession &operator=(const IniSession &) = delete;

    // Raises "Impossible d'écrire dans %s" for the first file that cannot be
    // replaced; the files after it are then not written either.
    void writeFiles();

private:
    bool m_done = false;
};
