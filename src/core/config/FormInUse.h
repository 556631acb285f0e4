#pragma once

#include "support/PathRules.h"

#include <QString>

// The form in use: its image, the folder of its act models, the name shown
// before "@" in the caption, the act in use and the form configuration file.
// Each reading of the configuration derives the later items from the image
// path, in order.
struct FormInUse
{
    QString formImagePath;
    QString modelsFolder;       // always ends with a separator
    QString formModelName;
    QString currentActName;
    QString formConfigPath;
};

// The image path as stored in the settings: on Windows lower-cased (the file
// system ignores case); a bare name is taken in the program folder.
QString imagePathFromSettings(const QString &stored, const QString &programFolder,
                              PathStyle style = nativePathStyle());
// The folder named after the image file, beside it: c:\fs\feuille.jpg gives c:\fs\feuille\.
QString modelsFolderFor(const QString &imagePath, PathStyle style = nativePathStyle());
// The models folder's own name, in capitals.
QString formModelNameFor(const QString &modelsFolder, PathStyle style = nativePathStyle());
// One configuration file per form image and user, beside the image:
// c:\apps\feuille.jpg and user1 give c:\apps\feuille@user1.INI.
QString formConfigPathFor(const QString &imagePath, const QString &userName,
                          PathStyle style = nativePathStyle());
// The default form image in the program folder.
QString defaultImagePath(const QString &programFolder);

// The form in use for an image path and a user: the items derived from the
// path, the act in use read from the program settings ("CS" when none is
// stored for those models).
FormInUse formInUseFor(const QString &imagePath, const QString &userName);

// Makes the folder of the act models when it is missing, saying so first
// ("Création du Dossier des Modèles TIRAVON en ...") and then when it cannot
// be made. An existing folder is left without a word.
void ensureModelsFolder(const QString &folder);
