// The program's identity (settings file, folder, name, date, version, caption,
// version log), the login name, the error report and splitString.

#include "SupportFixture.h"

#include "support/ActionGuard.h"
#include "support/Dialogs.h"
#include "support/PathRules.h"
#include "support/DataFolder.h"
#include "support/Desktop.h"
#include "support/ProgramIdentity.h"
#include "support/WindowPlacement.h"

#include <QFileInfo>
#include <new>
#include <stdexcept>

using ProgramIdentity = SupportTest;

TEST(Dialogs, AMessageBoxBreaksLinesWhereTheProgramsTextsDo)
{
    const struct { const char *text, *shown; } cases[] = {
        {"FORM INI = a\rIMAGE = b\r", "FORM INI = a\nIMAGE = b\n"},
        {"Ligne\r\nsuivante\r\rfin", "Ligne\nsuivante\n\nfin"},
        {"Imprimer quand même ?\nOui", "Imprimer quand même ?\nOui"},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(messageBoxText(QString::fromUtf8(c.text)), QString::fromUtf8(c.shown)) << c.text;
}

TEST(PathRules, AFileDialogRefusesAPathWhoseFolderIsNotThere)
{
    const QString open = QStringLiteral("Le dossier \"%1\" n'existe pas : vérifiez le nom du fichier à ouvrir.");
    const QString save = QStringLiteral("Le dossier \"%1\" n'existe pas : le fichier ne peut pas y être enregistré.");
    const PathStyle win = PathStyle::Windows, posix = PathStyle::Posix;
    const struct { const char *path; bool folderThere; FileDialogMode mode; PathStyle style; QString said; } cases[] = {
        {"/tmp/nonexistent_dir/X.TXT", false, FileDialogMode::Open, posix, open.arg(QStringLiteral("/tmp/nonexistent_dir"))},
        {"/tmp/nonexistent_dir/X.TXT", false, FileDialogMode::Save, posix, save.arg(QStringLiteral("/tmp/nonexistent_dir"))},
        {"/tmp/modeles/X.TXT", true, FileDialogMode::Open, posix, QString()},
        {"/tmp/modeles/X.TXT", true, FileDialogMode::Save, posix, QString()},
        {"C:\\absent\\ECHO.TXT", false, FileDialogMode::Open, win, open.arg(QStringLiteral("C:\\absent"))},
        {"\\\\Serveur\\absent\\ECHO.TXT", false, FileDialogMode::Save, win, save.arg(QStringLiteral("\\\\Serveur\\absent"))},
        {"/X.TXT", false, FileDialogMode::Open, posix, open.arg(QStringLiteral("/"))},
        {"", false, FileDialogMode::Open, posix, QString()},     // cancelled
    };
    for (const auto &c : cases)
        EXPECT_EQ(chosenFileRefusal(QString::fromUtf8(c.path), c.folderThere, c.mode, c.style), c.said) << c.path;
}

TEST(PathRules, IdentityWorkedOutFromTheProgramFile)
{
    const struct
    {
        PathStyle style;
        const char *program, *settings, *folder, *name;
    } cases[] = {
        {PathStyle::Windows, "C:\\Apps\\Tiravon.exe", "C:\\Apps\\Tiravon.INI", "c:\\apps\\", "Tiravon"},
        {PathStyle::Windows, "C:\\Apps\\Tiravon", "C:\\Apps\\Tiravon.INI", "c:\\apps\\", "Tiravon"},
        {PathStyle::Windows, "D:\\Mes.Programmes\\Tiravon", "D:\\Mes.Programmes\\Tiravon.INI",
         "d:\\mes.programmes\\", "Tiravon"},
        {PathStyle::Windows, "D:\\Prog\\Tiravon.v2.exe", "D:\\Prog\\Tiravon.v2.INI", "d:\\prog\\", "Tiravon.v2"},
        {PathStyle::Windows, "\\\\Serveur\\Cabinet\\TIRAVON.EXE", "\\\\Serveur\\Cabinet\\TIRAVON.INI",
         "\\\\serveur\\cabinet\\", "TIRAVON"},
        {PathStyle::Windows, "C:\\Données\\Été\\Tiravon.exe", "C:\\Données\\Été\\Tiravon.INI",
         "c:\\données\\été\\", "Tiravon"},
        // Windows takes forward slashes as separators too; the folder is
        // written with its own.
        {PathStyle::Windows, "C:/Users/Martin/Tiravon.exe", "C:/Users/Martin/Tiravon.INI", "c:\\users\\martin\\",
         "Tiravon"},
        {PathStyle::Windows, "C:/Prog.v2\\Tiravon", "C:/Prog.v2\\Tiravon.INI", "c:\\prog.v2\\", "Tiravon"},
        // Elsewhere the case is kept: lower-casing would name another folder.
        {PathStyle::Posix, "/opt/Cabinet/Tiravon", "/opt/Cabinet/Tiravon.INI", "/opt/Cabinet/", "Tiravon"},
        {PathStyle::Posix, "/home/Dr.Martin/bin/Tiravon", "/home/Dr.Martin/bin/Tiravon.INI",
         "/home/Dr.Martin/bin/", "Tiravon"},
        {PathStyle::Posix, "/opt/Cabinet/Tiravon.AppImage", "/opt/Cabinet/Tiravon.INI", "/opt/Cabinet/", "Tiravon"},
        {PathStyle::Posix, "/opt/C:\\x/Tiravon", "/opt/C:\\x/Tiravon.INI", "/opt/C:\\x/", "Tiravon"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.program);
        const QString program = QString::fromUtf8(c.program);
        EXPECT_EQ(settingsFileFor(program, c.style), QString::fromUtf8(c.settings));
        EXPECT_EQ(programFolderFor(program, c.style), QString::fromUtf8(c.folder));
        EXPECT_EQ(programNameFor(program, c.style), QString::fromUtf8(c.name));
    }
}

TEST_F(ProgramIdentity, RoutinesFollowTheRunningProgramFile)
{
    fake.programFilePath = path(QStringLiteral("Cabinet.Dr/Tiravon"));
    const QString folder = QDir::toNativeSeparators(dir.path() + QStringLiteral("/Cabinet.Dr/"));
#ifdef Q_OS_WIN
    EXPECT_EQ(programFolder(), folder.toLower());
#else
    EXPECT_EQ(programFolder(), folder);
#endif
    EXPECT_EQ(programSettingsFile(), folder + QStringLiteral("Tiravon.INI"));
    EXPECT_EQ(programName(), QStringLiteral("Tiravon"));
    EXPECT_EQ(programName(true), QStringLiteral("TIRAVON"));
}

TEST_F(ProgramIdentity, ProgramDateIsTheFileDateAsDayMonthYear)
{
    EXPECT_EQ(programDate(), QString());   // no program file yet
    putBytes(fake.programFilePath, "programme");
    QFile program(fake.programFilePath);
    ASSERT_TRUE(program.open(QIODevice::ReadWrite));
    ASSERT_TRUE(program.setFileTime(QDateTime(QDate(2013, 7, 5), QTime(12, 0)), QFileDevice::FileModificationTime));
    program.close();
    EXPECT_EQ(programDate(), QStringLiteral("05-07-13"));
}

TEST_F(ProgramIdentity, VersionNumberAndCaption)
{
    EXPECT_EQ(programVersion(), QStringLiteral(TIRAVON_VERSION));
    for (const char *valid : {"2.4.0.17", "0.0.0.0", "65535.1.2.3"})
        EXPECT_EQ(versionFromText(QString::fromLatin1(valid)), QString::fromLatin1(valid));
    for (const char *invalid : {"", "2.4.0", "2.4.0.17.1", "2.4.x.17", "2.4.0.65536", "2..0.17", "-2.4.0.17"}) {
        SCOPED_TRACE(invalid);
        EXPECT_EQ(errorMessageOf([&] { versionFromText(QString::fromLatin1(invalid)); }),
                  QStringLiteral("Les informations de version de sont pas incluses"));
    }

    putBytes(fake.programFilePath, "programme");
    QFile program(fake.programFilePath);
    ASSERT_TRUE(program.open(QIODevice::ReadWrite));
    ASSERT_TRUE(program.setFileTime(QDateTime(QDate(2013, 7, 15), QTime(9, 0)), QFileDevice::FileModificationTime));
    program.close();
    const QString version = programVersion();
    EXPECT_EQ(versionCaption(), QStringLiteral("TIRAVON ") + version + QStringLiteral(" | Quenlor ***{:-  | 15-07-13"));
    EXPECT_EQ(versionCaption(QStringLiteral("Dr %1 Martin")),
              QStringLiteral("TIRAVON ") + version + QStringLiteral(" | Quenlor ***{:- Dr %1 Martin | 15-07-13"));
}

namespace {
// Works in another current folder for the life of the object.
class CurrentFolder
{
public:
    explicit CurrentFolder(const QString &folder) : m_previous(QDir::currentPath()) { QDir::setCurrent(folder); }
    ~CurrentFolder() { QDir::setCurrent(m_previous); }

private:
    QString m_previous;
};
} // namespace

TEST_F(ProgramIdentity, VersionLogIsWrittenInTheCurrentFolder)
{
    QTemporaryDir current;
    ASSERT_TRUE(current.isValid());
    const CurrentFolder inside(current.path());
    const QString log = current.filePath(QStringLiteral("tiravon.version"));

    logVersion(QStringLiteral("2.4.0.17 (été)"));
    EXPECT_EQ(fileBytes(log), QByteArray("2.4.0.17 (\xE9t\xE9)\r\n"));
    logVersion();
    EXPECT_EQ(fileBytes(log), programVersion().toLatin1() + "\r\n");
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("tiravon.version"))));
    EXPECT_TRUE(testDialogs().shown.isEmpty());

    // A failure is shown and the program goes on.
    QFile::remove(log);
    ASSERT_TRUE(QDir(current.path()).mkdir(QStringLiteral("tiravon.version")));
    logVersion();
    ASSERT_EQ(testDialogs().texts(QStringLiteral("message")).size(), 1);
    const QString shown = testDialogs().texts(QStringLiteral("message")).constFirst();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("ERR:tq_ini | Version_LOG =>Impossible d'écrire dans ")))
        << shown.toStdString();
    EXPECT_TRUE(shown.endsWith(QStringLiteral("tiravon.version"))) << shown.toStdString();
}

TEST_F(ProgramIdentity, UserNameIsNeverEmpty)
{
    fake.login = QStringLiteral("dr.martin");
    EXPECT_EQ(userName(), QStringLiteral("dr.martin"));
    fake.login.clear();
    EXPECT_EQ(userName(), QStringLiteral("Inconnu"));
}

TEST_F(ProgramIdentity, ErrorReportAbortEndsTheProgramIgnoreReturns)
{
    const QString expected = QStringLiteral(
        "Veuillez noter précisément les détails de cette erreur et les rapporter au developpeur\r\n"
        "\r\n"
        "Module : \r\n"
        "=>CCAM\r\n"
        "\r\n"
        "Message : \r\n"
        "=>Fichier introuvable");
    testDialogs().errorReportAnswers = {false, true};
    showErrorReport(QStringLiteral("CCAM"), QStringLiteral("Fichier introuvable"));
    EXPECT_EQ(fake.terminateRequests, 0);
    showErrorReport(QStringLiteral("CCAM"), QStringLiteral("Fichier introuvable"));
    EXPECT_EQ(fake.terminateRequests, 1);
    EXPECT_EQ(testDialogs().texts(QStringLiteral("errorReport")), QStringList({expected, expected}));
}

TEST_F(ProgramIdentity, AnActionsErrorIsShownInFrench)
{
    const struct { std::function<void()> fail; QString shown; } cases[] = {
        {[] { throw TiravonError(QStringLiteral("Impossible d'écrire dans x")); }, QStringLiteral("Impossible d'écrire dans x")},
        {[] { throw std::bad_alloc(); }, QStringLiteral("Mémoire insuffisante : l'opération n'a pas pu aboutir.")},
        {[] { throw std::out_of_range("vector::_M_range_check"); },
         QStringLiteral("Erreur inattendue : l'opération n'a pas pu aboutir (vector::_M_range_check).")},
    };
    for (const auto &c : cases) {
        testDialogs().clear();
        runGuarded(c.fail);
        EXPECT_EQ(testDialogs().texts(QStringLiteral("error")), QStringList{c.shown});
    }
}

TEST_F(ProgramIdentity, OpenDocumentHandsTheTextToTheDesktop)
{
    openDocument(QStringLiteral("https://www.ameli.fr"));
    EXPECT_EQ(fake.opened, QStringList{QStringLiteral("https://www.ameli.fr")});
}

TEST(SplitString, CutsAtEachSeparatorAndDropsAnEmptyRest)
{
    const struct
    {
        const char *text, *separator;
        QStringList pieces;
    } cases[] = {
        {"1:2::4", ":", {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral(""), QStringLiteral("4")}},
        {"1:2:", ":", {QStringLiteral("1"), QStringLiteral("2")}},
        {"", ":", {}},
        {"a::b", ":", {QStringLiteral("a"), QStringLiteral(""), QStringLiteral("b")}},
        {":a", ":", {QStringLiteral(""), QStringLiteral("a")}},
        {"::", ":", {QStringLiteral(""), QStringLiteral("")}},
        {"559:0:836:1024", ":", {QStringLiteral("559"), QStringLiteral("0"), QStringLiteral("836"), QStringLiteral("1024")}},
        {"a||b|", "||", {QStringLiteral("a"), QStringLiteral("b|")}},
        {"a:b", "", {QStringLiteral("a:b")}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(splitString(QString::fromUtf8(c.text), QString::fromUtf8(c.separator)), c.pieces);
    }
}
