// The reader of the CCAM reference text: what RTF becomes as plain text and
// as formats, and that no file, however broken, crashes it.
#include "acts/RtfReader.h"
#include "support/TiravonError.h"
#include "QtPrinting.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

QString textOf(const QByteArray &rtf)
{
    return readRtf(rtf).text;
}

// The format of the character at a position.
RtfCharFormat formatAt(const RtfText &content, int position)
{
    for (const RtfRun &run : content.runs)
        if (position >= run.start && position < run.start + run.length)
            return run.format;
    ADD_FAILURE() << "no run at " << position;
    return RtfCharFormat();
}

TEST(RtfReaderTest, TurnsControlWordsSymbolsAndEscapesIntoText)
{
    struct Case { const char *rtf; const char16_t *text; };
    const Case cases[] = {
        {R"({\rtf1 plain text})", u"plain text"},
        {R"({\rtf1 a\par b\line c\tab d})", u"a\nb\u2028c\td"},
        {R"({\rtf1 \\ \{ \} a\~b})", u"\\ { } a\u00A0b"},
        {"{\\rtf1 line\r\nbreaks\r\n are not text}", u"linebreaks are not text"},
        {R"({\rtf1 caf\'e9 \'80 \'9c})", u"café € œ"},                      // Windows-1252 by default
        {R"({\rtf1\ansi\ansicpg28591 \'80\'e9})", u"\u0080é"},              // the code page it names
        {R"({\rtf1 \u233?t\u233?})", u"été"},                               // one fallback character
        {R"({\rtf1 \uc2\u8364 EUro})", u"€ro"},                             // \ucN fallback characters
        {R"({\rtf1 \uc0\u233 x})", u"éx"},
        {R"({\rtf1 \u233\'e9b})", u"éb"},                                   // an escape is one fallback
        {R"({\rtf1 \u-3913?})", u"\uF0B7"},                                 // negative: above 32767
        {R"({\rtf1 \u233{x}})", u"éx"},                                     // a group ends the fallback
        {R"({\rtf1 a\unknownword12 b\-c})", u"abc"},
        {R"({\rtf1 \emdash\bullet\lquote})", u"\u2014\u2022\u2018"},
        {R"({\rtf1 a{\*\generator Writer;}{\info{\title T}}b})", u"ab"},     // skipped destinations
        {R"({\rtf1{\fonttbl{\f0\fswiss Arial;}}{\stylesheet{\s0 Normal;}}x})", u"x"},
        {R"({\rtf1 a{\pict\pngblip 89504e47}b})", u"ab"},                   // pictures
        {"{\\rtf1 a{\\pict\\bin4 {}\\\\b}c}", u"ac"},                       // binary data is not read
        {R"({\rtf1 a\'00\'07b})", u"ab"},                                   // control characters dropped
        {R"({\rtf1 in} after the end)", u"in"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(textOf(c.rtf), QString::fromUtf16(c.text)) << c.rtf;
}

TEST(RtfReaderTest, NestedGroupsKeepTheirOwnFormats)
{
    const RtfText content = readRtf(R"({\rtf1 a{\b b{\i c}d}e\b f\plain g\b\pard h\b0 i\ul j\ulnone k})");
    ASSERT_EQ(content.text, QStringLiteral("abcdefghijk"));
    struct Expected { char c; bool bold, italic, underline; };
    const Expected expected[] = {
        {'a', false, false, false}, {'b', true, false, false}, {'c', true, true, false},
        {'d', true, false, false},  {'e', false, false, false},        {'f', true, false, false},
        {'g', false, false, false}, {'h', true, false, false},         {'i', false, false, false},
        {'j', false, false, true},  {'k', false, false, false},
    };
    for (const Expected &e : expected) {
        const RtfCharFormat format = formatAt(content, int(content.text.indexOf(QLatin1Char(e.c))));
        EXPECT_EQ(format.bold, e.bold) << e.c;
        EXPECT_EQ(format.italic, e.italic) << e.c;
        EXPECT_EQ(format.underline, e.underline) << e.c;
    }
}

TEST(RtfReaderTest, ColoursFontsAndSizesComeFromTheirTables)
{
    const RtfText content = readRtf(
        R"({\rtf1\deff1{\fonttbl{\f0\fmodern Courier New;}{\f1\fswiss Arial;}})"
        R"({\colortbl;\red255\green0\blue0;\red0\green0\blue255;})"
        R"(\cf1 R\cf2\cb1 B\cf0\cb0 A\cf9 Z\f0\fs30 M\plain N})");
    ASSERT_EQ(content.text, QStringLiteral("RBAZMN"));
    EXPECT_EQ(formatAt(content, 0).foreground, QColor(255, 0, 0));
    EXPECT_EQ(formatAt(content, 1).foreground, QColor(0, 0, 255));
    EXPECT_EQ(formatAt(content, 1).background, QColor(255, 0, 0));
    // Colour 0 is the table's empty entry: the view's own colour, as is any
    // number beyond the table.
    EXPECT_FALSE(formatAt(content, 2).foreground.isValid());
    EXPECT_FALSE(formatAt(content, 2).background.isValid());
    EXPECT_FALSE(formatAt(content, 3).foreground.isValid());
    EXPECT_EQ(formatAt(content, 3).fontFamily, QStringLiteral("Arial"));      // the default font
    EXPECT_EQ(formatAt(content, 4).fontFamily, QStringLiteral("Courier New"));
    EXPECT_EQ(formatAt(content, 4).pointSize, 15.0);
    EXPECT_EQ(formatAt(content, 5).fontFamily, QStringLiteral("Arial"));
    EXPECT_EQ(formatAt(content, 5).pointSize, 0.0);
}

TEST(RtfReaderTest, BrokenFilesGiveTheirTextOrAFrenchError)
{
    // Truncated anywhere: the text up to the cut.
    struct Case { QByteArray rtf; const char *text; };
    const Case truncated[] = {
        {R"({\rtf1 abc{\b de)", "abcde"},
        {R"({\rtf1 ab\'e)", "ab"},
        {R"({\rtf1 ab\)", "ab"},
        {R"({\rtf1 ab\u12)", "ab"},
        {R"({\rtf1 ab\bin99999 xyz)", "ab"},
        {R"({\rtf1 ab{\*\unfinished)", "ab"},
    };
    for (const Case &c : truncated) {
        const RtfText content = readRtf(c.rtf);
        EXPECT_EQ(content.text, QString::fromLatin1(c.text)) << c.rtf.constData();
        EXPECT_TRUE(content.truncated) << c.rtf.constData();
    }
    EXPECT_FALSE(readRtf(R"({\rtf1 whole})").truncated);

    // Braces nested 100,000 deep, closed or not, without any recursion.
    const int depth = 100000;
    const QByteArray open(depth, '{'), close(depth, '}');
    EXPECT_EQ(textOf("{\\rtf1 a" + open + "{\\b x}" + close + "b}"), QStringLiteral("axb"));
    EXPECT_EQ(textOf("{\\rtf1 a" + open + "x"), QStringLiteral("ax"));
    EXPECT_EQ(textOf("{\\rtf1 a" + close + "x"), QStringLiteral("a"));

    // Binary junk after a valid start reads as text, never as a crash.
    QByteArray junk = "{\\rtf1 ";
    for (int i = 0; i < 4096; ++i)
        junk += char((i * 7919) % 256);
    EXPECT_NO_THROW(readRtf(junk));

    struct Refused { QByteArray bytes; const char *message; };
    const Refused refused[] = {
        {QByteArray(), "le fichier est vide"},
        {"  \r\n", "le fichier est vide"},
        {QByteArray("\x89PNG\r\n\x1a\n\0\0", 10), "ce n'est pas un texte RTF"},
        {"Code\tTexte", "ce n'est pas un texte RTF"},
    };
    for (const Refused &r : refused) {
        try {
            readRtf(r.bytes);
            ADD_FAILURE() << "accepted " << r.bytes.constData();
        } catch (const TiravonError &e) {
            EXPECT_EQ(e.message(), QString::fromUtf8(r.message));
        }
    }
}

TEST(RtfReaderTest, FillsADocumentWhosePositionsAreThoseOfTheText)
{
    const RtfText content = readRtf(R"({\rtf1{\colortbl;\red255\green255\blue0;}{\b\cf1 JKHD001}\tab Pr\'e9l\'e8vement\par ZCQM003\line x})");
    QTextDocument document;
    document.setPlainText(QStringLiteral("old content"));
    fillTextDocument(&document, content);
    EXPECT_EQ(document.toPlainText(), QStringLiteral("JKHD001\tPrélèvement\nZCQM003\nx"));
    EXPECT_EQ(document.blockCount(), 2);
    QTextCursor cursor(&document);
    cursor.setPosition(3);
    cursor.setPosition(4, QTextCursor::KeepAnchor);
    EXPECT_EQ(cursor.charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(cursor.charFormat().foreground().color(), QColor(255, 255, 0));
    cursor.setPosition(int(document.toPlainText().indexOf(QLatin1Char('Z'))) + 1);
    EXPECT_NE(cursor.charFormat().fontWeight(), QFont::Bold);
}

} // namespace
