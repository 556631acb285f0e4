// The program settings as the files keep them: every key where it has always
// been, with its default; the form in use derived from its image path; the
// models folder made when missing.
#include "SupportFixture.h"

#include "config/FieldCatalogue.h"
#include "config/FormInUse.h"
#include "config/ProgramSettings.h"
#include "support/DataFolder.h"
#include "support/SettingsStore.h"

namespace {

class ProgramSettingsTest : public SupportTest
{
};

// The spellings are the files': a changed one would lose every practice's
// setting of that key.
TEST_F(ProgramSettingsTest, EveryKeyIsWhereTheFilesHaveAlwaysKeptItWithItsDefault)
{
    struct Case { Setting setting; const char *section, *key; QString def; };
    const Case cases[] = {
        {Setting::FormImage, "DEFAUT", "IMAGE", programFolder() + QStringLiteral("feuille_de_soin_medecin.jpg")},
        {Setting::FormConfiguration, "DEFAUT", "INI", QString()},
        {Setting::PatientName, "IDENTITE", "NOM", samplePatientName()},
        {Setting::PatientNumber, "IDENTITE", "MATRICULE", QString()},
        {Setting::PatientBirthDate, "IDENTITE", "DDN", QString()},
        {Setting::PatientAddress, "IDENTITE", "ADRESSE", QString()},
        {Setting::FieldsLocked, "OPTIONS", "VERROU", QStringLiteral("0")},
        {Setting::PresentationShown, "OPTIONS", "AFFICHE", QStringLiteral("1")},
        {Setting::PresentationLeft, "OPTIONS", "X", QStringLiteral("0")},
        {Setting::PresentationTop, "OPTIONS", "Y", QStringLiteral("0")},
        {Setting::StampShown, "OPTIONS", "TAMPON", QStringLiteral("1")},
        {Setting::ChooseActAtStart, "OPTIONS", "AUTO_ACTE", QStringLiteral("0")},
        {Setting::ImportAtStart, "OPTIONS", "AUTO_NAVELIS", QStringLiteral("0")},
        {Setting::OutOfAreaWarning, "OPTIONS", "AVERTIR_HORS_ZONE", QStringLiteral("1")},
        {Setting::ShortcutsShown, "HISTORIQUE", "AFFICHE", QStringLiteral("1")},
    };
    for (const Case &c : cases) {
        const SettingKey k = settingKey(c.setting);
        EXPECT_EQ(k.section, QString::fromLatin1(c.section)) << c.key;
        EXPECT_EQ(k.key, QString::fromLatin1(c.key)) << c.section;
        EXPECT_EQ(k.def, c.def) << c.section << "/" << c.key;
    }
    EXPECT_EQ(settingSection(SettingGroup::ActInUse), QStringLiteral("ACTE"));
    EXPECT_EQ(settingSection(SettingGroup::ActModelFiles), QStringLiteral("ACTES"));
    EXPECT_EQ(settingSection(SettingGroup::PrinterOffsets), QStringLiteral("IMPRIMANTES"));
    EXPECT_EQ(placementName(PlacedWindow::CareSheet), QStringLiteral("Form1"));
    EXPECT_EQ(placementName(PlacedWindow::PrinterOffsets), QStringLiteral("Form_DECALAGE"));
    EXPECT_EQ(sideFileName(SideFile::Towns), QStringLiteral("VILLES.TXT"));
    EXPECT_EQ(sideFileName(SideFile::TariffSearches), QStringLiteral("LISTE_RECHERCHE_TARIFS.TXT"));
}

TEST_F(ProgramSettingsTest, AKeyReadsItsDefaultUntilStoredAndIsStoredInItsSection)
{
    EXPECT_TRUE(settingFlag(Setting::OutOfAreaWarning));
    EXPECT_EQ(settingNumber(Setting::PresentationLeft), 0);
    EXPECT_EQ(settingText(Setting::PatientNumber), QString());
    EXPECT_EQ(groupText(SettingGroup::ActInUse, QStringLiteral("C:\\fs\\feuille\\")), QStringLiteral("CS"));

    storeFlag(Setting::OutOfAreaWarning, false);
    storeNumber(Setting::PresentationLeft, -12);
    storeText(Setting::PatientNumber, QStringLiteral("2 75 03"));
    storeGroupText(SettingGroup::ActInUse, QStringLiteral("C:\\fs\\feuille\\"), QStringLiteral("ECHO"));

    EXPECT_EQ(readSetting(QStringLiteral("OPTIONS"), QStringLiteral("AVERTIR_HORS_ZONE"), QString()), QStringLiteral("0"));
    EXPECT_EQ(readSetting(QStringLiteral("OPTIONS"), QStringLiteral("X"), QString()), QStringLiteral("-12"));
    EXPECT_EQ(readSetting(QStringLiteral("IDENTITE"), QStringLiteral("MATRICULE"), QString()), QStringLiteral("2 75 03"));
    EXPECT_EQ(readSetting(QStringLiteral("ACTE"), QStringLiteral("C:\\fs\\feuille\\"), QString()), QStringLiteral("ECHO"));
    EXPECT_FALSE(settingFlag(Setting::OutOfAreaWarning));
    EXPECT_EQ(settingNumber(Setting::PresentationLeft), -12);
    EXPECT_EQ(groupText(SettingGroup::ActInUse, QStringLiteral("C:\\fs\\feuille\\")), QStringLiteral("ECHO"));
}

TEST_F(ProgramSettingsTest, TheFormInUseIsDerivedFromTheImagePathAndTheActStoredForItsModels)
{
    const QString image = path(QStringLiteral("feuille.jpg"));
    const QString models = path(QStringLiteral("feuille")) + QDir::separator();
    FormInUse form = formInUseFor(image, QStringLiteral("user1"));
    EXPECT_EQ(form.formImagePath, image);
    EXPECT_EQ(form.modelsFolder, models);
    EXPECT_EQ(form.formModelName, QStringLiteral("FEUILLE"));
    EXPECT_EQ(form.currentActName, QStringLiteral("CS"));
    EXPECT_EQ(form.formConfigPath, path(QStringLiteral("feuille@user1.INI")));

    storeGroupText(SettingGroup::ActInUse, models, QStringLiteral("ECHO"));
    form = formInUseFor(image, QStringLiteral("user2"));
    EXPECT_EQ(form.currentActName, QStringLiteral("ECHO"));
    EXPECT_EQ(form.formConfigPath, path(QStringLiteral("feuille@user2.INI")));
}

TEST_F(ProgramSettingsTest, TheModelsFolderIsMadeWhenMissingAndSaidSo)
{
    // A file standing where a folder of the path should be: it cannot be made.
    QFile blocking(path(QStringLiteral("fichier")));
    ASSERT_TRUE(blocking.open(QIODevice::WriteOnly));
    blocking.close();
    struct Case { QString folder; bool made; QStringList shown; };
    const QString missing = path(QStringLiteral("feuille")) + QDir::separator();
    const QString blocked = path(QStringLiteral("fichier/feuille")) + QDir::separator();
    const Case cases[] = {
        {path(QString()), true, {}},
        {missing, true, {QStringLiteral("Création du Dossier des Modèles TIRAVON en \"%1\"").arg(missing)}},
        {missing, true, {}},
        {blocked, false,
         {QStringLiteral("Création du Dossier des Modèles TIRAVON en \"%1\"").arg(blocked),
          QStringLiteral("Erreur de création du dossier des modèles\r\r\"%1\"").arg(blocked)}},
    };
    for (const Case &c : cases) {
        testDialogs().clear();
        ensureModelsFolder(c.folder);
        EXPECT_EQ(QDir(c.folder).exists(), c.made) << c.folder.toStdString();
        EXPECT_EQ(testDialogs().texts(), c.shown) << c.folder.toStdString();
    }
}

} // namespace
