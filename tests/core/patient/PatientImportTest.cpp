// The import of the current patient from the external record: the mapping
// onto the sheet, the way the database is reached, and the data module over
// SQLite databases made here (one of them through ODBC).
#include "HostTools.h"
#include "NavelisTestDatabase.h"
#include "SupportFixture.h"

#include "patient/NavelisDatabase.h"
#include "patient/PatientImport.h"
#include "support/TextFile.h"

#include <QSqlError>
#include <limits>

namespace {

TEST(PatientImport, MapsARowOntoTheIdentityFields)
{
    const struct { PatientRecord row; QStringList sheet; } cases[] = {
        // NOM, DDN, MATRICULE, ADRESSE, VILLE
        {{QStringLiteral("DURAND"), QStringLiteral("Marie"), QStringLiteral("12/03/1975"), QStringLiteral("2 75 03"), QStringLiteral("12 rue des Lilas\r\nBâtiment B"), QStringLiteral("75011"), QStringLiteral("PARIS")},
         {QStringLiteral("DURAND Marie"), QStringLiteral("12/03/1975"), QStringLiteral("2 75 03"), QStringLiteral("12 rue des Lilas - Bâtiment B"), QStringLiteral("75011 PARIS")}},
        {{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral(""), QStringLiteral("_provisoire"), QStringLiteral("a\r\nb\r\nc"), QStringLiteral(""), QStringLiteral("LYON")}, {QStringLiteral("A B"), QStringLiteral(""), QStringLiteral(""), QStringLiteral("a - b - c"), QStringLiteral(" LYON")}},
        // Line breaks written by other systems than Windows.
        {{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral(""), QStringLiteral(""), QStringLiteral("a\nb\rc\u2028d\n\re"), QStringLiteral(""), QStringLiteral("")}, {QStringLiteral("A B"), QStringLiteral(""), QStringLiteral(""), QStringLiteral("a - b - c - d -  - e"), QStringLiteral(" ")}},
        {{QStringLiteral("A"), QStringLiteral(""), QStringLiteral(""), QStringLiteral("_"), QStringLiteral(""), QStringLiteral("69001"), QStringLiteral("")}, {QStringLiteral("A "), QStringLiteral(""), QStringLiteral(""), QStringLiteral(""), QStringLiteral("69001 ")}},
        {{QStringLiteral(""), QStringLiteral(""), QStringLiteral(""), QStringLiteral("2 75_03"), QStringLiteral(""), QStringLiteral(""), QStringLiteral("")}, {QStringLiteral(" "), QStringLiteral(""), QStringLiteral("2 75_03"), QStringLiteral(""), QStringLiteral(" ")}},
    };
    for (const auto &c : cases) {
        const ImportedPatient got = importedPatient(c.row);
        EXPECT_EQ((QStringList{got.name, got.birthDate, got.number, got.address, got.town}), c.sheet);
        EXPECT_TRUE(got.insured.isEmpty() && got.insuredNumber.isEmpty());
    }
}

TEST(PatientImport, ReadsEveryValueAsText)
{
    const struct { QVariant value; const char *text; } cases[] = {
        {QVariant(), ""}, {QDate(1975, 3, 12), "12/03/1975"}, {QDateTime(QDate(1975, 3, 2), QTime()), "02/03/1975"},
        {QStringLiteral("1975-03-12"), "12/03/1975"}, {QStringLiteral("1975-03-12 00:00:00"), "12/03/1975"}, {QStringLiteral("12/03/1975"), "12/03/1975"},
        {75011, "75011"}, {75011.0, "75011"}, {QStringLiteral("07500"), "07500"}, {QStringLiteral("1975-13-45"), "1975-13-45"},
        // Floating values beyond any whole number, or no number at all.
        {-0.0, "0"}, {2.5, "2.5"}, {1e300, "1e+300"}, {-1e19, "-1e+19"},
        {std::numeric_limits<double>::quiet_NaN(), ""}, {std::numeric_limits<double>::infinity(), ""},
        {-std::numeric_limits<double>::infinity(), ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(recordText(c.value), QString::fromUtf8(c.text)) << c.value.toString().toStdString();
}

TEST(PatientImport, WritesBackOnlyANumberTheUserGaveTheImportedPatient)
{
    const ImportedOnSheet durand{QStringLiteral("DURAND Marie"), QStringLiteral("2 75 03")};
    const ImportedOnSheet waiting{QStringLiteral("DURAND Marie"), QStringLiteral("")};     // QStringLiteral("_en attente") in the record
    const struct { const char *what; ImportedOnSheet imported; const char *nom, *matricule; std::optional<QString> written; } cases[] = {
        {"completed", durand, "DURAND MARIE", "2 75 03 75 999", QStringLiteral("2 75 03 75 999")},
        {"the name with other blanks and case", durand, "  durand marie ", "2 75 04", QStringLiteral("2 75 04")},
        {"untouched", durand, "DURAND MARIE", "2 75 03", std::nullopt},
        {"untouched but for blanks", durand, "DURAND MARIE", " 2 75 03 ", std::nullopt},
        {"number cleared", durand, "DURAND MARIE", "", std::nullopt},
        {"number blank", durand, "DURAND MARIE", "   ", std::nullopt},
        {"identity cleared, a walk-in's number", durand, "", "1 80 01", std::nullopt},
        {"another patient", durand, "MARTIN Paul", "1 80 01", std::nullopt},
        {"placeholder untouched", waiting, "DURAND MARIE", "", std::nullopt},
        {"placeholder completed", waiting, "DURAND MARIE", "2 75 03 75 999", QStringLiteral("2 75 03 75 999")},
    };
    for (const auto &c : cases)
        EXPECT_EQ(numberToWriteBack(c.imported, QString::fromUtf8(c.nom), QString::fromUtf8(c.matricule)), c.written) << c.what;
}

TEST(PatientImport, DatabaseErrorsAreToldInFrench)
{
    const QString busy = QStringLiteral("la base est occupée par un autre programme ; réessayez dans un instant");
    const struct { const char *driver; QSqlError error; QString said; } cases[] = {
        {"QSQLITE", QSqlError(QStringLiteral("Unable to execute statement"), QStringLiteral("database is locked"), QSqlError::StatementError, QStringLiteral("5")), busy},
        {"QSQLITE", QSqlError(QStringLiteral("Unable to fetch row"), QStringLiteral("database table is locked"), QSqlError::StatementError, QStringLiteral("262")), busy},
        {"QSQLITE", QSqlError(QStringLiteral(""), QStringLiteral("no such table: GLB PATIENT"), QSqlError::StatementError, QStringLiteral("1")),
         QStringLiteral("une table attendue manque dans la base")},
        {"QSQLITE", QSqlError(QStringLiteral(""), QStringLiteral("no such column: NOM"), QSqlError::StatementError, QStringLiteral("1")),
         QStringLiteral("une colonne attendue manque dans la base")},
        {"QSQLITE", QSqlError(QStringLiteral(""), QStringLiteral("near \"x\": syntax error"), QSqlError::StatementError, QStringLiteral("1")),
         QStringLiteral("la requête a été refusée par la base")},
        {"QSQLITE", QSqlError(QStringLiteral("Error opening database"), QStringLiteral("file is not a database"), QSqlError::ConnectionError, QStringLiteral("26")),
         QStringLiteral("ce fichier n'est pas une base de données")},
        {"QSQLITE", QSqlError(QStringLiteral(""), QStringLiteral("attempt to write a readonly database"), QSqlError::StatementError, QStringLiteral("8")),
         QStringLiteral("la base ne peut pas être modifiée (lecture seule)")},
        {"QSQLITE", QSqlError(QStringLiteral(""), QStringLiteral("database or disk is full"), QSqlError::StatementError, QStringLiteral("13")),
         QStringLiteral("le disque de la base est plein")},
        {"QODBC", QSqlError(QStringLiteral("QODBC: Unable to connect"), QStringLiteral("[unixODBC]Data source name not found"), QSqlError::ConnectionError, QStringLiteral("IM002")),
         QStringLiteral("le pilote ODBC de la base n'est pas installé sur ce poste")},
        {"QODBC", QSqlError(QStringLiteral(""), QStringLiteral("[Microsoft][ODBC Microsoft Access Driver] table introuvable"), QSqlError::StatementError, QStringLiteral("42S02;01000")),
         QStringLiteral("une table attendue manque dans la base")},
        {"QODBC", QSqlError(QStringLiteral(""), QStringLiteral("Could not use; file already in use"), QSqlError::ConnectionError, QStringLiteral("-1102")),
         QStringLiteral("la connexion à la base a échoué")},
        {"QSQLITE", QSqlError(QStringLiteral("Driver not loaded"), QStringLiteral("Driver not loaded"), QSqlError::ConnectionError), QStringLiteral("la connexion à la base a échoué")},
        {"QSQLITE", QSqlError(QStringLiteral(""), QStringLiteral(""), QSqlError::UnknownError), QStringLiteral("erreur inconnue de la base")},
    };
    for (const auto &c : cases)
        EXPECT_EQ(databaseErrorText(c.error, QString::fromLatin1(c.driver)), c.said) << c.error.text().toStdString();
}

TEST(PatientImport, QueryTextsAndRoutes)
{
    EXPECT_EQ(pregnancyQuery(-7), QStringLiteral("SELECT [CODE PATIENT], [DATE DERNIERES REGLES], [DATE CONCEPTION] "
                                                 "FROM [SA GROSSESSE]\r\nWHERE([CODE PATIENT] = -7 )"));
    const QString access = QStringLiteral("Microsoft Access Driver (*.mdb, *.accdb)");
    const QString file = QStringLiteral("/d/NAVELIS.MDB");
    EXPECT_EQ(routeFor(file, true, access).qtDriver, QStringLiteral("QSQLITE"));
    EXPECT_EQ(routeFor(file, false, access).databaseName,
              QStringLiteral("Driver={") + access + QStringLiteral("};DBQ=") + QDir::toNativeSeparators(file));
    EXPECT_EQ(routeFor(file, false, QString()).kind, DatabaseRoute::None);

    const QStringList names = odbcDriverNames(QStringLiteral("[ODBC]\nTrace=No\n[SQLite3]\nDriver=x.so\n  [MDBTools]  \r\nDriver=y"));
    EXPECT_EQ(names, (QStringList{QStringLiteral("SQLite3"), QStringLiteral("MDBTools")}));
    EXPECT_EQ(accessDriverAmong(names), QStringLiteral("MDBTools"));
    EXPECT_EQ(accessDriverAmong({QStringLiteral("SQLite3"), QStringLiteral("PostgreSQL Unicode")}), QString());
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
        NavelisDatabase module([&missing] { missing = true; });
        EXPECT_EQ(module.isConnected(), c.connected) << c.what;
        EXPECT_EQ(module.patients.open && module.pregnancies.open, c.connected) << c.what;
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
         [this] { sample(1234); writeSetting(QStringLiteral("MRU"), QStringLiteral("PATIENT"), QStringLiteral("abc"), dir.filePath(QStringLiteral("navelis.ini"))); }, {},
         {QStringLiteral("Le code du patient dans navelis.ini ne peut pas être lu : \"abc\" n'est pas un nombre. "
                         "La fiche n'est pas modifiée.")}, false},
        {"no connection", [] {}, {}, {}, true},
        {"a column missing",
         [this] { runSql(database, {QStringLiteral("CREATE TABLE [GLB PATIENT] ([CODE PATIENT] INTEGER, NOM TEXT)"), kCreatePregnancies});
                  writeNavelisIni(dir.path(), database, 1234); }, {}, {}, true},
        {"a table gone since the start", [this] { sample(1234); },
         [this] { runSql(database, {QStringLiteral("DROP TABLE [SA GROSSESSE]")}); }, {}, true},
    };
    for (const auto &c : cases) {
        QFile::remove(database);
        QFile::remove(dir.filePath(QStringLiteral("navelis.ini")));
        c.prepare();
        NavelisDatabase module;
        if (c.meanwhile)
            c.meanwhile();
        testDialogs().clear();
        testDialogs().confirmAnswers = {false};
        std::optional<ImportedPatient> got;
        const QString error = errorMessageOf([&] { got = module.importCurrentPatient(); });
        EXPECT_FALSE(got.has_value()) << c.what;
        EXPECT_EQ(!error.isEmpty(), c.raises) << c.what;
        EXPECT_EQ(testDialogs().texts(QStringLiteral("information")), c.informations) << c.what;
        EXPECT_EQ(testDialogs().texts(QStringLiteral("confirm")).size(), c.raises || !c.informations.isEmpty() ? 0 : 1);
        module.writeBackNumber(QStringLiteral("DURAND Marie"), QStringLiteral("9 99"));
        EXPECT_FALSE(module.writeBackCode().has_value()) << c.what;
        if (!c.raises && QFile::exists(database)) {
            EXPECT_EQ(storedNumber(database, 1234), QStringLiteral("2 75 03")) << c.what;
        }
    }
}

// Runs the import of patient 1234 and the write-back along a route, and
// checks that the text lands verbatim in that row only.
void importAndWriteBack(NavelisDatabase &module, const QString &database)
{
    module.writeBackNumber(QStringLiteral("DURAND Marie"), QStringLiteral("1 11"));   // nothing imported yet
    testDialogs().confirmAnswers = {true};
    const std::optional<ImportedPatient> got = module.importCurrentPatient();
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(testDialogs().texts(QStringLiteral("confirm")).value(0),
              QStringLiteral("ATTENTION vous allez Remplacer toutes les données administratives de cette fiche\r"
                             "Par les données du patient actuellement en cours de consultation dans NAVELIS\r\r"
                             "DURAND Marie\r\rVoulez vous continuer ?"));
    EXPECT_EQ(module.patients.text,
              QStringLiteral("SELECT [CODE PATIENT], NOM, PRENOM,[DATE NAISSANCE],[NUMERO SECURITE SOCIAL],MEMO,"
                             "[ADRESSE],[CODE POSTAL],[VILLE],[TEL DOMICILE],[TEL AUTRE] FROM [GLB PATIENT]\r\n"
                             "WHERE([CODE PATIENT] = 1234 )"));
    EXPECT_EQ((QStringList{got->name, got->birthDate, got->address, got->town}),
              (QStringList{QStringLiteral("DURAND Marie"), QStringLiteral("12/03/1975"), QStringLiteral("12 rue des Lilas - Bâtiment B"), QStringLiteral("75011 PARIS")}));
    const QString hostile = QStringLiteral("2 75' ; DELETE FROM [GLB PATIENT]; --\"é");
    EXPECT_EQ(errorMessageOf([&] { module.writeBackNumber(got->name, hostile); }), QString());
    EXPECT_EQ(storedNumber(database, 1234), hostile);
    EXPECT_EQ(storedNumber(database, 1), QStringLiteral("1 50 01"));
    EXPECT_EQ(storedNumber(database, 2000), QString());
    EXPECT_EQ(patientRows(database), QStringLiteral("3"));
}

TEST_F(NavelisTest, WriteBackGoesVerbatimIntoTheImportedRowOnly)
{
    sample(1234);
    NavelisDatabase module;
    importAndWriteBack(module, database);
    const QString hostile = storedNumber(database, 1234);
    const QString nom = QStringLiteral("DURAND MARIE");
    // A number cleared on the sheet never empties the record.
    module.writeBackNumber(nom, QString());
    EXPECT_EQ(storedNumber(database, 1234), hostile);

    // A later import cancelled leaves the sheet, so the target, on 1234.
    writeNavelisIni(dir.path(), database, 2000);
    testDialogs().confirmAnswers = {false};
    EXPECT_FALSE(module.importCurrentPatient().has_value());
    module.writeBackNumber(nom, QStringLiteral("3 33"));
    EXPECT_EQ(storedNumber(database, 1234), QStringLiteral("3 33"));

    // The row gone: nothing updated, no row added; a failed write is told once.
    runSql(database, {QStringLiteral("DELETE FROM [GLB PATIENT] WHERE [CODE PATIENT] = 1234")});
    module.writeBackNumber(nom, QStringLiteral("4 44"));
    EXPECT_EQ(storedNumber(database, 1234), QStringLiteral("<none>"));
    runSql(database, {QStringLiteral("DROP TABLE [GLB PATIENT]")});
    EXPECT_EQ(errorMessageOf([&] { module.writeBackNumber(nom, QStringLiteral("4 44")); }),
              QStringLiteral("Le numéro de sécurité sociale du patient 1234 n'a pas pu être enregistré dans la base "
                             "NAVELIS : une table attendue manque dans la base"));
    EXPECT_EQ(errorMessageOf([&] { module.writeBackNumber(nom, QStringLiteral("4 44")); }), QString());
}

TEST_F(NavelisTest, AnUntouchedPlaceholderStaysAndAPatientOnceReplacedIsForgotten)
{
    sample(1234);
    runSql(database, {QStringLiteral("UPDATE [GLB PATIENT] SET [NUMERO SECURITE SOCIAL] = '_en attente' WHERE [CODE PATIENT] = 1234")});
    NavelisDatabase module;
    testDialogs().confirmAnswers = {true};
    const std::optional<ImportedPatient> got = module.importCurrentPatient();
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(got->number, QString());
    module.writeBackNumber(got->name, got->number);
    EXPECT_EQ(storedNumber(database, 1234), QStringLiteral("_en attente"));

    // Another name typed, then the imported one again: the patient stays forgotten.
    module.nameOnSheetChanged(QStringLiteral("DURAND MARIE"));
    EXPECT_EQ(module.writeBackCode(), std::optional<int>(1234));
    module.nameOnSheetChanged(QStringLiteral("MARTIN"));
    module.nameOnSheetChanged(got->name);
    EXPECT_FALSE(module.writeBackCode().has_value());
    module.writeBackNumber(got->name, QStringLiteral("1 80 01"));
    EXPECT_EQ(storedNumber(database, 1234), QStringLiteral("_en attente"));
}

// The route Windows takes with its Access file, here with the SQLite ODBC
// driver: Qt's ODBC driver, the same query texts, the bound write-back.
TEST_F(NavelisTest, ImportAndWriteBackThroughOdbc)
{
    // Under Wine, Windows' ODBC is the host's unixODBC, whose drivers take
    // the host's paths.
    const QString folder = runningUnderWine() ? QStringLiteral("Z:/etc")
        : qEnvironmentVariableIsEmpty("ODBCSYSINI") ? QStringLiteral("/etc") : qEnvironmentVariable("ODBCSYSINI");
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QODBC"))
        || !odbcDriverNames(readTextFile(folder + QStringLiteral("/odbcinst.ini")).text).contains(QStringLiteral("SQLite3")))
        GTEST_SKIP() << "Qt's ODBC driver or the SQLite3 ODBC driver is missing (libqt6sql6-odbc, libsqliteodbc)";
    sample(1234);
    NavelisDatabase module;
    DatabaseRoute route{DatabaseRoute::Odbc, QStringLiteral("QODBC"), QStringLiteral("Driver=SQLite3;Database=") + hostPath(database)};
    ASSERT_EQ(errorMessageOf([&] { module.connectThrough(route); }), QString());
    importAndWriteBack(module, database);
}

} // namespace
