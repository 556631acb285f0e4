// Text files: Windows-1252 and the marked encodings, atomic writing and its
// failures, line files.

#include "HostTools.h"
#include "SupportFixture.h"

#include "support/CodePage.h"
#include "support/TextFile.h"
#include "support/DataFolder.h"
#include "support/SettingsStore.h"

#include <QFileInfo>

using TextFiles = SupportTest;

namespace {

QByteArray windows1252Bytes()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    return all;
}

// Bytes of no text encoding, the same at every run.
QByteArray binaryBytes()
{
    QByteArray bytes("\x89PNG\r\n\x1A\n\0\0\0\x0D", 12);
    quint32 x = 20261209;
    for (int i = 0; i < 4096; ++i) {
        x = x * 1103515245u + 12345u;
        bytes.append(char(x >> 16));
    }
    return bytes;
}

} // namespace

TEST(CodePage, Windows1252DiffersFromLatin1OnlyIn0x80To0x9FAndKeepsEveryByte)
{
    const QString text = decodeWindows1252(windows1252Bytes());
    EXPECT_EQ(text.at(0x80), QChar(0x20AC));   // €
    EXPECT_EQ(text.at(0x8C), QChar(0x0152));   // Œ
    EXPECT_EQ(text.at(0x9C), QChar(0x0153));   // œ
    EXPECT_EQ(text.at(0x92), QChar(0x2019));   // ’
    EXPECT_EQ(text.at(0x81), QChar(0x0081));   // undefined: the control of the same value
    EXPECT_EQ(text.at(0xE9), QChar(0x00E9));   // é
    EXPECT_EQ(text.at(0xA0), QChar(0x00A0));
    bool ok = false;
    EXPECT_EQ(encodeWindows1252(text, &ok), windows1252Bytes());
    EXPECT_TRUE(ok);

    EXPECT_TRUE(canEncodeWindows1252(QStringLiteral("Œuvre é € ’")));
    EXPECT_FALSE(canEncodeWindows1252(QStringLiteral("Œuvre ✓")));
    EXPECT_EQ(encodeWindows1252(QStringLiteral("a✓"), &ok), QByteArray("a?"));
    EXPECT_FALSE(ok);
}

TEST_F(TextFiles, ANewFileIsWrittenInWindows1252)
{
    writeSetting(QStringLiteral("Cabinet"), QStringLiteral("Ville"), QStringLiteral("Évry € Œuvre"));
    EXPECT_EQ(fileBytes(programSettingsFile()), QByteArray("[Cabinet]\r\nVille=\xC9vry \x80 \x8C" "uvre\r\n"));
    EXPECT_EQ(readSetting(QStringLiteral("Cabinet"), QStringLiteral("Ville"), QString()),
              QStringLiteral("Évry € Œuvre"));
}

TEST_F(TextFiles, MarkedAndUnmarkedUnicodeFilesAreWrittenBackInTheirEncoding)
{
    const QString before = QStringLiteral("[S]\r\nA=été ✓\r\n");
    const QString after = QStringLiteral("[S]\r\nA=été ✓\r\nB=€\r\n");
    const struct
    {
        const char *name;
        std::function<QByteArray(const QString &)> encode;
    } cases[] = {
        {"UTF-8 with mark", [](const QString &t) -> QByteArray { return kUtf8Mark + t.toUtf8(); }},
        {"UTF-16 LE with mark", [](const QString &t) -> QByteArray { return kUtf16LEMark + utf16LE(t); }},
        {"UTF-16 LE without mark", [](const QString &t) { return utf16LE(t); }},
        {"UTF-16 BE with mark", [](const QString &t) -> QByteArray {
             QStringEncoder encoder(QStringConverter::Utf16BE, QStringConverter::Flag::Stateless);
             return QByteArray("\xFE\xFF", 2) + QByteArray(encoder.encode(t));
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = path(QStringLiteral("unicode.ini"));
        putBytes(file, c.encode(before));
        EXPECT_EQ(readSetting(QStringLiteral("S"), QStringLiteral("A"), QString(), file), QStringLiteral("été ✓"));
        writeSetting(QStringLiteral("S"), QStringLiteral("B"), QStringLiteral("€"), file);
        EXPECT_EQ(fileBytes(file), c.encode(after));
    }
}

TEST_F(TextFiles, TextThatWindows1252CannotHoldSwitchesTheFileToUtf8WithAMark)
{
    putBytes(programSettingsFile(), "[S]\r\nA=\xE9t\xE9\r\n");
    writeSetting(QStringLiteral("S"), QStringLiteral("B"), QStringLiteral("Œuvre"));
    EXPECT_EQ(fileBytes(programSettingsFile()), QByteArray("[S]\r\nA=\xE9t\xE9\r\nB=\x8C" "uvre\r\n"));

    writeSetting(QStringLiteral("S"), QStringLiteral("B"), QStringLiteral("Œuvre ✓"));
    EXPECT_EQ(fileBytes(programSettingsFile()), kUtf8Mark + QStringLiteral("[S]\r\nA=été\r\nB=Œuvre ✓\r\n").toUtf8());
    // From then on the file stays in UTF-8.
    writeSetting(QStringLiteral("S"), QStringLiteral("B"), QStringLiteral("simple"));
    EXPECT_EQ(fileBytes(programSettingsFile()), kUtf8Mark + QStringLiteral("[S]\r\nA=été\r\nB=simple\r\n").toUtf8());
    EXPECT_EQ(readSetting(QStringLiteral("S"), QStringLiteral("A"), QString()), QStringLiteral("été"));
}

TEST_F(TextFiles, BinaryAndTruncatedFilesGiveDefaultsAndKeepTheirBytes)
{
    const struct
    {
        const char *name;
        QByteArray bytes;
    } cases[] = {
        {"binary", binaryBytes()},
        {"every byte", windows1252Bytes()},
        {"cut in a header", QByteArray("[S]\r\nA=1\r\n[Tira")},
        {"cut in a value", QByteArray("[Tiravon]\r\nForm1=55:0:8")},
        {"UTF-8 cut inside a character", kUtf8Mark + QByteArray("[S]\r\nA=caf\xC3")},
        {"UTF-8 with a stray Windows-1252 byte", kUtf8Mark + QByteArray("[S]\r\nA=caf\xE9\r\nB=\xC3\xA9t\xC3\xA9")},
        {"UTF-8 with bytes of no character", kUtf8Mark + QByteArray("[S]\r\nA=\xED\xA0\x80 \xC0\xAF \xF8\x88\x80\x80\x80 \xFF\r\n")},
        {"UTF-8 with a second mark", kUtf8Mark + kUtf8Mark + QByteArray("[S]\r\nA=\xEF\xBB\xBF\r\n")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = path(QStringLiteral("abime.ini"));
        putBytes(file, c.bytes);
        EXPECT_EQ(readSetting(QStringLiteral("Nouveau"), QStringLiteral("K"), QStringLiteral("d"), file),
                  QStringLiteral("d"));
        EXPECT_EQ(readIntegerSetting(QStringLiteral("Tiravon"), QStringLiteral("Absent"), 7, file), 7);

        writeSetting(QStringLiteral("Nouveau"), QStringLiteral("K"), QStringLiteral("v"), file);
        const QByteArray ending = c.bytes.endsWith('\n') || c.bytes.endsWith('\r') ? "" : "\r\n";
        EXPECT_EQ(fileBytes(file), c.bytes + ending + "[Nouveau]\r\nK=v\r\n");
        EXPECT_EQ(readSetting(QStringLiteral("Nouveau"), QStringLiteral("K"), QString(), file), QStringLiteral("v"));
        QFile::remove(file);
    }
}

TEST_F(TextFiles, UnicodeCutInsideACharacterKeepsEverythingBeforeTheCut)
{
    // UTF-16 cannot keep half a code unit in its place; what comes before it
    // stays as it was and the file remains readable.
    const QByteArray cut = kUtf16LEMark + utf16LE(QStringLiteral("[S]\r\nA=1\r\nB=caf")) + QByteArray("\xE9");
    const QString file = path(QStringLiteral("coupe.ini"));
    putBytes(file, cut);
    writeSetting(QStringLiteral("S"), QStringLiteral("C"), QStringLiteral("3"), file);
    EXPECT_TRUE(fileBytes(file).startsWith(cut.chopped(1)));
    EXPECT_EQ(readSetting(QStringLiteral("S"), QStringLiteral("A"), QString(), file), QStringLiteral("1"));
    EXPECT_EQ(readSetting(QStringLiteral("S"), QStringLiteral("C"), QString(), file), QStringLiteral("3"));
}

TEST_F(TextFiles, AFailedWriteRaisesAndLeavesTheOldFileIntact)
{
    const QByteArray before("[S]\r\nA=1\r\n");
    const QString readOnly = path(QStringLiteral("Tiravon.INI"));
    putBytes(readOnly, before);
    // No write permission for anyone, like the read-only attribute of
    // Windows; it holds even for the administrator.
    ASSERT_TRUE(QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup | QFile::ReadOther));
    const QString missingFolder = path(QStringLiteral("absent/Tiravon.INI"));
    const QString aFolder = path(QStringLiteral("dossier"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("dossier")));

    for (const QString &target : {readOnly, missingFolder, aFolder}) {
        SCOPED_TRACE(target.toStdString());
        const QString expected = QStringLiteral("Impossible d'écrire dans ") + target;
        EXPECT_EQ(errorMessageOf([&] { writeSetting(QStringLiteral("S"), QStringLiteral("A"), QStringLiteral("2"), target); }),
                  expected);
        EXPECT_EQ(errorMessageOf([&] { writeLineFile(target, {QStringLiteral("a")}); }), expected);
        EXPECT_EQ(errorMessageOf([&] { writeFileAtomically(target, "x"); }), expected);
    }
    EXPECT_EQ(fileBytes(readOnly), before);
    // No temporary file is left behind, and no folder is created.
    EXPECT_EQ(folderEntries(), QStringList({QStringLiteral("Tiravon.INI"), QStringLiteral("dossier")}));
    EXPECT_TRUE(QDir(aFolder).isEmpty());
    // Reading is still possible.
    EXPECT_EQ(readSetting(QStringLiteral("S"), QStringLiteral("A"), QString()), QStringLiteral("1"));
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::WriteOwner);
}

TEST_F(TextFiles, AReadOnlyFolderRaisesTheSameError)
{
    const QString folder = path(QStringLiteral("protege"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("protege")));
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    // The administrator, and Windows programs under Wine, write in spite of
    // the permissions: the folder is then a file system mounted read-only.
    bool mounted = false;
    {
        QFile probe(folder + QStringLiteral("/essai"));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QString why;
            if (!mountSmallDisk(folder, QStringLiteral("ro,size=64k"), &why))
                GTEST_SKIP() << "the folder's permissions do not bind this user, and " << why.toStdString();
            mounted = true;
        }
    }
    const QString target = QDir::toNativeSeparators(folder + QStringLiteral("/Tiravon.INI"));
    EXPECT_EQ(errorMessageOf([&] { writeSetting(QStringLiteral("S"), QStringLiteral("A"), QStringLiteral("2"), target); }),
              QStringLiteral("Impossible d'écrire dans ") + target);
    if (mounted)
        unmountSmallDisk(folder);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(QDir(folder).isEmpty());
}

TEST_F(TextFiles, ReplacingAFileKeepsItsPermissions)
{
    const QFile::Permissions modeBits = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
        | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    const QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner;
    putBytes(programSettingsFile(), "[S]\r\nA=1\r\n");
    ASSERT_TRUE(QFile::setPermissions(programSettingsFile(), ownerOnly));
    // Windows has no mode bits: what it reports of a writable file stays the
    // same too.
    const QFile::Permissions before = QFileInfo(programSettingsFile()).permissions() & modeBits;
#ifndef Q_OS_WIN
    ASSERT_EQ(before, ownerOnly);
#endif
    writeSetting(QStringLiteral("S"), QStringLiteral("A"), QStringLiteral("2"));
    EXPECT_EQ(fileBytes(programSettingsFile()), QByteArray("[S]\r\nA=2\r\n"));
    EXPECT_EQ(QFileInfo(programSettingsFile()).permissions() & modeBits, before);
}

TEST(LineFiles, LinesAreSplitAtCrLfCrOrLf)
{
    const struct
    {
        const char *text;
        QStringList lines;
    } cases[] = {
        {"", {}},
        {"a", {QStringLiteral("a")}},
        {"a\r\n", {QStringLiteral("a")}},
        {"a\r\nb", {QStringLiteral("a"), QStringLiteral("b")}},
        {"a\rb\nc\r\nd\r\n", {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")}},
        {"a\r\n\r\nb\r\n", {QStringLiteral("a"), QStringLiteral(""), QStringLiteral("b")}},
        {"\r\n", {QStringLiteral("")}},
        {"\n\r", {QStringLiteral(""), QStringLiteral("")}},
        {"a\r\r\n", {QStringLiteral("a"), QStringLiteral("")}},
        {" a \r\n", {QStringLiteral(" a ")}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(splitLines(QString::fromUtf8(c.text)), c.lines);
    }
}

TEST_F(TextFiles, LineFilesEndEveryLineWithCrLfAndKeepTheirEncoding)
{
    const QString villes = path(QStringLiteral("VILLES.TXT"));
    bool exists = true;
    EXPECT_TRUE(readLineFile(villes, &exists).isEmpty());
    EXPECT_FALSE(exists);

    const QStringList lines{QStringLiteral("75011 PARIS"), QString(), QStringLiteral("91000 Évry")};
    writeLineFile(villes, lines);
    EXPECT_EQ(fileBytes(villes), QByteArray("75011 PARIS\r\n\r\n91000 \xC9vry\r\n"));
    EXPECT_EQ(readLineFile(villes, &exists), lines);
    EXPECT_TRUE(exists);

    writeLineFile(villes, {});
    EXPECT_TRUE(QFile::exists(villes));
    EXPECT_EQ(fileBytes(villes), QByteArray());

    putBytes(villes, kUtf8Mark + QByteArray("ancien\n"));
    writeLineFile(villes, {QStringLiteral("Évry"), QStringLiteral("b")});
    EXPECT_EQ(fileBytes(villes), kUtf8Mark + QStringLiteral("Évry\r\nb\r\n").toUtf8());
}
