// Every file the program writes, on a disk with no room left: the old file
// stays byte for byte and the write says so in French. The disk is a small
// memory file system mounted for the test, which needs the administrator.

#include "HostTools.h"
#include "SupportFixture.h"

#include "acts/ActModel.h"
#include "print/JpegCodec.h"
#include "support/IniFile.h"
#include "support/TextFile.h"
#include "support/SettingsStore.h"

#include <QFileInfo>


namespace {

class FullDisk : public SupportTest
{
protected:
    QString disk;
    bool mounted = false;

    void SetUp() override
    {
        SupportTest::SetUp();
        disk = dir.filePath(QStringLiteral("disque"));
        ASSERT_TRUE(QDir().mkpath(disk));
        QString why;
        if (!mountSmallDisk(disk, QStringLiteral("size=256k"), &why))
            GTEST_SKIP() << why.toStdString();
        mounted = true;
#ifdef Q_OS_WIN
        fake.programFilePath = QDir::toNativeSeparators(onDisk(QStringLiteral("Tiravon.exe")));
#else
        fake.programFilePath = onDisk(QStringLiteral("Tiravon"));
#endif
    }

    void TearDown() override
    {
        if (mounted)
            unmountSmallDisk(disk);
        SupportTest::TearDown();
    }

    // A file of the disk, as the program names it in its messages.
    QString onDisk(const QString &name) const { return QDir::toNativeSeparators(disk + QLatin1Char('/') + name); }

    // Takes every byte left on the disk.
    void fill()
    {
        QFile filler(onDisk(QStringLiteral("remplissage")));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {
        }
        while (filler.write("x", 1) == 1) {
        }
    }

    void emptyAgain() { QFile::remove(onDisk(QStringLiteral("remplissage"))); }

    QStringList diskEntries() const
    {
        QStringList names = QDir(disk).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        names.sort();
        return names;
    }
};

TEST_F(FullDisk, AWriteThatFindsNoRoomLeavesTheOldFileAndSaysSo)
{
    const QString settings = onDisk(QStringLiteral("Tiravon.INI"));
    const QString layout = onDisk(QStringLiteral("feuille@user1.INI"));
    const QString towns = onDisk(QStringLiteral("VILLES.TXT"));
    const QString model = onDisk(QStringLiteral("CS.TXT"));
    const QString picture = onDisk(QStringLiteral("feuille.jpg"));
    const QString notes = onDisk(QStringLiteral("_NOTES.TXT"));
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    ActModel act;
    act.ACTE_1 = QStringLiteral("Consultation");
    act.TARIF_1 = QStringLiteral("30,00");

    const struct
    {
        const char *writer;
        QString file;
        std::function<void()> write;
    } cases[] = {
        {"a setting", settings,
         [] { writeSetting(QStringLiteral("OPTIONS"), QStringLiteral("VERROU"), QStringLiteral("1")); }},
        {"a saving of both INI files", settings,
         [&] {
             IniSession session;
             writeSetting(QStringLiteral("OPTIONS"), QStringLiteral("X"), QStringLiteral("12"));
             writeSetting(QStringLiteral("NOM"), QStringLiteral("LEFT"), QStringLiteral("40"), layout);
             session.writeFiles();
         }},
        {"the form layout", layout,
         [&] { writeSetting(QStringLiteral("NOM"), QStringLiteral("TOP"), QStringLiteral("80"), layout); }},
        {"a pick list", towns, [&] { writeLineFile(towns, {QStringLiteral("75011 PARIS"), QStringLiteral("59000 LILLE")}); }},
        {"an act model", model, [&] { writeActModel(model, act); }},
        {"the form image", picture, [&] { saveJpegFile(picture, image); }},
        {"the notes", notes, [&] { writeTextFile(notes, QStringLiteral("à rappeler"), TextEncoding::Windows1252); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.writer);
        // The files as a first saving leaves them, while there is room.
        putBytes(settings, "[OPTIONS]\r\nVERROU=0\r\nX=3\r\n");
        putBytes(layout, "[NOM]\r\nLEFT=10\r\nTOP=20\r\n");
        putBytes(towns, "75011 PARIS\r\n");
        writeActModel(model, ActModel());
        saveJpegFile(picture, QImage(8, 8, QImage::Format_Grayscale8));
        putBytes(notes, "ancien\r\n");
        const QByteArray before = fileBytes(c.file);
        ASSERT_FALSE(before.isEmpty());

        fill();
        const QStringList entries = diskEntries();
        EXPECT_EQ(errorMessageOf(c.write), QStringLiteral("Impossible d'écrire dans ") + c.file);
        EXPECT_EQ(fileBytes(c.file), before);
        EXPECT_EQ(fileBytes(settings), QByteArray("[OPTIONS]\r\nVERROU=0\r\nX=3\r\n"));
        // No temporary file is left taking the room.
        EXPECT_EQ(diskEntries(), entries);

        // With room again the same write goes through.
        emptyAgain();
        EXPECT_EQ(errorMessageOf(c.write), QString());
        EXPECT_NE(fileBytes(c.file), before);
    }

    // Room for the first part of a long list only: the write stops short.
    putBytes(towns, "75011 PARIS\r\n");
    fill();
    ASSERT_TRUE(QFile::resize(onDisk(QStringLiteral("remplissage")),
                              QFileInfo(onDisk(QStringLiteral("remplissage"))).size() - 8192));
    QStringList many;
    for (int i = 0; i < 3000; ++i)
        many << QStringLiteral("%1 VILLE").arg(10000 + i);
    EXPECT_EQ(errorMessageOf([&] { writeLineFile(towns, many); }), QStringLiteral("Impossible d'écrire dans ") + towns);
    EXPECT_EQ(fileBytes(towns), QByteArray("75011 PARIS\r\n"));
}

} // namespace
