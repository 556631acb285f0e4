#pragma once

#include <QString>
#include <memory>

class QLockFile;

// One copy of the program per data folder. Two copies working on the same
// folder would each write back what it read at its start, and the one closed
// last would wipe what the other saved. A lock file in the folder, held for
// the program's life, keeps the second copy out. The lock of a copy that has
// ended without removing it (killed, a crash, a power cut) is taken over:
// QLockFile finds its process gone, or, for a copy on another computer, the
// lock untouched for a while and no longer held by the system. A copy that
// still runs keeps its lock however long it runs, since it holds the file
// open and locked.
class DataFolderLock
{
public:
    enum class Outcome {
        Taken,              // this copy holds the folder
        HeldByAnotherCopy,  // another running copy does
        Unavailable,        // no lock file can be made there (a folder that cannot be written)
    };

    // Tries at once, without waiting.
    explicit DataFolderLock(const QString &folder);
    ~DataFolderLock();
    DataFolderLock(const DataFolderLock &) = delete;
    DataFolderLock &operator=(const DataFolderLock &) = delete;

    Outcome outcome() const { return m_outcome; }
    // The computer the other copy runs on, when the lock file says.
    QString otherComputer() const { return m_otherComputer; }

    // "Tiravon.lock" in the folder.
    static QString lockFileIn(const QString &folder);

private:
    std::unique_ptr<QLockFile> m_lock;
    Outcome m_outcome = Outcome::Unavailable;
    QString m_otherComputer;
};

// What the second copy says before it quits.
QString anotherCopyMessage(const QString &folder, const QString &otherComputer);
