// The settings store: value forms and the INI engine's reproduction of the
// Windows profile functions, always through the files on disk.

#include "SupportFixture.h"

#include "support/IniFile.h"
#include "support/tq32_ini.h"

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
        INI_WriteString(QStringLiteral("Valeurs"), QStringLiteral("K"), QString::fromUtf8(c.stored));
        EXPECT_EQ(INI_ReadInteger(QStringLiteral("Valeurs"), QStringLiteral("K"), -7), c.number.value_or(-7));
        // Yes/no: any non-zero number is yes, 0 is no, anything else the default.
        EXPECT_EQ(INI_ReadBool(QStringLiteral("Valeurs"), QStringLiteral("K"), true), c.number.value_or(1) != 0);
        EXPECT_EQ(INI_ReadBool(QStringLiteral("Valeurs"), QStringLiteral("K"), false), c.number.value_or(0) != 0);
    }
}

TEST_F(SettingsStore, WritesNumbersAndYesNoAsDigitsInANewFile)
{
    INI_WriteBool(QStringLiteral("Options"), QStringLiteral("Oui"), true);
    INI_WriteBool(QStringLiteral("Options"), QStringLiteral("Non"), false);
    INI_WriteInteger(QStringLiteral("Options"), QStringLiteral("Marge"), -5);
    INI_WriteInteger(QStringLiteral("Options"), QStringLiteral("Max"), 2147483647);
    EXPECT_EQ(INI_ProgramFile(), path(QStringLiteral("Tiravon.INI")));
    EXPECT_EQ(fileBytes(INI_ProgramFile()),
              QByteArray("[Options]\r\nOui=1\r\nNon=0\r\nMarge=-5\r\nMax=2147483647\r\n"));
    EXPECT_EQ(INI_ReadInteger(QStringLiteral("Options"), QStringLiteral("Max"), 0), 2147483647);
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
        EXPECT_EQ(INI_ReadString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("défaut"),
                                 path(QStringLiteral("Valeurs.ini"))),
                  QString::fromUtf8(c.read));
    }
}

TEST_F(SettingsStore, MissingFileSectionOrKeyGivesTheDefaultWithoutCreatingTheFile)
{
    EXPECT_EQ(INI_ReadString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_FALSE(QFile::exists(INI_ProgramFile()));
    putBytes(INI_ProgramFile(), "[S]\r\nK=1\r\n");
    EXPECT_EQ(INI_ReadString(QStringLiteral("T"), QStringLiteral("K"), QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_EQ(INI_ReadString(QStringLiteral("S"), QStringLiteral("L"), QStringLiteral("d")), QStringLiteral("d"));
}

TEST_F(SettingsStore, AtMost2047CharactersOfAValueAreReturned)
{
    QString longValue;
    for (int i = 0; i < 10000; ++i)
        longValue.append(QChar(u'a' + i % 26));
    INI_WriteString(QStringLiteral("S"), QStringLiteral("Long"), longValue);
    const QString read = INI_ReadString(QStringLiteral("S"), QStringLiteral("Long"), QString());
    EXPECT_EQ(read.size(), 2047);
    EXPECT_EQ(read, longValue.left(2047));
    // The whole value stays in the file.
    EXPECT_TRUE(fileBytes(INI_ProgramFile()).contains(longValue.toLatin1()));
}

TEST_F(SettingsStore, NamesIgnoreLetterCaseAccentedLettersIncluded)
{
    // "[Médecin]\r\nClé=1\r\n" in Windows-1252.
    putBytes(INI_ProgramFile(), "[M\xE9" "decin]\r\nCl\xE9=1\r\n");
    EXPECT_EQ(INI_ReadString(QStringLiteral("MÉDECIN"), QStringLiteral("CLÉ"), QString()), QStringLiteral("1"));
    EXPECT_EQ(INI_ReadString(QStringLiteral("médecin"), QStringLiteral("clé"), QString()), QStringLiteral("1"));
    INI_WriteString(QStringLiteral("MÉDECIN"), QStringLiteral("CLÉ"), QStringLiteral("2"));
    EXPECT_EQ(fileBytes(INI_ProgramFile()), QByteArray("[M\xE9" "decin]\r\nCl\xE9=2\r\n"));
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
    putBytes(INI_ProgramFile(), before);

    INI_WriteString(QStringLiteral("TIRAVON"), QStringLiteral("form1"), QStringLiteral("5:6:7:8"));
    INI_WriteString(QStringLiteral("Tiravon"), QStringLiteral("Nouveau"), QStringLiteral("y"));
    INI_WriteString(QStringLiteral("Options"), QStringLiteral("B"), QStringLiteral("2"));
    INI_WriteString(QStringLiteral("Neuf"), QStringLiteral("K"), QStringLiteral("v"));

    EXPECT_EQ(fileBytes(INI_ProgramFile()),
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
    EXPECT_EQ(INI_ReadString(QStringLiteral("tiravon"), QStringLiteral("AUTRE"), QString()), QStringLiteral("x"));
}

TEST_F(SettingsStore, AFolderPathServesAsAKey)
{
    const QString folderKey = QStringLiteral("c:\\apps\\feuille_de_soin_medecin\\");
    INI_WriteString(QStringLiteral("Images"), folderKey, QStringLiteral("feuille.ini"));
    INI_WriteString(QStringLiteral("Images"), QStringLiteral("c:\\apps\\"), QStringLiteral("autre.ini"));
    EXPECT_EQ(INI_ReadString(QStringLiteral("Images"), QStringLiteral("C:\\APPS\\Feuille_De_Soin_Medecin\\"),
                             QString()),
              QStringLiteral("feuille.ini"));
    EXPECT_EQ(INI_ReadString(QStringLiteral("Images"), QStringLiteral("c:\\apps\\"), QString()),
              QStringLiteral("autre.ini"));
    EXPECT_EQ(fileBytes(INI_ProgramFile()),
              QByteArray("[Images]\r\nc:\\apps\\feuille_de_soin_medecin\\=feuille.ini\r\n"
                         "c:\\apps\\=autre.ini\r\n"));
}

TEST_F(SettingsStore, DuplicateSectionsAndKeysTheFirstCounts)
{
    putBytes(INI_ProgramFile(), "[A]\r\nk=1\r\nk=2\r\n[a]\r\nk=3\r\nj=4\r\n");
    EXPECT_EQ(INI_ReadString(QStringLiteral("A"), QStringLiteral("K"), QString()), QStringLiteral("1"));
    EXPECT_EQ(INI_ReadString(QStringLiteral("A"), QStringLiteral("j"), QStringLiteral("d")), QStringLiteral("d"));
    INI_WriteString(QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("9"));
    INI_WriteString(QStringLiteral("a"), QStringLiteral("j"), QStringLiteral("5"));
    EXPECT_EQ(fileBytes(INI_ProgramFile()), QByteArray("[A]\r\nk=9\r\nk=2\r\nj=5\r\n[a]\r\nk=3\r\nj=4\r\n"));
}

TEST_F(SettingsStore, LineBreaksInAValueCannotBreakTheFile)
{
    INI_WriteString(QStringLiteral("S"), QStringLiteral("Avant"), QStringLiteral("1"));
    INI_WriteString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("x\r\n[Autre]\rCle=pirate\nfin"));
    INI_WriteString(QStringLiteral("S"), QStringLiteral("Apres"), QStringLiteral("2"));

    EXPECT_EQ(INI_ReadString(QStringLiteral("Autre"), QStringLiteral("Cle"), QStringLiteral("d")), QStringLiteral("d"));
    const QString read = INI_ReadString(QStringLiteral("S"), QStringLiteral("K"), QString());
    EXPECT_TRUE(read.startsWith(QLatin1String("x")) && read.endsWith(QLatin1String("fin"))) << read.toStdString();
    EXPECT_FALSE(read.contains(QLatin1Char('\r')) || read.contains(QLatin1Char('\n')));
    EXPECT_EQ(INI_ReadString(QStringLiteral("S"), QStringLiteral("Avant"), QString()), QStringLiteral("1"));
    EXPECT_EQ(INI_ReadString(QStringLiteral("S"), QStringLiteral("Apres"), QString()), QStringLiteral("2"));
    EXPECT_EQ(fileBytes(INI_ProgramFile()).count("\r\n"), 4);
}

TEST_F(SettingsStore, EveryCallWorksOnTheFileOnDisk)
{
    INI_WriteString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("1"));
    putBytes(INI_ProgramFile(), "[S]\r\nK=2\r\nL=3\r\n");
    EXPECT_EQ(INI_ReadString(QStringLiteral("S"), QStringLiteral("K"), QString()), QStringLiteral("2"));
    INI_WriteString(QStringLiteral("S"), QStringLiteral("M"), QStringLiteral("4"));
    EXPECT_EQ(fileBytes(INI_ProgramFile()), QByteArray("[S]\r\nK=2\r\nL=3\r\nM=4\r\n"));
    QFile::remove(INI_ProgramFile());
    EXPECT_EQ(INI_ReadString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("d")), QStringLiteral("d"));
}

TEST_F(SettingsStore, AnExplicitFileIsUsedInsteadOfTheSettingsFile)
{
    const QString model = path(QStringLiteral("acte.ini"));
    INI_WriteInteger(QStringLiteral("Acte"), QStringLiteral("Total"), 23, model);
    EXPECT_EQ(INI_ReadInteger(QStringLiteral("Acte"), QStringLiteral("Total"), 0, model), 23);
    EXPECT_EQ(INI_ReadInteger(QStringLiteral("Acte"), QStringLiteral("Total"), 0), 0);
    EXPECT_FALSE(QFile::exists(INI_ProgramFile()));
}
