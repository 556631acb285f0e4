#pragma once

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

    int findSection(const QString &section) const;          // index of its header, or -1
    int sectionEnd(int header) const;                       // index of the next header, or size
    int findKey(int header, const QString &key) const;      // index of the key line, or -1
};

// The value forms of the reading: blanks dropped, one pair of surrounding
// quotes (single or double) removed, at most 2047 characters.
QString profileValue(const QString &stored);

// One read or write of a file on disk, opening and closing it.
QString iniRead(const QString &path, const QString &section, const QString &key, const QString &def);
// Raises "Impossible d'écrire dans %s" when the file cannot be written.
void iniWrite(const QString &path, const QString &section, const QString &key, const QString &value);
