#pragma once

// The settings store: one key of an INI file read or written as text, a
// whole number or a yes/no flag. The file comes last; empty means the program
// settings file (DataFolder.h). Each call opens and closes the file (within
// an IniSession, the session's copy of it): nothing is cached.

#include <QString>

void writeSetting(const QString &section, const QString &key, const QString &value, const QString &file = QString());
QString readSetting(const QString &section, const QString &key, const QString &def, const QString &file = QString());
void writeIntegerSetting(const QString &section, const QString &key, qint32 value, const QString &file = QString());
qint32 readIntegerSetting(const QString &section, const QString &key, qint32 def, const QString &file = QString());
void writeBoolSetting(const QString &section, const QString &key, bool value, const QString &file = QString());
bool readBoolSetting(const QString &section, const QString &key, bool def, const QString &file = QString());

// Parsing of a stored integer: decimal, or hexadecimal after "0x"/"0X" when
// the text is longer than two characters; false when it is not a number.
bool parseStoredInteger(const QString &text, qint32 *value);
