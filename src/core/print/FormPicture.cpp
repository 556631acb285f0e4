#include "FormPicture.h"

#include "JpegCodec.h"
#include "support/PathRules.h"
#include "support/TiravonError.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace {

QString extensionOf(const QString &path)
{
    return extractFileExt(path).mid(1).toLower();
}

QString cannotRead(const QString &path, const QString &reason)
{
    return QStringLiteral("Impossible de lire l'image \"%1\" (%2)").arg(QDir::toNativeSeparators(path), reason);
}

// Qt's own reasons are English: the user reads a French one.
QString readerFailure(QImageReader::ImageReaderError error)
{
    switch (error) {
    case QImageReader::FileNotFoundError:
        return QStringLiteral("fichier introuvable");
    case QImageReader::DeviceError:
        return QStringLiteral("fichier illisible");
    case QImageReader::UnsupportedFormatError:
        return QStringLiteral("format d'image non pris en charge sur ce système");
    case QImageReader::InvalidDataError:
        return QStringLiteral("image endommagée ou vide");
    default:
        return QStringLiteral("erreur inconnue");
    }
}

QImage readWithQt(const QString &path, const QString &extension)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw TiravonError(cannotRead(path, QStringLiteral("fichier introuvable")));
    if (info.isDir())
        throw TiravonError(cannotRead(path, QStringLiteral("c'est un dossier")));
    if (!QImageReader::supportedImageFormats().contains(extension.toLatin1()))
        throw TiravonError(cannotRead(path, QStringLiteral("format d'image non pris en charge sur ce système")));
    // The format is the extension's: a file whose content is of another
    // kind is a damaged picture, not a guess.
    QImageReader reader(path, extension.toLatin1());
    reader.setDecideFormatFromContent(false);
    QImage image = reader.read();
    if (image.isNull())
        throw TiravonError(cannotRead(path, readerFailure(reader.error())));
    return image;
}

} // namespace

FormPictureKind formPictureKind(const QString &path)
{
    const QString extension = extensionOf(path);
    if (extension == QLatin1String("jpg") || extension == QLatin1String("jpeg"))
        return FormPictureKind::Jpeg;
    for (const char *qt : {"bmp", "tif", "tiff", "ico"})
        if (extension == QLatin1String(qt))
            return FormPictureKind::QtReader;
    if (extension == QLatin1String("emf") || extension == QLatin1String("wmf"))
        return FormPictureKind::Metafile;
    return FormPictureKind::Unknown;
}

bool isDroppableFormPicture(const QString &path)
{
    return extractFileExt(path).toUpper() == QLatin1String(".JPG");
}

QImage loadFormPicture(const QString &path)
{
    const QString extension = extensionOf(path);
    switch (formPictureKind(path)) {
    case FormPictureKind::Jpeg:
        return loadJpegFile(path);
    case FormPictureKind::QtReader:
        return readWithQt(path, extension);
    case FormPictureKind::Metafile:
        if (QImageReader::supportedImageFormats().contains(extension.toLatin1()))
            return readWithQt(path, extension);
        throw TiravonError(QStringLiteral("Les métafichiers Windows (.%1) ne peuvent pas être lus sur ce système : "
                                          "enregistrez l'image \"%2\" au format JPG")
                               .arg(extension, QDir::toNativeSeparators(path)));
    case FormPictureKind::Unknown:
        break;
    }
    throw TiravonError(QStringLiteral("Extension de fichier image inconnue (.%1)").arg(extension));
}

QString startPicturePath(const QString &imagePath, const QString &defaultPath)
{
    return QFileInfo(imagePath).isFile() ? imagePath : defaultPath;
}

StartPicture loadStartPicture(const QString &path)
{
    StartPicture start;
    if (!QFileInfo(path).isFile()) {
        start.picture = builtInFormPicture();
        saveJpegFile(path, start.picture);
        return start;
    }
    try {
        start.picture = loadFormPicture(path);
    } catch (const TiravonError &e) {
        start.picture = builtInFormPicture();
        start.failure = e.message();
    }
    return start;
}
