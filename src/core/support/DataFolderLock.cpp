#include "DataFolderLock.h"

#include <QDir>
#include <QLockFile>

DataFolderLock::DataFolderLock(const QString &folder)
    : m_lock(std::make_unique<QLockFile>(lockFileIn(folder)))
{
    if (m_lock->tryLock(0)) {
        m_outcome = Outcome::Taken;
        return;
    }
    if (m_lock->error() != QLockFile::LockFailedError) {
        m_outcome = Outcome::Unavailable;
        return;
    }
    m_outcome = Outcome::HeldByAnotherCopy;
    qint64 pid = 0;
    QString application;
    m_lock->getLockInfo(&pid, &m_otherComputer, &application);
}

DataFolderLock::~DataFolderLock() = default;

QString DataFolderLock::lockFileIn(const QString &folder)
{
    return QDir(folder).filePath(QStringLiteral("Tiravon.lock"));
}

QString anotherCopyMessage(const QString &folder, const QString &otherComputer)
{
    const QString where = otherComputer.isEmpty()
        ? QString()
        : QStringLiteral(" sur le poste \"%1\"").arg(otherComputer);
    return QStringLiteral("Tiravon est déjà ouvert%1 avec le dossier \"%2\".\r\r"
                          "Deux Tiravon ouverts sur le même dossier effaceraient le travail l'un de l'autre : "
                          "fermez l'autre avant de rouvrir celui-ci. Celui-ci se ferme sans rien modifier.")
        .arg(where, QDir::toNativeSeparators(folder));
}
