#pragma once

#include <QImage>
#include <QString>

// Reads a form picture by its extension (letter case ignored): JPEG through
// libjpeg. Raises "Extension de fichier image inconnue (.%s)" for another
// extension and a clear error for a file that cannot be decoded.
QImage loadFormPicture(const QString &path);
