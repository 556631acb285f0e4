// The CCAM reference text: where it is looked for, and the sample shipped
// with the program read whole by the reader.
#include "acts/CcamReference.h"
#include "acts/RtfReader.h"
#include "QtPrinting.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void touch(const QString &path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

TEST(CcamReferenceTest, TheReferenceIsTakenFromTheFirstFolderThatHoldsIt)
{
    // An installation: <prefix>/bin/Tiravon and <prefix>/share/tiravon/CCAM.RTF,
    // the files in the per-user folder, started from the home folder.
    QTemporaryDir home, data, prefix;
    const QString bin = prefix.filePath(QStringLiteral("bin"));
    const QString shared = prefix.filePath(QStringLiteral("share/tiravon"));
    ASSERT_TRUE(QDir().mkpath(bin) && QDir().mkpath(shared));
    const QStringList folders = CcamReference::searchFolders(home.path(), data.path(), bin);
    EXPECT_EQ(folders, (QStringList{home.path(), data.path(), bin, QDir::cleanPath(shared)}));

    EXPECT_EQ(CcamReference::locate(folders), QString());
    const struct
    {
        QString folder;
        const char *what;
    } steps[] = {
        {shared, "the installation's shared data"},
        {bin, "beside the program"},
        {data.path(), "the program folder"},
        {home.path(), "the current directory"},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.what);
        touch(QDir(step.folder).filePath(QStringLiteral("CCAM.RTF")));
        EXPECT_EQ(QDir::cleanPath(CcamReference::locate(folders)),
                  QDir::cleanPath(QDir(step.folder).filePath(QStringLiteral("CCAM.RTF"))));
    }
    // A folder of that name is not the file; empty folders are passed over.
    QTemporaryDir neither;
    ASSERT_TRUE(QDir(neither.path()).mkdir(QStringLiteral("CCAM.RTF")));
    EXPECT_EQ(CcamReference::locate(CcamReference::searchFolders(neither.path(), QString(), QString())), QString());
}

TEST(CcamReferenceTest, AFileNoRealCcamReachesIsRefusedBeforeItIsRead)
{
    const qint64 mb = 1024 * 1024;
    const struct { qint64 size; QString said; } cases[] = {
        {0, QString()},
        {2 * mb, QString()},
        {64 * mb, QString()},
        {64 * mb + 1, QStringLiteral("Fichier \"CCAM.RTF\" trop volumineux (65 Mo) : un texte de la CCAM ne dépasse pas "
                                     "64 Mo. Il n'est pas ouvert.")},
        {200 * mb, QStringLiteral("Fichier \"CCAM.RTF\" trop volumineux (200 Mo) : un texte de la CCAM ne dépasse pas "
                                  "64 Mo. Il n'est pas ouvert.")},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CcamReference::sizeRefusal(c.size), c.said) << c.size;
}

TEST(CcamReferenceTest, TheShippedSampleReadsAsTwoLinesAnAct)
{
    QFile file(QStringLiteral(TIRAVON_TEST_DATA "/../../resources/CCAM.RTF"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const RtfText content = readRtf(file.readAll());
    EXPECT_FALSE(content.truncated);
    EXPECT_EQ(content.text.count(QStringLiteral("\n\t\t\t1\t0\t")), 48);
    EXPECT_TRUE(content.text.contains(QStringLiteral("JKHD001\t\tPrélèvement cervicovaginal\n\t\t\t1\t0\t12,73\t\t\t\t\t\t\t\n")));
    EXPECT_TRUE(content.text.contains(QStringLiteral("Biopsie ou frottis de l'endomètre, sans hystéroscopie")));
}

} // namespace
