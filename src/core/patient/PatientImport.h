#pragma once

// The import of the current patient from the external patient-record program
// NAVELIS, as values and functions: where its INI file lies and what it says,
// how its database is reached, the query texts, the confirmation text, and
// the mapping of a patient row onto the identity fields of the sheet.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

class QSqlError;
class QSqlRecord;

// --- The external program's INI file --------------------------------------

// The Windows folder followed by "navelis.ini"; empty when there is no
// Windows folder.
QString navelisIniPath(const QString &windowsFolder);

// What the program reads in that file.
struct NavelisIni
{
    QString databasePath;     // "BASES"/"CheminBaseOrel", default empty
    int patientCode = 5;      // "MRU"/"PATIENT", default 5
    // False when "PATIENT" is there but holds no number (the text it holds is
    // then kept): no patient can be named from it.
    bool patientCodeRead = true;
    QString storedPatientCode;
};
NavelisIni readNavelisIni(const QString &iniPath);
// Said when the current patient's code in that file is no number.
QString unreadablePatientCodeMessage(const QString &stored);

// --- Reaching the database ------------------------------------------------

// How the database is opened: with Qt's SQLite driver for a file that is an
// SQLite database (whatever its extension), else through ODBC with an Access
// driver; none when neither can open it.
struct DatabaseRoute
{
    enum Kind { None, Sqlite, Odbc };
    Kind kind = None;
    QString qtDriver;         // "QSQLITE", "QODBC"
    QString databaseName;     // the file, or the ODBC connection string
};

// True when the file begins with the header of an SQLite 3 database.
bool isSqliteFile(const QString &path);
// The connection string of the Access ODBC driver for a file.
QString accessConnectionString(const QString &driver, const QString &path);
// The route for a file: sqlite when its content says so, else ODBC through
// the given Access driver, else none (no driver installed).
DatabaseRoute routeFor(const QString &path, bool sqliteContent, const QString &accessDriver);

// The ODBC driver names registered in an odbcinst.ini text.
QStringList odbcDriverNames(const QString &odbcinstText);
// The first of the names that is an Access driver ("Microsoft Access Driver
// (*.mdb, *.accdb)", "MDBTools" ...); empty when there is none.
QString accessDriverAmong(const QStringList &driverNames);
// The Access driver installed on this machine: the Microsoft one on Windows,
// elsewhere the one unixODBC registers (empty when there is none or when Qt's
// ODBC driver is missing).
QString installedAccessDriver();

// What a database error means, as a French sentence, from its code: the
// SQLite result code through Qt's SQLite driver ("QSQLITE"), the SQLSTATE
// through ODBC ("QODBC"); the kind of the error otherwise. The driver's own
// words, in English ("database is locked"), are never shown.
QString databaseErrorText(const QSqlError &error, const QString &qtDriver);

// --- Queries ----------------------------------------------------------------

// The design texts both queries are opened with at start.
QString patientDesignQuery();      // "SELECT * FROM [GLB PATIENT];"
QString pregnancyDesignQuery();    // "SELECT * FROM [SA GROSSESSE];"
// The two-line texts that narrow each query to one patient code.
QString patientQuery(int code);
QString pregnancyQuery(int code);
// The write-back; the number and the code are bound parameters.
QString writeBackStatement();

// --- The patient and the sheet ----------------------------------------------

// One row of [GLB PATIENT], every value as text.
struct PatientRecord
{
    QString nom, prenom, dateNaissance, numeroSecuriteSocial, adresse, codePostal, ville;
};

// A value of a row as text: empty for null, a date (or a date stored as
// text in another usual form) as dd/mm/yyyy, a whole number without decimals.
QString recordText(const QVariant &value);
PatientRecord patientRecord(const QSqlRecord &row);

// The question asked before the sheet is changed; lines separated by CR.
QString importConfirmation(const PatientRecord &patient);
// Said when the code of the current patient matches no row.
QString noSuchPatientMessage(int code);

// What an accepted import puts into the identity fields.
struct ImportedPatient
{
    QString name, birthDate, number, address, town, insured, insuredNumber;
};
ImportedPatient importedPatient(const PatientRecord &patient);

// --- The write-back -----------------------------------------------------------

// What an accepted import put into the two fields the write-back looks at.
struct ImportedOnSheet
{
    QString name, number;
};

// Whether NOM still holds the imported patient's name (blanks around it and
// the letters' case aside, since the field may show it in capitals).
bool holdsImportedName(const ImportedOnSheet &imported, const QString &nomOnSheet);
// The number the write-back stores in the imported patient's record: the one
// on the sheet, when it is not empty, differs from what the import put there
// (so the user completed or corrected it) and the sheet still shows the
// imported name; nothing otherwise, so that an untouched record keeps what it
// holds ("_en attente" included) and another patient's number never lands in it.
std::optional<QString> numberToWriteBack(const ImportedOnSheet &imported, const QString &nomOnSheet,
                                         const QString &matriculeOnSheet);
