#pragma once
// What the fuzz targets share: a failed property stops the run with a message
// (libFuzzer keeps the input that caused it), and texts taken from the input.

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>

#define FUZZ_CHECK(condition)                                                          \
    do {                                                                               \
        if (!(condition)) {                                                            \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                              \
        }                                                                              \
    } while (0)

inline QByteArray bytesOf(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// A text of at most `maxLength` bytes read as UTF-8 (invalid sequences become
// replacement characters, as they would for a typed text).
inline QString textFrom(FuzzedDataProvider &input, size_t maxLength)
{
    return QString::fromStdString(input.ConsumeRandomLengthString(maxLength));
}
