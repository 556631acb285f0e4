#include "CodePage.h"

namespace {

// Unicode of the bytes 0x80 to 0x9F.
const char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The byte for a character, or -1.
int byteFor(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == c)
            return 0x80 + i;
    return -1;
}

} // namespace

QString decodeWindows1252(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char b : bytes) {
        const auto byte = static_cast<unsigned char>(b);
        *out++ = QChar(byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : char16_t(byte));
    }
    return text;
}

QByteArray encodeWindows1252(const QString &text, bool *ok)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char *out = bytes.data();
    bool all = true;
    for (const QChar c : text) {
        const int byte = byteFor(c.unicode());
        all = all && byte >= 0;
        *out++ = byte < 0 ? '?' : static_cast<char>(byte);
    }
    if (ok)
        *ok = all;
    return bytes;
}

bool canEncodeWindows1252(const QString &text)
{
    for (const QChar c : text)
        if (byteFor(c.unicode()) < 0)
            return false;
    return true;
}
