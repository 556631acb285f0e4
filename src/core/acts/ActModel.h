#pragma once

// Act models: the billing part of the care sheet kept under a name, one INI
// file per act (CS.TXT, ECHO.TXT) in the models folder of the form image,
// and the act registry of the program settings file that finds the file of
// an act by its name.

#include "support/Dialogs.h"
#include "support/PathRules.h"

#include <QList>
#include <QPoint>
#include <QString>

struct ActModel
{
    // The texts of the sheet fields of the same names.
    QString ACTE_1, ACTE_2, ACTE_3, ACTE_4, CCAM_1, CCAM_2;
    QString TARIF_1, TARIF_2, TARIF_3, TARIF_4, MONTANT_TOTAL;
    QString COCHE_MALADIE, COCHE_MATERNITE, COCHE_ACCES, COCHE_NP_COMP, COCHE_NP_OBLIGAT, COCHE_ALD_0,
        COCHE_ALD_1;
    // The stamp, its place in the coordinates of the image panel.
    bool stampVisible = false;
    QString stampText;
    int stampTop = 0;
    int stampLeft = 0;
};

// One key of the model file. The table below is the file: its keys are
// written and read in its order, and applied to the sheet in that order too
// (a claim box's rule runs before the next box is set).
struct ActModelKey
{
    const char *section;
    const char *key;
    const char *field;            // the sheet field, or nullptr for the stamp's keys
    const char *textDefault;      // of the text keys
    QString ActModel::*text = nullptr;
    bool ActModel::*flag = nullptr;
    int ActModel::*number = nullptr;
};
const QList<ActModelKey> &actModelKeys();

// Reading never fails: a missing file, a file that is not INI, a missing key
// all give the table's defaults; the stamp's place defaults to the given one
// (its current place, x being its left and y its top).
ActModel readActModel(const QString &file, const QPoint &currentStampPlace);
// Writes the table's keys, each where the settings store puts it (an
// existing file keeps its other keys and its encoding), in one replacement
// of the file: a failure raises "Impossible d'écrire dans %s" and leaves the
// file as it was before the save.
void writeActModel(const QString &file, const ActModel &model);

// The act registry: SettingGroup::ActModelFiles of the settings file (the
// program's by default), one key per act name, the model file's path as value.
void registerActModel(const QString &actName, const QString &modelFile, const QString &settingsFile = QString());
QString registeredActModel(const QString &actName, const QString &settingsFile = QString());

// What a shortcut finds in the registry: nothing, a file that has gone since
// it was registered, or the model file.
enum class ShortcutTarget { Unregistered, FileMissing, Ready };
ShortcutTarget shortcutTarget(const QString &registeredPath);

// The act name of a model file: its name without folder and without its last
// extension (ECHO.TXT gives ECHO, A.B.TXT gives A.B).
QString actNameOfModelFile(const QString &path, PathStyle style = nativePathStyle());
// The folder a dialog opens in when the models folder is empty: the form
// image path without its extension.
QString fallbackModelsFolder(const QString &imagePath, PathStyle style = nativePathStyle());
// After a file is chosen in a model dialog, its folder is the models folder.
QString modelsFolderOfChosenFile(const QString &path, PathStyle style = nativePathStyle());
// The caption after an opening through the dialog: the models folder's own
// name in capitals, "@", the act (c:\m\ and ECHO give M@ECHO).
QString openedModelCaption(const QString &modelsFolder, const QString &actName,
                           PathStyle style = nativePathStyle());
// The caption after a shortcut: the model file's name in capitals, "@", the
// act (c:\m\echo.txt and ECHO give ECHO.TXT@ECHO).
QString shortcutCaption(const QString &modelFile, const QString &actName, PathStyle style = nativePathStyle());

// The file name the save dialog proposes for an act's model: the act name
// with ".TXT", kept to a file name, so that an act name holding folders (a
// settings file edited by hand: "..", "/", "\", a drive) never proposes a
// file outside the models folder. Only what follows the last separator is
// kept; nothing is proposed when that is no name ("", ".", "..").
QString proposedActModelFileName(const QString &actName, PathStyle style = nativePathStyle());

// The save and open dialogs of the models, with their shared settings.
FileDialogRequest saveActModelRequest(const QString &modelsFolder, const QString &actName);
FileDialogRequest openActModelRequest(const QString &modelsFolder, const QString &previousFileName);

// The boxes of the shortcuts.
QString unregisteredActMessage();
QString missingModelFileMessage(const QString &modelFile);
