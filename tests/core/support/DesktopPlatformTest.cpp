// The desktop platform on the system the tests run on (Windows under Wine, or
// Linux): the login name, the Windows folder, the per-user folder, handing
// documents and addresses to the desktop, the notes file's editor, and the
// Windows-1252 code page against the system's own.

#include "SupportFixture.h"

#include "patient/PatientImport.h"
#include "support/CodePage.h"
#include "support/Platform.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDesktopServices>
#include <QFileInfo>
#include <QThread>
#include <QUrl>

#ifdef Q_OS_WIN
#include <windows.h>
#include <tlhelp32.h>
#else
#include <iconv.h>
#include <pwd.h>
#include <unistd.h>
#endif

namespace {

// Takes the addresses the desktop is asked to open, instead of the desktop.
class OpenedUrls : public QObject
{
    Q_OBJECT
public:
    OpenedUrls()
    {
        for (const char *scheme : {"file", "http", "https"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "take");
    }
    ~OpenedUrls() override
    {
        for (const char *scheme : {"file", "http", "https"})
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    }
    QList<QUrl> urls;

public slots:
    void take(const QUrl &url) { urls << url; }
};

bool sameOnThisSystem(const QString &a, const QString &b)
{
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(a).compare(QDir::toNativeSeparators(b), Qt::CaseInsensitive) == 0;
#else
    return a == b;
#endif
}

} // namespace

TEST(DesktopPlatform, LoginWindowsFolderAndPerUserFolderAreTheSystems)
{
    const DesktopPlatform desktop;
#ifdef Q_OS_WIN
    EXPECT_TRUE(sameOnThisSystem(desktop.loginName(), qEnvironmentVariable("USERNAME"))) << desktop.loginName().toStdString();
    // navelis.ini is looked for in the Windows folder.
    const QString windows = desktop.windowsFolder();
    EXPECT_TRUE(sameOnThisSystem(windows, qEnvironmentVariable("SystemRoot"))) << windows.toStdString();
    EXPECT_TRUE(QFileInfo(windows).isDir());
    EXPECT_TRUE(sameOnThisSystem(navelisIniPath(windows), windows + QStringLiteral("\\navelis.ini")));
    const QString perUser = qEnvironmentVariable("APPDATA") + QStringLiteral("\\Tiravon");
#else
    const passwd *entry = getpwuid(geteuid());
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(desktop.loginName(), QString::fromLocal8Bit(entry->pw_name));
    // Elsewhere the Windows folder is the one WINDIR names, or none.
    EXPECT_EQ(desktop.windowsFolder(), qEnvironmentVariable("WINDIR"));
    const QString perUser = QDir::homePath() + QStringLiteral("/.local/share/Tiravon");
#endif
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(QStringLiteral("Tiravon"));
    const QString userData = desktop.userDataFolder();
    QCoreApplication::setApplicationName(name);
    if (!qEnvironmentVariableIsSet("XDG_DATA_HOME")) {
        EXPECT_TRUE(sameOnThisSystem(userData, perUser)) << userData.toStdString();
    }
}

TEST(DesktopPlatform, DocumentsFoldersAndAddressesReachTheDesktopAsAddresses)
{
    OpenedUrls opened;
    DesktopPlatform desktop;
#ifdef Q_OS_WIN
    const QString document = QStringLiteral("C:\\Cabinet\\Notice Tiravon.pdf");
    const QUrl documentUrl(QStringLiteral("file:///C:/Cabinet/Notice Tiravon.pdf"));
#else
    const QString document = QStringLiteral("/srv/cabinet/Notice Tiravon.pdf");
    const QUrl documentUrl(QStringLiteral("file:///srv/cabinet/Notice Tiravon.pdf"));
#endif
    desktop.openDocument(QStringLiteral("https://www.ameli.fr/medecin/exercice-liberal/facturation"));
    desktop.openDocument(document);
    desktop.openDocument(QStringLiteral("www.legifrance.gouv.fr"));
    ASSERT_EQ(opened.urls.size(), 3);
    EXPECT_EQ(opened.urls[0], QUrl(QStringLiteral("https://www.ameli.fr/medecin/exercice-liberal/facturation")));
    EXPECT_EQ(opened.urls[1], documentUrl);
    EXPECT_EQ(opened.urls[2], QUrl(QStringLiteral("http://www.legifrance.gouv.fr")));
}

#ifdef Q_OS_WIN
namespace {
// The processes running the program file of that name.
QList<DWORD> processesNamed(const wchar_t *name)
{
    QList<DWORD> found;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return found;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
        if (_wcsicmp(entry.szExeFile, name) == 0)
            found << entry.th32ProcessID;
    CloseHandle(snapshot);
    return found;
}
} // namespace

// The notes file opens in Notepad, as the practices have always had it.
TEST(DesktopPlatform, TheNotesFileOpensInNotepad)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && GetSystemMetrics(SM_CXSCREEN) == 0)
        GTEST_SKIP() << "no screen for Notepad's window";
    QTemporaryDir dir;
    const QString notes = QDir::toNativeSeparators(dir.filePath(QStringLiteral("_NOTES.TXT")));
    putBytes(notes, "rendez-vous\r\n");
    const QList<DWORD> before = processesNamed(L"notepad.exe");
    DesktopPlatform().editTextFile(notes);
    QList<DWORD> started;
    const QDeadlineTimer deadline(std::chrono::seconds(20));
    while (started.isEmpty() && !deadline.hasExpired()) {
        for (DWORD id : processesNamed(L"notepad.exe"))
            if (!before.contains(id))
                started << id;
        QThread::msleep(50);
    }
    ASSERT_FALSE(started.isEmpty()) << "Notepad did not start";
    for (DWORD id : started)
        if (const HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
            TerminateProcess(process, 0);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
}
#else
// Elsewhere the notes file opens in the desktop's editor for text files.
TEST(DesktopPlatform, TheNotesFileOpensInTheDesktopsTextEditor)
{
    OpenedUrls opened;
    QTemporaryDir dir;
    const QString notes = dir.filePath(QStringLiteral("_NOTES.TXT"));
    putBytes(notes, "rendez-vous\r\n");
    DesktopPlatform().editTextFile(notes);
    EXPECT_EQ(opened.urls, QList<QUrl>{QUrl::fromLocalFile(notes)});
}
#endif

// The program's own Windows-1252 converter reads every byte as the system's
// does (Windows' own table; iconv's elsewhere, which leaves out the five
// bytes Windows-1252 does not define).
TEST(DesktopPlatform, Windows1252ReadsEveryByteAsTheSystemDoes)
{
    int compared = 0;
    for (int code = 1; code < 256; ++code) {
        const QByteArray one(1, char(code));
#ifdef Q_OS_WIN
        wchar_t wide[4] = {};
        const int length = MultiByteToWideChar(1252, 0, one.constData(), 1, wide, 4);
        ASSERT_EQ(length, 1) << code;
        const QString system = QString::fromWCharArray(wide, length);
#else
        const iconv_t convert = iconv_open("UTF-8", "WINDOWS-1252");
        ASSERT_NE(convert, iconv_t(-1));
        char in[1] = {one[0]};
        char out[8] = {};
        char *inPointer = in;
        char *outPointer = out;
        size_t inLeft = 1;
        size_t outLeft = sizeof out;
        const bool converted = iconv(convert, &inPointer, &inLeft, &outPointer, &outLeft) != size_t(-1);
        iconv_close(convert);
        if (!converted)
            continue;
        const QString system = QString::fromUtf8(out, int(outPointer - out));
#endif
        EXPECT_EQ(decodeWindows1252(one), system) << "byte " << code;
        bool ok = false;
        EXPECT_EQ(encodeWindows1252(system, &ok), one) << "byte " << code;
        EXPECT_TRUE(ok);
        ++compared;
    }
    EXPECT_GE(compared, 250);
}

#include "DesktopPlatformTest.moc"
