#include "PatientImport.h"

#include "DateRules.h"
#include "support/IniFile.h"
#include "support/TextFile.h"
#include "support/SettingsStore.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
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

namespace {

QString sqliteErrorText(int code, const QString &databaseText)
{
    // Extended result codes keep the primary one in their low byte.
    switch (code & 0xff) {
    case 1:     // SQLITE_ERROR: mostly a name the query gives that the base lacks
        if (databaseText.startsWith(QLatin1String("no such table")))
            return QStringLiteral("une table attendue manque dans la base");
        if (databaseText.startsWith(QLatin1String("no such column")))
            return QStringLiteral("une colonne attendue manque dans la base");
        return QStringLiteral("la requête a été refusée par la base");
    case 3:     // SQLITE_PERM
    case 23:    // SQLITE_AUTH
        return QStringLiteral("l'accès à la base est refusé");
    case 4:     // SQLITE_ABORT
    case 9:     // SQLITE_INTERRUPT
        return QStringLiteral("l'opération a été interrompue");
    case 5:     // SQLITE_BUSY ("database is locked")
    case 6:     // SQLITE_LOCKED
    case 15:    // SQLITE_PROTOCOL
        return QStringLiteral("la base est occupée par un autre programme ; réessayez dans un instant");
    case 7:     // SQLITE_NOMEM
        return QStringLiteral("mémoire insuffisante");
    case 8:     // SQLITE_READONLY
        return QStringLiteral("la base ne peut pas être modifiée (lecture seule)");
    case 10:    // SQLITE_IOERR
        return QStringLiteral("erreur de lecture ou d'écriture du fichier de la base");
    case 11:    // SQLITE_CORRUPT
        return QStringLiteral("le fichier de la base est endommagé");
    case 13:    // SQLITE_FULL
        return QStringLiteral("le disque de la base est plein");
    case 14:    // SQLITE_CANTOPEN
        return QStringLiteral("le fichier de la base ne peut pas être ouvert");
    case 19:    // SQLITE_CONSTRAINT
        return QStringLiteral("la modification est refusée par une règle de la base");
    case 20:    // SQLITE_MISMATCH
        return QStringLiteral("une valeur n'a pas le type attendu par la base");
    case 26:    // SQLITE_NOTADB
        return QStringLiteral("ce fichier n'est pas une base de données");
    default:
        return QString();
    }
}

QString sqlStateText(const QString &state)
{
    if (state == QLatin1String("42S02"))
        return QStringLiteral("une table attendue manque dans la base");
    if (state == QLatin1String("42S22"))
        return QStringLiteral("une colonne attendue manque dans la base");
    if (state == QLatin1String("IM002") || state == QLatin1String("IM003"))
        return QStringLiteral("le pilote ODBC de la base n'est pas installé sur ce poste");
    if (state == QLatin1String("HYT00") || state == QLatin1String("HYT01"))
        return QStringLiteral("la base ne répond pas dans le délai");
    if (state == QLatin1String("40001") || state == QLatin1String("HY008"))
        return QStringLiteral("la base est occupée par un autre programme ; réessayez dans un instant");
    if (state == QLatin1String("HY001"))
        return QStringLiteral("mémoire insuffisante");
    if (state.startsWith(QLatin1String("08")))
        return QStringLiteral("la connexion à la base a échoué");
    if (state.startsWith(QLatin1String("28")))
        return QStringLiteral("l'accès à la base est refusé");
    if (state.startsWith(QLatin1String("22")))
        return QStringLiteral("une valeur n'a pas le format attendu par la base");
    if (state.startsWith(QLatin1String("23")))
        return QStringLiteral("la modification est refusée par une règle de la base");
    if (state.startsWith(QLatin1String("42")))
        return QStringLiteral("la requête a été refusée par la base");
    return QString();
}

} // namespace

QString databaseErrorText(const QSqlError &error, const QString &qtDriver)
{
    // ODBC may give several states, separated by ";": the first is the cause.
    const QString code = error.nativeErrorCode().section(QLatin1Char(';'), 0, 0).trimmed();
    QString text;
    if (qtDriver == QLatin1String("QSQLITE")) {
        bool numeric = false;
        const int number = code.toInt(&numeric);
        if (numeric)
            text = sqliteErrorText(number, error.databaseText());
    } else if (qtDriver == QLatin1String("QODBC") && code.size() == 5) {
        text = sqlStateText(code.toUpper());
    }
    if (!text.isEmpty())
        return text;
    switch (error.type()) {
    case QSqlError::ConnectionError:
        return QStringLiteral("la connexion à la base a échoué");
    case QSqlError::StatementError:
        return QStringLiteral("la requête a été refusée par la base");
    case QSqlError::TransactionError:
        return QStringLiteral("la modification de la base a échoué");
    default:
        return QStringLiteral("erreur inconnue de la base");
    }
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
    sheet.name = patient.nom + QLatin1Char(' ') + patient.prenom;
    sheet.birthDate = patient.dateNaissance;
    sheet.number = patient.numeroSecuriteSocial.startsWith(QLatin1Char('_')) ? QString()
                                                                                 : patient.numeroSecuriteSocial;
    // The address field is one line: each line break of the record's
    // address, whatever its form, becomes a dash.
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|[\r\n\\x{2028}\\x{2029}]"));
    sheet.address = QString(patient.adresse).replace(lineBreak, QStringLiteral(" - "));
    sheet.town = patient.codePostal + QLatin1Char(' ') + patient.ville;
    // The insured person is not in the external record.
    sheet.insured = QString();
    sheet.insuredNumber = QString();
    return sheet;
}

bool holdsImportedName(const ImportedOnSheet &imported, const QString &nomOnSheet)
{
    return nomOnSheet.trimmed().compare(imported.name.trimmed(), Qt::CaseInsensitive) == 0;
}

std::optional<QString> numberToWriteBack(const ImportedOnSheet &imported, const QString &nomOnSheet,
                                         const QString &matriculeOnSheet)
{
    const QString number = matriculeOnSheet.trimmed();
    if (number.isEmpty() || !holdsImportedName(imported, nomOnSheet)
        || number.compare(imported.number.trimmed(), Qt::CaseInsensitive) == 0)
        return std::nullopt;
    return matriculeOnSheet;
}
