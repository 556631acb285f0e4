#pragma once

#include <QImage>
#include <QString>

// How a form picture is read, chosen by its file's extension (letter case
// ignored).
enum class FormPictureKind {
    Jpeg,        // "jpg", "jpeg": our libjpeg codec
    QtReader,    // "bmp", "tif", "tiff", "ico": Qt's image readers
    Metafile,    // "emf", "wmf": only where the platform has a reader for them
    Unknown,     // anything else
};

FormPictureKind formPictureKind(const QString &path);

// Only a file whose extension is ".JPG" in any letter case may be dropped
// on the care-sheet window (a ".jpeg" is refused, though the dialog takes it).
bool isDroppableFormPicture(const QString &path);

// Reads a form picture by its extension. Raises "Extension de fichier image
// inconnue (.%s)" for an extension not in the list, and a French error naming
// the file for a picture that cannot be decoded (damaged, empty, of a format
// the platform cannot read); nothing is half loaded.
QImage loadFormPicture(const QString &path);

// The image path in use at start: the path when it names a file, else the
// default image (a folder is no image file).
QString startPicturePath(const QString &imagePath, const QString &defaultPath);

// The picture the sheet shows at start from that path: the picture there when
// the path names a file; else the built-in picture, written out at the path
// (a file already there is used, never overwritten). A picture that cannot be
// decoded leaves the built-in picture shown, with the reason in failure.
struct StartPicture
{
    QImage picture;
    QString failure;
};
// Raises "Impossible d'écrire dans %s" when the built-in picture cannot be written.
StartPicture loadStartPicture(const QString &path);
