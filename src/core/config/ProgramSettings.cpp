#include "ProgramSettings.h"

#include "config/FieldCatalogue.h"
#include "support/DataFolder.h"
#include "support/SettingsStore.h"

namespace {

struct Row
{
    Setting setting;
    const char *section;
    const char *key;
    const char *def;
};

// In the enumeration's order.
const Row kSettings[] = {
    {Setting::FormImage, "DEFAUT", "IMAGE", nullptr},
    {Setting::FormConfiguration, "DEFAUT", "INI", ""},
    {Setting::PatientName, "IDENTITE", "NOM", nullptr},
    {Setting::PatientNumber, "IDENTITE", "MATRICULE", ""},
    {Setting::PatientBirthDate, "IDENTITE", "DDN", ""},
    {Setting::PatientAddress, "IDENTITE", "ADRESSE", ""},
    {Setting::FieldsLocked, "OPTIONS", "VERROU", "0"},
    {Setting::PresentationShown, "OPTIONS", "AFFICHE", "1"},
    {Setting::PresentationLeft, "OPTIONS", "X", "0"},
    {Setting::PresentationTop, "OPTIONS", "Y", "0"},
    {Setting::StampShown, "OPTIONS", "TAMPON", "1"},
    {Setting::ChooseActAtStart, "OPTIONS", "AUTO_ACTE", "0"},
    {Setting::ImportAtStart, "OPTIONS", "AUTO_NAVELIS", "0"},
    {Setting::OutOfAreaWarning, "OPTIONS", "AVERTIR_HORS_ZONE", "1"},
    {Setting::ShortcutsShown, "HISTORIQUE", "AFFICHE", "1"},
};

const Row &rowOf(Setting setting)
{
    return kSettings[static_cast<int>(setting)];
}

// The defaults worked out when asked: the form image in the program folder,
// the sample patient of the blank sheet.
QString defaultOf(const Row &row)
{
    if (row.def)
        return QString::fromLatin1(row.def);
    switch (row.setting) {
    case Setting::FormImage:
        return sideFilePath(SideFile::DefaultFormImage);
    case Setting::PatientName:
        return samplePatientName();
    default:
        return QString();
    }
}

struct GroupRow
{
    const char *section;
    const char *def;
};
const GroupRow kGroups[] = {
    {"ACTE", "CS"},
    {"ACTES", ""},
    {"IMPRIMANTES", ""},
};

const char *const kWindows[] = {
    "Form1", "Form_OPTIONS", "form_historique", "form_EDIT", "form_CALC", "Form_DECALAGE",
};

const char *const kSideFiles[] = {
    "feuille_de_soin_medecin.jpg",
    "HISTORIQUE.TXT",
    "VILLES.TXT",
    "CPAMS.TXT",
    "TAMPONS.TXT",
    "_NOTES.TXT",
    "LISTE_RECHERCHE_CODES.TXT",
    "LISTE_RECHERCHE_TEXTES.TXT",
    "LISTE_RECHERCHE_TARIFS.TXT",
};

} // namespace

SettingKey settingKey(Setting setting)
{
    const Row &row = rowOf(setting);
    return {QString::fromLatin1(row.section), QString::fromLatin1(row.key), defaultOf(row)};
}

QString settingText(Setting setting, const QString &file)
{
    const SettingKey k = settingKey(setting);
    return readSetting(k.section, k.key, k.def, file);
}

int settingNumber(Setting setting, const QString &file)
{
    const SettingKey k = settingKey(setting);
    return readIntegerSetting(k.section, k.key, k.def.toInt(), file);
}

bool settingFlag(Setting setting, const QString &file)
{
    const SettingKey k = settingKey(setting);
    return readBoolSetting(k.section, k.key, k.def.toInt() != 0, file);
}

void storeText(Setting setting, const QString &value, const QString &file)
{
    const SettingKey k = settingKey(setting);
    writeSetting(k.section, k.key, value, file);
}

void storeNumber(Setting setting, int value, const QString &file)
{
    const SettingKey k = settingKey(setting);
    writeIntegerSetting(k.section, k.key, value, file);
}

void storeFlag(Setting setting, bool value, const QString &file)
{
    const SettingKey k = settingKey(setting);
    writeBoolSetting(k.section, k.key, value, file);
}

QString settingSection(SettingGroup group)
{
    return QString::fromLatin1(kGroups[static_cast<int>(group)].section);
}

QString groupText(SettingGroup group, const QString &key, const QString &file)
{
    return readSetting(settingSection(group), key, QString::fromLatin1(kGroups[static_cast<int>(group)].def), file);
}

void storeGroupText(SettingGroup group, const QString &key, const QString &value, const QString &file)
{
    writeSetting(settingSection(group), key, value, file);
}

QString placementName(PlacedWindow window)
{
    return QString::fromLatin1(kWindows[static_cast<int>(window)]);
}

QString sideFileName(SideFile file)
{
    return QString::fromLatin1(kSideFiles[static_cast<int>(file)]);
}

QString sideFilePath(SideFile file)
{
    return programFolder() + sideFileName(file);
}
