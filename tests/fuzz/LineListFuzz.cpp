// The line lists kept between runs: any file reads; its lines written and read
// back are the same lines; the rules of the lists are an equivalence and an
// order.

#include "FuzzSupport.h"

#include "support/ListRules.h"
#include "support/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/tiravon-fuzz-XXXXXX"));
    const QString path = folder.filePath(QStringLiteral("VILLES.TXT"));

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    file.close();

    bool exists = false;
    const QStringList lines = readLineFile(path, &exists);
    FUZZ_CHECK(exists);
    writeLineFile(path, lines);
    QStringList again = readLineFile(path);
    FUZZ_CHECK(again == lines);

    for (qsizetype i = 0; i + 1 < lines.size() && i < 16; ++i) {
        const QString &a = lines.at(i);
        const QString &b = lines.at(i + 1);
        FUZZ_CHECK(sameListEntry(a, a));
        FUZZ_CHECK(sameListEntry(a, b) == sameListEntry(b, a));
        FUZZ_CHECK(!listOrderLess(a, a));
        FUZZ_CHECK(!(listOrderLess(a, b) && listOrderLess(b, a)));
        FUZZ_CHECK(isNewListEntry(lines, a) == false);
        FUZZ_CHECK(isNewListEntry({b}, a) == (!a.isEmpty() && !sameListEntry(a, b)));
    }
    return 0;
}
