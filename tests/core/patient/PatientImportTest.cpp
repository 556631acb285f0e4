// The import of the current patient from the external record: the mapping
// onto the sheet, the way the database is reached, and the data module over
// SQLite databases made here (one of them through ODBC).
#include "NavelisDatabase.h"
#include "SupportFixture.h"

#include "patient/DataModule_navelis.h"
#include "patient/PatientImport.h"
#include "support/TextFile.h"

#include <limits>

namespace {

TEST(PatientImport, MapsARowOntoTheIdentityFields)
{
    const struct { PatientRecord row; QStringList sheet; } cases[] = {
        // NOM, DDN, MATRICULE, ADRESSE, VILLE
        {{"DURAND", "Marie", "12/03/1975", "2 75 03", "12 rue des Lilas\r\nBâtiment B", "75011", "PARIS"},
         {"DURAND Marie", "12/03/1975", "2 75 03", "12 rue des Lilas - Bâtiment B", "75011 PARIS"}},
        {{"A", "B", "", "_provisoire", "a\r\nb\r\nc", "", "LYON"}, {"A B", "", "", "a - b - c", " LYON"}},
        // Line breaks written by other systems than Windows.
        {{"A", "B", "", "", "a\nb\rc\u2028d\n\re", "", ""}, {"A B", "", "", "a - b - c - d -  - e", " "}},
        {{"A", "", "", "_", "", "69001", ""}, {"A ", "", "", "", "69001 "}},
        {{"", "", "", "2 75_03", "", "", ""}, {" ", "", "2 75_03", "", " "}},
    };
    for (const auto &c : cases) {
        const ImportedPatient got = importedPatient(c.row);
        EXPECT_EQ((QStringList{got.NOM, got.DDN, got.MATRICULE, got.ADRESSE, got.VILLE}), c.sheet);
        EXPECT_TRUE(got.ASSURE.isEmpty() && got.ASSURE_MATRICULE.isEmpty());
    }
}

TEST(PatientImport, ReadsEveryValueAsText)
{
    const struct { QVariant value; const char *text; } cases[] = {
        {QVariant(), ""}, {QDate(1975, 3, 12), "12/03/1975"}, {QDateTime(QDate(1975, 3, 2), QTime()), "02/03/1975"},
        {"1975-03-12", "12/03/1975"}, {"1975-03-12 00:00:00", "12/03/1975"}, {"12/03/1975", "12/03/1975"},
        {75011, "75011"}, {75011.0, "75011"}, {"07500", "07500"}, {"1975-13-45", "1975-13-45"},
        // Floating values beyond any whole number, or no number at all.
        {-0.0, "0"}, {2.5, "2.5"}, {1e300, "1e+300"}, {-1e19, "-1e+19"},
        {std::numeric_limits<double>::quiet_NaN(), ""}, {std::numeric_limits<double>::infinity(), ""},
        {-std::numeric_limits<double>::infinity(), ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(recordText(c.value), QString::fromUtf8(c.text)) << c.value.toString().toStdString();
}

TEST(PatientImport, QueryTextsAndRoutes)
{
    EXPECT_EQ(pregnancyQuery(-7), QStringLiteral("SELECT [CODE PATIENT], [DATE DERNIERES REGLES], [DATE CONCEPTION] "
                                                 "FROM [SA GROSSESSE]\r\nWHERE([CODE PATIENT] = -7 )"));
    const QString access = QStringLiteral("Microsoft Access Driver (*.mdb, *.accdb)");
    const QString file = QStringLiteral("/d/NAVELIS.MDB");
    EXPECT_EQ(routeFor(file, true, access).qtDriver, QStringLiteral("QSQLITE"));
    EXPECT_EQ(routeFor(file, false, access).databaseName,
              "Driver={" + access + "};DBQ=" + QDir::toNativeSeparators(file));
    EXPECT_EQ(routeFor(file, false, QString()).kind, DatabaseRoute::None);

    const QStringList names = odbcDriverNames("[ODBC]\nTrace=No\n[SQLite3]\nDriver=x.so\n  [MDBTools]  \r\nDriver=y");
    EXPECT_EQ(names, (QStringList{"SQLite3", "MDBTools"}));
    EXPECT_EQ(accessDriverAmong(names), QStringLiteral("MDBTools"));
    EXPECT_EQ(accessDriverAmong({"SQLite3", "PostgreSQL Unicode"}), QString());
}

class NavelisTest : public SupportTest
{
protected:
    QString database;

    void SetUp() override
    {
        SupportTest::SetUp();
        fake.windows = dir.path();
        database = path(QStringLiteral("NAVELIS.MDB"));   // SQLite content, Access name
    }
    void sample(int patient)
    {
        makeNavelisDatabase(database);
        writeNavelisIni(dir.path(), database, patient);
    }
};

TEST_F(NavelisTest, ConnectionStopsSilentlyOrSaysWhatWentWrong)
{
    const QStringList box{QStringLiteral("Connexion à la Base \"NAVELIS.MDB\" impossible")};
    const struct { const char *what; std::function<void()> prepare; bool connected, missing; QStringList shown; } cases[] = {
        {"no Windows folder", [this] { sample(1234); fake.windows.clear(); }, false, false, {}},
        {"no navelis.ini", [this] { makeNavelisDatabase(database); }, false, false, {}},
        {"no database path", [this] { writeNavelisIni(dir.path(), QString(), 1); }, false, false, {}},
        {"database file missing", [this] { writeNavelisIni(dir.path(), database, 1); }, false, true, {}},
        {"not a database", [this] { putBytes(database, "Standard Jet DB"); writeNavelisIni(dir.path(), database, 1); },
         false, false, box},
        {"a corrupt SQLite file",
         [this] { putBytes(database, QByteArray("SQLite format 3\0", 16) + QByteArray(200, '\x7f'));
                  writeNavelisIni(dir.path(), database, 1); }, false, false, box},
        {"a table missing", [this] { runSql(database, {kCreatePatients}); writeNavelisIni(dir.path(), database, 1); },
         false, false, box},
        {"both tables there", [this] { sample(1234); }, true, false, {}},
    };
    for (const auto &c : cases) {
        QFile::remove(database);
        QFile::remove(dir.filePath(QStringLiteral("navelis.ini")));
        fake.windows = dir.path();
        testDialogs().clear();
        c.prepare();
        bool missing = false;
        TDATA_NAVELIS module([&missing] { missing = true; });
        EXPECT_EQ(module.isConnected(), c.connected) << c.what;
        EXPECT_EQ(module.ADO_GLB_PATIENT.open && module.ADO_SA.open, c.connected) << c.what;
        EXPECT_EQ(missing, c.missing) << c.what;
        EXPECT_EQ(testDialogs().texts(), c.shown) << c.what;
    }
}

TEST_F(NavelisTest, ThePatientCodeIsReadAsANumberOrSaidUnreadable)
{
    const QString ini = dir.filePath(QStringLiteral("navelis.ini"));
    const struct { const char *file; int code; bool read; const char *stored; } cases[] = {
        {"[BASES]\r\nCheminBaseOrel=x\r\n", 5, true, ""},
        {"[MRU]\r\nPATIENT=1234\r\n", 1234, true, "1234"},
        {"[mru]\r\npatient = \"42\" \r\n", 42, true, "42"},
        {"[MRU]\r\nPATIENT=0x10\r\n", 16, true, "0x10"},
        {"[MRU]\r\nPATIENT=abc\r\n", 5, false, "abc"},
        {"[MRU]\r\nPATIENT=12a\r\n", 5, false, "12a"},
        {"[MRU]\r\nPATIENT=\r\n", 5, false, ""},
    };
    for (const auto &c : cases) {
        putBytes(ini, c.file);
        const NavelisIni got = readNavelisIni(ini);
        EXPECT_EQ(got.patientCode, c.code) << c.file;
        EXPECT_EQ(got.patientCodeRead, c.read) << c.file;
        EXPECT_EQ(got.storedPatientCode, QString::fromUtf8(c.stored)) << c.file;
    }
}

TEST_F(NavelisTest, NothingIsImportedOrWrittenOnCancelNoRowOrAReadFailure)
{
    const struct { const char *what; std::function<void()> prepare, meanwhile; QStringList informations; bool raises; } cases[] = {
        {"cancelled", [this] { sample(1234); }, {}, {}, false},
        {"no such code", [this] { sample(777); }, {}, {noSuchPatientMessage(777)}, false},
        {"a code that is no number",
         [this] { sample(1234); INI_WriteString("MRU", "PATIENT", "abc", dir.filePath("navelis.ini")); }, {},
         {QStringLiteral("Le code du patient dans navelis.ini ne peut pas être lu : \"abc\" n'est pas un nombre. "
                         "La fiche n'est pas modifiée.")}, false},
        {"no connection", [] {}, {}, {}, true},
        {"a column missing",
         [this] { runSql(database, {"CREATE TABLE [GLB PATIENT] ([CODE PATIENT] INTEGER, NOM TEXT)", kCreatePregnancies});
                  writeNavelisIni(dir.path(), database, 1234); }, {}, {}, true},
        {"a table gone since the start", [this] { sample(1234); },
         [this] { runSql(database, {"DROP TABLE [SA GROSSESSE]"}); }, {}, true},
    };
    for (const auto &c : cases) {
        QFile::remove(database);
        QFile::remove(dir.filePath(QStringLiteral("navelis.ini")));
        c.prepare();
        TDATA_NAVELIS module;
        if (c.meanwhile)
            c.meanwhile();
        testDialogs().clear();
        testDialogs().confirmAnswers = {false};
        std::optional<ImportedPatient> got;
        const QString error = errorMessageOf([&] { got = module.NAVELIS_MAJExecute(); });
        EXPECT_FALSE(got.has_value()) << c.what;
        EXPECT_EQ(!error.isEmpty(), c.raises) << c.what;
        EXPECT_EQ(testDialogs().texts(QStringLiteral("information")), c.informations) << c.what;
        EXPECT_EQ(testDialogs().texts(QStringLiteral("confirm")).size(), c.raises || !c.informations.isEmpty() ? 0 : 1);
        module.NAVELIS_SAVEExecute(QStringLiteral("9 99"));
        EXPECT_FALSE(module.writeBackCode().has_value()) << c.what;
        if (!c.raises && QFile::exists(database)) {
            EXPECT_EQ(storedNumber(database, 1234), QStringLiteral("2 75 03")) << c.what;
        }
    }
}

// Runs the import of patient 1234 and the write-back along a route, and
// checks that the text lands verbatim in that row only.
void importAndWriteBack(TDATA_NAVELIS &module, const QString &database)
{
    module.NAVELIS_SAVEExecute(QStringLiteral("1 11"));   // nothing imported yet
    testDialogs().confirmAnswers = {true};
    const std::optional<ImportedPatient> got = module.NAVELIS_MAJExecute();
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(testDialogs().texts(QStringLiteral("confirm")).value(0),
              QStringLiteral("ATTENTION vous allez Remplacer toutes les données administratives de cette fiche\r"
                             "Par les données du patient actuellement en cours de consultation dans NAVELIS\r\r"
                             "DURAND Marie\r\rVoulez vous continuer ?"));
    EXPECT_EQ(module.ADO_GLB_PATIENT.text,
              QStringLiteral("SELECT [CODE PATIENT], NOM, PRENOM,[DATE NAISSANCE],[NUMERO SECURITE SOCIAL],MEMO,"
                             "[ADRESSE],[CODE POSTAL],[VILLE],[TEL DOMICILE],[TEL AUTRE] FROM [GLB PATIENT]\r\n"
                             "WHERE([CODE PATIENT] = 1234 )"));
    EXPECT_EQ((QStringList{got->NOM, got->DDN, got->ADRESSE, got->VILLE}),
              (QStringList{"DURAND Marie", "12/03/1975", "12 rue des Lilas - Bâtiment B", "75011 PARIS"}));
    const QString hostile = QStringLiteral("2 75' ; DELETE FROM [GLB PATIENT]; --\"é");
    EXPECT_EQ(errorMessageOf([&] { module.NAVELIS_SAVEExecute(hostile); }), QString());
    EXPECT_EQ(storedNumber(database, 1234), hostile);
    EXPECT_EQ(storedNumber(database, 1), QStringLiteral("1 50 01"));
    EXPECT_EQ(storedNumber(database, 2000), QString());
    EXPECT_EQ(patientRows(database), QStringLiteral("3"));
}

TEST_F(NavelisTest, WriteBackGoesVerbatimIntoTheImportedRowOnly)
{
    sample(1234);
    TDATA_NAVELIS module;
    importAndWriteBack(module, database);
    module.NAVELIS_SAVEExecute(QString());
    EXPECT_EQ(storedNumber(database, 1234), QString());

    // A later import cancelled leaves the sheet, so the target, on 1234.
    writeNavelisIni(dir.path(), database, 2000);
    testDialogs().confirmAnswers = {false};
    EXPECT_FALSE(module.NAVELIS_MAJExecute().has_value());
    module.NAVELIS_SAVEExecute(QStringLiteral("3 33"));
    EXPECT_EQ(storedNumber(database, 1234), QStringLiteral("3 33"));

    // The row gone: nothing updated, no row added; a failed write is told once.
    runSql(database, {"DELETE FROM [GLB PATIENT] WHERE [CODE PATIENT] = 1234"});
    module.NAVELIS_SAVEExecute(QStringLiteral("4 44"));
    EXPECT_EQ(storedNumber(database, 1234), QStringLiteral("<none>"));
    runSql(database, {"DROP TABLE [GLB PATIENT]"});
    EXPECT_TRUE(errorMessageOf([&] { module.NAVELIS_SAVEExecute(QStringLiteral("4 44")); })
                    .startsWith(QStringLiteral("Le numéro de sécurité sociale du patient 1234 n'a pas pu être enregistré")));
    EXPECT_EQ(errorMessageOf([&] { module.NAVELIS_SAVEExecute(QStringLiteral("4 44")); }), QString());
}

// The route Windows takes with its Access file, here with the SQLite ODBC
// driver: Qt's ODBC driver, the same query texts, the bound write-back.
TEST_F(NavelisTest, ImportAndWriteBackThroughOdbc)
{
    const QString folder = qEnvironmentVariableIsEmpty("ODBCSYSINI") ? "/etc" : qEnvironmentVariable("ODBCSYSINI");
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QODBC"))
        || !odbcDriverNames(readTextFile(folder + "/odbcinst.ini").text).contains(QStringLiteral("SQLite3")))
        GTEST_SKIP() << "Qt's ODBC driver or the SQLite3 ODBC driver is missing (libqt6sql6-odbc, libsqliteodbc)";
    sample(1234);
    TDATA_NAVELIS module;
    DatabaseRoute route{DatabaseRoute::Odbc, QStringLiteral("QODBC"), "Driver=SQLite3;Database=" + database};
    ASSERT_EQ(errorMessageOf([&] { module.connectThrough(route); }), QString());
    importAndWriteBack(module, database);
}

} // namespace
