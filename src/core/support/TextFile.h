#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Text files as the program keeps them: read in the encoding their byte-order
// mark names (UTF-8, UTF-16 LE or BE), otherwise in Windows-1252; written
// back in the encoding they were read in; written whole through a temporary
// file renamed over the old one, so a failure never leaves half a file.
enum class TextEncoding {
    Windows1252,
    Utf8Bom,
    Utf16LEBom,
    Utf16BEBom,
    Utf16LE,        // UTF-16 recognised without its mark
    Utf16BE,
};

TextEncoding detectEncoding(const QByteArray &bytes);
QString decodeText(const QByteArray &bytes, TextEncoding encoding);
// With the mark for the encodings that have one.
QByteArray encodeText(const QString &text, TextEncoding encoding);
// Windows-1252 cannot hold every character: text it cannot hold is written in
// UTF-8 with a mark instead, so nothing is lost.
TextEncoding encodingToWrite(const QString &text, TextEncoding wanted);

struct TextFileContent
{
    bool exists = false;
    QString text;
    TextEncoding encoding = TextEncoding::Windows1252;
};

// A missing or unreadable file reads as not existing.
TextFileContent readTextFile(const QString &path);
// Raises "Impossible d'écrire dans %s" when the file cannot be written (a
// read-only file, a missing or read-only folder); the old file stays intact.
void writeTextFile(const QString &path, const QString &text, TextEncoding encoding);

// Whether a file there could be written now: a path, not a read-only file, in
// a folder that is there and can be written.
bool canReplaceFile(const QString &path);

// Any file written whole through a temporary file renamed over the old one,
// the one routine every file the program writes goes through. The rename
// happens only once every byte has reached the disk: a write that fails (a
// full disk included) raises "Impossible d'écrire dans %s" and leaves the old
// file byte for byte.
void writeFileAtomically(const QString &path, const QByteArray &bytes);

// Line files (lists kept between runs): lines split at CR LF, CR or LF.
QStringList splitLines(const QString &text);
// The lines of a file; *exists tells whether there was one.
QStringList readLineFile(const QString &path, bool *exists = nullptr);
// Writes every line followed by CR LF, in the encoding the file has now (a new
// file in Windows-1252).
void writeLineFile(const QString &path, const QStringList &lines);
