// The import of the current patient on the window: the ".N" item and its
// confirmation, the import at start, the write-back at closing, and the
// window when the external database file is missing.
#include "NavelisDatabase.h"
#include "ScriptedDialogs.h"
#include "TiravonSession.h"

#include "app/Unit1.h"
#include "support/tq32_ini.h"
#include "widgets/DateEdit.h"
#include "widgets/SheetEdit.h"

#include <QAction>
#include <gtest/gtest.h>

namespace {

class ImportTest : public ::testing::Test
{
protected:
    TiravonSession session;
    QString database;

    void SetUp() override
    {
        session.fake.windows = session.folder();
        database = session.path(QStringLiteral("NAVELIS.MDB"));
    }

    QStringList identity() const
    {
        TForm1 *form = session.form();
        return {form->NOM->text(), form->DDN->text(), form->MATRICULE->text(), form->ADRESSE->text(),
                form->VILLE->text(), form->ASSURE->text(), form->ASSURE_MATRICULE->text(), form->CPAM->text()};
    }
};

TEST_F(ImportTest, AtStartTheCurrentPatientFillsTheSheetAndClosingWritesTheNumberBack)
{
    makeNavelisDatabase(database, samplePatients());
    writeNavelisIni(session.folder(), database, 1234);
    INI_WriteBool(QStringLiteral("OPTIONS"), QStringLiteral("AUTO_NAVELIS"), true);
    testDialogs().confirmAnswers = {true};
    session.start();
    TForm1 *form = session.form();

    EXPECT_TRUE(form->chk_AutoNavelis->isChecked());
    ASSERT_EQ(testDialogs().texts(QStringLiteral("confirm")).size(), 1);
    EXPECT_EQ(identity().mid(0, 7),
              (QStringList{"DURAND MARIE", "12/03/1975", "2 75 03 75 123 456", "12 RUE DES LILAS - BÂTIMENT B",
                           "75011 PARIS", "", ""}));

    form->MATRICULE->setText(QStringLiteral("2 75 03 75 999 999"));
    session.close();
    EXPECT_EQ(storedNumber(database, 1234), QStringLiteral("2 75 03 75 999 999"));
    EXPECT_EQ(storedNumber(database, 1), QStringLiteral("1 50 01 75 111 001"));
    EXPECT_TRUE(testDialogs().texts(QStringLiteral("error")).isEmpty());
}

TEST_F(ImportTest, TheItemAsksFirstAndTheTickIsStored)
{
    makeNavelisDatabase(database, samplePatients());
    writeNavelisIni(session.folder(), database, 1234);
    session.start();
    TForm1 *form = session.form();
    EXPECT_TRUE(testDialogs().texts(QStringLiteral("confirm")).isEmpty());
    ASSERT_TRUE(form->mnu_NAVELIS->isEnabled());

    form->NOM->setText(QStringLiteral("ANCIEN Nom"));
    form->ASSURE->setText(QStringLiteral("ANCIEN Assuré"));
    form->CPAM->setText(QStringLiteral("CPAM DE PARIS"));
    const QStringList before = identity();
    testDialogs().confirmAnswers = {false};
    form->mnu_NAVELIS->trigger();
    EXPECT_EQ(identity(), before);

    testDialogs().confirmAnswers = {true};
    form->mnu_NAVELIS->trigger();
    EXPECT_EQ(identity(), (QStringList{"DURAND MARIE", "12/03/1975", "2 75 03 75 123 456",
                                       "12 RUE DES LILAS - BÂTIMENT B", "75011 PARIS", "", "", "CPAM DE PARIS"}));

    form->chk_AutoNavelis->trigger();
    EXPECT_EQ(INI_ReadString(QStringLiteral("OPTIONS"), QStringLiteral("AUTO_NAVELIS"), QString()),
              QStringLiteral("1"));
}

TEST_F(ImportTest, AMissingDatabaseFileGreysTheItemAndSkipsTheImportAtStart)
{
    writeNavelisIni(session.folder(), database, 1234);
    INI_WriteBool(QStringLiteral("OPTIONS"), QStringLiteral("AUTO_NAVELIS"), true);
    session.start();
    TForm1 *form = session.form();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("NAVELIS.MDB non trouvé"));
    EXPECT_FALSE(form->mnu_NAVELIS->isEnabled());
    EXPECT_TRUE(form->chk_AutoNavelis->isChecked());
    EXPECT_TRUE(testDialogs().texts(QStringLiteral("confirm")).isEmpty());
    EXPECT_TRUE(testDialogs().texts(QStringLiteral("error")).isEmpty());
}

TEST_F(ImportTest, AnImportAtStartThatCannotReadThePatientIsToldAndTheProgramGoesOn)
{
    // No navelis.ini: no connection, and the import of patient 5 fails.
    INI_WriteBool(QStringLiteral("OPTIONS"), QStringLiteral("AUTO_NAVELIS"), true);
    session.start();
    TForm1 *form = session.form();
    EXPECT_EQ(testDialogs().texts(QStringLiteral("error")),
              QStringList{QStringLiteral("La base NAVELIS n'est pas ouverte : le patient 5 ne peut pas être lu.")});
    EXPECT_TRUE(form->mnu_NAVELIS->isEnabled());
    EXPECT_TRUE(form->isVisible());
}

} // namespace
