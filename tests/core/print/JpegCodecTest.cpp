// The JPEG codec: pictures survive a round trip with their density, the
// colour models of real files decode to the right colours, and every kind of
// bad file ends in a French error instead of ending the program.
#include "print/JpegCodec.h"
#include "support/TiravonError.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>

namespace {

QString dataFile(const char *name)
{
    return QStringLiteral(TIRAVON_TEST_DATA "/jpeg/") + QLatin1String(name);
}

int dotsPerInch(int dotsPerMeter)
{
    return qRound(dotsPerMeter * 0.0254);
}

// Within `tolerance` on each channel (JPEG is lossy).
::testing::AssertionResult near(QRgb actual, QRgb expected, int tolerance = 12)
{
    if (qAbs(qRed(actual) - qRed(expected)) <= tolerance
        && qAbs(qGreen(actual) - qGreen(expected)) <= tolerance
        && qAbs(qBlue(actual) - qBlue(expected)) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << QColor(actual).name().toStdString() << " instead of "
           << QColor(expected).name().toStdString();
}

// Four flat quarters, big enough for the 8x8 blocks to keep them clean.
QImage quarters()
{
    QImage image(64, 48, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, 32, 24, QColor(200, 30, 30));
    painter.fillRect(32, 0, 32, 24, QColor(30, 160, 60));
    painter.fillRect(0, 24, 32, 24, QColor(40, 70, 210));
    painter.fillRect(32, 24, 32, 24, QColor(250, 240, 200));
    return image;
}

// A picture whose scan data is large, so that half the file ends inside it.
QByteArray noisyJpeg()
{
    QImage image(240, 180, QImage::Format_RGB32);
    QRandomGenerator random(42);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, random.generate() | 0xff000000u);
    return encodeJpeg(image);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// Runs `action`, which must raise TiravonError; returns its message.
template <typename Action>
QString errorOf(Action action)
{
    try {
        action();
    } catch (const TiravonError &error) {
        return error.message();
    }
    ADD_FAILURE() << "no TiravonError raised";
    return QString();
}

} // namespace

TEST(JpegCodec, RoundTripKeepsSizeColoursAndDensity)
{
    for (int dpi : {96, 150, 300}) {
        SCOPED_TRACE(dpi);
        const QImage decoded = decodeJpeg(encodeJpeg(quarters(), 90, dpi));
        ASSERT_EQ(decoded.size(), QSize(64, 48));
        EXPECT_EQ(dotsPerInch(decoded.dotsPerMeterX()), dpi);
        EXPECT_EQ(dotsPerInch(decoded.dotsPerMeterY()), dpi);
        EXPECT_TRUE(near(decoded.pixel(16, 12), qRgb(200, 30, 30)));
        EXPECT_TRUE(near(decoded.pixel(48, 12), qRgb(30, 160, 60)));
        EXPECT_TRUE(near(decoded.pixel(16, 36), qRgb(40, 70, 210)));
        EXPECT_TRUE(near(decoded.pixel(48, 36), qRgb(250, 240, 200)));
    }
}

TEST(JpegCodec, GrayscaleAndTransparentImagesAreWritten)
{
    QImage gray(32, 16, QImage::Format_Grayscale8);
    gray.fill(0);
    for (int y = 0; y < 16; ++y)
        for (int x = 16; x < 32; ++x)
            gray.setPixel(x, y, 0xffffffffu);
    const QImage decodedGray = decodeJpeg(encodeJpeg(gray));
    EXPECT_TRUE(near(decodedGray.pixel(4, 8), qRgb(0, 0, 0)));
    EXPECT_TRUE(near(decodedGray.pixel(28, 8), qRgb(255, 255, 255)));

    // JPEG holds no transparency: a transparent picture lands on white paper.
    QImage clear(16, 16, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    EXPECT_TRUE(near(decodeJpeg(encodeJpeg(clear)).pixel(8, 8), qRgb(255, 255, 255)));
}

// Files written by another program, in the colour models and layouts met in
// scanned forms.
TEST(JpegCodec, DecodesColourModelsAndDensityUnits)
{
    struct Case
    {
        const char *file;
        QPoint where;
        QRgb colour;
        int dotsPerMeter;   // 0: the file gives no density
    };
    const Case cases[] = {
        {"cmyk_adobe.jpg", {20, 15}, qRgb(0x20, 0x60, 0xC0), 0},   // Adobe (inverted) YCCK
        {"progressive_dpcm.jpg", {20, 15}, qRgb(0xC0, 0x40, 0x20), 5000},  // 50 dots per cm
        {"gray.jpg", {20, 0}, qRgb(0, 0, 0), 0},
        {"gray.jpg", {20, 29}, qRgb(255, 255, 255), 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        const QImage image = loadJpegFile(dataFile(c.file));
        ASSERT_EQ(image.size(), QSize(40, 30));
        EXPECT_TRUE(near(image.pixel(c.where), c.colour));
        if (c.dotsPerMeter) {
            EXPECT_EQ(image.dotsPerMeterX(), c.dotsPerMeter);
        }
    }
}

TEST(JpegCodec, HarmlessStrayBytesBetweenMarkersAreAccepted)
{
    // Some scanners leave bytes between two markers; libjpeg only warns and
    // the picture is whole, so it must load.
    QByteArray bytes = encodeJpeg(quarters());
    const int table = bytes.indexOf("\xff\xdb");
    ASSERT_GT(table, 0);
    bytes.insert(table, "abc");
    const QImage image = decodeJpeg(bytes, QStringLiteral("stray.jpg"));
    EXPECT_TRUE(near(image.pixel(16, 12), qRgb(200, 30, 30)));
}

TEST(JpegCodec, BadFilesRaiseFrenchErrorsNamingTheFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray whole = noisyJpeg();
    ASSERT_GT(whole.size(), 20000);

    struct Case
    {
        const char *label;
        QString path;
        QByteArray bytes;     // written to `path` when not null
        const char *start;    // the message begins with this, then the file's name
        const char *detail;   // and ends with this in brackets
    };
    const char *damaged = "Image JPEG illisible ou endommagée : \"";
    const char *unreadable = "Impossible de lire l'image \"";
    const Case cases[] = {
        {"truncated", dir.filePath(QStringLiteral("moitie.jpg")), whole.left(whole.size() / 2), damaged,
         "fichier incomplet"},
        {"truncated progressive", dir.filePath(QStringLiteral("prog.jpg")),
         [] {
             QFile f(dataFile("progressive_dpcm.jpg"));
             f.open(QIODevice::ReadOnly);
             const QByteArray b = f.readAll();
             return b.left(b.size() - 120);
         }(),
         damaged, "fichier incomplet"},
        {"empty", dir.filePath(QStringLiteral("vide.jpg")), QByteArray(""), damaged, "fichier vide"},
        {"text", dir.filePath(QStringLiteral("texte.jpg")), QByteArray("Ceci n'est pas une image.\r\n"), damaged,
         "ce n'est pas un fichier JPEG"},
        {"only the start marker", dir.filePath(QStringLiteral("soi.jpg")), QByteArray("\xff\xd8"), damaged,
         "fichier incomplet"},
        {"garbage in the scan", dataFile("corrupt_data.jpg"), QByteArray(), damaged,
         "données de l'image corrompues"},
        {"empty size in the header", dataFile("corrupt_header.jpg"), QByteArray(), damaged,
         "en-tête de l'image invalide"},
        // 537 bytes that announce 65495 × 64481 pixels: refused from the
        // header, before the decoder sets aside memory for them.
        {"a size too large in the header", dataFile("huge_progressive.jpg"), QByteArray(), damaged,
         "image trop grande : 65495 × 64481 pixels"},
        {"missing", dir.filePath(QStringLiteral("absente.jpg")), QByteArray(), unreadable, "fichier introuvable"},
        {"folder", dir.path(), QByteArray(), unreadable, "c'est un dossier"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        if (!c.bytes.isNull())
            writeFile(c.path, c.bytes);
        // French only: nothing of libjpeg's English words.
        EXPECT_EQ(errorOf([&] { loadJpegFile(c.path); }),
                  QString::fromUtf8(c.start) + QDir::toNativeSeparators(c.path) + QStringLiteral("\" (")
                      + QString::fromUtf8(c.detail) + QLatin1Char(')'));
    }
}

// libjpeg's messages, in English, as its own table holds them (the version
// and copyright texts come from a header it does not install).
#define JVERSION ""
#define JCOPYRIGHT_SHORT ""
#define JMESSAGE(code, string) string,
const char *const kLibjpegMessages[] = {
#include <jerror.h>
    nullptr};
#undef JVERSION
#undef JCOPYRIGHT_SHORT

TEST(JpegCodec, EveryFailureOfTheLibraryIsToldInFrench)
{
    for (int code = 0; kLibjpegMessages[code]; ++code) {
        const QString english = QString::fromLatin1(kLibjpegMessages[code]).section(QLatin1Char('%'), 0, 0).trimmed();
        const QString french = jpegFailureText(code);
        EXPECT_FALSE(french.isEmpty()) << code;
        EXPECT_FALSE(!english.isEmpty() && french.contains(english, Qt::CaseInsensitive)) << code << " " << kLibjpegMessages[code];
    }
    EXPECT_EQ(jpegFailureText(JWRN_JPEG_EOF), QStringLiteral("fichier incomplet"));
}

TEST(JpegCodec, DecodingBytesWithoutANameStillExplains)
{
    EXPECT_EQ(errorOf([] { decodeJpeg(QByteArray()); }),
              QStringLiteral("Image JPEG illisible ou endommagée (fichier vide)"));
}

TEST(JpegCodec, SavedFileLoadsBackAt96Dpi)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("forme.jpg"));
    writeFile(path, "ancien contenu");
    saveJpegFile(path, quarters());
    const QImage image = loadJpegFile(path);
    EXPECT_EQ(image.size(), QSize(64, 48));
    EXPECT_EQ(dotsPerInch(image.dotsPerMeterX()), 96);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("forme.jpg")});
}

TEST(JpegCodec, SaveIntoMissingFolderFailsAndLeavesNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("absent/forme.jpg"));
    const QString message = errorOf([&] { saveJpegFile(path, quarters()); });
    EXPECT_TRUE(message.startsWith(QStringLiteral("Impossible d'écrire dans ")))
        << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("forme.jpg")));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("absent"))));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
}

TEST(JpegCodec, NullImageIsRefused)
{
    EXPECT_FALSE(errorOf([] { encodeJpeg(QImage()); }).isEmpty());
}

TEST(JpegCodec, BuiltInPictureIsTheBlankSheetAt96Dpi)
{
    const QImage picture = builtInFormPicture();
    EXPECT_EQ(picture.size(), QSize(746, 1096));
    EXPECT_EQ(dotsPerInch(picture.dotsPerMeterX()), 96);
    EXPECT_EQ(dotsPerInch(picture.dotsPerMeterY()), 96);
    // A form on white paper: the corners are light.
    EXPECT_GT(qGray(picture.pixel(2, 1093)), 200);
}
