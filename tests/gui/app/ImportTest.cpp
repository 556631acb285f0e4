// The import of the current patient on the window: the ".N" item, the import
// at start, the write-back at closing, a missing database file.
#include "NavelisTestDatabase.h"
#include "ScriptedDialogs.h"
#include "TiravonSession.h"

#include "app/CareSheetWindow.h"
#include "widgets/DateEdit.h"
#include "widgets/SheetEdit.h"

#include <QAction>
#include <QTest>

namespace {

class ImportTest : public ::testing::Test
{
protected:
    TiravonSession session;
    QString database = session.path(QStringLiteral("NAVELIS.MDB"));

    void SetUp() override { session.fake.windows = session.folder(); }
    QStringList identity() const
    {
        CareSheetWindow *f = session.form();
        return {textField(f, "NOM")->text(), dateField(f, "DDN")->text(), textField(f, "MATRICULE")->text(), textField(f, "ADRESSE")->text(), textField(f, "VILLE")->text(),
                textField(f, "ASSURE")->text(), textField(f, "ASSURE_MATRICULE")->text(), textField(f, "CPAM")->text()};
    }
};

const QStringList kImported{QStringLiteral("DURAND MARIE"), QStringLiteral("12/03/1975"), QStringLiteral("2 75 03"), QStringLiteral("12 RUE DES LILAS - BÂTIMENT B"),
                            QStringLiteral("75011 PARIS"), QStringLiteral(""), QStringLiteral(""), QStringLiteral("CPAM")};

TEST_F(ImportTest, AtStartTheSheetIsFilledAndClosingWritesTheNumberBack)
{
    makeNavelisDatabase(database);
    writeNavelisIni(session.folder(), database, 1234);
    writeBoolSetting(QStringLiteral("OPTIONS"), QStringLiteral("AUTO_NAVELIS"), true);
    testDialogs().confirmAnswers = {true};
    session.start();
    CareSheetWindow *form = session.form();
    EXPECT_TRUE(actionOf(form, "importAtStartAction")->isChecked());
    EXPECT_EQ(identity().mid(0, 7), kImported.mid(0, 7));

    textField(form, "MATRICULE")->setText(QStringLiteral("2 75 03 75 999"));
    session.close();
    EXPECT_EQ(storedNumber(database, 1234), QStringLiteral("2 75 03 75 999"));
    EXPECT_EQ(storedNumber(database, 1), QStringLiteral("1 50 01"));
    EXPECT_TRUE(testDialogs().texts(QStringLiteral("error")).isEmpty());
}

// Whatever clears the identity or names another patient forgets DURAND: a
// walk-in patient's number never lands in DURAND's record.
TEST_F(ImportTest, AfterTheIdentityIsClearedOrAnotherNameTypedClosingWritesNothingBack)
{
    const struct { const char *what; std::function<void(CareSheetWindow *)> change; } cases[] = {
        {"Tout effacer", [](CareSheetWindow *f) { actionOf(f, "clearAllAction")->trigger(); }},
        {"Tout effacer, the same name typed again",
         [](CareSheetWindow *f) { actionOf(f, "clearAllAction")->trigger(); textField(f, "NOM")->setText(QStringLiteral("DURAND MARIE")); }},
        {"another name typed", [](CareSheetWindow *f) {
             textField(f, "NOM")->selectAll();
             QTest::keyClicks(textField(f, "NOM"), QStringLiteral("MARTIN PAUL"));
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        makeNavelisDatabase(database);
        writeNavelisIni(session.folder(), database, 1234);
        writeBoolSetting(QStringLiteral("OPTIONS"), QStringLiteral("AUTO_NAVELIS"), true);
        testDialogs().confirmAnswers = {true};
        session.start();
        CareSheetWindow *form = session.form();
        ASSERT_EQ(textField(form, "NOM")->text(), QStringLiteral("DURAND MARIE"));
        c.change(form);
        textField(form, "MATRICULE")->setText(QStringLiteral("1 80 01 59 123"));
        session.close();
        EXPECT_EQ(storedNumber(database, 1234), QStringLiteral("2 75 03"));
        EXPECT_TRUE(testDialogs().texts(QStringLiteral("error")).isEmpty());
        QFile::remove(database);
    }
}

TEST_F(ImportTest, TheItemChangesTheSheetOnlyOnOkAndTheTickIsStored)
{
    makeNavelisDatabase(database);
    writeNavelisIni(session.folder(), database, 1234);
    session.start();
    CareSheetWindow *form = session.form();
    EXPECT_TRUE(testDialogs().texts(QStringLiteral("confirm")).isEmpty());
    textField(form, "ASSURE")->setText(QStringLiteral("ANCIEN"));
    textField(form, "CPAM")->setText(QStringLiteral("CPAM"));
    const QStringList before = identity();
    testDialogs().confirmAnswers = {false, true};
    actionOf(form, "importPatientAction")->trigger();
    EXPECT_EQ(identity(), before);
    actionOf(form, "importPatientAction")->trigger();
    EXPECT_EQ(identity(), kImported);

    actionOf(form, "importAtStartAction")->trigger();
    EXPECT_EQ(readSetting(QStringLiteral("OPTIONS"), QStringLiteral("AUTO_NAVELIS"), QString()), QStringLiteral("1"));
}

TEST_F(ImportTest, AMissingDatabaseGreysTheItemAndAFailedImportAtStartIsTold)
{
    writeBoolSetting(QStringLiteral("OPTIONS"), QStringLiteral("AUTO_NAVELIS"), true);
    writeNavelisIni(session.folder(), database, 1234);
    session.start();
    EXPECT_EQ(session.form()->windowTitle(), QStringLiteral("NAVELIS.MDB non trouvé"));
    EXPECT_FALSE(actionOf(session.form(), "importPatientAction")->isEnabled());
    EXPECT_TRUE(testDialogs().texts(QStringLiteral("confirm")).isEmpty());
    EXPECT_TRUE(testDialogs().texts(QStringLiteral("error")).isEmpty());
    session.close();

    // No navelis.ini: no connection, the item stays, the import of patient 5 fails.
    QFile::remove(session.path(QStringLiteral("navelis.ini")));
    testDialogs().clear();
    session.start();
    EXPECT_TRUE(actionOf(session.form(), "importPatientAction")->isEnabled());
    EXPECT_EQ(testDialogs().texts(QStringLiteral("error")),
              QStringList{QStringLiteral("La base NAVELIS n'est pas ouverte : le patient 5 ne peut pas être lu.")});
}

} // namespace
