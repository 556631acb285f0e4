// Act model files and the naming rules of the act dialogs and shortcuts.
#include "SupportFixture.h"

#include "acts/ActModel.h"

#include <gtest/gtest.h>

namespace {

using ActModelFileTest = SupportTest;

// One value per key, in the file's order.
QStringList valuesOf(const ActModel &m)
{
    QStringList values;
    for (const ActModelKey &k : actModelKeys())
        values << (k.text ? m.*k.text : k.flag ? QString::number(m.*k.flag) : QString::number(m.*k.number));
    return values;
}

TEST_F(ActModelFileTest, ANewFileIsWrittenInTheOrderOfItsKeysAndReadsBackTheSame)
{
    ActModel m;
    m.ACTE_1 = QStringLiteral("CS");
    m.MONTANT_TOTAL = QStringLiteral("99,99");
    m.COCHE_MATERNITE = QStringLiteral("X");
    m.stampVisible = true;
    m.stampText = QStringLiteral("Reçu à régler");
    m.stampTop = 412;
    m.stampLeft = -7;
    const QString file = path(QStringLiteral("ECHO.TXT"));
    writeActModel(file, m);
    // Windows-1252 and CR LF, as the program writes it on Windows.
    EXPECT_EQ(fileBytes(file),
              QByteArray("[ACTES]\r\nACTE_1=CS\r\nACTE_2=\r\nACTE_3=\r\nACTE_4=\r\nCCAM_1=\r\nCCAM_2=\r\n"
                         "[TARIFS]\r\nTARIF_1=\r\nTARIF_2=\r\nTARIF_3=\r\nTARIF_4=\r\nTOTAL=99,99\r\n"
                         "[COCHES]\r\nCOCHE_MALADIE=\r\nCOCHE_MATERNITE=X\r\nCOCHE_ACCES=\r\nCOCHE_NP_COMP=\r\n"
                         "COCHE_NP_OBLIGAT=\r\nCOCHE_ALD_0=\r\nCOCHE_ALD_1=\r\n"
                         "[NOTE]\r\nVISIBLE=1\r\nTEXTE=Re\xE7u \xE0 r\xE9gler\r\nTOP=412\r\nLEFT=-7\r\n"));
    EXPECT_EQ(valuesOf(readActModel(file, QPoint(1, 2))), valuesOf(m));
}

TEST_F(ActModelFileTest, WhatAFileLacksTakesTheDefaultsAndTheStampStaysInPlace)
{
    const QByteArray contents[] = {
        QByteArray(),                                       // no file
        QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16),    // not an INI file
        "[CONFIG]\r\nACTE_1=CS\r\n[NOTE]\r\nTOP=haut\r\n",  // other sections, a bad number
    };
    ActModel defaults;
    defaults.COCHE_MALADIE = defaults.COCHE_ACCES = QStringLiteral("X");
    defaults.stampText = QStringLiteral("DUPLICATA");
    defaults.stampLeft = 300;
    defaults.stampTop = 40;
    const QString file = path(QStringLiteral("MODELE.TXT"));
    for (const QByteArray &content : contents) {
        QFile::remove(file);
        if (!content.isNull())
            putBytes(file, content);
        EXPECT_EQ(valuesOf(readActModel(file, QPoint(300, 40))), valuesOf(defaults)) << content.constData();
    }
}

TEST_F(ActModelFileTest, SavingOverAFileKeepsItsOtherKeysAndItsBytesOrFailsWhole)
{
    const QString file = path(QStringLiteral("CS.TXT"));
    putBytes(file, "; mon modele\r\n[ACTES]\r\nacte_1=C\r\nAUTEUR=dr\r\n\r\n[NOTE]\r\nANGLE=45\r\n");
    writeActModel(file, ActModel());
    const QByteArray written = fileBytes(file);
    EXPECT_TRUE(written.startsWith("; mon modele\r\n[ACTES]\r\nacte_1=\r\nAUTEUR=dr\r\nACTE_2=\r\n")) << written.data();
    EXPECT_TRUE(written.contains("\r\n\r\n[NOTE]\r\nANGLE=45\r\nVISIBLE=0\r\nTEXTE=\r\n")) << written.data();

    // Accented text of a file made on Windows goes back byte for byte.
    const QByteArray windows = QByteArray(written).replace("TEXTE=\r\n", "TEXTE=R\xE9gl\xE9 \x80 l'acte\r\n");
    putBytes(file, windows);
    const ActModel read = readActModel(file, QPoint());
    EXPECT_EQ(read.stampText, QStringLiteral("Réglé € l'acte"));
    writeActModel(file, read);
    EXPECT_EQ(fileBytes(file), windows);

    const QString folder = path(QStringLiteral("DIR.TXT"));
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_EQ(errorMessageOf([&] { writeActModel(folder, read); }), QStringLiteral("Impossible d'écrire dans %1").arg(folder));
}

TEST(ActModelNames, ActNamesFoldersCaptionsAndShortcutTargets)
{
    const PathStyle win = PathStyle::Windows;
    struct Name { const char *file, *act, *folder, *shortcutCaption; };
    const Name names[] = {
        {"c:\\fs\\feuille_de_soin_medecin\\echo.txt", "echo", "c:\\fs\\feuille_de_soin_medecin\\", "ECHO.TXT@echo"},
        {"c:\\m.d\\A.B.TXT", "A.B", "c:\\m.d\\", "A.B.TXT@A.B"},
    };
    for (const Name &n : names) {
        const QString file = QString::fromLatin1(n.file);
        EXPECT_EQ(actNameOfModelFile(file, win), QString::fromLatin1(n.act)) << n.file;
        EXPECT_EQ(modelsFolderOfChosenFile(file, win), QString::fromLatin1(n.folder)) << n.file;
        EXPECT_EQ(shortcutCaption(file, QString::fromLatin1(n.act), win), QString::fromLatin1(n.shortcutCaption));
    }
    EXPECT_EQ(openedModelCaption(QStringLiteral("c:\\fs\\feuille_de_soin_medecin\\"), QStringLiteral("ECHO"), win),
              QStringLiteral("FEUILLE_DE_SOIN_MEDECIN@ECHO"));
    EXPECT_EQ(fallbackModelsFolder(QStringLiteral("c:\\f.s\\feuille.jpg"), win), QStringLiteral("c:\\f.s\\feuille"));
    EXPECT_EQ(shortcutTarget(QString()), ShortcutTarget::Unregistered);
    EXPECT_EQ(shortcutTarget(QStringLiteral(TIRAVON_TEST_DATA "/jpeg/gray.jpg")), ShortcutTarget::Ready);
    EXPECT_EQ(shortcutTarget(QStringLiteral(TIRAVON_TEST_DATA "/jpeg/gone.txt")), ShortcutTarget::FileMissing);
    EXPECT_EQ(shortcutTarget(QStringLiteral(TIRAVON_TEST_DATA "/jpeg")), ShortcutTarget::FileMissing);
}

// An act name from a settings file edited by hand never makes the save
// dialog propose a file outside the models folder.
TEST(ActModelNames, TheProposedFileNameIsOnlyAFileName)
{
    const PathStyle win = PathStyle::Windows, posix = PathStyle::Posix;
    const struct { const char *act; PathStyle style; const char *proposed; } cases[] = {
        {"CS", posix, "CS.TXT"},
        {"ECHO PELV.", posix, "ECHO PELV..TXT"},
        {"A..B", posix, "A..B.TXT"},
        {"../../EVIL", posix, "EVIL.TXT"},
        {"..\\..\\EVIL", posix, "EVIL.TXT"},
        {"/etc/passwd", posix, "passwd.TXT"},
        {"CS:2", posix, "CS:2.TXT"},
        {"C:EVIL", win, "EVIL.TXT"},
        {"C:\\Windows\\EVIL", win, "EVIL.TXT"},
        {"..", posix, ""},
        {"../..", win, ""},
        {"dossier/", posix, ""},
        {".", posix, ""},
        {"", posix, ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(proposedActModelFileName(QString::fromUtf8(c.act), c.style), QString::fromUtf8(c.proposed)) << c.act;
    EXPECT_EQ(saveActModelRequest(QStringLiteral("/m/"), QStringLiteral("../ECHO")).fileName, QStringLiteral("ECHO.TXT"));
}

} // namespace
