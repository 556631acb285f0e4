#include "FormPicture.h"

#include "JpegCodec.h"
#include "support/PathRules.h"
#include "support/TiravonError.h"

QImage loadFormPicture(const QString &path)
{
    const QString extension = extractFileExt(path).mid(1).toLower();
    if (extension == QLatin1String("jpg") || extension == QLatin1String("jpeg"))
        return loadJpegFile(path);
    throw TiravonError(QStringLiteral("Extension de fichier image inconnue (.%1)").arg(extension));
}
