#pragma once

#include <QByteArray>
#include <QString>

// Windows-1252, the 8-bit code page of French Windows systems, in which the
// program's text files are read and written whatever the platform. Qt 6 has
// no codec for it: it differs from Latin-1 in the 32 code points 0x80-0x9F.
// The five bytes that Windows-1252 leaves undefined map to the control
// characters of the same value, so every byte sequence reads and writes back
// unchanged.
QString decodeWindows1252(const QByteArray &bytes);
// Returns false in *ok (and '?' in place) for a character the code page lacks.
QByteArray encodeWindows1252(const QString &text, bool *ok = nullptr);
bool canEncodeWindows1252(const QString &text);
