#include "TextFile.h"

#include "CodePage.h"
#include "TiravonError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <unistd.h>
#endif

namespace {

const QByteArray kUtf8Mark("\xEF\xBB\xBF", 3);
const QByteArray kUtf16LEMark("\xFF\xFE", 2);
const QByteArray kUtf16BEMark("\xFE\xFF", 2);

// How many first bytes the encoding is told from.
const qsizetype kEncodingHead = 512;

// UTF-16 without its mark: an even length and, in the first bytes, zeros at
// every other place, as plain Latin text in UTF-16 has.
bool looksLikeUtf16(const QByteArray &bytes, qsizetype size, int zeroParity)
{
    if (size < 4 || size % 2 != 0)
        return false;
    const int pairs = int(qMin<qsizetype>(size, kEncodingHead)) / 2;
    int zeros = 0;
    for (int p = 0; p < pairs; ++p) {
        if (bytes.at(2 * p + 1 - zeroParity) == 0)
            return false;
        if (bytes.at(2 * p + zeroParity) == 0)
            ++zeros;
    }
    return zeros * 10 >= pairs * 9;
}

// The mark has been taken off already: a further one is text and stays.
QString decodeWith(QStringConverter::Encoding encoding, const QByteArray &bytes)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

// Bytes of a UTF-8 file that are not UTF-8 (a file cut inside a character, a
// Windows-1252 letter typed in by another editor) are kept as the lone
// surrogates U+DC80 to U+DCFF and written back as the same bytes, so that
// saving a setting never destroys the rest of a damaged file.
QString decodeUtf8KeepingBytes(const QByteArray &bytes)
{
    QStringDecoder whole(QStringConverter::Utf8, QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    const QString text = whole.decode(bytes);
    if (!whole.hasError())
        return text;
    QString kept;
    for (qsizetype i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes.at(i));
        const int length = lead < 0x80 ? 1 : lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
        if (length > 0 && i + length <= bytes.size()) {
            QStringDecoder one(QStringConverter::Utf8, QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
            const QString character = one.decode(bytes.mid(i, length));
            if (!one.hasError()) {
                kept += character;
                i += length;
                continue;
            }
        }
        kept += QChar(char16_t(0xDC00 + lead));
        ++i;
    }
    return kept;
}

bool isKeptByte(const QString &text, qsizetype i)
{
    const char16_t c = text.at(i).unicode();
    return c >= 0xDC80 && c <= 0xDCFF && (i == 0 || !text.at(i - 1).isHighSurrogate());
}

QByteArray encodeWith(QStringConverter::Encoding encoding, const QString &text)
{
    QStringEncoder encoder(encoding, QStringConverter::Flag::Stateless);
    return encoder.encode(text);
}

QByteArray encodeUtf8KeepingBytes(const QString &text)
{
    QByteArray bytes;
    qsizetype run = 0;      // start of the characters not yet encoded
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool kept = i < text.size() && isKeptByte(text, i);
        if (kept || i == text.size()) {
            bytes += encodeWith(QStringConverter::Utf8, text.mid(run, i - run));
            if (kept)
                bytes += char(text.at(i).unicode() - 0xDC00);
            run = i + 1;
        }
    }
    return bytes;
}

// The read-only attribute of a file: no write permission for anyone. Checked
// by the permission bits so that it holds for every user, root included (the
// "user" permission is what the running user may do, which for root is
// everything, so it is left out).
bool isReadOnlyFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    const QFile::Permissions write = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return !(info.permissions() & write) || !info.isWritable();
}

// The encoding of a file from its first bytes and its whole size.
TextEncoding encodingOf(const QByteArray &bytes, qsizetype size)
{
    if (bytes.startsWith(kUtf8Mark))
        return TextEncoding::Utf8Bom;
    if (bytes.startsWith(kUtf16LEMark))
        return TextEncoding::Utf16LEBom;
    if (bytes.startsWith(kUtf16BEMark))
        return TextEncoding::Utf16BEBom;
    if (looksLikeUtf16(bytes, size, 1))
        return TextEncoding::Utf16LE;
    if (looksLikeUtf16(bytes, size, 0))
        return TextEncoding::Utf16BE;
    return TextEncoding::Windows1252;
}

} // namespace

TextEncoding detectEncoding(const QByteArray &bytes)
{
    return encodingOf(bytes, bytes.size());
}

QString decodeText(const QByteArray &bytes, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8Bom:
        return decodeUtf8KeepingBytes(bytes.startsWith(kUtf8Mark) ? bytes.mid(3) : bytes);
    case TextEncoding::Utf16LEBom:
        return decodeWith(QStringConverter::Utf16LE, bytes.startsWith(kUtf16LEMark) ? bytes.mid(2) : bytes);
    case TextEncoding::Utf16BEBom:
        return decodeWith(QStringConverter::Utf16BE, bytes.startsWith(kUtf16BEMark) ? bytes.mid(2) : bytes);
    case TextEncoding::Utf16LE:
        return decodeWith(QStringConverter::Utf16LE, bytes);
    case TextEncoding::Utf16BE:
        return decodeWith(QStringConverter::Utf16BE, bytes);
    case TextEncoding::Windows1252:
        break;
    }
    return decodeWindows1252(bytes);
}

QByteArray encodeText(const QString &text, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8Bom:
        return kUtf8Mark + encodeUtf8KeepingBytes(text);
    case TextEncoding::Utf16LEBom:
        return kUtf16LEMark + encodeWith(QStringConverter::Utf16LE, text);
    case TextEncoding::Utf16BEBom:
        return kUtf16BEMark + encodeWith(QStringConverter::Utf16BE, text);
    case TextEncoding::Utf16LE:
        return encodeWith(QStringConverter::Utf16LE, text);
    case TextEncoding::Utf16BE:
        return encodeWith(QStringConverter::Utf16BE, text);
    case TextEncoding::Windows1252:
        break;
    }
    return encodeWindows1252(text);
}

TextEncoding encodingToWrite(const QString &text, TextEncoding wanted)
{
    if (wanted == TextEncoding::Windows1252 && !canEncodeWindows1252(text))
        return TextEncoding::Utf8Bom;
    return wanted;
}

TextFileContent readTextFile(const QString &path)
{
    TextFileContent content;
    if (path.isEmpty())
        return content;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return content;
    const QByteArray bytes = file.readAll();
    content.exists = true;
    content.encoding = detectEncoding(bytes);
    content.text = decodeText(bytes, content.encoding);
    return content;
}

bool canReplaceFile(const QString &path)
{
    if (path.isEmpty() || isReadOnlyFile(path))
        return false;
    const QFileInfo folder(QFileInfo(path).absolutePath());
    return folder.isDir() && folder.isWritable();
}

namespace {

// Whether the bytes written to the file have reached the disk. Some file
// systems only find out at this point that they have no room (delayed
// allocation, network shares); one that cannot be synchronised at all says
// so with EINVAL and counts as written, as QSaveFile counts it. On Windows the
// room is taken at each write, which has been checked already, and QSaveFile
// flushes the file before it renames it.
bool reachedDisk(QFileDevice &file)
{
#ifdef Q_OS_UNIX
    const int fd = file.handle();
    if (fd < 0)
        return false;
#ifdef Q_OS_LINUX
    const int result = ::fdatasync(fd);
#else
    const int result = ::fsync(fd);
#endif
    return result == 0 || errno == EINVAL || errno == ENOTSUP;
#else
    Q_UNUSED(file);
    return true;
#endif
}

} // namespace

void writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    if (path.isEmpty() || isReadOnlyFile(path))
        throw TiravonError(Messages::cannotWrite(path));
    // Unbuffered, so that a write the disk refuses (no room left) fails at
    // once, where it is checked: a buffered write only fails when the buffer
    // is flushed at the commit, which does not see that failure and would
    // rename the short temporary file over the good one. Nothing is renamed
    // unless every byte reached the disk; leaving without the commit removes
    // the temporary file and leaves the old one as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(bytes) != bytes.size()
        || !file.flush() || !reachedDisk(file) || !file.commit())
        throw TiravonError(Messages::cannotWrite(path));
}

void writeTextFile(const QString &path, const QString &text, TextEncoding encoding)
{
    writeFileAtomically(path, encodeText(text, encodingToWrite(text, encoding)));
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    const QChar *chars = text.constData();
    const qsizetype size = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = chars[i].unicode();
        if (c != u'\r' && c != u'\n')
            continue;
        lines << text.mid(start, i - start);
        if (c == u'\r' && i + 1 < size && chars[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines << text.mid(start);
    return lines;
}

QStringList readLineFile(const QString &path, bool *exists)
{
    const TextFileContent content = readTextFile(path);
    if (exists)
        *exists = content.exists;
    return splitLines(content.text);
}

void writeLineFile(const QString &path, const QStringList &lines)
{
    qsizetype length = 0;
    for (const QString &line : lines)
        length += line.size() + 2;
    QString text;
    text.reserve(length);
    for (const QString &line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    // Only the encoding of the file there now matters: its first bytes tell.
    TextEncoding encoding = TextEncoding::Windows1252;
    QFile current(path);
    if (!path.isEmpty() && current.open(QIODevice::ReadOnly))
        encoding = encodingOf(current.read(kEncodingHead), current.size());
    current.close();
    writeTextFile(path, text, encoding);
}
