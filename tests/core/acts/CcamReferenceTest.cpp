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

TEST(CcamReferenceTest, TheCurrentDirectoryComesFirstThenTheProgramFolder)
{
    QTemporaryDir current, program, neither;
    const QString here = QDir(current.path()).filePath(QStringLiteral("CCAM.RTF"));
    const QString beside = QDir(program.path()).filePath(QStringLiteral("CCAM.RTF"));
    EXPECT_EQ(CcamReference::locate(current.path(), program.path()), QString());
    touch(beside);
    EXPECT_EQ(CcamReference::locate(current.path(), program.path() + QLatin1Char('/')), QDir(program.path() + QLatin1Char('/')).filePath(QStringLiteral("CCAM.RTF")));
    touch(here);
    EXPECT_EQ(CcamReference::locate(current.path(), program.path()), here);
    // A folder of that name is not the file.
    ASSERT_TRUE(QDir(neither.path()).mkdir(QStringLiteral("CCAM.RTF")));
    EXPECT_EQ(CcamReference::locate(neither.path(), QString()), QString());
}

TEST(CcamReferenceTest, TheShippedSampleReadsAsOneActPerLineInTheHeadersColumns)
{
    QFile file(QStringLiteral(TIRAVON_TEST_DATA "/../../resources/CCAM.RTF"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const RtfText content = readRtf(file.readAll());
    EXPECT_FALSE(content.truncated);
    const QStringList lines = content.text.split(QLatin1Char('\n'));
    QStringList acts;
    for (const QString &line : lines)
        if (line.count(QLatin1Char('\t')) == 9)
            acts << line;
    EXPECT_EQ(acts.size(), 48);
    EXPECT_TRUE(acts.contains(QStringLiteral("JKHD001\t\tPrélèvement cervicovaginal\t1\t0\t12,73\t\t\t\t"))) << acts.value(0).toStdString();
    EXPECT_TRUE(content.text.contains(QStringLiteral("Biopsie ou frottis de l'endomètre, sans hystéroscopie")));
}

} // namespace
