#include "SettingsStore.h"

#include "DataFolder.h"
#include "IniFile.h"

namespace {

QString resolve(const QString &file)
{
    return file.isEmpty() ? programSettingsFile() : file;
}

} // namespace

bool parseStoredInteger(const QString &text, qint32 *value)
{
    bool ok = false;
    if (text.size() > 2 && text.at(0) == QLatin1Char('0')
        && (text.at(1) == QLatin1Char('x') || text.at(1) == QLatin1Char('X'))) {
        const QString digits = text.mid(2);
        if (digits.size() > 8 || digits.startsWith(QLatin1Char('+')) || digits.startsWith(QLatin1Char('-')))
            return false;
        const quint32 hex = digits.toUInt(&ok, 16);
        if (ok)
            *value = static_cast<qint32>(hex);
        return ok;
    }
    if (text.isEmpty() || text.at(0).isSpace() || text.back().isSpace())
        return false;
    const qint32 decimal = text.toInt(&ok, 10);
    if (ok)
        *value = decimal;
    return ok;
}

void writeSetting(const QString &section, const QString &key, const QString &value, const QString &file)
{
    iniWrite(resolve(file), section, key, value);
}

QString readSetting(const QString &section, const QString &key, const QString &def, const QString &file)
{
    return iniRead(resolve(file), section, key, def);
}

void writeIntegerSetting(const QString &section, const QString &key, qint32 value, const QString &file)
{
    writeSetting(section, key, QString::number(value), file);
}

qint32 readIntegerSetting(const QString &section, const QString &key, qint32 def, const QString &file)
{
    qint32 value = def;
    if (!parseStoredInteger(readSetting(section, key, QString(), file), &value))
        return def;
    return value;
}

void writeBoolSetting(const QString &section, const QString &key, bool value, const QString &file)
{
    writeSetting(section, key, value ? QStringLiteral("1") : QStringLiteral("0"), file);
}

bool readBoolSetting(const QString &section, const QString &key, bool def, const QString &file)
{
    return readIntegerSetting(section, key, def ? 1 : 0, file) != 0;
}
