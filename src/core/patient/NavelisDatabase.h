#pragma once

#include "PatientImport.h"

#include <QObject>
#include <QSqlRecord>
#include <QString>
#include <functional>
#include <optional>

// The data module of the external patient-record database: one connection,
// the patient query and the pregnancy query, and the actions that connect,
// import the current patient and write the social-security number back.
// It knows no window: the care-sheet window hands it what to do when the
// database file is missing, and applies the patient an import returns.
class NavelisDatabase : public QObject
{
    Q_OBJECT
public:
    // Connects at once (NAVELIS_CONNECT); databaseMissing is called when the
    // INI file names a database file that does not exist.
    explicit NavelisDatabase(std::function<void()> databaseMissing = {});
    ~NavelisDatabase() override;

    // One of the two queries: its current text, whether it is open, and its
    // current (first) row. The rows are read at once, so that no statement
    // stays open on the file the external program works on.
    struct Query
    {
        QString text;
        bool open = false;
        std::optional<QSqlRecord> current;
    };
    Query patients;
    Query pregnancies;

    // The code of the current patient, set by each import (cancelled too).
    int currentPatientCode = 5;

    // Reads "navelis.ini" in the Windows folder and opens the database it
    // names. Stops silently without INI file or path; a missing database
    // file calls databaseMissing; any other failure shows the connection box.
    void connectToDatabase();
    // Opens the database along a route, then both queries with their design
    // texts; raises TiravonError on failure (the connection is then closed).
    void connectThrough(const DatabaseRoute &route);
    void openTables();
    bool isConnected() const;

    // Imports the current patient: re-runs both queries for the code that
    // "navelis.ini" names and asks for confirmation. Returns what the sheet
    // gets, or nothing when cancelled or when no row has that code (said in
    // an information box). Raises TiravonError when the patient cannot be read.
    std::optional<ImportedPatient> importCurrentPatient();

    // Writes the number on the sheet back into the row of the patient that
    // the last accepted import put on the sheet, when numberToWriteBack says
    // so; nothing when no import did or the patient has been forgotten.
    // Raises TiravonError when the write fails.
    void writeBackNumber(const QString &nom, const QString &matricule);
    // The sheet no longer shows the imported patient (its identity was
    // cleared): the write-back touches no record from now on.
    void forgetImportedPatient() { m_imported.reset(); }
    // NOM has changed: the imported patient is forgotten when it no longer
    // holds the imported name.
    void nameOnSheetChanged(const QString &nom);
    // The patient code the write-back would touch, if any.
    std::optional<int> writeBackCode() const;

private:
    void openQuery(Query &query, const QString &text, const QString &table);
    void closeConnection();

    std::function<void()> m_databaseMissing;
    QString m_connectionName;
    struct Imported
    {
        int code = 0;
        ImportedOnSheet sheet;
    };
    std::optional<Imported> m_imported;
    bool m_writeFailed = false;
};
