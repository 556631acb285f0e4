// The import of the current patient from the external record: the mapping
// onto the sheet, the way the database is reached, and the data module over
// SQLite databases made here (one of them through ODBC).
#include "NavelisDatabase.h"
#include "SupportFixture.h"

#include "patient/DataModule_navelis.h"
#include "patient/PatientImport.h"
#include "support/TextFile.h"

#include <QDate>
#include <QSqlRecord>

namespace {

// --- Values ------------------------------------------------------------------

TEST(PatientImport, MapsARowOntoTheIdentityFields)
{
    struct Case
    {
        const char *what;
        PatientRecord row;
        ImportedPatient sheet;
    };
    const Case cases[] = {
        {"two-line address, postal code and town",
         {"DURAND", "Marie", "12/03/1975", "2 75 03 75 123 456", "12 rue des Lilas\r\nBâtiment B", "75011", "PARIS"},
         {"DURAND Marie", "12/03/1975", "2 75 03 75 123 456", "12 rue des Lilas - Bâtiment B", "75011 PARIS", "", ""}},
        {"a number starting with _ is no number",
         {"A", "B", "", "_provisoire 123", "1 rue", "", "LYON"},
         {"A B", "", "", "1 rue", " LYON", "", ""}},
        {"a lone _",
         {"A", "B", "", "_", "", "69001", ""},
         {"A B", "", "", "", "69001 ", "", ""}},
        {"an underscore further on is kept; three lines",
         {"A", "", "", "2 75_03", "a\r\nb\r\nc", "", ""},
         {"A ", "", "2 75_03", "a - b - c", " ", "", ""}},
        {"nothing stored",
         {}, {" ", "", "", "", " ", "", ""}},
    };
    for (const Case &c : cases) {
        const ImportedPatient got = importedPatient(c.row);
        EXPECT_EQ(got.NOM, c.sheet.NOM) << c.what;
        EXPECT_EQ(got.DDN, c.sheet.DDN) << c.what;
        EXPECT_EQ(got.MATRICULE, c.sheet.MATRICULE) << c.what;
        EXPECT_EQ(got.ADRESSE, c.sheet.ADRESSE) << c.what;
        EXPECT_EQ(got.VILLE, c.sheet.VILLE) << c.what;
        EXPECT_TRUE(got.ASSURE.isEmpty() && got.ASSURE_MATRICULE.isEmpty()) << c.what;
    }
}

TEST(PatientImport, ReadsEveryValueAsText)
{
    const struct { QVariant value; const char *text; } cases[] = {
        {QVariant(), ""},
        {QVariant(QMetaType::fromType<QString>()), ""},
        {QDate(1975, 3, 12), "12/03/1975"},
        {QDateTime(QDate(1975, 3, 2), QTime(0, 0)), "02/03/1975"},
        {QStringLiteral("1975-03-12"), "12/03/1975"},
        {QStringLiteral("1975-03-12 00:00:00"), "12/03/1975"},
        {QStringLiteral("1975-03-12T00:00:00"), "12/03/1975"},
        {QStringLiteral("12/03/1975"), "12/03/1975"},
        {75011, "75011"},
        {75011.0, "75011"},
        {QStringLiteral("07500"), "07500"},
        {QStringLiteral("1975-13-45"), "1975-13-45"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(recordText(c.value), QString::fromUtf8(c.text)) << c.value.toString().toStdString();
}

TEST(PatientImport, QueryAndConfirmationTexts)
{
    EXPECT_EQ(patientQuery(1234),
              QStringLiteral("SELECT [CODE PATIENT], NOM, PRENOM,[DATE NAISSANCE],[NUMERO SECURITE SOCIAL],MEMO,"
                             "[ADRESSE],[CODE POSTAL],[VILLE],[TEL DOMICILE],[TEL AUTRE] FROM [GLB PATIENT]\r\n"
                             "WHERE([CODE PATIENT] = 1234 )"));
    EXPECT_EQ(pregnancyQuery(-7),
              QStringLiteral("SELECT [CODE PATIENT], [DATE DERNIERES REGLES], [DATE CONCEPTION] FROM [SA GROSSESSE]\r\n"
                             "WHERE([CODE PATIENT] = -7 )"));
    PatientRecord patient;
    patient.nom = QStringLiteral("DURAND");
    patient.prenom = QStringLiteral("Marie");
    EXPECT_EQ(importConfirmation(patient),
              QStringLiteral("ATTENTION vous allez Remplacer toutes les données administratives de cette fiche\r"
                             "Par les données du patient actuellement en cours de consultation dans NAVELIS\r\r"
                             "DURAND Marie\r\rVoulez vous continuer ?"));
}

TEST(PatientImport, ChoosesHowToReachTheDatabase)
{
    const QString access = QStringLiteral("Microsoft Access Driver (*.mdb, *.accdb)");
    const DatabaseRoute sqlite = routeFor(QStringLiteral("/d/NAVELIS.MDB"), true, access);
    EXPECT_EQ(sqlite.kind, DatabaseRoute::Sqlite);
    EXPECT_EQ(sqlite.qtDriver, QStringLiteral("QSQLITE"));
    EXPECT_EQ(sqlite.databaseName, QStringLiteral("/d/NAVELIS.MDB"));

    const DatabaseRoute odbc = routeFor(QStringLiteral("/d/NAVELIS.MDB"), false, access);
    EXPECT_EQ(odbc.kind, DatabaseRoute::Odbc);
    EXPECT_EQ(odbc.qtDriver, QStringLiteral("QODBC"));
    EXPECT_EQ(odbc.databaseName, QStringLiteral("Driver={Microsoft Access Driver (*.mdb, *.accdb)};DBQ=")
                                     + QDir::toNativeSeparators(QStringLiteral("/d/NAVELIS.MDB")));

    EXPECT_EQ(routeFor(QStringLiteral("/d/NAVELIS.MDB"), false, QString()).kind, DatabaseRoute::None);

    const QString odbcinst = QStringLiteral("[ODBC]\nTrace=No\n\n[SQLite3]\nDriver=libsqlite3odbc.so\n"
                                            "  [MDBTools]  \r\nDriver=libmdbodbc.so\n");
    EXPECT_EQ(odbcDriverNames(odbcinst), (QStringList{QStringLiteral("SQLite3"), QStringLiteral("MDBTools")}));
    const struct { QStringList names; const char *access; } drivers[] = {
        {{}, ""},
        {{"SQLite", "SQLite3", "PostgreSQL Unicode"}, ""},
        {{"SQLite3", "MDBTools"}, "MDBTools"},
        {{"Microsoft Access Driver (*.mdb, *.accdb)", "MDBTools"}, "Microsoft Access Driver (*.mdb, *.accdb)"},
    };
    for (const auto &d : drivers)
        EXPECT_EQ(accessDriverAmong(d.names), QString::fromUtf8(d.access)) << d.names.join(',').toStdString();
}

// --- The data module over real files -----------------------------------------

class NavelisTest : public SupportTest
{
protected:
    QString database;
    int databaseMissingCalls = 0;

    void SetUp() override
    {
        SupportTest::SetUp();
        fake.windows = dir.path();
        // SQLite content whatever the extension, as the demo database has it.
        database = path(QStringLiteral("NAVELIS.MDB"));
    }

    std::unique_ptr<TDATA_NAVELIS> connect()
    {
        return std::make_unique<TDATA_NAVELIS>([this] { ++databaseMissingCalls; });
    }

    void withSampleDatabase(int currentPatient)
    {
        makeNavelisDatabase(database, samplePatients());
        writeNavelisIni(dir.path(), database, currentPatient);
    }
};

TEST_F(NavelisTest, ConnectionStopsSilentlyOrSaysWhatWentWrong)
{
    const QString connectionBox = QStringLiteral("Connexion à la Base \"NAVELIS.MDB\" impossible");
    const struct Case
    {
        const char *what;
        std::function<void()> prepare;
        bool connected;
        int missingCalls;
        QStringList errors;
    } cases[] = {
        {"no Windows folder",
         [this] { withSampleDatabase(1234); fake.windows.clear(); }, false, 0, {}},
        {"no navelis.ini", [this] { makeNavelisDatabase(database, samplePatients()); }, false, 0, {}},
        {"an empty database path", [this] { writeNavelisIni(dir.path(), QString(), 1234); },
         false, 0, {}},
        {"the database file missing", [this] { writeNavelisIni(dir.path(), database, 1234); },
         false, 1, {}},
        {"a file that is not a database",
         [this] {
             putBytes(database, "Standard Jet DB, or so it says");
             writeNavelisIni(dir.path(), database, 1234);
         },
         false, 0, {connectionBox}},
        {"a corrupt SQLite file",
         [this] {
             putBytes(database, QByteArray("SQLite format 3\0", 16) + QByteArray(200, '\x7f'));
             writeNavelisIni(dir.path(), database, 1234);
         },
         false, 0, {connectionBox}},
        {"the pregnancy table missing",
         [this] {
             runSql(database, {kCreatePatients});
             writeNavelisIni(dir.path(), database, 1234);
         },
         false, 0, {connectionBox}},
        {"both tables there", [this] { withSampleDatabase(1234); }, true, 0, {}},
    };
    for (const Case &c : cases) {
        QFile::remove(database);
        QFile::remove(dir.filePath(QStringLiteral("navelis.ini")));
        fake.windows = dir.path();
        databaseMissingCalls = 0;
        testDialogs().clear();
        c.prepare();
        auto module = connect();
        EXPECT_EQ(module->isConnected(), c.connected) << c.what;
        EXPECT_EQ(module->ADO_GLB_PATIENT.open, c.connected) << c.what;
        EXPECT_EQ(module->ADO_SA.open, c.connected) << c.what;
        EXPECT_EQ(databaseMissingCalls, c.missingCalls) << c.what;
        EXPECT_EQ(testDialogs().texts(), c.errors) << c.what;
        EXPECT_FALSE(module->writeBackCode().has_value()) << c.what;
    }
}

TEST_F(NavelisTest, OpensBothTablesWithTheirDesignTexts)
{
    withSampleDatabase(1234);
    auto module = connect();
    EXPECT_EQ(module->ADO_GLB_PATIENT.text, QStringLiteral("SELECT * FROM [GLB PATIENT];"));
    EXPECT_EQ(module->ADO_SA.text, QStringLiteral("SELECT * FROM [SA GROSSESSE];"));
    ASSERT_TRUE(module->ADO_GLB_PATIENT.current.has_value());
    EXPECT_EQ(module->ADO_GLB_PATIENT.current->value(QStringLiteral("NOM")).toString(), QStringLiteral("PREMIER"));
}

TEST_F(NavelisTest, AnAcceptedImportGivesTheCurrentPatientOnly)
{
    withSampleDatabase(1234);
    auto module = connect();
    testDialogs().confirmAnswers = {true};
    const std::optional<ImportedPatient> got = module->NAVELIS_MAJExecute();
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(testDialogs().texts(QStringLiteral("confirm")), QStringList{importConfirmation(
        patientRecord(*module->ADO_GLB_PATIENT.current))});
    EXPECT_TRUE(testDialogs().texts(QStringLiteral("confirm")).constFirst().contains(QStringLiteral("\rDURAND Marie\r")));
    EXPECT_EQ(got->NOM, QStringLiteral("DURAND Marie"));
    EXPECT_EQ(got->DDN, QStringLiteral("12/03/1975"));
    EXPECT_EQ(got->ADRESSE, QStringLiteral("12 rue des Lilas - Bâtiment B"));
    EXPECT_EQ(got->VILLE, QStringLiteral("75011 PARIS"));
    EXPECT_EQ(module->currentPatientCode, 1234);
    EXPECT_EQ(module->ADO_GLB_PATIENT.text, patientQuery(1234));
    EXPECT_EQ(module->ADO_SA.text, pregnancyQuery(1234));
    EXPECT_EQ(module->writeBackCode(), std::optional<int>(1234));
}

TEST_F(NavelisTest, CancelNoRowAndReadFailuresGiveNothingAndWriteNothing)
{
    const struct Case
    {
        const char *what;
        std::function<void()> prepare;   // before the connection
        std::function<void()> meanwhile; // between connection and import
        bool answer;
        QStringList informations;
        bool raises;
    } cases[] = {
        {"cancelled", [this] { withSampleDatabase(1234); }, {}, false, {}, false},
        {"no such code", [this] { withSampleDatabase(777); }, {}, true,
         {noSuchPatientMessage(777)}, false},
        {"no connection (no INI: patient 5)", [] {}, {}, true, {}, true},
        {"a column gone",
         [this] {
             runSql(database, {QStringLiteral("CREATE TABLE [GLB PATIENT] ([CODE PATIENT] INTEGER, NOM TEXT)"),
                                 kCreatePregnancies});
             writeNavelisIni(dir.path(), database, 1234);
         },
         {}, true, {}, true},
        {"the pregnancy table gone since the start", [this] { withSampleDatabase(1234); },
         [this] { runSql(database, {QStringLiteral("DROP TABLE [SA GROSSESSE]")}); }, true, {}, true},
    };
    for (const Case &c : cases) {
        QFile::remove(database);
        QFile::remove(dir.filePath(QStringLiteral("navelis.ini")));
        c.prepare();
        auto module = connect();
        if (c.meanwhile)
            c.meanwhile();
        testDialogs().clear();
        testDialogs().confirmAnswers = {c.answer};
        std::optional<ImportedPatient> got;
        const QString error = errorMessageOf([&] { got = module->NAVELIS_MAJExecute(); });
        EXPECT_FALSE(got.has_value()) << c.what;
        EXPECT_EQ(!error.isEmpty(), c.raises) << c.what << ": " << error.toStdString();
        EXPECT_EQ(testDialogs().texts(QStringLiteral("information")), c.informations) << c.what;
        if (c.raises || !c.informations.isEmpty()) {
            EXPECT_TRUE(testDialogs().texts(QStringLiteral("confirm")).isEmpty()) << c.what;
        }
        EXPECT_FALSE(module->writeBackCode().has_value()) << c.what;
        if (QFile::exists(database)) {
            module->NAVELIS_SAVEExecute(QStringLiteral("9 99"));
            EXPECT_NE(storedNumber(database, 1), QStringLiteral("9 99")) << c.what;
            EXPECT_NE(storedNumber(database, 1234), QStringLiteral("9 99")) << c.what;
        }
    }
}

TEST_F(NavelisTest, WriteBackPutsTheTextVerbatimIntoTheImportedRowOnly)
{
    withSampleDatabase(1234);
    auto module = connect();
    // Nothing imported yet: the query's first row is another patient.
    module->NAVELIS_SAVEExecute(QStringLiteral("1 11"));
    EXPECT_EQ(storedNumber(database, 1), QStringLiteral("1 50 01 75 111 001"));

    testDialogs().confirmAnswers = {true};
    ASSERT_TRUE(module->NAVELIS_MAJExecute().has_value());
    const QString hostile = QStringLiteral("2 75' ; DELETE FROM [GLB PATIENT]; --\"é");
    module->NAVELIS_SAVEExecute(hostile);
    EXPECT_EQ(storedNumber(database, 1234), hostile);
    EXPECT_EQ(storedNumber(database, 1), QStringLiteral("1 50 01 75 111 001"));
    EXPECT_EQ(storedNumber(database, 2000), QString());
    EXPECT_EQ(patientRows(database), 3);

    // An empty number empties the record's.
    module->NAVELIS_SAVEExecute(QString());
    EXPECT_EQ(storedNumber(database, 1234), QString());

    // A later import that is cancelled leaves the sheet, and so the target,
    // on the patient accepted before.
    writeNavelisIni(dir.path(), database, 2000);
    testDialogs().confirmAnswers = {false};
    EXPECT_FALSE(module->NAVELIS_MAJExecute().has_value());
    module->NAVELIS_SAVEExecute(QStringLiteral("3 33"));
    EXPECT_EQ(storedNumber(database, 1234), QStringLiteral("3 33"));
    EXPECT_EQ(storedNumber(database, 2000), QString());
}

TEST_F(NavelisTest, AFailedWriteBackIsReportedOnceAndNeverAddsARow)
{
    withSampleDatabase(1234);
    auto module = connect();
    testDialogs().confirmAnswers = {true};
    ASSERT_TRUE(module->NAVELIS_MAJExecute().has_value());
    // The patient's row removed by the external program: nothing to update,
    // and no row is made for it.
    runSql(database, {QStringLiteral("DELETE FROM [GLB PATIENT] WHERE [CODE PATIENT] = 1234")});
    EXPECT_EQ(errorMessageOf([&] { module->NAVELIS_SAVEExecute(QStringLiteral("2 22")); }), QString());
    EXPECT_EQ(storedNumber(database, 1234), QStringLiteral("<none>"));
    EXPECT_EQ(patientRows(database), 2);

    runSql(database, {QStringLiteral("DROP TABLE [GLB PATIENT]")});
    const QString error = errorMessageOf([&] { module->NAVELIS_SAVEExecute(QStringLiteral("2 22")); });
    EXPECT_TRUE(error.startsWith(QStringLiteral("Le numéro de sécurité sociale du patient 1234 n'a pas pu être "
                                                "enregistré dans la base NAVELIS : ")))
        << error.toStdString();
    EXPECT_EQ(errorMessageOf([&] { module->NAVELIS_SAVEExecute(QStringLiteral("2 22")); }), QString());
}

// The route Windows takes with its Access file, exercised here with the
// SQLite ODBC driver: Qt's ODBC driver, the same query texts, the bound
// write-back.
TEST_F(NavelisTest, ImportAndWriteBackThroughOdbc)
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QODBC")))
        GTEST_SKIP() << "Qt's ODBC driver is not installed (Debian libqt6sql6-odbc)";
    QString folder = qEnvironmentVariable("ODBCSYSINI");
    if (folder.isEmpty())
        folder = QStringLiteral("/etc");
    if (!odbcDriverNames(readTextFile(folder + QStringLiteral("/odbcinst.ini")).text).contains(QStringLiteral("SQLite3")))
        GTEST_SKIP() << "the SQLite3 ODBC driver is not registered with unixODBC (Debian libsqliteodbc)";

    makeNavelisDatabase(database, samplePatients());
    writeNavelisIni(dir.path(), database, 1234);
    auto module = connect();
    DatabaseRoute route;
    route.kind = DatabaseRoute::Odbc;
    route.qtDriver = QStringLiteral("QODBC");
    route.databaseName = QStringLiteral("Driver=SQLite3;Database=") + database;
    ASSERT_EQ(errorMessageOf([&] { module->connectThrough(route); }), QString());
    ASSERT_TRUE(module->isConnected());

    testDialogs().confirmAnswers = {true};
    const std::optional<ImportedPatient> got = module->NAVELIS_MAJExecute();
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(got->NOM, QStringLiteral("DURAND Marie"));
    EXPECT_EQ(got->DDN, QStringLiteral("12/03/1975"));
    EXPECT_EQ(got->ADRESSE, QStringLiteral("12 rue des Lilas - Bâtiment B"));
    EXPECT_EQ(got->VILLE, QStringLiteral("75011 PARIS"));

    const QString hostile = QStringLiteral("2 75' ; DROP TABLE [GLB PATIENT]; --");
    EXPECT_EQ(errorMessageOf([&] { module->NAVELIS_SAVEExecute(hostile); }), QString());
    module.reset();
    EXPECT_EQ(storedNumber(database, 1234), hostile);
    EXPECT_EQ(storedNumber(database, 1), QStringLiteral("1 50 01 75 111 001"));
    EXPECT_EQ(patientRows(database), 3);
}

} // namespace
