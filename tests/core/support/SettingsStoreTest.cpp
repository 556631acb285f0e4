// The settings store: value forms and the INI engine's reproduction of the
// Windows profile functions, always through the files on disk.

#include "SupportFixture.h"

#include "support/IniFile.h"
#include "support/DataFolder.h"
#include "support/SettingsStore.h"

#include <optional>

using SettingsStore = SupportTest;

TEST_F(SettingsStore, IntegerAndYesNoReadings)
{
    struct Case
    {
        const char *stored;
        std::optional<qint32> number;   // nothing: the default is returned
    };
    const Case cases[] = {
        {"0x1F", 31},        {"0X1f", 31},      {"0xFFFFFFFF", -1}, {"-5", -5},
        {"2", 2},            {"0", 0},          {"  42 ", 42},      {"12abc", {}},
        {"", {}},            {"oui", {}},       {"0x", {}},         {"0x1G", {}},
        {"99999999999", {}}, {"1 2", {}},       {"\"7\"", 7},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.stored);
        writeSetting(QStringLiteral("Valeurs"), QStringLiteral("K"), QString::fromUtf8(c.stored));
        EXPECT_EQ(readIntegerSetting(QStringLiteral("Valeurs"), QStringLiteral("K"), -7), c.number.value_or(-7));
        // Yes/no: any non-zero number is yes, 0 is no, anything else the default.
        EXPECT_EQ(readBoolSetting(QStringLiteral("Valeurs"), QStringLiteral("K"), true), c.number.value_or(1) != 0);
        EXPECT_EQ(readBoolSetting(QStringLiteral("Valeurs"), QStringLiteral("K"), false), c.number.value_or(0) != 0);
    }
}

TEST_F(SettingsStore, WritesNumbersAndYesNoAsDigitsInANewFile)
{
    writeBoolSetting(QStringLiteral("Options"), QStringLiteral("Oui"), true);
    writeBoolSetting(QStringLiteral("Options"), QStringLiteral("Non"), false);
    writeIntegerSetting(QStringLiteral("Options"), QStringLiteral("Marge"), -5);
    writeIntegerSetting(QStringLiteral("Options"), QStringLiteral("Max"), 2147483647);
    EXPECT_EQ(programSettingsFile(), path(QStringLiteral("Tiravon.INI")));
    EXPECT_EQ(fileBytes(programSettingsFile()),
              QByteArray("[Options]\r\nOui=1\r\nNon=0\r\nMarge=-5\r\nMax=2147483647\r\n"));
    EXPECT_EQ(readIntegerSetting(QStringLiteral("Options"), QStringLiteral("Max"), 0), 2147483647);
}

TEST_F(SettingsStore, TextReadingDropsBlanksAndOnePairOfQuotes)
{
    const struct
    {
        const char *stored;
        const char *read;
    } cases[] = {
        {"  Paris  ", "Paris"},
        {"\t\"Paris\" ", "Paris"},
        {"'Paris'", "Paris"},
        {"\"  a b \"", "  a b "},
        {"\"\"a\"\"", "\"a\""},
        {"\"Paris'", "\"Paris'"},
        {"\"", "\""},
        {"''", ""},
        {"x=y", "x=y"},
        {"", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.stored);
        putBytes(path(QStringLiteral("Valeurs.ini")), QByteArray("[S]\r\nK=") + c.stored + "\r\n");
        EXPECT_EQ(readSetting(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("défaut"),
                                 path(QStringLiteral("Valeurs.ini"))),
                  QString::fromUtf8(c.read));
    }
}

TEST_F(SettingsStore, MissingFileSectionOrKeyGivesTheDefaultWithoutCreatingTheFile)
{
    EXPECT_EQ(readSetting(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_FALSE(QFile::exists(programSettingsFile()));
    putBytes(programSettingsFile(), "[S]\r\nK=1\r\n");
    EXPECT_EQ(readSetting(QStringLiteral("T"), QStringLiteral("K"), QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_EQ(readSetting(QStringLiteral("S"), QStringLiteral("L"), QStringLiteral("d")), QStringLiteral("d"));
}

TEST_F(SettingsStore, AtMost2047CharactersOfAValueAreReturned)
{
    QString longValue;
    for (int i = 0; i < 10000; ++i)
        longValue.append(QChar(u'a' + i % 26));
    writeSetting(QStringLiteral("S"), QStringLiteral("Long"), longValue);
    const QString read = readSetting(QStringLiteral("S"), QStringLiteral("Long"), QString());
    EXPECT_EQ(read.size(), 2047);
    EXPECT_EQ(read, longValue.left(2047));
    // The whole value stays in the file.
    EXPECT_TRUE(fileBytes(programSettingsFile()).contains(longValue.toLatin1()));
}

TEST_F(SettingsStore, NamesIgnoreLetterCaseAccentedLettersIncluded)
{
    // "[Médecin]\r\nClé=1\r\n" in Windows-1252.
    putBytes(programSettingsFile(), "[M\xE9" "decin]\r\nCl\xE9=1\r\n");
    EXPECT_EQ(readSetting(QStringLiteral("MÉDECIN"), QStringLiteral("CLÉ"), QString()), QStringLiteral("1"));
    EXPECT_EQ(readSetting(QStringLiteral("médecin"), QStringLiteral("clé"), QString()), QStringLiteral("1"));
    writeSetting(QStringLiteral("MÉDECIN"), QStringLiteral("CLÉ"), QStringLiteral("2"));
    EXPECT_EQ(fileBytes(programSettingsFile()), QByteArray("[M\xE9" "decin]\r\nCl\xE9=2\r\n"));
}

TEST_F(SettingsStore, WritingTouchesOnlyTheLineWrittenAndPlacesNewEntries)
{
    // Comments, a line without "=", blank separators, CR, LF and CR LF
    // endings, and a last line without any.
    const QByteArray before =
        "; r\xE9glages du cabinet\r\n"
        "[Tiravon]\n"
        "Form1=1:2:3:4\r"
        "ligne sans signe\r\n"
        "Autre = x \r\n"
        "\r\n"
        "  \n"
        "[Options]\r\n"
        "A=1";
    putBytes(programSettingsFile(), before);

    writeSetting(QStringLiteral("TIRAVON"), QStringLiteral("form1"), QStringLiteral("5:6:7:8"));
    writeSetting(QStringLiteral("Tiravon"), QStringLiteral("Nouveau"), QStringLiteral("y"));
    writeSetting(QStringLiteral("Options"), QStringLiteral("B"), QStringLiteral("2"));
    writeSetting(QStringLiteral("Neuf"), QStringLiteral("K"), QStringLiteral("v"));

    EXPECT_EQ(fileBytes(programSettingsFile()),
              QByteArray("; r\xE9glages du cabinet\r\n"
                         "[Tiravon]\n"
                         "Form1=5:6:7:8\r"
                         "ligne sans signe\r\n"
                         "Autre = x \r\n"
                         "Nouveau=y\r\n"
                         "\r\n"
                         "  \n"
                         "[Options]\r\n"
                         "A=1\r\n"
                         "B=2\r\n"
                         "[Neuf]\r\n"
                         "K=v\r\n"));
    EXPECT_EQ(readSetting(QStringLiteral("tiravon"), QStringLiteral("AUTRE"), QString()), QStringLiteral("x"));
}

TEST_F(SettingsStore, AFolderPathServesAsAKey)
{
    const QString folderKey = QStringLiteral("c:\\apps\\feuille_de_soin_medecin\\");
    writeSetting(QStringLiteral("Images"), folderKey, QStringLiteral("feuille.ini"));
    writeSetting(QStringLiteral("Images"), QStringLiteral("c:\\apps\\"), QStringLiteral("autre.ini"));
    EXPECT_EQ(readSetting(QStringLiteral("Images"), QStringLiteral("C:\\APPS\\Feuille_De_Soin_Medecin\\"),
                             QString()),
              QStringLiteral("feuille.ini"));
    EXPECT_EQ(readSetting(QStringLiteral("Images"), QStringLiteral("c:\\apps\\"), QString()),
              QStringLiteral("autre.ini"));
    EXPECT_EQ(fileBytes(programSettingsFile()),
              QByteArray("[Images]\r\nc:\\apps\\feuille_de_soin_medecin\\=feuille.ini\r\n"
                         "c:\\apps\\=autre.ini\r\n"));
}

TEST_F(SettingsStore, DuplicateSectionsAndKeysTheFirstCounts)
{
    putBytes(programSettingsFile(), "[A]\r\nk=1\r\nk=2\r\n[a]\r\nk=3\r\nj=4\r\n");
    EXPECT_EQ(readSetting(QStringLiteral("A"), QStringLiteral("K"), QString()), QStringLiteral("1"));
    EXPECT_EQ(readSetting(QStringLiteral("A"), QStringLiteral("j"), QStringLiteral("d")), QStringLiteral("d"));
    writeSetting(QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("9"));
    writeSetting(QStringLiteral("a"), QStringLiteral("j"), QStringLiteral("5"));
    EXPECT_EQ(fileBytes(programSettingsFile()), QByteArray("[A]\r\nk=9\r\nk=2\r\nj=5\r\n[a]\r\nk=3\r\nj=4\r\n"));
}

TEST_F(SettingsStore, LineBreaksInAValueCannotBreakTheFile)
{
    writeSetting(QStringLiteral("S"), QStringLiteral("Avant"), QStringLiteral("1"));
    writeSetting(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("x\r\n[Autre]\rCle=pirate\nfin"));
    writeSetting(QStringLiteral("S"), QStringLiteral("Apres"), QStringLiteral("2"));

    EXPECT_EQ(readSetting(QStringLiteral("Autre"), QStringLiteral("Cle"), QStringLiteral("d")), QStringLiteral("d"));
    const QString read = readSetting(QStringLiteral("S"), QStringLiteral("K"), QString());
    EXPECT_TRUE(read.startsWith(QLatin1String("x")) && read.endsWith(QLatin1String("fin"))) << read.toStdString();
    EXPECT_FALSE(read.contains(QLatin1Char('\r')) || read.contains(QLatin1Char('\n')));
    EXPECT_EQ(readSetting(QStringLiteral("S"), QStringLiteral("Avant"), QString()), QStringLiteral("1"));
    EXPECT_EQ(readSetting(QStringLiteral("S"), QStringLiteral("Apres"), QString()), QStringLiteral("2"));
    EXPECT_EQ(fileBytes(programSettingsFile()).count("\r\n"), 4);
}

TEST_F(SettingsStore, EveryCallWorksOnTheFileOnDisk)
{
    writeSetting(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("1"));
    putBytes(programSettingsFile(), "[S]\r\nK=2\r\nL=3\r\n");
    EXPECT_EQ(readSetting(QStringLiteral("S"), QStringLiteral("K"), QString()), QStringLiteral("2"));
    writeSetting(QStringLiteral("S"), QStringLiteral("M"), QStringLiteral("4"));
    EXPECT_EQ(fileBytes(programSettingsFile()), QByteArray("[S]\r\nK=2\r\nL=3\r\nM=4\r\n"));
    QFile::remove(programSettingsFile());
    EXPECT_EQ(readSetting(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("d")), QStringLiteral("d"));
}

TEST_F(SettingsStore, AnExplicitFileIsUsedInsteadOfTheSettingsFile)
{
    const QString model = path(QStringLiteral("acte.ini"));
    writeIntegerSetting(QStringLiteral("Acte"), QStringLiteral("Total"), 23, model);
    EXPECT_EQ(readIntegerSetting(QStringLiteral("Acte"), QStringLiteral("Total"), 0, model), 23);
    EXPECT_EQ(readIntegerSetting(QStringLiteral("Acte"), QStringLiteral("Total"), 0), 0);
    EXPECT_FALSE(QFile::exists(programSettingsFile()));
}

namespace {

struct Write
{
    const char *section;
    const char *key;
    QString value;
};

} // namespace

// A session must leave each file exactly as the same writes one by one do,
// whatever the file held and whatever the names written.
TEST_F(SettingsStore, ASessionLeavesTheBytesOfTheSameWritesOneByOne)
{
    const QByteArray utf16 = QByteArray("\xFF\xFE", 2) + QByteArray(QStringEncoder(QStringEncoder::Utf16LE)(u"[S]\r\nK=1\r\n"));
    const struct
    {
        const char *what;
        std::optional<QByteArray> before;
        QList<Write> writes;
    } cases[] = {
        {"a new file", std::nullopt,
         {{"S", "A", QStringLiteral("1")}, {"T", "B", QStringLiteral("2")}, {"S", "C", QStringLiteral("3")}, {"s", "a", QStringLiteral("4")}}},
        {"endings, blanks, comments",
         QByteArray("; r\xE9glages\r\n[Tiravon]\nForm1=1\r\n\r\n  \n[Options]\r\nA=1"),
         {{"TIRAVON", "form1", QStringLiteral("5")}, {"Tiravon", "Nouveau", QStringLiteral("y")}, {"Options", "B", QStringLiteral("2")}, {"Neuf", "K", QStringLiteral("v")},
          {"neuf", "L", QStringLiteral("w")}, {"Tiravon", "Nouveau", QStringLiteral("z")}}},
        {"duplicates", QByteArray("[A]\r\nk=1\r\nk=2\r\n[a]\r\nk=3\r\nj=4\r\n"),
         {{"a", "k", QStringLiteral("9")}, {"a", "j", QStringLiteral("5")}, {"A", "J", QStringLiteral("6")}}},
        {"a value Windows-1252 cannot hold", QByteArray("[S]\r\nK=\xE9t\xE9\r\n"),
         {{"S", "K", QStringLiteral("Ω")}, {"S", "K", QStringLiteral("plain")}, {"S", "L", QStringLiteral("é")}}},
        {"UTF-16 with its mark", utf16, {{"S", "K", QStringLiteral("é")}, {"T", "K", QStringLiteral("2")}}},
        {"names that read back otherwise",
         QByteArray("[S]\r\nK=1\r\n"),
         {{"S", "a=b", QStringLiteral("1")}, {"S", "a", QStringLiteral("2")}, {"S", "[X]", QStringLiteral("3")}, {"X]", "k", QStringLiteral("4")}, {"S", " K ", QStringLiteral("5")},
          {"S", "M\nN", QStringLiteral("6")}, {"S", "N", QStringLiteral("7")}, {"Q\r\n[S", "K", QStringLiteral("8")}, {"S", "K", QStringLiteral("9")}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString alone = path(QStringLiteral("alone.ini"));
        const QString together = path(QStringLiteral("together.ini"));
        QFile::remove(alone);
        QFile::remove(together);
        if (c.before) {
            putBytes(alone, *c.before);
            putBytes(together, *c.before);
        }
        QStringList readAlone;
        for (const Write &w : c.writes) {
            writeSetting(QString::fromUtf8(w.section), QString::fromUtf8(w.key), w.value, alone);
            readAlone << readSetting(QString::fromUtf8(w.section), QString::fromUtf8(w.key), QStringLiteral("-"), alone);
        }
        QStringList readTogether;
        {
            IniSession session;
            for (const Write &w : c.writes) {
                writeSetting(QString::fromUtf8(w.section), QString::fromUtf8(w.key), w.value, together);
                readTogether << readSetting(QString::fromUtf8(w.section), QString::fromUtf8(w.key), QStringLiteral("-"), together);
            }
            session.writeFiles();
        }
        EXPECT_EQ(readTogether, readAlone);
        EXPECT_EQ(fileBytes(together), fileBytes(alone));
    }
}

TEST_F(SettingsStore, ASessionWritesNothingUntilItsCommitThenEachFileOnce)
{
    const QString other = path(QStringLiteral("config.ini"));
    putBytes(programSettingsFile(), "[S]\r\nK=1\r\n");
    {
        IniSession session;
        writeSetting(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("2"));
        // Another spelling of the same path is the same file.
        writeSetting(QStringLiteral("S"), QStringLiteral("L"), QStringLiteral("3"),
                        dir.path() + QStringLiteral("/./Tiravon.INI"));
#ifdef Q_OS_WIN
        // On Windows, names that differ only in letter case, or in their
        // separators, name one file.
        writeSetting(QStringLiteral("S"), QStringLiteral("L"), QStringLiteral("3"),
                        QDir::toNativeSeparators(dir.path()).toUpper() + QStringLiteral("\\tiravon.ini"));
#endif
        writeIntegerSetting(QStringLiteral("C"), QStringLiteral("N"), 4, other);
        {
            IniSession inner;
            writeBoolSetting(QStringLiteral("C"), QStringLiteral("B"), true, other);
            inner.writeFiles();
        }
        EXPECT_EQ(readSetting(QStringLiteral("S"), QStringLiteral("L"), QString()), QStringLiteral("3"));
        EXPECT_EQ(fileBytes(programSettingsFile()), QByteArray("[S]\r\nK=1\r\n"));
        EXPECT_FALSE(QFile::exists(other));
        session.writeFiles();
    }
    EXPECT_EQ(fileBytes(programSettingsFile()), QByteArray("[S]\r\nK=2\r\nL=3\r\n"));
    EXPECT_EQ(fileBytes(other), QByteArray("[C]\r\nN=4\r\nB=1\r\n"));
    EXPECT_EQ(folderEntries(), (QStringList{QStringLiteral("Tiravon.INI"), QStringLiteral("config.ini")}));
    // Outside a session every call is on the disk again.
    putBytes(other, "[C]\r\nN=7\r\n");
    EXPECT_EQ(readIntegerSetting(QStringLiteral("C"), QStringLiteral("N"), 0, other), 7);
}

TEST_F(SettingsStore, AFileThatCannotBeWrittenRaisesAtItsFirstWriteInASession)
{
    const QString locked = path(QStringLiteral("locked.ini"));
    putBytes(locked, "[S]\r\nK=1\r\n");
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ReadUser);
    {
        IniSession session;
        writeSetting(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("2"));
        EXPECT_EQ(errorMessageOf([&] { writeSetting(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("3"), locked); }),
                  QStringLiteral("Impossible d'écrire dans %1").arg(locked));
        // The session ends with the error: what was written before it is
        // kept, as the writes one by one would have kept it.
    }
    EXPECT_EQ(fileBytes(programSettingsFile()), QByteArray("[S]\r\nK=2\r\n"));
    EXPECT_EQ(fileBytes(locked), QByteArray("[S]\r\nK=1\r\n"));
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner);
}
