#pragma once

// Test copies of the external patient-record program's files: an SQLite
// database with the two tables the import reads, and its "navelis.ini".

#include "support/SettingsStore.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <gtest/gtest.h>

// Runs statements (each with its bound values) through a connection of its
// own, closed before returning; gives the first value of the last one, or
// "<none>" when it has no row.
inline QString runSql(const QString &file, const QStringList &statements, const QList<QVariantList> &bindings = {})
{
    QString result = QStringLiteral("<none>");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("test_navelis"));
        db.setDatabaseName(file);
        EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
        for (int i = 0; i < statements.size(); ++i) {
            QSqlQuery query(db);
            query.prepare(statements[i]);
            for (const QVariant &value : bindings.value(i))
                query.addBindValue(value);
            EXPECT_TRUE(query.exec()) << query.lastError().text().toStdString();
            if (query.isSelect() && query.next())
                result = query.value(0).toString();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("test_navelis"));
    return result;
}

inline const QString kCreatePatients = QStringLiteral(
    "CREATE TABLE [GLB PATIENT] ([CODE PATIENT] INTEGER PRIMARY KEY, NOM TEXT, PRENOM TEXT, "
    "[DATE NAISSANCE] DATE, [NUMERO SECURITE SOCIAL] TEXT, MEMO TEXT, [ADRESSE] TEXT, "
    "[CODE POSTAL] TEXT, [VILLE] TEXT, [TEL DOMICILE] TEXT, [TEL AUTRE] TEXT)");
inline const QString kCreatePregnancies = QStringLiteral(
    "CREATE TABLE [SA GROSSESSE] ([CODE PATIENT] INTEGER, [DATE DERNIERES REGLES] DATE, [DATE CONCEPTION] DATE)");

// Both tables and three patients; the tests import 1234.
inline void makeNavelisDatabase(const QString &file)
{
    const QString insert = QStringLiteral(
        "INSERT INTO [GLB PATIENT] ([CODE PATIENT], NOM, PRENOM, [DATE NAISSANCE], [NUMERO SECURITE SOCIAL], "
        "[ADRESSE], [CODE POSTAL], [VILLE]) VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
    runSql(file, {kCreatePatients, kCreatePregnancies, insert, insert, insert},
           {{}, {},
            {1, QStringLiteral("PREMIER"), QStringLiteral("Paul"), QStringLiteral("1950-01-01"), QStringLiteral("1 50 01"), QStringLiteral("1 place du Marché"), QStringLiteral("69001"), QStringLiteral("LYON")},
            {1234, QStringLiteral("DURAND"), QStringLiteral("Marie"), QStringLiteral("1975-03-12"), QStringLiteral("2 75 03"), QStringLiteral("12 rue des Lilas\r\nBâtiment B"), QStringLiteral("75011"), QStringLiteral("PARIS")},
            {2000, QStringLiteral("DERNIER"), QStringLiteral("Luc"), QVariant(), QVariant(), QVariant(), QVariant(), QStringLiteral("NANTES")}});
}

// The number stored for a patient, "<none>" when no row has that code.
inline QString storedNumber(const QString &file, int code)
{
    return runSql(file, {QStringLiteral("SELECT [NUMERO SECURITE SOCIAL] FROM [GLB PATIENT] WHERE [CODE PATIENT] = ?")},
                  {{code}});
}

inline QString patientRows(const QString &file)
{
    return runSql(file, {QStringLiteral("SELECT COUNT(*) FROM [GLB PATIENT]")});
}

// "navelis.ini" in a folder: the database path and the current patient.
inline void writeNavelisIni(const QString &folder, const QString &database, int patient)
{
    const QString ini = folder + QStringLiteral("/navelis.ini");
    writeSetting(QStringLiteral("BASES"), QStringLiteral("CheminBaseOrel"), database, ini);
    writeIntegerSetting(QStringLiteral("MRU"), QStringLiteral("PATIENT"), patient, ini);
}
