#include "NavelisDatabase.h"

#include "support/Dialogs.h"
#include "support/Platform.h"
#include "support/TiravonError.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {
QString connectionBoxText()
{
    return QStringLiteral("Connexion à la Base \"NAVELIS.MDB\" impossible");
}

// The error of a connection's last step, in French.
QString driverText(const QString &connection, const QSqlError &error)
{
    return databaseErrorText(error, QSqlDatabase::database(connection, false).driverName());
}
} // namespace

NavelisDatabase::NavelisDatabase(std::function<void()> databaseMissing)
    : m_databaseMissing(std::move(databaseMissing))
{
    setObjectName(QStringLiteral("DATA_NAVELIS"));
    m_connectionName = QStringLiteral("DATA_NAVELIS_%1").arg(quintptr(this), 0, 16);
    patients.text = patientDesignQuery();
    pregnancies.text = pregnancyDesignQuery();
    // DataModuleCreate.
    connectToDatabase();
}

NavelisDatabase::~NavelisDatabase()
{
    closeConnection();
}

bool NavelisDatabase::isConnected() const
{
    return QSqlDatabase::contains(m_connectionName)
        && QSqlDatabase::database(m_connectionName, false).isOpen();
}

void NavelisDatabase::closeConnection()
{
    patients.open = false;
    patients.current.reset();
    pregnancies.open = false;
    pregnancies.current.reset();
    if (!QSqlDatabase::contains(m_connectionName))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
}

void NavelisDatabase::connectToDatabase()
{
    const QString iniPath = navelisIniPath(platform().windowsFolder());
    if (iniPath.isEmpty() || !QFile::exists(iniPath))
        return;
    closeConnection();
    try {
        const QString database = readNavelisIni(iniPath).databasePath;
        if (database.isEmpty())
            return;
        if (!QFile::exists(database)) {
            if (m_databaseMissing)
                m_databaseMissing();
            return;
        }
        connectThrough(routeFor(database, isSqliteFile(database), installedAccessDriver()));
    } catch (const std::exception &) {
        // The cause goes no further than the box: the program goes on
        // without the database, as when there is no INI file.
        dialogs().error(connectionBoxText());
    }
}

void NavelisDatabase::connectThrough(const DatabaseRoute &route)
{
    closeConnection();
    if (route.kind == DatabaseRoute::None)
        throw TiravonError(QStringLiteral("Aucun pilote ne sait ouvrir la base NAVELIS sur ce poste."));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(route.qtDriver, m_connectionName);
        db.setDatabaseName(route.databaseName);
        if (!db.isValid() || !db.open()) {
            const QString cause = db.isValid() ? databaseErrorText(db.lastError(), route.qtDriver)
                                               : QStringLiteral("le pilote de cette base n'est pas installé sur ce poste");
            db = QSqlDatabase();
            closeConnection();
            throw TiravonError(QStringLiteral("La base NAVELIS ne s'ouvre pas : %1").arg(cause));
        }
    }
    try {
        openTables();
    } catch (...) {
        closeConnection();
        throw;
    }
}

void NavelisDatabase::openTables()
{
    openQuery(patients, patients.text, QStringLiteral("[GLB PATIENT]"));
    openQuery(pregnancies, pregnancies.text, QStringLiteral("[SA GROSSESSE]"));
}

void NavelisDatabase::openQuery(Query &query, const QString &text, const QString &table)
{
    query.open = false;
    query.current.reset();
    query.text = text;
    QSqlQuery sql(QSqlDatabase::database(m_connectionName, false));
    sql.setForwardOnly(true);
    if (!sql.exec(text))
        throw TiravonError(QStringLiteral("La table %1 de la base NAVELIS ne peut pas être lue : %2")
                               .arg(table, driverText(m_connectionName, sql.lastError())));
    if (sql.next())
        query.current = sql.record();
    sql.finish();
    query.open = true;
}

std::optional<ImportedPatient> NavelisDatabase::importCurrentPatient()
{
    const NavelisIni ini = readNavelisIni(navelisIniPath(platform().windowsFolder()));
    if (!ini.patientCodeRead) {
        dialogs().information(unreadablePatientCodeMessage(ini.storedPatientCode));
        return std::nullopt;
    }
    currentPatientCode = ini.patientCode;
    const int code = currentPatientCode;
    if (!isConnected() || !patients.open)
        throw TiravonError(QStringLiteral("La base NAVELIS n'est pas ouverte : le patient %1 ne peut pas être lu.")
                               .arg(code));
    openQuery(patients, patientQuery(code), QStringLiteral("[GLB PATIENT]"));
    if (pregnancies.open)
        openQuery(pregnancies, pregnancyQuery(code), QStringLiteral("[SA GROSSESSE]"));

    if (!patients.current) {
        dialogs().information(noSuchPatientMessage(code));
        return std::nullopt;
    }
    const PatientRecord patient = patientRecord(*patients.current);
    if (!dialogs().confirm(importConfirmation(patient)))
        return std::nullopt;
    const ImportedPatient sheet = importedPatient(patient);
    m_imported = Imported{code, ImportedOnSheet{sheet.name, sheet.number}};
    return sheet;
}

std::optional<int> NavelisDatabase::writeBackCode() const
{
    return m_imported ? std::optional<int>(m_imported->code) : std::nullopt;
}

void NavelisDatabase::nameOnSheetChanged(const QString &nom)
{
    if (m_imported && !holdsImportedName(m_imported->sheet, nom))
        m_imported.reset();
}

void NavelisDatabase::writeBackNumber(const QString &nom, const QString &matricule)
{
    // Only the row of the patient an accepted import put on the sheet, only
    // a number the user gave it, and never after a write that failed.
    if (m_writeFailed || !m_imported || !isConnected())
        return;
    const std::optional<QString> number = numberToWriteBack(m_imported->sheet, nom, matricule);
    if (!number)
        return;
    const int code = m_imported->code;
    QSqlQuery sql(QSqlDatabase::database(m_connectionName, false));
    if (!sql.prepare(writeBackStatement())) {
        m_writeFailed = true;
        throw TiravonError(QStringLiteral("Le numéro de sécurité sociale du patient %1 n'a pas pu être "
                                          "enregistré dans la base NAVELIS : %2")
                               .arg(code)
                               .arg(driverText(m_connectionName, sql.lastError())));
    }
    sql.addBindValue(*number);
    sql.addBindValue(code);
    if (!sql.exec()) {
        m_writeFailed = true;
        throw TiravonError(QStringLiteral("Le numéro de sécurité sociale du patient %1 n'a pas pu être "
                                          "enregistré dans la base NAVELIS : %2")
                               .arg(code)
                               .arg(driverText(m_connectionName, sql.lastError())));
    }
}
