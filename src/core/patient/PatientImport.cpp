#include "PatientImport.h"

#include "DateRules.h"
#include "support/IniFile.h"
#include "support/TextFile.h"
#include "support/tq32_ini.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlRecord>

#include <cmath>

QString navelisIniPath(const QString &windowsFolder)
{
    if (windowsFolder.isEmpty())
        return QString();
    QString folder = windowsFolder;
    if (!folder.endsWith(QLatin1Char('/')) && !folder.endsWith(QLatin1Char('\\')))
        folder += QDir::separator();
    return folder + QStringLiteral("navelis.ini");
}

NavelisIni readNavelisIni(const QString &iniPath)
{
    // Read once, as the settings store reads it; a key that is missing and
    // one that holds no number are told apart.
    const TextFileContent content = readTextFile(iniPath);
    const IniDocument document = IniDocument::parse(content.exists ? content.text : QString());
    NavelisIni ini;
    if (const auto path = document.value(QStringLiteral("BASES"), QStringLiteral("CheminBaseOrel")))
        ini.databasePath = profileValue(*path);
    if (const auto code = document.value(QStringLiteral("MRU"), QStringLiteral("PATIENT"))) {
        ini.storedPatientCode = profileValue(*code);
        qint32 number = 0;
        ini.patientCodeRead = parseStoredInteger(ini.storedPatientCode, &number);
        if (ini.patientCodeRead)
            ini.patientCode = number;
    }
    return ini;
}

QString unreadablePatientCodeMessage(const QString &stored)
{
    return QStringLiteral("Le code du patient dans navelis.ini ne peut pas être lu : \"%1\" n'est pas un nombre. "
                          "La fiche n'est pas modifiée.")
        .arg(stored);
}

bool isSqliteFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    static const QByteArray header("SQLite format 3\0", 16);
    return file.read(header.size()) == header;
}

QString accessConnectionString(const QString &driver, const QString &path)
{
    // Shared by default: the external program keeps working on the file.
    return QStringLiteral("Driver={%1};DBQ=%2").arg(driver, QDir::toNativeSeparators(path));
}

DatabaseRoute routeFor(const QString &path, bool sqliteContent, const QString &accessDriver)
{
    DatabaseRoute route;
    if (sqliteContent) {
        route.kind = DatabaseRoute::Sqlite;
        route.qtDriver = QStringLiteral("QSQLITE");
        route.databaseName = path;
    } else if (!accessDriver.isEmpty()) {
        route.kind = DatabaseRoute::Odbc;
        route.qtDriver = QStringLiteral("QODBC");
        route.databaseName = accessConnectionString(accessDriver, path);
    }
    return route;
}

QStringList odbcDriverNames(const QString &odbcinstText)
{
    QStringList names;
    static const QRegularExpression section(QStringLiteral("^\\s*\\[([^\\]]+)\\]\\s*$"));
    for (const QString &line : odbcinstText.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))) {
        const QRegularExpressionMatch match = section.match(line);
        if (match.hasMatch() && match.captured(1).trimmed().compare(QLatin1String("ODBC"), Qt::CaseInsensitive) != 0)
            names << match.captured(1).trimmed();
    }
    return names;
}

QString accessDriverAmong(const QStringList &driverNames)
{
    for (const QString &name : driverNames)
        if (name.contains(QLatin1String("access"), Qt::CaseInsensitive)
            || name.contains(QLatin1String("mdb"), Qt::CaseInsensitive))
            return name;
    return QString();
}

QString installedAccessDriver()
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QODBC")))
        return QString();
#ifdef Q_OS_WIN
    return QStringLiteral("Microsoft Access Driver (*.mdb, *.accdb)");
#else
    // unixODBC lists its drivers in odbcinst.ini, in the folder ODBCSYSINI
    // names or else in /etc.
    QString folder = qEnvironmentVariable("ODBCSYSINI");
    if (folder.isEmpty())
        folder = QStringLiteral("/etc");
    return accessDriverAmong(odbcDriverNames(readTextFile(folder + QStringLiteral("/odbcinst.ini")).text));
#endif
}

QString patientDesignQuery()
{
    return QStringLiteral("SELECT * FROM [GLB PATIENT];");
}

QString pregnancyDesignQuery()
{
    return QStringLiteral("SELECT * FROM [SA GROSSESSE];");
}

namespace {
// The second line of both narrowed queries; the code is the program's own
// integer, never text typed by someone.
QString whereCode(int code)
{
    return QStringLiteral("WHERE([CODE PATIENT] = %1 )").arg(code);
}
} // namespace

QString patientQuery(int code)
{
    return QStringLiteral("SELECT [CODE PATIENT], NOM, PRENOM,[DATE NAISSANCE],[NUMERO SECURITE SOCIAL],MEMO,"
                          "[ADRESSE],[CODE POSTAL],[VILLE],[TEL DOMICILE],[TEL AUTRE] FROM [GLB PATIENT]")
        + QStringLiteral("\r\n") + whereCode(code);
}

QString pregnancyQuery(int code)
{
    return QStringLiteral("SELECT [CODE PATIENT], [DATE DERNIERES REGLES], [DATE CONCEPTION] FROM [SA GROSSESSE]")
        + QStringLiteral("\r\n") + whereCode(code);
}

QString writeBackStatement()
{
    return QStringLiteral("UPDATE [GLB PATIENT] SET [NUMERO SECURITE SOCIAL] = ? WHERE [CODE PATIENT] = ?");
}

QString recordText(const QVariant &value)
{
    if (value.isNull() || !value.isValid())
        return QString();
    switch (value.typeId()) {
    case QMetaType::QDate:
        return formatSheetDate(value.toDate());
    case QMetaType::QDateTime:
        return formatSheetDate(value.toDateTime().date());
    case QMetaType::Double:
    case QMetaType::Float: {
        // A number column read back as a floating value (75011.0); a value
        // that is no number says nothing a field could show.
        const double number = value.toDouble();
        if (!std::isfinite(number))
            return QString();
        if (std::abs(number) < 9e15 && number == std::trunc(number))
            return QString::number(qint64(number));
        return value.toString();
    }
    default:
        break;
    }
    const QString text = value.toString();
    // A date kept as text with its time (1975-03-12 00:00:00).
    static const QRegularExpression isoWithTime(QStringLiteral("^(\\d{4}-\\d{1,2}-\\d{1,2})[ T]\\d{1,2}:\\d{2}"));
    const QRegularExpressionMatch match = isoWithTime.match(text);
    if (match.hasMatch())
        return dateBoxText(match.captured(1));
    static const QRegularExpression isoDate(QStringLiteral("^\\d{4}-\\d{1,2}-\\d{1,2}$"));
    if (isoDate.match(text).hasMatch())
        return dateBoxText(text);
    return text;
}

PatientRecord patientRecord(const QSqlRecord &row)
{
    auto text = [&row](const char *column) { return recordText(row.value(QString::fromLatin1(column))); };
    PatientRecord patient;
    patient.nom = text("NOM");
    patient.prenom = text("PRENOM");
    patient.dateNaissance = text("DATE NAISSANCE");
    patient.numeroSecuriteSocial = text("NUMERO SECURITE SOCIAL");
    patient.adresse = text("ADRESSE");
    patient.codePostal = text("CODE POSTAL");
    patient.ville = text("VILLE");
    return patient;
}

QString importConfirmation(const PatientRecord &patient)
{
    return QStringLiteral("ATTENTION vous allez Remplacer toutes les données administratives de cette fiche\r"
                          "Par les données du patient actuellement en cours de consultation dans NAVELIS\r"
                          "\r")
        + patient.nom + QLatin1Char(' ') + patient.prenom + QStringLiteral("\r\rVoulez vous continuer ?");
}

QString noSuchPatientMessage(int code)
{
    return QStringLiteral("Aucun patient ne porte le code %1 dans la base NAVELIS : la fiche n'est pas modifiée.")
        .arg(code);
}

ImportedPatient importedPatient(const PatientRecord &patient)
{
    ImportedPatient sheet;
    sheet.NOM = patient.nom + QLatin1Char(' ') + patient.prenom;
    sheet.DDN = patient.dateNaissance;
    sheet.MATRICULE = patient.numeroSecuriteSocial.startsWith(QLatin1Char('_')) ? QString()
                                                                                 : patient.numeroSecuriteSocial;
    // The address field is one line: each line break of the record's
    // address, whatever its form, becomes a dash.
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|[\r\n\\x{2028}\\x{2029}]"));
    sheet.ADRESSE = QString(patient.adresse).replace(lineBreak, QStringLiteral(" - "));
    sheet.VILLE = patient.codePostal + QLatin1Char(' ') + patient.ville;
    // The insured person is not in the external record.
    sheet.ASSURE = QString();
    sheet.ASSURE_MATRICULE = QString();
    return sheet;
}
