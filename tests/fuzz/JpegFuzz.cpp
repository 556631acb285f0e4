// The JPEG decoder: any bytes give a picture or the program's error, never a
// crash; a decoded picture encodes and decodes again at its size.

#include "FuzzSupport.h"

#include "print/JpegCodec.h"
#include "support/TiravonError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QImage image;
    try {
        image = decodeJpeg(bytesOf(data, size), QStringLiteral("fuzz.jpg"));
    } catch (const TiravonError &) {
        return 0;
    }
    FUZZ_CHECK(!image.isNull());
    if (qint64(image.width()) * image.height() <= 256 * 256) {
        const QImage again = decodeJpeg(encodeJpeg(image, 75), QStringLiteral("again.jpg"));
        FUZZ_CHECK(again.size() == image.size());
    }
    return 0;
}
