#pragma once

// The form configuration as a value: what the form configuration file of one
// form image and user keeps (the image panel, the place of every plain text
// field, their common look, the dates, the stamp, the label "orienté", the
// added fields, the last acts and boxes), with the keys of the program
// settings and the side files that the configuration's reading and saving
// carry along. One table of (section, key, default) in the order the files
// are written drives both the reading and the writing.

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

class QColor;
class QFont;

// A font as the configuration keeps it.
struct FontLook
{
    QString family;
    int size = 0;   // points
    bool bold = false, italic = false, underline = false, strikeOut = false;
};
FontLook fontLookOf(const QFont &font);

// A plain text field's section: its left, top and width (no height is kept).
struct FieldPlace
{
    QString name;
    int x = 0, y = 0, z = 0;
};

// A date field's section.
struct DatePlace
{
    int x = 0, y = 0, z = 0;
    QString text;
};

// The date fields, each with a section of its own name, in the order they
// are read and written.
constexpr int kDateFieldCount = 4;
const std::array<QString, kDateFieldCount> &dateFieldNames();   // DATE, DATE_ACTE, DDN, DDG

// The acts, CCAM codes, tariffs, total and claim boxes, in the order they
// are read and written (each box's rule runs before the next one is set).
struct ActKey
{
    const char *section;
    const char *key;
    const char *field;   // the sheet field holding the text
    const char *def;     // when nothing is stored
};
constexpr int kActKeyCount = 18;
const std::array<ActKey, kActKeyCount> &actKeys();

struct OptionsWindowState
{
    bool shown = true;
    int x = 0, y = 0;
};

struct FormConfiguration
{
    // Program settings: the form image, its configuration file, the identity,
    // the act in use for the models folder.
    QString imagePath;      // DEFAUT/IMAGE
    QString configPath;     // DEFAUT/INI; the file that holds the form's own keys
    QString nom, matricule, ddn, adresse;   // IDENTITE
    QString modelsFolder;   // the key under ACTE
    QString actName;
    // Program settings: the side windows and the lock.
    bool fieldsLocked = false;                        // OPTIONS/VERROU
    std::optional<OptionsWindowState> optionsWindow;  // OPTIONS/AFFICHE, X, Y, when the window exists
    std::optional<bool> shortcutsShown;               // HISTORIQUE/AFFICHE, when the window exists

    // Side files in the program folder; none: the list is left as it is
    // (a missing file at reading, no shortcuts window at saving).
    std::optional<QStringList> shortcuts;   // HISTORIQUE.TXT
    std::optional<QStringList> cities;      // VILLES.TXT
    std::optional<QStringList> funds;       // CPAMS.TXT

    // The form configuration file.
    std::array<QString, kActKeyCount> acts;    // by actKeys()
    int panelX = 0, panelY = 0, panelWidth = 0, panelHeight = 0;   // IMAGE
    bool imageShown = true;                    // IMAGE/VISIBLE, saved only
    // TEXTES: the font of NOM and the look of every plain text field. At
    // reading the styles are those to add to each field's own font.
    FontLook textFont;
    bool bordered = true;   // ENCADRE
    bool threeD = false;    // 3D
    std::array<DatePlace, kDateFieldCount> dates;
    // NOTE: the stamp; its styles too are added at reading. Its visibility
    // is also the program settings' OPTIONS/TAMPON.
    bool noteShown = true;
    int noteX = 0, noteY = 0, noteWidth = 0;
    QString noteText;
    FontLook noteFont;
    int noteColor = 0;   // as stored: see storedColor()
    int noteAngle = 0;
    // oriente: the label "orienté".
    bool orienteShown = true;
    int orienteX = 0, orienteY = 0;
    QString orienteText;
    // Every plain text field in window order, added ones included.
    QList<FieldPlace> fields;
    // NOUVEAUX: the added fields listed in the file. At saving, the added
    // fields that hold text (their places are written with the fields'); at
    // reading, the names listed and the place stored under each name.
    QList<FieldPlace> addedFields;
};

// Reads the configuration from the program settings file, the form
// configuration file current.configPath and the side files of the program
// folder. A key that is missing or not a number leaves the current value,
// except where the key has a default of its own. The form image, its
// configuration file and the act (read by the shared state before the
// configuration's path is known), the side windows, the lock, the
// shortcuts list and IMAGE/VISIBLE are not read here and keep the current
// values. Never raises.
FormConfiguration readFormConfiguration(const FormConfiguration &current, const QString &programFolder);

// Writes every key in the table's order, one write at a time; a write that
// fails raises the settings store's error and leaves the later keys unwritten.
void writeFormConfiguration(const FormConfiguration &config, const QString &programFolder);

// The colour as the configuration stores it: red in the low byte, then
// green, then blue; the system colours are negative numbers and read as the
// fallback.
int storedColor(const QColor &color);
QColor colorFromStored(int value, const QColor &fallback);
