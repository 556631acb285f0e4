#pragma once

#include <QString>

// The path rules of the program, written once for Windows paths ("\" and the
// drive ":", names compared without regard to case, so folders are lower-cased)
// and once for the others ("/", case kept, since lower-casing would name
// another file). The Windows rules are tested on every platform.
enum class PathStyle { Windows, Posix };

PathStyle nativePathStyle();
QChar pathSeparator(PathStyle style = nativePathStyle());

// The extension of a file name starts at the last "." after the last
// separator; a name without one has none.
QString changeFileExt(const QString &path, const QString &extension,
                      PathStyle style = nativePathStyle());
// The path up to and including the last separator.
QString extractFilePath(const QString &path, PathStyle style = nativePathStyle());
// The name after the last separator.
QString extractFileName(const QString &path, PathStyle style = nativePathStyle());
// The extension with its dot, or empty.
QString extractFileExt(const QString &path, PathStyle style = nativePathStyle());
// The path without one trailing separator.
QString excludeTrailingSeparator(const QString &path, PathStyle style = nativePathStyle());
// True when the path names a separator anywhere.
// True when the path names a folder (on Windows "\\", "/" or a drive's ":").
bool hasSeparator(const QString &path, PathStyle style = nativePathStyle());
// True when the path names the folder or something inside it (on Windows
// without regard to case, either separator).
bool isInFolder(const QString &path, const QString &folder, PathStyle style = nativePathStyle());

// The program's identity worked out from its file path.
QString settingsFileFor(const QString &programFile, PathStyle style = nativePathStyle());
QString programFolderFor(const QString &programFile, PathStyle style = nativePathStyle());
QString programNameFor(const QString &programFile, PathStyle style = nativePathStyle());
// A folder given by the system (forward slashes from Qt) written as the
// program folder is: the style's separators, lower-cased on Windows, one
// trailing separator.
QString programFolderFromFolder(const QString &folder, PathStyle style = nativePathStyle());
