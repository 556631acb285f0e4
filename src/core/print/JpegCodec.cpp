#include "JpegCodec.h"

#include "support/TextFile.h"
#include "support/TiravonError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <limits>

#include <jpeglib.h>
#include <jerror.h>

// libjpeg reports a failure by calling error_exit, whose standard version ends
// the process. Ours jumps back with longjmp instead. The jump only ever lands
// in the small functions below that hold the setjmp: they touch nothing but the
// plain C contexts, so no C++ object is skipped by the jump. The Qt work
// (allocating the image, building the messages) is done by their callers,
// outside the jump's reach.

namespace {

// Pictures larger than this are refused rather than allocated (1 GB in RGB32).
constexpr quint64 kMaxPixels = quint64(1) << 28;

struct ErrorManager
{
    jpeg_error_mgr pub;      // first, so that cinfo->err points to the whole
    std::jmp_buf jump;
    int code;                // libjpeg's message code of the failure
    char message[JMSG_LENGTH_MAX];
};

// Warnings that mean the picture data is damaged or missing: libjpeg goes on
// and fills the rest with gray, we stop. Other warnings (extraneous bytes
// between markers, an unknown JFIF revision ...) leave a sound picture.
bool isDamageWarning(int code)
{
    switch (code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
    case JWRN_MUST_RESYNC:
        return true;
    default:
        return false;
    }
}

void failAndJump(j_common_ptr cinfo)
{
    auto *error = reinterpret_cast<ErrorManager *>(cinfo->err);
    error->code = error->pub.msg_code;
    (*error->pub.format_message)(cinfo, error->message);
    std::longjmp(error->jump, 1);
}

void onMessage(j_common_ptr cinfo, int level)
{
    if (level >= 0)
        return;              // trace messages
    if (isDamageWarning(cinfo->err->msg_code))
        failAndJump(cinfo);
    cinfo->err->num_warnings++;
}

void installErrorManager(ErrorManager *error)
{
    jpeg_std_error(&error->pub);
    error->pub.error_exit = failAndJump;
    error->pub.emit_message = onMessage;
    error->code = 0;
    error->message[0] = '\0';
}

// ---- Decoding ----------------------------------------------------------------

struct DecodeContext
{
    jpeg_decompress_struct info;
    ErrorManager error;
    bool tooLarge;      // the header announces more pixels than are decoded
};

// Reads the header and starts the decompression; the output size is known
// afterwards. Returns false after a libjpeg failure.
// Colour pictures: libjpeg-turbo writes the image's own 32-bit pixels (blue,
// green, red and a filler byte of 0xFF in memory, as QImage::Format_RGB32
// holds them on a little-endian machine), rows straight into the image, a
// third of the decoding time; another libjpeg gives RGB, converted here.
#ifdef JCS_EXTENSIONS
constexpr J_COLOR_SPACE kDirectColorSpace = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;
#else
constexpr J_COLOR_SPACE kDirectColorSpace = JCS_RGB;
#endif

bool startDecoding(DecodeContext *ctx, const unsigned char *data, unsigned long size)
{
    if (setjmp(ctx->error.jump))
        return false;
    jpeg_create_decompress(&ctx->info);
    jpeg_mem_src(&ctx->info, const_cast<unsigned char *>(data), size);
    jpeg_read_header(&ctx->info, TRUE);
    // A picture too large is refused from its header: starting the
    // decompression would set aside memory for all its pixels first (a few
    // hundred bytes can announce billions of them).
    if (quint64(ctx->info.image_width) * quint64(ctx->info.image_height) > kMaxPixels) {
        ctx->tooLarge = true;
        return true;
    }
    switch (ctx->info.jpeg_color_space) {
    case JCS_GRAYSCALE:
        ctx->info.out_color_space = JCS_GRAYSCALE;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        ctx->info.out_color_space = JCS_CMYK;
        break;
    default:
        ctx->info.out_color_space = kDirectColorSpace;
        break;
    }
    jpeg_start_decompress(&ctx->info);
    return true;
}

inline unsigned int rgb32(unsigned int r, unsigned int g, unsigned int b)
{
    return 0xff000000u | (r << 16) | (g << 8) | b;
}

void convertRow(const JSAMPLE *in, unsigned int *out, unsigned int width, int components,
                bool invertedCmyk)
{
    switch (components) {
    case 1:
        for (unsigned int x = 0; x < width; ++x)
            out[x] = rgb32(in[x], in[x], in[x]);
        break;
    case 3:
        for (unsigned int x = 0; x < width; ++x, in += 3)
            out[x] = rgb32(in[0], in[1], in[2]);
        break;
    case 4:
        // Adobe writes CMYK inverted (0 is full ink); plain CMYK is not.
        for (unsigned int x = 0; x < width; ++x, in += 4) {
            unsigned int c = in[0], m = in[1], y = in[2], k = in[3];
            if (!invertedCmyk) {
                c = 255 - c;
                m = 255 - m;
                y = 255 - y;
                k = 255 - k;
            }
            out[x] = rgb32(c * k / 255, m * k / 255, y * k / 255);
        }
        break;
    default:
        break;
    }
}

// Reads every row into the 32-bit pixels at `bits`. Returns false after a
// libjpeg failure (damaged data included).
bool readRows(DecodeContext *ctx, unsigned char *bits, size_t bytesPerLine)
{
    if (setjmp(ctx->error.jump))
        return false;
    j_decompress_ptr info = &ctx->info;
    if (kDirectColorSpace != JCS_RGB && info->out_color_space == kDirectColorSpace) {
        while (info->output_scanline < info->output_height) {
            const JDIMENSION y = info->output_scanline;
            JSAMPROW rows[16];
            const JDIMENSION count = std::min<JDIMENSION>(16, info->output_height - y);
            for (JDIMENSION i = 0; i < count; ++i)
                rows[i] = bits + (y + i) * bytesPerLine;
            if (jpeg_read_scanlines(info, rows, count) == 0)
                ERREXIT(info, JERR_INPUT_EOF);  // the memory source never suspends
        }
        jpeg_finish_decompress(info);
        return true;
    }
    JSAMPARRAY row = (*info->mem->alloc_sarray)(
        reinterpret_cast<j_common_ptr>(info), JPOOL_IMAGE,
        info->output_width * static_cast<JDIMENSION>(info->output_components), 1);
    const bool inverted = info->saw_Adobe_marker != 0;
    while (info->output_scanline < info->output_height) {
        const JDIMENSION y = info->output_scanline;
        if (jpeg_read_scanlines(info, row, 1) != 1)
            ERREXIT(info, JERR_INPUT_EOF);      // the memory source never suspends
        convertRow(row[0], reinterpret_cast<unsigned int *>(bits + y * bytesPerLine),
                   info->output_width, info->output_components, inverted);
    }
    jpeg_finish_decompress(info);
    return true;
}

struct DecodeGuard
{
    DecodeContext *ctx;
    ~DecodeGuard() { jpeg_destroy_decompress(&ctx->info); }
};

// ---- Encoding ----------------------------------------------------------------

struct EncodeContext
{
    jpeg_compress_struct info;
    ErrorManager error;
    jpeg_destination_mgr destination;
    unsigned char *buffer;   // malloc'ed; freed by the caller
    size_t capacity;
    size_t size;
};

EncodeContext *encodeContext(j_compress_ptr cinfo)
{
    return static_cast<EncodeContext *>(cinfo->client_data);
}

void initDestination(j_compress_ptr cinfo)
{
    EncodeContext *ctx = encodeContext(cinfo);
    const size_t start = 64 * 1024;
    ctx->buffer = static_cast<unsigned char *>(std::malloc(start));
    if (!ctx->buffer)
        ERREXIT(cinfo, JERR_OUT_OF_MEMORY);
    ctx->capacity = start;
    ctx->destination.next_output_byte = ctx->buffer;
    ctx->destination.free_in_buffer = start;
}

boolean growDestination(j_compress_ptr cinfo)
{
    // Called when the whole buffer is full, whatever free_in_buffer says.
    EncodeContext *ctx = encodeContext(cinfo);
    const size_t used = ctx->capacity;
    auto *bigger = static_cast<unsigned char *>(std::realloc(ctx->buffer, used * 2));
    if (!bigger)
        ERREXIT(cinfo, JERR_OUT_OF_MEMORY);
    ctx->buffer = bigger;
    ctx->capacity = used * 2;
    ctx->destination.next_output_byte = ctx->buffer + used;
    ctx->destination.free_in_buffer = ctx->capacity - used;
    return TRUE;
}

void termDestination(j_compress_ptr cinfo)
{
    EncodeContext *ctx = encodeContext(cinfo);
    ctx->size = ctx->capacity - ctx->destination.free_in_buffer;
}

// Compresses rows of 1 (gray) or 3 (RGB) bytes per pixel.
bool compressRows(EncodeContext *ctx, const unsigned char *pixels, size_t bytesPerLine,
                  int width, int height, int components, int quality, int dotsPerInch)
{
    if (setjmp(ctx->error.jump))
        return false;
    j_compress_ptr info = &ctx->info;
    jpeg_create_compress(info);
    info->client_data = ctx;
    ctx->destination.init_destination = initDestination;
    ctx->destination.empty_output_buffer = growDestination;
    ctx->destination.term_destination = termDestination;
    info->dest = &ctx->destination;

    info->image_width = static_cast<JDIMENSION>(width);
    info->image_height = static_cast<JDIMENSION>(height);
    info->input_components = components;
    info->in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(info);
    jpeg_set_quality(info, quality, TRUE);
    info->write_JFIF_header = TRUE;
    info->density_unit = 1;                 // dots per inch
    info->X_density = static_cast<UINT16>(dotsPerInch);
    info->Y_density = static_cast<UINT16>(dotsPerInch);
    jpeg_start_compress(info, TRUE);
    while (info->next_scanline < info->image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(pixels + info->next_scanline * bytesPerLine);
        jpeg_write_scanlines(info, &row, 1);
    }
    jpeg_finish_compress(info);
    return true;
}

struct EncodeGuard
{
    EncodeContext *ctx;
    ~EncodeGuard()
    {
        jpeg_destroy_compress(&ctx->info);
        std::free(ctx->buffer);
    }
};

// ---- Messages ----------------------------------------------------------------

QString damagedMessage(const QString &name, const QString &detail)
{
    if (name.isEmpty())
        return QStringLiteral("Image JPEG illisible ou endommagée (%1)").arg(detail);
    return QStringLiteral("Image JPEG illisible ou endommagée : \"%1\" (%2)")
        .arg(QDir::toNativeSeparators(name), detail);
}

// The failure as a French sentence; libjpeg's own words, in English, are
// never shown.
QString failureDetail(const ErrorManager &error)
{
    return jpegFailureText(error.code);
}

QString cannotRead(const QString &path, const QString &reason)
{
    return QStringLiteral("Impossible de lire l'image \"%1\" (%2)")
        .arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

QString jpegFailureText(int code)
{
    switch (code) {
    case JERR_NO_SOI:
        return QStringLiteral("ce n'est pas un fichier JPEG");
    case JWRN_JPEG_EOF:
    case JERR_INPUT_EOF:
    case JERR_INPUT_EMPTY:
    case JERR_NO_IMAGE:
    case JERR_SOF_NO_SOS:
    case JERR_EOI_EXPECTED:
    case JERR_FILE_READ:
        return QStringLiteral("fichier incomplet");
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
    case JWRN_MUST_RESYNC:
    case JWRN_BOGUS_PROGRESSION:
    case JWRN_NOT_SEQUENTIAL:
    case JWRN_EXTRANEOUS_DATA:
    case JERR_BAD_DCT_COEF:
    case JERR_BAD_HUFF_TABLE:
    case JERR_HUFF_CLEN_OVERFLOW:
    case JERR_HUFF_MISSING_CODE:
    case JERR_BAD_PROGRESSION:
    case JERR_NO_HUFF_TABLE:
    case JERR_NO_QUANT_TABLE:
    case JERR_MISMATCHED_QUANT_TABLE:
    case JERR_DAC_INDEX:
    case JERR_DAC_VALUE:
    case JERR_DHT_INDEX:
    case JERR_DQT_INDEX:
        return QStringLiteral("données de l'image corrompues");
    case JERR_BAD_LENGTH:
    case JERR_BAD_COMPONENT_ID:
    case JERR_COMPONENT_COUNT:
    case JERR_BAD_SAMPLING:
    case JERR_BAD_MCU_SIZE:
    case JERR_BAD_J_COLORSPACE:
    case JERR_EMPTY_IMAGE:
    case JERR_SOF_DUPLICATE:
    case JERR_SOI_DUPLICATE:
    case JERR_SOS_NO_SOF:
    case JERR_UNKNOWN_MARKER:
    case JERR_WIDTH_OVERFLOW:
    case JWRN_JFIF_MAJOR:
    case JWRN_ADOBE_XFORM:
        return QStringLiteral("en-tête de l'image invalide");
    case JERR_SOF_UNSUPPORTED:
    case JERR_BAD_PRECISION:
    case JERR_BAD_DCTSIZE:
    case JERR_NOTIMPL:
    case JERR_NOT_COMPILED:
    case JERR_CONVERSION_NOTIMPL:
    case JERR_CCIR601_NOTIMPL:
    case JERR_FRACT_SAMPLE_NOTIMPL:
        return QStringLiteral("variante du format JPEG que le programme ne sait pas lire");
    case JERR_IMAGE_TOO_BIG:
        return QStringLiteral("image trop grande");
    case JERR_OUT_OF_MEMORY:
    case JERR_NO_BACKING_STORE:
    case JERR_TFILE_CREATE:
    case JERR_TFILE_READ:
    case JERR_TFILE_SEEK:
    case JERR_TFILE_WRITE:
    case JERR_EMS_READ:
    case JERR_EMS_WRITE:
    case JERR_XMS_READ:
    case JERR_XMS_WRITE:
        return QStringLiteral("mémoire insuffisante");
    case JERR_FILE_WRITE:
        return QStringLiteral("écriture impossible");
    default:
        break;
    }
    // The others are faults of the program's own use of the library.
    return QStringLiteral("erreur interne de la bibliothèque JPEG n° %1").arg(code);
}

QImage decodeJpeg(const QByteArray &data, const QString &name)
{
    if (data.isEmpty())
        throw TiravonError(damagedMessage(name, QStringLiteral("fichier vide")));
    if (static_cast<quint64>(data.size()) > std::numeric_limits<unsigned long>::max())
        throw TiravonError(damagedMessage(name, QStringLiteral("fichier trop grand")));

    DecodeContext ctx;
    std::memset(&ctx, 0, sizeof ctx);
    ctx.info.err = &ctx.error.pub;
    installErrorManager(&ctx.error);
    DecodeGuard guard{&ctx};

    if (!startDecoding(&ctx, reinterpret_cast<const unsigned char *>(data.constData()),
                       static_cast<unsigned long>(data.size())))
        throw TiravonError(damagedMessage(name, failureDetail(ctx.error)));

    const JDIMENSION width = ctx.tooLarge ? ctx.info.image_width : ctx.info.output_width;
    const JDIMENSION height = ctx.tooLarge ? ctx.info.image_height : ctx.info.output_height;
    if (ctx.tooLarge || quint64(width) * quint64(height) > kMaxPixels)
        throw TiravonError(damagedMessage(
            name, QStringLiteral("image trop grande : %1 × %2 pixels").arg(width).arg(height)));
    QImage image(int(width), int(height), QImage::Format_RGB32);
    if (image.isNull())
        throw TiravonError(damagedMessage(
            name, QStringLiteral("mémoire insuffisante pour %1 × %2 pixels").arg(width).arg(height)));

    if (!readRows(&ctx, image.bits(), size_t(image.bytesPerLine())))
        throw TiravonError(damagedMessage(name, failureDetail(ctx.error)));

    if (ctx.info.saw_JFIF_marker && ctx.info.X_density > 0 && ctx.info.Y_density > 0) {
        double perMeter = 0;
        if (ctx.info.density_unit == 1)
            perMeter = 1 / 0.0254;           // dots per inch
        else if (ctx.info.density_unit == 2)
            perMeter = 100;                  // dots per centimetre
        if (perMeter > 0) {
            image.setDotsPerMeterX(qRound(ctx.info.X_density * perMeter));
            image.setDotsPerMeterY(qRound(ctx.info.Y_density * perMeter));
        }
    }
    return image;
}

QImage loadJpegFile(const QString &path)
{
    QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        throw TiravonError(cannotRead(path, QStringLiteral("fichier introuvable")));
    if (info.isDir())
        throw TiravonError(cannotRead(path, QStringLiteral("c'est un dossier")));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw TiravonError(cannotRead(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw TiravonError(cannotRead(path, file.errorString()));
    return decodeJpeg(bytes, path);
}

QByteArray encodeJpeg(const QImage &image, int quality, int dotsPerInch)
{
    if (image.isNull())
        throw TiravonError(QStringLiteral("Impossible d'enregistrer en JPEG une image vide"));
    if (image.width() > JPEG_MAX_DIMENSION || image.height() > JPEG_MAX_DIMENSION)
        throw TiravonError(QStringLiteral("Image trop grande pour le format JPEG : %1 × %2 pixels")
                               .arg(image.width())
                               .arg(image.height()));
    quality = qBound(1, quality, 100);
    dotsPerInch = qBound(1, dotsPerInch, 65535);

    const bool gray = image.format() == QImage::Format_Grayscale8
                      || image.format() == QImage::Format_Grayscale16;
    QImage pixels;
    if (gray) {
        pixels = image.convertToFormat(QImage::Format_Grayscale8);
    } else if (image.hasAlphaChannel()) {
        // JPEG has no transparency: lay the picture on white paper.
        pixels = QImage(image.size(), QImage::Format_RGB888);
        pixels.fill(Qt::white);
        QPainter painter(&pixels);
        painter.drawImage(0, 0, image);
    } else {
        pixels = image.convertToFormat(QImage::Format_RGB888);
    }
    if (pixels.isNull())
        throw TiravonError(QStringLiteral("Mémoire insuffisante pour enregistrer l'image JPEG"));

    EncodeContext ctx;
    std::memset(&ctx, 0, sizeof ctx);
    ctx.info.err = &ctx.error.pub;
    installErrorManager(&ctx.error);
    EncodeGuard guard{&ctx};

    if (!compressRows(&ctx, pixels.constBits(), size_t(pixels.bytesPerLine()), pixels.width(),
                      pixels.height(), gray ? 1 : 3, quality, dotsPerInch))
        throw TiravonError(QStringLiteral("Impossible de coder l'image en JPEG (%1)")
                               .arg(failureDetail(ctx.error)));
    return QByteArray(reinterpret_cast<const char *>(ctx.buffer), qsizetype(ctx.size));
}

void saveJpegFile(const QString &path, const QImage &image, int quality, int dotsPerInch)
{
    writeFileAtomically(path, encodeJpeg(image, quality, dotsPerInch));
}

QString builtInFormPicturePath()
{
    return QStringLiteral(":/feuille_de_soin_medecin.jpg");
}

QImage builtInFormPicture()
{
    return loadJpegFile(builtInFormPicturePath());
}
