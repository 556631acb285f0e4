// The reader of the CCAM reference text on any bytes: text or the program's
// error, never a crash or a hang, whatever the nesting. The runs cover the
// text in order; the text keeps no control character but the tab and the
// paragraph end; the document the viewer shows has the text's positions, so
// that a match found in the text selects the same characters in the view;
// a plain text without braces or backslashes reads back as itself.

#include "FuzzSupport.h"

#include "acts/RtfReader.h"
#include "support/CodePage.h"
#include "support/TiravonError.h"

#include <QGuiApplication>
#include <QTextDocument>

namespace {

// The document positions of the text as the viewer's plain text gives them.
QString asShown(QString text)
{
    for (QChar &c : text) {
        switch (c.unicode()) {
        case 0x2028:
        case 0x2029:
        case 0xFDD0:
        case 0xFDD1: c = QLatin1Char('\n'); break;
        case 0x00A0: c = QLatin1Char(' '); break;
        default: break;
        }
    }
    return text;
}

// Whether the reader takes the bytes as rich text: "{\rtf" after a UTF-8
// byte-order mark and blanks, if any.
bool beginsAsRichText(const QByteArray &bytes)
{
    qsizetype at = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (at < bytes.size() && (bytes.at(at) == ' ' || bytes.at(at) == '\t' || bytes.at(at) == '\r' || bytes.at(at) == '\n'))
        ++at;
    return bytes.mid(at, 5) == "{\\rtf";
}

void checkContent(const RtfText &content)
{
    int next = 0;
    for (const RtfRun &run : content.runs) {
        FUZZ_CHECK(run.start == next && run.length > 0);
        next += run.length;
    }
    FUZZ_CHECK(next == content.text.size());
    for (const QChar c : content.text)
        FUZZ_CHECK(c.unicode() >= 0x20 || c == QLatin1Char('\t') || c == QLatin1Char('\n'));

    QTextDocument document;
    document.setUndoRedoEnabled(false);
    fillTextDocument(&document, content);
    FUZZ_CHECK(document.toPlainText() == asShown(content.text));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // The document's formats want the fonts of an application.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = bytesOf(data, size);
    try {
        const RtfText content = readRtf(bytes);
        FUZZ_CHECK(beginsAsRichText(bytes));
        checkContent(content);
    } catch (const TiravonError &) {
        // Only a file that does not begin as rich text is refused.
        FUZZ_CHECK(!beginsAsRichText(bytes));
    }

    // The same bytes as the plain text of a document.
    QByteArray plain;
    for (const char c : bytes)
        if (c != '{' && c != '}' && c != '\\')
            plain += c;
    const RtfText content = readRtf("{\\rtf1 " + plain + "}");
    QString expected;
    for (const QChar c : decodeWindows1252(plain))
        if (c.unicode() >= 0x20 || c == QLatin1Char('\t'))
            expected += c;
    FUZZ_CHECK(content.text == expected);
    FUZZ_CHECK(!content.truncated);
    FUZZ_CHECK(content.runs.size() == (expected.isEmpty() ? 0 : 1));
    return 0;
}
