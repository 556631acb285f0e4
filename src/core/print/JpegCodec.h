#pragma once

// JPEG pictures of the form, read and written with libjpeg. A damaged,
// truncated, empty or foreign file raises TiravonError with a French message
// naming the file; libjpeg is never allowed to end the process.

#include <QByteArray>
#include <QImage>
#include <QString>

// Decodes colour (YCbCr, RGB), grayscale and CMYK/YCCK pictures to a
// Format_RGB32 image. The JFIF density, when the file gives one, becomes the
// image's dots per meter. `name` is the file named in the error message.
QImage decodeJpeg(const QByteArray &data, const QString &name = QString());

// Reads the whole file and decodes it; an unreadable or missing file raises
// "Impossible de lire l'image "%1"".
QImage loadJpegFile(const QString &path);

// A JFIF file of the image at the given quality (1 to 100) and density.
// A grayscale image is written as a grayscale JPEG; transparency is laid on
// white.
QByteArray encodeJpeg(const QImage &image, int quality = 90, int dotsPerInch = 96);

// Writes encodeJpeg's bytes through a temporary file renamed over the old one;
// raises "Impossible d'écrire dans %s" and leaves nothing behind on failure.
void saveJpegFile(const QString &path, const QImage &image, int quality = 90, int dotsPerInch = 96);

// What a failure of libjpeg, given by its message code, means, in a few
// French words (the detail of the messages above).
QString jpegFailureText(int libjpegCode);

// The picture of the blank care sheet kept inside the program
// (746 by 1096 pixels, 96 dots per inch).
QImage builtInFormPicture();

// The path of that picture among the program's resources.
QString builtInFormPicturePath();
