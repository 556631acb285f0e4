// Where the program keeps its files: its own folder, or the user's
// application data folder when its own cannot be written and holds no
// settings file yet.

#include "SupportFixture.h"

#include "support/DataFolderLock.h"
#include "support/PathRules.h"
#include "support/DataFolder.h"
#include "support/SettingsStore.h"

#include <QLockFile>
#include <QSysInfo>

#ifdef Q_OS_UNIX
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

class DataFolder : public SupportTest
{
protected:
    QTemporaryDir home;
    QString besideProgram;   // the program folder as the program writes it, with its separator
    QString perUser;         // the per-user folder, not yet created

    void SetUp() override
    {
        SupportTest::SetUp();
        ASSERT_TRUE(home.isValid());
        besideProgram = programFolder();
        perUser = QDir::toNativeSeparators(home.filePath(QStringLiteral("share/Tiravon")));
        fake.userData = home.filePath(QStringLiteral("share/Tiravon"));
    }
};

} // namespace

TEST_F(DataFolder, ChosenOnceAtStartFromTheProgramFolder)
{
    const struct
    {
        const char *what;
        bool writable, settingsBeside, hasUserFolder, perUserExpected;
    } cases[] = {
        {"writable folder", true, false, true, false},
        {"writable folder already in use", true, true, true, false},
        {"read-only folder already in use (a practice's copy)", false, true, true, false},
        {"read-only folder of a system-wide install", false, false, true, true},
        {"read-only folder and no per-user folder", false, false, false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        fake.readOnlyFolders = c.writable ? QStringList() : QStringList{besideProgram};
        fake.userData = c.hasUserFolder ? home.filePath(QStringLiteral("share/Tiravon")) : QString();
        const QString beside = besideProgram + QStringLiteral("Tiravon.INI");
        QFile::remove(beside);
        if (c.settingsBeside)
            putBytes(beside, "[DEFAUT]\r\n");

        const QString chosen = decideDataFolder();
        // The per-user folder as the program writes a folder (in lower case on
        // Windows); the settings file beside the program keeps the program
        // file's own spelling.
        const QString folder = c.perUserExpected ? programFolderFromFolder(perUser) : besideProgram;
        EXPECT_EQ(chosen, c.perUserExpected ? folder : QString());
        EXPECT_EQ(programFolder(), folder);
        EXPECT_EQ(programSettingsFile(), c.perUserExpected ? folder + QStringLiteral("Tiravon.INI")
                                                       : settingsFileFor(fake.programFilePath));
        EXPECT_EQ(QFileInfo(perUser).isDir(), c.perUserExpected);
        QDir(home.path()).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(home.path()));
    }
}

TEST_F(DataFolder, EverySettingOfASystemWideInstallGoesToThePerUserFolder)
{
    fake.readOnlyFolders = {besideProgram};
    ASSERT_FALSE(decideDataFolder().isEmpty());
    writeSetting(QStringLiteral("IDENTITE"), QStringLiteral("NOM"), QStringLiteral("MME DUPONT"));
    EXPECT_EQ(fileBytes(perUser + QStringLiteral("/Tiravon.INI")), QByteArray("[IDENTITE]\r\nNOM=MME DUPONT\r\n"));
    EXPECT_FALSE(QFile::exists(besideProgram + QStringLiteral("Tiravon.INI")));

    // The choice holds for the whole run: a settings file appearing in the
    // program folder meanwhile changes nothing until the next start, where
    // the folder already in use wins.
    putBytes(besideProgram + QStringLiteral("Tiravon.INI"), "[IDENTITE]\r\nNOM=AUTRE\r\n");
    EXPECT_EQ(readSetting(QStringLiteral("IDENTITE"), QStringLiteral("NOM"), QString()), QStringLiteral("MME DUPONT"));
    EXPECT_TRUE(decideDataFolder().isEmpty());
    EXPECT_EQ(readSetting(QStringLiteral("IDENTITE"), QStringLiteral("NOM"), QString()), QStringLiteral("AUTRE"));
}

TEST(PathRules, SystemFolderWrittenAsTheProgramFolder)
{
    const struct
    {
        PathStyle style;
        const char *given, *folder;
    } cases[] = {
        {PathStyle::Windows, "C:/Users/Martin/AppData/Roaming/Tiravon", "c:\\users\\martin\\appdata\\roaming\\tiravon\\"},
        {PathStyle::Windows, "C:\\Users\\Élodie\\AppData\\Roaming\\Tiravon\\", "c:\\users\\élodie\\appdata\\roaming\\tiravon\\"},
        {PathStyle::Posix, "/home/Dr.Martin/.local/share/Tiravon", "/home/Dr.Martin/.local/share/Tiravon/"},
        {PathStyle::Posix, "/home/martin/.local/share/Tiravon/", "/home/martin/.local/share/Tiravon/"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.given);
        EXPECT_EQ(programFolderFromFolder(QString::fromUtf8(c.given), c.style), QString::fromUtf8(c.folder));
    }
}

TEST(PathRules, AFolderHoldsItselfAndWhatLiesInside)
{
    const struct
    {
        PathStyle style;
        const char *path, *folder;
        bool inside;
    } cases[] = {
        {PathStyle::Windows, "C:\\Program Files\\Tiravon", "C:\\Program Files", true},
        {PathStyle::Windows, "c:/program files/tiravon/", "C:\\Program Files\\", true},
        {PathStyle::Windows, "C:\\PROGRAM FILES", "c:\\program files", true},
        {PathStyle::Windows, "C:\\Program Files (x86)\\Tiravon", "C:\\Program Files", false},
        {PathStyle::Windows, "D:\\Cabinet\\Tiravon", "C:\\Program Files", false},
        {PathStyle::Windows, "C:\\Tiravon", "", false},
        {PathStyle::Posix, "/usr/bin", "/usr/bin/", true},
        {PathStyle::Posix, "/usr/bin/tiravon", "/usr/bin", true},
        {PathStyle::Posix, "/usr/binaires", "/usr/bin", false},
        {PathStyle::Posix, "/USR/BIN", "/usr/bin", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(isInFolder(QString::fromUtf8(c.path), QString::fromUtf8(c.folder), c.style), c.inside)
            << c.path << " in " << c.folder;
}

// The folder a system-wide installation puts the program in never counts as
// writable, even for an administrator who could write there.
TEST_F(DataFolder, TheInstalledProgramsFolderNeverCountsAsWritable)
{
    const DesktopPlatform desktop;
#ifdef Q_OS_WIN
    const QString programs = qEnvironmentVariable("ProgramFiles");
    ASSERT_FALSE(programs.isEmpty());
    const QString installed = QDir(programs).filePath(QFileInfo(dir.path()).fileName());
    if (!QDir().mkpath(installed))
        GTEST_SKIP() << "this user cannot make a folder in " << programs.toStdString();
    EXPECT_FALSE(desktop.canWriteIn(installed));
    EXPECT_FALSE(desktop.canWriteIn(QDir::toNativeSeparators(installed).toUpper()));
    QDir(installed).removeRecursively();
#else
    const QString installed = QStringLiteral(TIRAVON_INSTALL_BINDIR);
    if (!QFileInfo(installed).isDir())
        GTEST_SKIP() << installed.toStdString() << " is missing";
    EXPECT_FALSE(desktop.canWriteIn(installed));
#endif
    EXPECT_TRUE(desktop.canWriteIn(dir.path()));
}

TEST_F(DataFolder, TheDesktopTriesAFileInTheFolderAndLeavesNothingBehind)
{
    const DesktopPlatform desktop;
    putBytes(path(QStringLiteral("fichier.txt")), "x");
    EXPECT_TRUE(desktop.canWriteIn(dir.path()));
    EXPECT_FALSE(desktop.canWriteIn(path(QStringLiteral("absent"))));
    EXPECT_FALSE(desktop.canWriteIn(path(QStringLiteral("fichier.txt"))));
    EXPECT_EQ(folderEntries(), QStringList{QStringLiteral("fichier.txt")});
}

// One copy per data folder. A second lock on the folder stands for the second
// copy: QLockFile's own lock is held through an open, locked file, which a
// second lock of the same process cannot take either.
TEST_F(DataFolder, TheLockOfARunningCopyHoldsAndThatOfADeadOneIsTakenOver)
{
    const QString folder = dir.path();
    const QString lockFile = DataFolderLock::lockFileIn(folder);
    {
        DataFolderLock first(folder);
        ASSERT_EQ(first.outcome(), DataFolderLock::Outcome::Taken);
        DataFolderLock second(folder);
        EXPECT_EQ(second.outcome(), DataFolderLock::Outcome::HeldByAnotherCopy);
        // Windows names the computer in capitals, and in any case the same.
        EXPECT_EQ(second.otherComputer().compare(QSysInfo::machineHostName(), Qt::CaseInsensitive), 0)
            << second.otherComputer().toStdString();
        QFile file(lockFile);
#ifdef Q_OS_WIN
        // Windows keeps the held lock file from being written by anyone else.
        EXPECT_FALSE(file.open(QIODevice::ReadWrite));
#else
        // A copy open for hours keeps its folder.
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-3 * 3600), QFileDevice::FileModificationTime));
        file.close();
#endif
        EXPECT_EQ(DataFolderLock(folder).outcome(), DataFolderLock::Outcome::HeldByAnotherCopy);
    }
    EXPECT_FALSE(QFile::exists(lockFile));
    EXPECT_EQ(DataFolderLock(folder).outcome(), DataFolderLock::Outcome::Taken);

#ifdef Q_OS_UNIX
    // A copy killed while holding the folder leaves its lock file behind.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        QLockFile killed(lockFile);
        _exit(killed.tryLock(0) ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(QFile::exists(lockFile));
    EXPECT_EQ(DataFolderLock(folder).outcome(), DataFolderLock::Outcome::Taken);
#endif

    // A folder where no lock file can be made does not count as held.
    EXPECT_EQ(DataFolderLock(dir.filePath(QStringLiteral("absent"))).outcome(),
              DataFolderLock::Outcome::Unavailable);
}
