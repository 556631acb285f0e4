#include "tq32_ini.h"

#include "Dialogs.h"
#include "IniFile.h"
#include "PathRules.h"
#include "Platform.h"
#include "TextFile.h"
#include "TiravonError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRect>

namespace {

QString resolve(const QString &file)
{
    return file.isEmpty() ? INI_ProgramFile() : file;
}

QString placementText(const Placement &p)
{
    return QStringLiteral("%1:%2:%3:%4").arg(p.left).arg(p.top).arg(p.width).arg(p.height);
}

int placementNumber(const QStringList &pieces, int index)
{
    if (index >= pieces.size())
        throw TiravonError(Messages::listIndexOutOfBounds(index));
    bool ok = false;
    const int value = pieces.at(index).toInt(&ok, 10);
    if (!ok)
        throw TiravonError(Messages::notAnInteger(pieces.at(index)));
    return value;
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

QString INI_ProgramFile()
{
    const QString programFile = platform().programFile();
    if (programFile.isEmpty())
        return QString();
    const QString settings = settingsFileFor(programFile);
    const QString data = platform().dataFolder();
    return data.isEmpty() ? settings : data + extractFileName(settings);
}

QString decideDataFolder()
{
    Platform &system = platform();
    system.setDataFolder(QString());
    const QString programFile = system.programFile();
    if (programFile.isEmpty())
        return QString();
    if (QFileInfo::exists(settingsFileFor(programFile)) || system.canWriteIn(programFolderFor(programFile)))
        return QString();
    // Without a folder of its own the program goes on in its folder as
    // always; every saving there then reports that it cannot write.
    const QString own = system.userDataFolder();
    if (own.isEmpty() || !QDir().mkpath(own))
        return QString();
    const QString folder = programFolderFromFolder(own);
    system.setDataFolder(folder);
    return folder;
}

void INI_WriteString(const QString &section, const QString &key, const QString &value, const QString &file)
{
    iniWrite(resolve(file), section, key, value);
}

QString INI_ReadString(const QString &section, const QString &key, const QString &def, const QString &file)
{
    return iniRead(resolve(file), section, key, def);
}

void INI_WriteInteger(const QString &section, const QString &key, qint32 value, const QString &file)
{
    INI_WriteString(section, key, QString::number(value), file);
}

qint32 INI_ReadInteger(const QString &section, const QString &key, qint32 def, const QString &file)
{
    qint32 value = def;
    if (!parseStoredInteger(INI_ReadString(section, key, QString(), file), &value))
        return def;
    return value;
}

void INI_WriteBool(const QString &section, const QString &key, bool value, const QString &file)
{
    INI_WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"), file);
}

bool INI_ReadBool(const QString &section, const QString &key, bool def, const QString &file)
{
    return INI_ReadInteger(section, key, def ? 1 : 0, file) != 0;
}

void savePlacement(const QString &windowName, const Placement &placement, const QString &file)
{
    INI_WriteString(Program_Name(false), windowName, placementText(placement), file);
}

Placement clampPlacement(const Placement &stored, int currentWidth, const QRect &workArea)
{
    Placement p = stored;
    if (p.left > workArea.width())
        p.left = workArea.width() - currentWidth;
    if (p.top < 0)
        p.top = 0;
    if (p.width > workArea.width())
        p.width = workArea.width();
    if (p.height > workArea.height())
        p.height = workArea.height();

    // A window left wholly outside the work area could never be reached
    // again: bring it back onto it.
    const QRect rect(p.left, p.top, p.width, p.height);
    if (!rect.intersects(workArea)) {
        p.left = qBound(workArea.left(), p.left, qMax(workArea.left(), workArea.right() + 1 - p.width));
        p.top = qBound(workArea.top(), p.top, qMax(workArea.top(), workArea.bottom() + 1 - p.height));
    }
    return p;
}

Placement restoredPlacement(const QString &windowName, const Placement &current, const QString &file)
{
    const QString text = INI_ReadString(Program_Name(false), windowName, placementText(current), file);
    const QStringList pieces = Split_String(text, QStringLiteral(":"));
    const Placement stored{placementNumber(pieces, 0), placementNumber(pieces, 1),
                           placementNumber(pieces, 2), placementNumber(pieces, 3)};
    return clampPlacement(stored, current.width, platform().workArea());
}

QStringList Split_String(const QString &text, const QString &separator)
{
    QStringList pieces;
    QString rest = text;
    if (!separator.isEmpty()) {
        for (int at = rest.indexOf(separator); at >= 0; at = rest.indexOf(separator)) {
            pieces << rest.left(at);
            rest.remove(0, at + separator.size());
        }
    }
    if (!rest.isEmpty())
        pieces << rest;
    return pieces;
}

QString Program_Folder()
{
    const QString data = platform().dataFolder();
    return data.isEmpty() ? programFolderFor(platform().programFile()) : data;
}

QString Program_Name(bool upperCase)
{
    const QString name = programNameFor(platform().programFile());
    return upperCase ? name.toUpper() : name;
}

QString Program_Date()
{
    const QFileInfo info(platform().programFile());
    const QDateTime modified = info.exists() ? info.lastModified() : QDateTime();
    return modified.isValid() ? modified.toString(QStringLiteral("dd-MM-yy")) : QString();
}

QString versionFromText(const QString &compiled)
{
    const QStringList parts = compiled.split(QLatin1Char('.'));
    bool valid = parts.size() == 4;
    for (const QString &part : parts) {
        bool ok = false;
        const uint number = part.toUInt(&ok);
        valid = valid && ok && number <= 0xFFFF;
    }
    if (!valid)
        throw TiravonError(QStringLiteral("Les informations de version de sont pas incluses"));
    return compiled;
}

QString Program_Version()
{
#ifdef TIRAVON_VERSION
    return versionFromText(QStringLiteral(TIRAVON_VERSION));
#else
    return versionFromText(QString());
#endif
}

QString Version_Caption(const QString &freeText)
{
    return QStringLiteral("%1 %2 | Quenlor ***{:- %3 | %4")
        .arg(Program_Name(true), Program_Version(), freeText, Program_Date());
}

void Version_LOG(const QString &text, const QString &file)
{
    try {
        const QString path = file.isEmpty()
            ? Program_Name(false).toLower() + QStringLiteral(".version")
            : file;
        const QString line = text.isEmpty() ? Program_Version() : text;
        const QString written = line + QStringLiteral("\r\n");
        const QByteArray bytes = encodeText(written, encodingToWrite(written, TextEncoding::Windows1252));
        // Each reading of the configuration logs the caption: a file that
        // holds it already is left alone rather than written again.
        QFile current(path);
        if (current.open(QIODevice::ReadOnly) && current.size() == bytes.size() && current.readAll() == bytes)
            return;
        current.close();
        writeFileAtomically(path, bytes);
    } catch (const TiravonError &e) {
        dialogs().message(QStringLiteral("ERR:tq_ini | Version_LOG =>") + e.message());
    }
}

QString User_Name()
{
    const QString name = platform().loginName();
    return name.isEmpty() ? QStringLiteral("Inconnu") : name;
}

void Error_Report(const QString &module, const QString &message)
{
    const QString crlf = QStringLiteral("\r\n");
    const QString text =
        QStringLiteral("Veuillez noter précisément les détails de cette erreur et les rapporter au developpeur")
        + crlf + crlf + QStringLiteral("Module : ") + crlf + QStringLiteral("=>") + module
        + crlf + crlf + QStringLiteral("Message : ") + crlf + QStringLiteral("=>") + message;
    if (dialogs().errorReport(text))
        platform().terminate();
}

void Open_Document(const QString &document)
{
    platform().openDocument(document);
}
