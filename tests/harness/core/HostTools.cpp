#include "HostTools.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#ifdef Q_OS_WIN
#include <windows.h>
#endif
#ifdef Q_OS_LINUX
#include <cerrno>
#include <cstring>
#include <sys/mount.h>
#include <unistd.h>
#endif

#ifdef Q_OS_WIN
namespace {
// Wine's own entry points; absent on Windows.
FARPROC wineEntry(const wchar_t *module, const char *name)
{
    const HMODULE handle = GetModuleHandleW(module);
    return handle ? GetProcAddress(handle, name) : nullptr;
}
} // namespace
#endif

bool runningUnderWine()
{
#ifdef Q_OS_WIN
    return wineEntry(L"ntdll.dll", "wine_get_version") != nullptr;
#else
    return false;
#endif
}

QString hostPath(const QString &path)
{
#ifdef Q_OS_WIN
    using UnixFileName = char *(CDECL *)(LPCWSTR);
    const auto unixFileName =
        reinterpret_cast<UnixFileName>(reinterpret_cast<void *>(wineEntry(L"kernel32.dll", "wine_get_unix_file_name")));
    if (!unixFileName)
        return path;
    const std::wstring windows = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()).toStdWString();
    char *unix = unixFileName(windows.c_str());
    if (!unix)
        return path;
    const QString result = QString::fromLocal8Bit(unix);
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
#else
    return path;
#endif
}

QString hostProgram(const QString &name)
{
    if (runningUnderWine()) {
        // The host's programs are files of Wine's Z: drive; Wine starts them
        // as they are.
        for (const char *folder : {"/usr/bin/", "/usr/local/bin/", "/bin/"}) {
            const QString program = QStringLiteral("Z:") + QDir::toNativeSeparators(QLatin1String(folder) + name);
            if (QFileInfo::exists(program))
                return program;
        }
        return QString();
    }
    return QStandardPaths::findExecutable(name);
}

int runHostProgram(const QString &program, const QStringList &arguments, QString *errors, QByteArray *output)
{
    if (!runningUnderWine()) {
        QProcess process;
        process.start(program, arguments);
        const bool ended = process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit;
        if (errors)
            *errors = QString::fromLocal8Bit(process.readAllStandardError());
        if (output)
            *output = process.readAllStandardOutput();
        return ended ? process.exitCode() : -1;
    }
    // Wine starts a host program but cannot wait for it: the host's shell
    // runs it and writes its exit code into a file once it has ended.
    QTemporaryDir dir;
    const QString status = dir.filePath(QStringLiteral("status"));
    const QString errorFile = dir.filePath(QStringLiteral("errors"));
    const QString outputFile = dir.filePath(QStringLiteral("output"));
    QStringList shellArguments{
        QStringLiteral("-c"),
        QStringLiteral("\"$0\" \"$@\" >\"%3\" 2>\"%1\"; echo $? >\"%2.part\"; mv \"%2.part\" \"%2\"")
            .arg(hostPath(errorFile), hostPath(status), hostPath(outputFile)),
        hostPath(program)};
    shellArguments += arguments;
    if (!QProcess::startDetached(hostProgram(QStringLiteral("sh")), shellArguments))
        return -1;
    const QDeadlineTimer deadline(std::chrono::minutes(2));
    while (!QFileInfo::exists(status) && !deadline.hasExpired())
        QThread::msleep(20);
    QFile statusFile(status);
    if (!statusFile.open(QIODevice::ReadOnly))
        return -1;
    if (errors) {
        QFile errorText(errorFile);
        *errors = errorText.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(errorText.readAll()) : QString();
    }
    if (output) {
        QFile outputText(outputFile);
        *output = outputText.open(QIODevice::ReadOnly) ? outputText.readAll() : QByteArray();
    }
    bool ok = false;
    const int code = statusFile.readAll().trimmed().toInt(&ok);
    return ok ? code : -1;
}

bool mountSmallDisk(const QString &folder, const QString &options, QString *why)
{
#ifdef Q_OS_LINUX
    if (geteuid() != 0) {
        *why = QStringLiteral("mounting a small file system needs the administrator (root)");
        return false;
    }
    unsigned long flags = 0;
    QStringList rest;
    for (const QString &option : options.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (option == QLatin1String("ro"))
            flags |= MS_RDONLY;
        else
            rest << option;
    }
    if (::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", flags,
                rest.join(QLatin1Char(',')).toLatin1().constData()) != 0) {
        *why = QStringLiteral("a tmpfs cannot be mounted here: ") + QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    return true;
#else
    // Under Wine the host mounts it, when the tests run as its administrator.
    const QString mount = hostProgram(QStringLiteral("mount"));
    if (!runningUnderWine() || mount.isEmpty()) {
        *why = QStringLiteral("a small file system is mounted by Linux, natively or under Wine");
        return false;
    }
    QString errors;
    if (runHostProgram(mount, {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"), options,
                               QStringLiteral("tmpfs"), hostPath(folder)},
                       &errors) != 0) {
        *why = QStringLiteral("the host could not mount a tmpfs (it needs root): ") + errors.trimmed();
        return false;
    }
    return true;
#endif
}

void unmountSmallDisk(const QString &folder)
{
#ifdef Q_OS_LINUX
    ::umount2(QFile::encodeName(folder).constData(), MNT_DETACH);
#else
    if (runningUnderWine())
        runHostProgram(hostProgram(QStringLiteral("umount")), {QStringLiteral("-l"), hostPath(folder)});
#endif
}
