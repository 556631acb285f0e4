#pragma once

#include "support/Platform.h"

#include <QStringList>

// A platform whose program file, login name, Windows folder, work area,
// clock, folder rights and per-user folder a test sets, and which records
// what was handed to the desktop.
class FakePlatform : public Platform
{
public:
    QString programFilePath;
    QString login = QStringLiteral("user1");
    QString windows;
    QRect area = QRect(0, 0, 1920, 1040);
    QDateTime clock = QDateTime(QDate(2026, 12, 9), QTime(10, 30));

    QStringList opened;          // documents handed to the desktop
    QStringList edited;          // text files opened in the editor
    int terminateRequests = 0;
    QStringList readOnlyFolders; // folders the program may not write in
    QString userData;            // the per-user folder; none by default

    QString programFile() const override { return programFilePath; }
    QString loginName() const override { return login; }
    QString windowsFolder() const override { return windows; }
    QRect workArea() const override { return area; }
    QDateTime now() const override { return clock; }
    void openDocument(const QString &document) override { opened << document; }
    void editTextFile(const QString &path) override { edited << path; }
    void terminate() override { ++terminateRequests; }
    bool canWriteIn(const QString &folder) const override { return !readOnlyFolders.contains(folder); }
    QString userDataFolder() const override { return userData; }
};
