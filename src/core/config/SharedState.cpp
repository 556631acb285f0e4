#include "SharedState.h"

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
    return programFolder + QStringLiteral("feuille_de_soin_medecin.jpg");
}
