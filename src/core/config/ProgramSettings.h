#pragma once

// The program settings file (Tiravon.INI beside the program): every key it
// keeps has its one home here, in one table of section, key and default, and
// is read and written through it; the sections whose keys are named at run
// time, the names the windows' placements are stored under and the side files
// kept beside the settings are named here too. The spellings are the files':
// they never change.

#include <QString>

enum class Setting {
    FormImage,          // DEFAUT/IMAGE: the form image; by default the one in the program folder
    FormConfiguration,  // DEFAUT/INI: that image's configuration file, written for the record
    PatientName,        // IDENTITE/NOM
    PatientNumber,      // IDENTITE/MATRICULE
    PatientBirthDate,   // IDENTITE/DDN
    PatientAddress,     // IDENTITE/ADRESSE
    FieldsLocked,       // OPTIONS/VERROU
    PresentationShown,  // OPTIONS/AFFICHE
    PresentationLeft,   // OPTIONS/X
    PresentationTop,    // OPTIONS/Y
    StampShown,         // OPTIONS/TAMPON
    ChooseActAtStart,   // OPTIONS/AUTO_ACTE
    ImportAtStart,      // OPTIONS/AUTO_NAVELIS
    OutOfAreaWarning,   // OPTIONS/AVERTIR_HORS_ZONE
    ShortcutsShown,     // HISTORIQUE/AFFICHE
};

// Where a setting is kept and what it reads as when it is not there.
struct SettingKey
{
    QString section;
    QString key;
    QString def;   // as stored: a text, a number, "1" or "0"
};
SettingKey settingKey(Setting setting);

// One setting of the program settings file (or of the given file), read as
// text, a number or a yes/no flag, the table's default when missing or
// unreadable; and written.
QString settingText(Setting setting, const QString &file = QString());
int settingNumber(Setting setting, const QString &file = QString());
bool settingFlag(Setting setting, const QString &file = QString());
void storeText(Setting setting, const QString &value, const QString &file = QString());
void storeNumber(Setting setting, int value, const QString &file = QString());
void storeFlag(Setting setting, bool value, const QString &file = QString());

// The sections whose keys are named at run time.
enum class SettingGroup {
    ActInUse,        // ACTE/<models folder>: the act in use with those models, "CS" by default
    ActModelFiles,   // ACTES/<act name>: the model file registered for the act, none by default
    PrinterOffsets,  // IMPRIMANTES/<printer>: the printer's offset, none by default
};
QString settingSection(SettingGroup group);
QString groupText(SettingGroup group, const QString &key, const QString &file = QString());
void storeGroupText(SettingGroup group, const QString &key, const QString &value, const QString &file = QString());

// The windows whose placement is stored, under the window's name, in the
// section named after the program.
enum class PlacedWindow { CareSheet, Presentation, ActShortcuts, CcamViewer, ModifierCalculator, PrinterOffsets };
QString placementName(PlacedWindow window);   // "Form1", "Form_OPTIONS" ...

// The files kept in the program folder beside the settings.
enum class SideFile {
    DefaultFormImage,   // feuille_de_soin_medecin.jpg
    Shortcuts,          // HISTORIQUE.TXT: the act shortcuts
    Towns,              // VILLES.TXT
    Funds,              // CPAMS.TXT
    StampTexts,         // TAMPONS.TXT
    PersonalNotes,      // _NOTES.TXT
    CodeSearches,       // LISTE_RECHERCHE_CODES.TXT: the CCAM viewer's searches
    TextSearches,       // LISTE_RECHERCHE_TEXTES.TXT
    TariffSearches,     // LISTE_RECHERCHE_TARIFS.TXT
};
QString sideFileName(SideFile file);
// The side file in the program folder.
QString sideFilePath(SideFile file);
