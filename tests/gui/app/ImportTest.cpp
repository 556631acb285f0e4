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
        return {f->NOM->text(), f->DDN->text(), f->MATRICULE->text(), f->ADRESSE->text(), f->VILLE->text(),
                f->ASSURE->text(), f->ASSURE_MATRICULE->text(), f->CPAM->text()};
    }
};

const QStringList kImported{"DURAND MARIE", "12/03/1975", "2 75 03", "12 RUE DES LILAS - BÂTIMENT B",
                            "75011 PARIS", "", "", "CPAM"};

TEST_F(ImportTest, AtStartTheSheetIsFilledAndClosingWritesTheNumberBack)
{
    makeNavelisDatabase(database);
    writeNavelisIni(session.folder(), database, 1234);
    writeBoolSetting(QStringLiteral("OPTIONS"), QStringLiteral("AUTO_NAVELIS"), true);
    testDialogs().confirmAnswers = {true};
    session.start();
    CareSheetWindow *form = session.form();
    EXPECT_TRUE(form->importAtStartAction->isChecked());
    EXPECT_EQ(identity().mid(0, 7), kImported.mid(0, 7));

    form->MATRICULE->setText(QStringLiteral("2 75 03 75 999"));
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
        {"Tout effacer", [](CareSheetWindow *f) { f->clearAllAction->trigger(); }},
        {"Tout effacer, the same name typed again",
         [](CareSheetWindow *f) { f->clearAllAction->trigger(); f->NOM->setText(QStringLiteral("DURAND MARIE")); }},
        {"another name typed", [](CareSheetWindow *f) {
             f->NOM->selectAll();
             QTest::keyClicks(f->NOM, QStringLiteral("MARTIN PAUL"));
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
        ASSERT_EQ(form->NOM->text(), QStringLiteral("DURAND MARIE"));
        c.change(form);
        form->MATRICULE->setText(QStringLiteral("1 80 01 59 123"));
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
    form->ASSURE->setText(QStringLiteral("ANCIEN"));
    form->CPAM->setText(QStringLiteral("CPAM"));
    const QStringList before = identity();
    testDialogs().confirmAnswers = {false, true};
    form->importPatientAction->trigger();
    EXPECT_EQ(identity(), before);
    form->importPatientAction->trigger();
    EXPECT_EQ(identity(), kImported);

    form->importAtStartAction->trigger();
    EXPECT_EQ(readSetting(QStringLiteral("OPTIONS"), QStringLiteral("AUTO_NAVELIS"), QString()), "1");
}

TEST_F(ImportTest, AMissingDatabaseGreysTheItemAndAFailedImportAtStartIsTold)
{
    writeBoolSetting(QStringLiteral("OPTIONS"), QStringLiteral("AUTO_NAVELIS"), true);
    writeNavelisIni(session.folder(), database, 1234);
    session.start();
    EXPECT_EQ(session.form()->windowTitle(), QStringLiteral("NAVELIS.MDB non trouvé"));
    EXPECT_FALSE(session.form()->importPatientAction->isEnabled());
    EXPECT_TRUE(testDialogs().texts(QStringLiteral("confirm")).isEmpty());
    EXPECT_TRUE(testDialogs().texts(QStringLiteral("error")).isEmpty());
    session.close();

    // No navelis.ini: no connection, the item stays, the import of patient 5 fails.
    QFile::remove(session.path(QStringLiteral("navelis.ini")));
    testDialogs().clear();
    session.start();
    EXPECT_TRUE(session.form()->importPatientAction->isEnabled());
    EXPECT_EQ(testDialogs().texts(QStringLiteral("error")),
              QStringList{QStringLiteral("La base NAVELIS n'est pas ouverte : le patient 5 ne peut pas être lu.")});
}

} // namespace
