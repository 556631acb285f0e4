// Makes a demonstration copy of the external patient-record program's files
// in a folder: "navelis.ini" and the database it names, "NAVELIS.MDB" (an
// SQLite file, which the program recognises by its content). Point WINDIR at
// the folder and start Tiravon: ".N" imports the current patient.
//
//   navelis_demo <folder> [patient code]

#include "support/tq32_ini.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <cstdio>

namespace {

bool run(QSqlQuery &query, const QString &statement, const QVariantList &values = {})
{
    if (!query.prepare(statement))
        return false;
    for (const QVariant &value : values)
        query.addBindValue(value);
    return query.exec();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: navelis_demo <folder> [patient code]\n");
        return 2;
    }
    const QString folder = QDir(args.at(1)).absolutePath();
    const int patient = args.size() > 2 ? args.at(2).toInt() : 1234;
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot make %s\n", qPrintable(folder));
        return 1;
    }
    const QString database = QDir::toNativeSeparators(folder + QStringLiteral("/NAVELIS.MDB"));
    QFile::remove(database);

    bool ok = true;
    QString failure;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("demo"));
        db.setDatabaseName(database);
        ok = db.open();
        QSqlQuery query(db);
        const QString insert = QStringLiteral(
            "INSERT INTO [GLB PATIENT] ([CODE PATIENT], NOM, PRENOM, [DATE NAISSANCE], [NUMERO SECURITE SOCIAL], "
            "MEMO, [ADRESSE], [CODE POSTAL], [VILLE], [TEL DOMICILE], [TEL AUTRE]) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        const QList<QVariantList> patients = {
            {1, "MARTIN", "Claire", "1968-05-21", "2 68 05 69 123 045", QVariant(), "3 place Bellecour", "69002",
             "LYON", "04 78 00 00 01", QVariant()},
            {1234, "DURAND", "Marie", "1975-03-12", "2 75 03 75 111 222", "suivie depuis 2010",
             "12 rue des Lilas\r\nBâtiment B", "75011", "PARIS", "01 43 00 00 02", "06 00 00 00 02"},
            {1500, "PETIT", "Léa", "1990-11-02", "_en attente", QVariant(), QVariant(), QVariant(), "NANTES",
             QVariant(), QVariant()},
        };
        ok = ok
            && run(query, QStringLiteral("CREATE TABLE [GLB PATIENT] ([CODE PATIENT] INTEGER PRIMARY KEY, NOM TEXT, "
                                         "PRENOM TEXT, [DATE NAISSANCE] DATE, [NUMERO SECURITE SOCIAL] TEXT, MEMO TEXT, "
                                         "[ADRESSE] TEXT, [CODE POSTAL] TEXT, [VILLE] TEXT, [TEL DOMICILE] TEXT, "
                                         "[TEL AUTRE] TEXT)"))
            && run(query, QStringLiteral("CREATE TABLE [SA GROSSESSE] ([CODE PATIENT] INTEGER, "
                                         "[DATE DERNIERES REGLES] DATE, [DATE CONCEPTION] DATE)"))
            && run(query, QStringLiteral("INSERT INTO [SA GROSSESSE] VALUES (1234, '2026-10-01', '2026-10-15')"));
        for (const QVariantList &row : patients)
            ok = ok && run(query, insert, row);
        if (!ok)
            failure = query.lastError().text() + db.lastError().text();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("demo"));
    if (!ok) {
        std::fprintf(stderr, "cannot make %s: %s\n", qPrintable(database), qPrintable(failure));
        return 1;
    }

    const QString ini = QDir::toNativeSeparators(folder + QStringLiteral("/navelis.ini"));
    QFile::remove(ini);
    INI_WriteString(QStringLiteral("BASES"), QStringLiteral("CheminBaseOrel"), database, ini);
    INI_WriteInteger(QStringLiteral("MRU"), QStringLiteral("PATIENT"), patient, ini);
    std::printf("%s\n%s\n", qPrintable(ini), qPrintable(database));
    return 0;
}
