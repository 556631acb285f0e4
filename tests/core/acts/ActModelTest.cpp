// Act model files, the act registry and the naming rules of the act dialogs
// and shortcuts.
#include "SupportFixture.h"

#include "acts/ActModel.h"
#include "support/tq32_ini.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

using ActModelFileTest = SupportTest;

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

ActModel echography()
{
    ActModel m;
    m.ACTE_1 = QStringLiteral("CS");
    m.ACTE_2 = QStringLiteral(" JQQM010 ");   // kept as typed, blanks too
    m.CCAM_1 = QStringLiteral("JQQM010");
    m.TARIF_1 = QStringLiteral("23,00");
    m.TARIF_2 = QStringLiteral("46,50");
    m.MONTANT_TOTAL = QStringLiteral("99,99");
    m.COCHE_MATERNITE = QStringLiteral("X");
    m.COCHE_ACCES = QStringLiteral("X");
    m.COCHE_ALD_1 = QStringLiteral("X");
    m.stampVisible = true;
    m.stampText = QStringLiteral("Reçu à régler");
    m.stampTop = 412;
    m.stampLeft = -7;
    return m;
}

void expectSameModel(const ActModel &a, const ActModel &b)
{
    for (const ActModelKey &k : actModelKeys()) {
        if (k.text)
            EXPECT_EQ(a.*k.text, b.*k.text) << k.key;
        else if (k.flag)
            EXPECT_EQ(a.*k.flag, b.*k.flag) << k.key;
        else
            EXPECT_EQ(a.*k.number, b.*k.number) << k.key;
    }
}

TEST_F(ActModelFileTest, ANewFileHoldsTheFourSectionsInOrderInWindows1252WithCrLf)
{
    const QString file = path(QStringLiteral("ECHO.TXT"));
    writeActModel(file, echography());
    const QByteArray expected =
        "[ACTES]\r\nACTE_1=CS\r\nACTE_2= JQQM010 \r\nACTE_3=\r\nACTE_4=\r\nCCAM_1=JQQM010\r\nCCAM_2=\r\n"
        "[TARIFS]\r\nTARIF_1=23,00\r\nTARIF_2=46,50\r\nTARIF_3=\r\nTARIF_4=\r\nTOTAL=99,99\r\n"
        "[COCHES]\r\nCOCHE_MALADIE=\r\nCOCHE_MATERNITE=X\r\nCOCHE_ACCES=X\r\nCOCHE_NP_COMP=\r\n"
        "COCHE_NP_OBLIGAT=\r\nCOCHE_ALD_0=\r\nCOCHE_ALD_1=X\r\n"
        "[NOTE]\r\nVISIBLE=1\r\nTEXTE=Re\xE7u \xE0 r\xE9gler\r\nTOP=412\r\nLEFT=-7\r\n";
    EXPECT_EQ(bytesOf(file), expected);

    // Read back, it is the model saved (the blanks of a value are the
    // settings store's to drop).
    ActModel saved = echography();
    saved.ACTE_2 = QStringLiteral("JQQM010");
    expectSameModel(readActModel(file, QPoint(1, 2)), saved);
}

TEST_F(ActModelFileTest, MissingKeysTakeTheTableDefaultsAndTheStampStaysInPlace)
{
    struct Case { const char *name; QByteArray content; };
    const Case cases[] = {
        {"no file", QByteArray()},
        {"not an INI file", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)},
        {"other sections only", "[CONFIG]\r\nACTE_1=CS\r\nTOP=5\r\n"},
        {"sections without their keys", "[ACTES]\r\n[COCHES]\r\n[NOTE]\r\nTOP=haut\r\n"},
    };
    ActModel defaults;
    defaults.COCHE_MALADIE = QStringLiteral("X");
    defaults.COCHE_ACCES = QStringLiteral("X");
    defaults.stampText = QStringLiteral("DUPLICATA");
    defaults.stampLeft = 300;
    defaults.stampTop = 40;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = path(QStringLiteral("MODELE.TXT"));
        QFile::remove(file);
        if (!c.content.isNull())
            writeBytes(file, c.content);
        expectSameModel(readActModel(file, QPoint(300, 40)), defaults);
    }
}

TEST_F(ActModelFileTest, AnOlderFileKeepsWhatItHoldsAndGainsTheMissingKeysInTheirSections)
{
    const QString file = path(QStringLiteral("CS.TXT"));
    writeBytes(file, "; mon modele\r\n[ACTES]\r\nacte_1=C\r\nAUTEUR=dr\r\n\r\n[NOTE]\r\nTEXTE=\"COPIE\"\r\n"
                     "ANGLE=45\r\n");
    // A key missing from the older file takes its default on reading.
    const ActModel older = readActModel(file, QPoint(10, 20));
    EXPECT_EQ(older.ACTE_1, QStringLiteral("C"));
    EXPECT_EQ(older.stampText, QStringLiteral("COPIE"));
    EXPECT_EQ(older.COCHE_MALADIE, QStringLiteral("X"));
    EXPECT_EQ(older.stampTop, 20);

    ActModel model;
    model.ACTE_1 = QStringLiteral("CS");
    model.stampText = QStringLiteral("DUPLICATA");
    writeActModel(file, model);
    const QByteArray written = bytesOf(file);
    // Its own keys keep their place and spelling; the others stay.
    EXPECT_TRUE(written.startsWith("; mon modele\r\n[ACTES]\r\nacte_1=CS\r\nAUTEUR=dr\r\nACTE_2=\r\n"
                                   "ACTE_3=\r\nACTE_4=\r\nCCAM_1=\r\nCCAM_2=\r\n\r\n[NOTE]\r\n"))
        << written.constData();
    EXPECT_TRUE(written.contains("\r\n\r\n[NOTE]\r\nTEXTE=DUPLICATA\r\nANGLE=45\r\nVISIBLE=0\r\nTOP=0\r\nLEFT=0\r\n"
                                 "[TARIFS]\r\n"))
        << written.constData();
}

TEST_F(ActModelFileTest, AWindowsFileWithAccentsIsReadAndWrittenBackByteForByte)
{
    const QByteArray windows =
        "[ACTES]\r\nACTE_1=C\r\nACTE_2=\r\nACTE_3=\r\nACTE_4=\r\nCCAM_1=JNQM001\r\nCCAM_2=\r\n"
        "[TARIFS]\r\nTARIF_1=23\r\nTARIF_2=\r\nTARIF_3=\r\nTARIF_4=\r\nTOTAL=23,00\r\n"
        "[COCHES]\r\nCOCHE_MALADIE=X\r\nCOCHE_MATERNITE=\r\nCOCHE_ACCES=\r\nCOCHE_NP_COMP=X\r\n"
        "COCHE_NP_OBLIGAT=\r\nCOCHE_ALD_0=X\r\nCOCHE_ALD_1=\r\n"
        "[NOTE]\r\nVISIBLE=1\r\nTEXTE=R\xE9gl\xE9 \x80 l'acte\r\nTOP=100\r\nLEFT=250\r\n";
    const QString file = path(QStringLiteral("ECHO.TXT"));
    writeBytes(file, windows);
    const ActModel model = readActModel(file, QPoint());
    EXPECT_EQ(model.stampText, QStringLiteral("Réglé € l'acte"));
    writeActModel(file, model);
    EXPECT_EQ(bytesOf(file), windows);

    // A file saved with a byte-order mark keeps it.
    const QByteArray utf8 = "\xEF\xBB\xBF[NOTE]\r\nTEXTE=\xC3\x89" "CHO\r\n";
    writeBytes(file, utf8);
    writeActModel(file, readActModel(file, QPoint()));
    EXPECT_TRUE(bytesOf(file).startsWith("\xEF\xBB\xBF[NOTE]\r\nTEXTE=\xC3\x89" "CHO\r\n"));
}

TEST_F(ActModelFileTest, AFailedSaveReportsThePathAndLeavesTheFileAsItWas)
{
    // A folder where the file should be, and a folder that is not there.
    const QString folder = path(QStringLiteral("CS.TXT"));
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_EQ(errorMessageOf([&] { writeActModel(folder, echography()); }),
              QStringLiteral("Impossible d'écrire dans %1").arg(folder));
    EXPECT_TRUE(QFileInfo(folder).isDir());

    const QString nowhere = path(QStringLiteral("absent/ECHO.TXT"));
    EXPECT_EQ(errorMessageOf([&] { writeActModel(nowhere, echography()); }),
              QStringLiteral("Impossible d'écrire dans %1").arg(nowhere));
    EXPECT_FALSE(QFileInfo::exists(nowhere));
}

TEST_F(ActModelFileTest, TheRegistryFindsAnActWithoutRegardToCase)
{
    registerActModel(QStringLiteral("ECHO"), QStringLiteral("c:\\m\\ECHO.TXT"));
    EXPECT_EQ(INI_ReadString(QStringLiteral("ACTES"), QStringLiteral("ECHO"), QString()),
              QStringLiteral("c:\\m\\ECHO.TXT"));
    EXPECT_EQ(registeredActModel(QStringLiteral("echo")), QStringLiteral("c:\\m\\ECHO.TXT"));
    EXPECT_EQ(registeredActModel(QStringLiteral("CS")), QString());

    const QString model = path(QStringLiteral("ECHO.TXT"));
    writeBytes(model, "[ACTES]\r\n");
    struct Case { QString registered; ShortcutTarget target; };
    const Case cases[] = {
        {QString(), ShortcutTarget::Unregistered},
        {model, ShortcutTarget::Ready},
        {path(QStringLiteral("GONE.TXT")), ShortcutTarget::FileMissing},
        {dir.path(), ShortcutTarget::FileMissing},
    };
    for (const Case &c : cases)
        EXPECT_EQ(shortcutTarget(c.registered), c.target) << c.registered.toStdString();
}

TEST(ActModelNames, ActNamesFoldersAndCaptions)
{
    const PathStyle win = PathStyle::Windows;
    struct Name { const char *file; const char *act; const char *folder; };
    const Name names[] = {
        {"c:\\fs\\feuille_de_soin_medecin\\ECHO.TXT", "ECHO", "c:\\fs\\feuille_de_soin_medecin\\"},
        {"c:\\m\\A.B.TXT", "A.B", "c:\\m\\"},
        {"c:\\m.d\\frottis", "frottis", "c:\\m.d\\"},
        {"c:\\m\\echo.ini", "echo", "c:\\m\\"},
    };
    for (const Name &n : names) {
        const QString file = QString::fromLatin1(n.file);
        EXPECT_EQ(actNameOfModelFile(file, win), QString::fromLatin1(n.act)) << n.file;
        EXPECT_EQ(modelsFolderOfChosenFile(file, win), QString::fromLatin1(n.folder)) << n.file;
    }
    EXPECT_EQ(actNameOfModelFile(QStringLiteral("/home/cab/modeles/ECHO.T1.TXT"), PathStyle::Posix),
              QStringLiteral("ECHO.T1"));

    EXPECT_EQ(fallbackModelsFolder(QStringLiteral("c:\\fs\\feuille_de_soin_medecin.jpg"), win),
              QStringLiteral("c:\\fs\\feuille_de_soin_medecin"));
    EXPECT_EQ(fallbackModelsFolder(QStringLiteral("c:\\f.s\\image"), win), QStringLiteral("c:\\f.s\\image"));

    // The same file gives different captions through the dialog and through a shortcut.
    const QString echo = QStringLiteral("ECHO");
    EXPECT_EQ(openedModelCaption(QStringLiteral("c:\\fs\\feuille_de_soin_medecin\\"), echo, win),
              QStringLiteral("FEUILLE_DE_SOIN_MEDECIN@ECHO"));
    EXPECT_EQ(openedModelCaption(QStringLiteral("c:\\m\\"), echo, win), QStringLiteral("M@ECHO"));
    EXPECT_EQ(shortcutCaption(QStringLiteral("c:\\fs\\feuille_de_soin_medecin\\echo.txt"), echo, win),
              QStringLiteral("ECHO.TXT@ECHO"));
    EXPECT_EQ(shortcutCaption(QStringLiteral("/m/écho.txt"), QStringLiteral("écho"), PathStyle::Posix),
              QStringLiteral("ÉCHO.TXT@écho"));
}

} // namespace
