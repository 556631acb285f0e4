#include "FormInUse.h"

#include "config/ProgramSettings.h"
#include "support/Dialogs.h"

#include <QDir>

QString imagePathFromSettings(const QString &stored, const QString &programFolder, PathStyle style)
{
    // Windows' names ignore letter case and take either separator: the
    // stored path is written as the program writes its own.
    QString path = style == PathStyle::Windows ? QString(stored).replace(QLatin1Char('/'), QLatin1Char('\\')).toLower()
                                               : stored;
    if (!hasSeparator(path, style))
        path = programFolder + path;
    return path;
}

QString modelsFolderFor(const QString &imagePath, PathStyle style)
{
    return changeFileExt(imagePath, QString(pathSeparator(style)), style);
}

QString formModelNameFor(const QString &modelsFolder, PathStyle style)
{
    return extractFileName(excludeTrailingSeparator(modelsFolder, style), style).toUpper();
}

QString formConfigPathFor(const QString &imagePath, const QString &userName, PathStyle style)
{
    return changeFileExt(imagePath, QLatin1Char('@') + userName + QStringLiteral(".INI"), style);
}

QString defaultImagePath(const QString &programFolder)
{
    return programFolder + sideFileName(SideFile::DefaultFormImage);
}

FormInUse formInUseFor(const QString &imagePath, const QString &userName)
{
    FormInUse form;
    form.formImagePath = imagePath;
    form.modelsFolder = modelsFolderFor(imagePath);
    form.formModelName = formModelNameFor(form.modelsFolder);
    form.currentActName = groupText(SettingGroup::ActInUse, form.modelsFolder);
    form.formConfigPath = formConfigPathFor(imagePath, userName);
    return form;
}

void ensureModelsFolder(const QString &folder)
{
    if (QDir(folder).exists())
        return;
    dialogs().message(QStringLiteral("Création du Dossier des Modèles TIRAVON en \"%1\"").arg(folder));
    if (!QDir().mkpath(folder))
        dialogs().information(QStringLiteral("Erreur de création du dossier des modèles\r\r\"%1\"").arg(folder));
}
