// Reading the form picture by its extension: which reader each extension
// gets, which dropped files are taken, and every picture that cannot be read
// ending in a French error.
#include "print/FormPicture.h"
#include "print/JpegCodec.h"
#include "support/TiravonError.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString dataFile(const char *name)
{
    return QStringLiteral(TIRAVON_TEST_DATA "/jpeg/") + QLatin1String(name);
}

// A path as the messages name it, with the system's separators.
QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString errorOf(const QString &path)
{
    try {
        loadFormPicture(path);
    } catch (const TiravonError &e) {
        return e.message();
    }
    return QString();
}

QImage sample()
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(QColor(20, 120, 200));
    return image;
}

TEST(FormPicture, EachExtensionHasItsReader)
{
    using K = FormPictureKind;
    struct Case { const char *path; K kind; };
    const Case cases[] = {
        {"/f/a.jpg", K::Jpeg}, {"/f/a.JPEG", K::Jpeg}, {"/f/a.JpG", K::Jpeg},
        {"/f/a.bmp", K::QtReader}, {"/f/a.TIF", K::QtReader}, {"/f/a.tiff", K::QtReader}, {"/f/a.ico", K::QtReader},
        {"/f/a.emf", K::Metafile}, {"/f/a.WMF", K::Metafile},
        {"/f/a.png", K::Unknown}, {"/f/a.gif", K::Unknown}, {"/f/a", K::Unknown}, {"/f/a.jpg.bak", K::Unknown},
    };
    for (const Case &c : cases)
        EXPECT_EQ(formPictureKind(QString::fromLatin1(c.path)), c.kind) << c.path;
}

TEST(FormPicture, OnlyAJpgExtensionInAnyCaseMayBeDropped)
{
    struct Case { const char *path; bool taken; };
    const Case cases[] = {{"/f/a.jpg", true}, {"/f/a.JPG", true}, {"/f/a.JpG", true},
                          {"/f/a.jpeg", false}, {"/f/a.png", false}, {"/f/jpg", false}, {"/f/a.jpg.txt", false}};
    for (const Case &c : cases)
        EXPECT_EQ(isDroppableFormPicture(QString::fromLatin1(c.path)), c.taken) << c.path;
}

TEST(FormPicture, JpegAndBitmapPicturesAreRead)
{
    QTemporaryDir dir;
    const QString bmp = dir.filePath(QStringLiteral("form.BMP"));
    ASSERT_TRUE(sample().save(bmp, "BMP"));
    EXPECT_EQ(loadFormPicture(bmp).pixel(5, 5), sample().pixel(5, 5));
    const QString jpg = dir.filePath(QStringLiteral("form.jpeg"));
    saveJpegFile(jpg, sample());
    EXPECT_EQ(loadFormPicture(jpg).size(), QSize(40, 30));
    EXPECT_FALSE(loadFormPicture(dataFile("gray.jpg")).isNull());
}

TEST(FormPicture, APictureThatCannotBeReadIsAFrenchError)
{
    QTemporaryDir dir;
    const QString empty = dir.filePath(QStringLiteral("empty.bmp"));
    QFile(empty).open(QIODevice::WriteOnly);
    const QString pngAsBmp = dir.filePath(QStringLiteral("other.bmp"));
    ASSERT_TRUE(sample().save(pngAsBmp, "PNG"));
    const QString png = dir.filePath(QStringLiteral("form.png"));
    ASSERT_TRUE(sample().save(png, "PNG"));
    const QString emf = dir.filePath(QStringLiteral("form.emf"));
    QFile(emf).open(QIODevice::WriteOnly);

    struct Case { QString path; QString message; };
    const Case cases[] = {
        {png, QStringLiteral("Extension de fichier image inconnue (.png)")},
        {dir.filePath(QStringLiteral("form.GIF")), QStringLiteral("Extension de fichier image inconnue (.gif)")},
        {empty, QStringLiteral("Impossible de lire l'image \"%1\" (image endommagée ou vide)").arg(shown(empty))},
        {pngAsBmp, QStringLiteral("Impossible de lire l'image \"%1\" (image endommagée ou vide)").arg(shown(pngAsBmp))},
        {dir.filePath(QStringLiteral("absent.bmp")),
         QStringLiteral("Impossible de lire l'image \"%1\" (fichier introuvable)").arg(shown(dir.filePath(QStringLiteral("absent.bmp"))))},
        {emf, QStringLiteral("Les métafichiers Windows (.emf) ne peuvent pas être lus sur ce système : "
                             "enregistrez l'image \"%1\" au format JPG").arg(shown(emf))},
    };
    for (const Case &c : cases)
        EXPECT_EQ(errorOf(c.path), c.message);
    // A damaged JPEG goes through the codec, which names the file.
    EXPECT_TRUE(errorOf(dataFile("corrupt_data.jpg")).contains(shown(dataFile("corrupt_data.jpg"))));
}

TEST(FormPicture, ATiffIsReadWhereQtHasItsReaderAndOtherwiseRefusedInFrench)
{
    QTemporaryDir dir;
    const QString tif = dir.filePath(QStringLiteral("form.tif"));
    if (QImageReader::supportedImageFormats().contains("tif")) {
        ASSERT_TRUE(sample().save(tif, "TIF"));
        EXPECT_EQ(loadFormPicture(tif).size(), QSize(40, 30));
    } else {
        QFile file(tif);
        file.open(QIODevice::WriteOnly);
        file.write("II*\0", 4);
        file.close();
        EXPECT_EQ(errorOf(tif), QStringLiteral("Impossible de lire l'image \"%1\" "
                                               "(format d'image non pris en charge sur ce système)").arg(shown(tif)));
    }
}

} // namespace

namespace {

// At start: the image path when it names a file, else the default image; the
// picture there, or the built-in one written out where none is, or the
// built-in one shown with the reason when the file cannot be decoded (the
// file is left as it is).
TEST(FormPicture, TheStartPictureIsTheFileThereOrTheBuiltInOne)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString fallback = dir.filePath(QStringLiteral("feuille_de_soin_medecin.jpg"));
    const QString own = dir.filePath(QStringLiteral("propre.jpg"));
    saveJpegFile(own, sample());
    const QString damaged = dir.filePath(QStringLiteral("abime.jpg"));
    {
        QFile file(damaged);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("pas une image");
    }
    const QImage builtIn = builtInFormPicture();

    struct Case { QString stored; QString used; QSize size; bool failed; };
    const Case cases[] = {
        {own, own, sample().size(), false},
        {dir.path(), fallback, builtIn.size(), false},                                   // a folder is no image
        {dir.filePath(QStringLiteral("partie.jpg")), fallback, builtIn.size(), false},   // written out
        {fallback, fallback, builtIn.size(), false},                                     // then read back
        {damaged, damaged, builtIn.size(), true},
    };
    for (const Case &c : cases) {
        const QString used = startPicturePath(c.stored, fallback);
        EXPECT_EQ(used, c.used) << c.stored.toStdString();
        const StartPicture start = loadStartPicture(used);
        EXPECT_EQ(start.picture.size(), c.size) << c.stored.toStdString();
        EXPECT_EQ(!start.failure.isEmpty(), c.failed) << c.stored.toStdString();
        EXPECT_TRUE(QFile::exists(used));
    }
    QFile kept(damaged);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("pas une image"));
}

} // namespace
