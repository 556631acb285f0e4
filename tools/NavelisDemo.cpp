#include "NavelisDemo.h"

#include "support/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

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

NavelisDemo writeNavelisDemo(const QString &folderPath, int patientCode)
{
    NavelisDemo demo;
    const QString folder = QDir(folderPath).absolutePath();
    if (!QDir().mkpath(folder)) {
        demo.failure = QStringLiteral("cannot make ") + folder;
        return demo;
    }
    demo.databasePath = QDir::toNativeSeparators(folder + QStringLiteral("/NAVELIS.MDB"));
    demo.iniPath = QDir::toNativeSeparators(folder + QStringLiteral("/navelis.ini"));
    QFile::remove(demo.databasePath);

    bool ok = true;
    const QString connection = QStringLiteral("navelis_demo");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(demo.databasePath);
        ok = db.open();
        QSqlQuery query(db);
        const QString insert = QStringLiteral(
            "INSERT INTO [GLB PATIENT] ([CODE PATIENT], NOM, PRENOM, [DATE NAISSANCE], [NUMERO SECURITE SOCIAL], "
            "MEMO, [ADRESSE], [CODE POSTAL], [VILLE], [TEL DOMICILE], [TEL AUTRE]) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        const QList<QVariantList> patients = {
            {1, QStringLiteral("MARTIN"), QStringLiteral("Claire"), QStringLiteral("1968-05-21"), QStringLiteral("2 68 05 69 123 045"), QVariant(), QStringLiteral("3 place Bellecour"), QStringLiteral("69002"),
             QStringLiteral("LYON"), QStringLiteral("04 78 00 00 01"), QVariant()},
            {1234, QStringLiteral("DURAND"), QStringLiteral("Marie"), QStringLiteral("1975-03-12"), QStringLiteral("2 75 03 75 111 222"), QStringLiteral("suivie depuis 2010"),
             QStringLiteral("12 rue des Lilas\r\nBâtiment B"), QStringLiteral("75011"), QStringLiteral("PARIS"), QStringLiteral("01 43 00 00 02"), QStringLiteral("06 00 00 00 02")},
            {1500, QStringLiteral("PETIT"), QStringLiteral("Léa"), QStringLiteral("1990-11-02"), QStringLiteral("_en attente"), QVariant(), QVariant(), QVariant(), QStringLiteral("NANTES"),
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
            demo.failure = QStringLiteral("cannot make %1: %2%3")
                               .arg(demo.databasePath, query.lastError().text(), db.lastError().text());
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    if (!ok)
        return demo;

    QFile::remove(demo.iniPath);
    writeSetting(QStringLiteral("BASES"), QStringLiteral("CheminBaseOrel"), demo.databasePath, demo.iniPath);
    writeIntegerSetting(QStringLiteral("MRU"), QStringLiteral("PATIENT"), patientCode, demo.iniPath);
    return demo;
}
