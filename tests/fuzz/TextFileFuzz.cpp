// The decoding of text files in every encoding: any bytes decode; what is
// decoded encodes and decodes back to the same text; Windows-1252 keeps every
// byte; the encoding chosen for writing can hold the text.

#include "FuzzSupport.h"

#include "support/CodePage.h"
#include "support/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = bytesOf(data, size);
    static const TextEncoding kEncodings[] = {
        TextEncoding::Windows1252, TextEncoding::Utf8Bom,  TextEncoding::Utf16LEBom,
        TextEncoding::Utf16BEBom,  TextEncoding::Utf16LE,  TextEncoding::Utf16BE,
    };

    const TextEncoding detected = detectEncoding(bytes);
    for (TextEncoding encoding : kEncodings) {
        const QString text = decodeText(bytes, encoding);
        FUZZ_CHECK(decodeText(encodeText(text, encoding), encoding) == text);

        const TextEncoding chosen = encodingToWrite(text, encoding);
        if (chosen == TextEncoding::Windows1252)
            FUZZ_CHECK(canEncodeWindows1252(text));
        FUZZ_CHECK(decodeText(encodeText(text, chosen), chosen) == text);

        const QStringList lines = splitLines(text);
        for (const QString &line : lines)
            FUZZ_CHECK(!line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')));
        (void)detected;
    }

    bool ok = false;
    FUZZ_CHECK(encodeWindows1252(decodeWindows1252(bytes), &ok) == bytes && ok);
    return 0;
}
