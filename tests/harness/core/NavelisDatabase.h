#pragma once

// Test copies of the external patient-record program's files: an SQLite
// database with the two tables the import reads, and its "navelis.ini".

#include "support/tq32_ini.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <gtest/gtest.h>

struct NavelisPatient
{
    int code;
    QVariant nom, prenom, naissance, numero, adresse, codePostal, ville;
};

// Runs statements on an SQLite file through a connection of its own, closed
// before returning, so that the program under test sees what was written.
inline void runSql(const QString &file, const QStringList &statements,
                   const QList<QVariantList> &bindings = {})
{
    const QString name = QStringLiteral("test_navelis_writer");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
        for (int i = 0; i < statements.size(); ++i) {
            QSqlQuery query(db);
            ASSERT_TRUE(query.prepare(statements[i])) << query.lastError().text().toStdString();
            if (i < bindings.size())
                for (const QVariant &value : bindings[i])
                    query.addBindValue(value);
            ASSERT_TRUE(query.exec()) << query.lastError().text().toStdString();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

inline const QString kCreatePatients = QStringLiteral(
    "CREATE TABLE [GLB PATIENT] ([CODE PATIENT] INTEGER PRIMARY KEY, NOM TEXT, PRENOM TEXT, "
    "[DATE NAISSANCE] DATE, [NUMERO SECURITE SOCIAL] TEXT, MEMO TEXT, [ADRESSE] TEXT, "
    "[CODE POSTAL] TEXT, [VILLE] TEXT, [TEL DOMICILE] TEXT, [TEL AUTRE] TEXT)");
inline const QString kCreatePregnancies = QStringLiteral(
    "CREATE TABLE [SA GROSSESSE] ([CODE PATIENT] INTEGER, [DATE DERNIERES REGLES] DATE, [DATE CONCEPTION] DATE)");

inline void addPatients(const QString &file, const QList<NavelisPatient> &patients)
{
    QStringList statements;
    QList<QVariantList> bindings;
    for (const NavelisPatient &p : patients) {
        statements << QStringLiteral(
            "INSERT INTO [GLB PATIENT] ([CODE PATIENT], NOM, PRENOM, [DATE NAISSANCE], "
            "[NUMERO SECURITE SOCIAL], [ADRESSE], [CODE POSTAL], [VILLE]) VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
        bindings << QVariantList{p.code, p.nom, p.prenom, p.naissance, p.numero, p.adresse, p.codePostal, p.ville};
    }
    runSql(file, statements, bindings);
}

// A database with both tables and the given patients.
inline void makeNavelisDatabase(const QString &file, const QList<NavelisPatient> &patients)
{
    runSql(file, {kCreatePatients, kCreatePregnancies});
    addPatients(file, patients);
}

// Three patients; the one the tests import is code 1234.
inline QList<NavelisPatient> samplePatients()
{
    return {
        {1, QStringLiteral("PREMIER"), QStringLiteral("Paul"), QStringLiteral("1950-01-01"),
         QStringLiteral("1 50 01 75 111 001"), QStringLiteral("1 place du Marché"), QStringLiteral("69001"),
         QStringLiteral("LYON")},
        {1234, QStringLiteral("DURAND"), QStringLiteral("Marie"), QStringLiteral("1975-03-12"),
         QStringLiteral("2 75 03 75 123 456"), QStringLiteral("12 rue des Lilas\r\nBâtiment B"),
         QStringLiteral("75011"), QStringLiteral("PARIS")},
        {2000, QStringLiteral("DERNIER"), QStringLiteral("Luc"), QVariant(), QVariant(), QVariant(), QVariant(),
         QStringLiteral("NANTES")},
    };
}

// The number stored for a patient, or "<none>" when no row has that code.
inline QString storedNumber(const QString &file, int code)
{
    const QString name = QStringLiteral("test_navelis_reader");
    QString result = QStringLiteral("<none>");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        if (db.open()) {
            QSqlQuery query(db);
            query.prepare(QStringLiteral("SELECT [NUMERO SECURITE SOCIAL] FROM [GLB PATIENT] WHERE [CODE PATIENT] = ?"));
            query.addBindValue(code);
            if (query.exec() && query.next())
                result = query.value(0).toString();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return result;
}

inline int patientRows(const QString &file)
{
    const QString name = QStringLiteral("test_navelis_counter");
    int rows = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        if (db.open()) {
            QSqlQuery query(QStringLiteral("SELECT COUNT(*) FROM [GLB PATIENT]"), db);
            if (query.next())
                rows = query.value(0).toInt();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return rows;
}

// "navelis.ini" in a folder: the database path and the current patient.
inline void writeNavelisIni(const QString &folder, const QString &database, int patient)
{
    const QString ini = folder + QStringLiteral("/navelis.ini");
    INI_WriteString(QStringLiteral("BASES"), QStringLiteral("CheminBaseOrel"), database, ini);
    INI_WriteInteger(QStringLiteral("MRU"), QStringLiteral("PATIENT"), patient, ini);
}
