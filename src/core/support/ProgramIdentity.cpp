#include "ProgramIdentity.h"

#include "Dialogs.h"
#include "PathRules.h"
#include "Platform.h"
#include "TextFile.h"
#include "TiravonError.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

QString programName(bool upperCase)
{
    const QString name = programNameFor(platform().programFile());
    return upperCase ? name.toUpper() : name;
}

QString programDate()
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

QString programVersion()
{
#ifdef TIRAVON_VERSION
    return versionFromText(QStringLiteral(TIRAVON_VERSION));
#else
    return versionFromText(QString());
#endif
}

QString versionCaption(const QString &freeText)
{
    return QStringLiteral("%1 %2 | Quenlor ***{:- %3 | %4")
        .arg(programName(true), programVersion(), freeText, programDate());
}

void logVersion(const QString &text, const QString &file)
{
    try {
        const QString path = file.isEmpty()
            ? programName(false).toLower() + QStringLiteral(".version")
            : file;
        const QString line = text.isEmpty() ? programVersion() : text;
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

QString userName()
{
    const QString name = platform().loginName();
    return name.isEmpty() ? QStringLiteral("Inconnu") : name;
}
