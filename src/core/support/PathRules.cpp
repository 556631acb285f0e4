#include "PathRules.h"

namespace {

bool isSeparator(QChar c, PathStyle style)
{
    // Windows takes the forward slash as a separator too.
    if (style == PathStyle::Windows)
        return c == QLatin1Char('\\') || c == QLatin1Char('/') || c == QLatin1Char(':');
    return c == QLatin1Char('/');
}

// Index of the last separator, or -1.
int lastSeparator(const QString &path, PathStyle style)
{
    for (int i = path.size() - 1; i >= 0; --i)
        if (isSeparator(path.at(i), style))
            return i;
    return -1;
}

// Index of the dot that starts the extension, or -1.
int extensionDot(const QString &path, PathStyle style)
{
    for (int i = path.size() - 1; i >= 0; --i) {
        if (path.at(i) == QLatin1Char('.'))
            return i;
        if (isSeparator(path.at(i), style))
            return -1;
    }
    return -1;
}

} // namespace

PathStyle nativePathStyle()
{
#ifdef Q_OS_WIN
    return PathStyle::Windows;
#else
    return PathStyle::Posix;
#endif
}

QChar pathSeparator(PathStyle style)
{
    return style == PathStyle::Windows ? QLatin1Char('\\') : QLatin1Char('/');
}

QString changeFileExt(const QString &path, const QString &extension, PathStyle style)
{
    const int dot = extensionDot(path, style);
    return (dot < 0 ? path : path.left(dot)) + extension;
}

QString extractFilePath(const QString &path, PathStyle style)
{
    return path.left(lastSeparator(path, style) + 1);
}

QString extractFileName(const QString &path, PathStyle style)
{
    return path.mid(lastSeparator(path, style) + 1);
}

QString extractFileExt(const QString &path, PathStyle style)
{
    const int dot = extensionDot(path, style);
    return dot < 0 ? QString() : path.mid(dot);
}

QString excludeTrailingSeparator(const QString &path, PathStyle style)
{
    if (!path.isEmpty() && path.back() == pathSeparator(style))
        return path.left(path.size() - 1);
    return path;
}

bool hasSeparator(const QString &path, PathStyle style)
{
    return lastSeparator(path, style) >= 0;
}

bool isInFolder(const QString &path, const QString &folder, PathStyle style)
{
    auto normal = [style](QString text) {
        if (style == PathStyle::Windows)
            text = text.replace(QLatin1Char('/'), QLatin1Char('\\')).toLower();
        while (text.size() > 1 && text.endsWith(pathSeparator(style)))
            text.chop(1);
        return text;
    };
    const QString inner = normal(path);
    const QString outer = normal(folder);
    if (outer.isEmpty())
        return false;
    return inner == outer || inner.startsWith(outer + pathSeparator(style));
}

QString settingsFileFor(const QString &programFile, PathStyle style)
{
    return changeFileExt(programFile, QStringLiteral(".INI"), style);
}

QString programFolderFor(const QString &programFile, PathStyle style)
{
    QString folder = extractFilePath(programFile, style);
    if (style == PathStyle::Windows)
        folder = folder.replace(QLatin1Char('/'), QLatin1Char('\\')).toLower();
    if (!folder.endsWith(pathSeparator(style)))
        folder += pathSeparator(style);
    return folder;
}

QString programNameFor(const QString &programFile, PathStyle style)
{
    const QString name = extractFileName(programFile, style);
    return changeFileExt(name, QString(), style);
}

QString programFolderFromFolder(const QString &folder, PathStyle style)
{
    QString native = folder;
    if (style == PathStyle::Windows)
        native = native.replace(QLatin1Char('/'), QLatin1Char('\\')).toLower();
    if (!native.endsWith(pathSeparator(style)))
        native += pathSeparator(style);
    return native;
}
