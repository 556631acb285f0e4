#pragma once

// A reader of rich text (RTF) for the CCAM reference text: it turns the file
// into its plain text and the character formats a read-only view shows
// (bold, italic, underline, colours, font family and size). Paragraphs end
// with '\n', a line break inside a paragraph is U+2028, a tab is '\t'.
//
// It never recurses: groups live on a stack of their own, and groups nested
// deeper than a fixed limit share the state of the deepest one kept, so
// 100,000 nested braces cost no more than a few. A truncated file gives the
// text read up to its end. Pictures, binary data, the document's
// information, style sheets and every "\*" destination are skipped.

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QVector>

class QTextDocument;

struct RtfCharFormat
{
    bool bold = false;
    bool italic = false;
    bool underline = false;
    QColor foreground;          // invalid: the view's own text colour
    QColor background;          // invalid: no background
    QString fontFamily;         // empty: the view's own font
    double pointSize = 0;       // 0: the view's own size

    bool operator==(const RtfCharFormat &other) const;
    bool operator!=(const RtfCharFormat &other) const { return !(*this == other); }
};

// A stretch of text with one format.
struct RtfRun
{
    int start = 0;
    int length = 0;
    RtfCharFormat format;
};

struct RtfText
{
    QString text;
    QVector<RtfRun> runs;       // cover the text in order, without gaps
    bool truncated = false;     // the file ended inside a group or a control word
};

// Reads an RTF file's bytes. Raises a French error for a file that is empty
// ("le fichier est vide") or that is not rich text ("ce n'est pas un texte
// RTF"); anything after a valid start gives text.
RtfText readRtf(const QByteArray &bytes);

// Replaces the document's content by the text and its formats.
void fillTextDocument(QTextDocument *document, const RtfText &content);
