#include "Platform.h"

#include "PathRules.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QUrl>

#ifdef Q_OS_WIN
#include <windows.h>
#include <shellapi.h>
#else
#include <pwd.h>
#include <unistd.h>
#endif

Platform::~Platform() = default;

namespace {
Platform *g_replacement = nullptr;
}

Platform &platform()
{
    static DesktopPlatform desktop;
    return g_replacement ? *g_replacement : desktop;
}

void setPlatform(Platform *replacement)
{
    g_replacement = replacement;
}

QString DesktopPlatform::programFile() const
{
    const QString path = QCoreApplication::applicationFilePath();
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(path);
#else
    return path;
#endif
}

QString DesktopPlatform::loginName() const
{
#ifdef Q_OS_WIN
    wchar_t buffer[256];
    DWORD size = 255;
    if (!GetUserNameW(buffer, &size) || size == 0)
        return QString();
    return QString::fromWCharArray(buffer, int(size) - 1);
#else
    if (const passwd *entry = getpwuid(geteuid()); entry && entry->pw_name && *entry->pw_name)
        return QString::fromLocal8Bit(entry->pw_name);
    return qEnvironmentVariable("USER");
#endif
}

QString DesktopPlatform::windowsFolder() const
{
#ifdef Q_OS_WIN
    wchar_t buffer[MAX_PATH + 1];
    const UINT length = GetWindowsDirectoryW(buffer, MAX_PATH);
    return length ? QString::fromWCharArray(buffer, int(length)) : QString();
#else
    return qEnvironmentVariable("WINDIR");
#endif
}

QRect DesktopPlatform::workArea() const
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        return screen->availableGeometry();
    return QRect(0, 0, 1280, 1024);
}

QDateTime DesktopPlatform::now() const
{
    return QDateTime::currentDateTime();
}

void DesktopPlatform::openDocument(const QString &document)
{
    const QUrl url = QUrl::fromUserInput(document, QString(), QUrl::AssumeLocalFile);
    QDesktopServices::openUrl(url);
}

void DesktopPlatform::editTextFile(const QString &path)
{
#ifdef Q_OS_WIN
    const std::wstring parameter = path.toStdWString();
    ShellExecuteW(nullptr, L"OPEN", L"NOTEPAD.EXE", parameter.c_str(), nullptr, SW_SHOW);
#else
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
#endif
}

void DesktopPlatform::terminate()
{
    QCoreApplication::exit(0);
}

bool DesktopPlatform::canWriteIn(const QString &folder) const
{
#ifdef Q_OS_WIN
    // A system-wide installation puts the program under the programs
    // folders, which only an administrator may write in.
    for (const char *programs : {"ProgramFiles", "ProgramFiles(x86)", "ProgramW6432"})
        if (isInFolder(folder, qEnvironmentVariable(programs)))
            return false;
#endif
#ifdef TIRAVON_INSTALL_BINDIR
    const QString installed = QFileInfo(QStringLiteral(TIRAVON_INSTALL_BINDIR)).canonicalFilePath();
    if (!installed.isEmpty() && QFileInfo(folder).canonicalFilePath() == installed)
        return false;
#endif
    if (!QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".tiravon-XXXXXX")));
    return probe.open();
}

QString DesktopPlatform::userDataFolder() const
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}
