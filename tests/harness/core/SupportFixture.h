#pragma once

#include "QtPrinting.h"

// Every support test runs with a fake platform whose program file lies in a
// fresh temporary folder, so the settings file and every other file the test
// touches live there; the desktop platform is put back afterwards.

#include "FakePlatform.h"
#include "ScriptedDialogs.h"
#include "support/TiravonError.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

class SupportTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    FakePlatform fake;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
#ifdef Q_OS_WIN
        fake.programFilePath = QDir::toNativeSeparators(dir.filePath(QStringLiteral("Tiravon.exe")));
#else
        fake.programFilePath = dir.filePath(QStringLiteral("Tiravon"));
#endif
        setPlatform(&fake);
    }

    void TearDown() override { setPlatform(nullptr); }

    // A path in the temporary folder, with the platform's separators.
    QString path(const QString &name) const { return QDir::toNativeSeparators(dir.filePath(name)); }

    // The names in the temporary folder, to see that no stray file is left.
    QStringList folderEntries() const
    {
        QStringList names = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                                       | QDir::NoDotAndDotDot);
        names.sort();
        return names;
    }
};

// The message of the program's error raised by an action, or empty.
inline QString errorMessageOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const TiravonError &e) {
        return e.message();
    }
    return QString();
}

inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void putBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

inline QByteArray utf16LE(const QString &text)
{
    QStringEncoder encoder(QStringConverter::Utf16LE, QStringConverter::Flag::Stateless);
    return encoder.encode(text);
}

const QByteArray kUtf8Mark("\xEF\xBB\xBF", 3);
const QByteArray kUtf16LEMark("\xFF\xFE", 2);

