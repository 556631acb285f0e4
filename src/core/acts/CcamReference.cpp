#include "CcamReference.h"

#include <QDir>
#include <QFileInfo>

namespace CcamReference {

namespace {
const QString kHealthInsuranceSite = QStringLiteral("https://www.ameli.fr");
const QString kCodingHelpSite = QStringLiteral("https://www.aideaucodage.fr");
const QString kOfficialJournalSite = QStringLiteral("https://www.legifrance.gouv.fr");
} // namespace

QString fileName()
{
    return QStringLiteral("CCAM.RTF");
}

QStringList searchFolders(const QString &currentDirectory, const QString &programFolder,
                          const QString &programFileFolder)
{
    QStringList folders{currentDirectory, programFolder, programFileFolder};
    if (!programFileFolder.isEmpty())
        folders << QDir::cleanPath(programFileFolder + QStringLiteral("/../share/tiravon"));
    return folders;
}

QString locate(const QStringList &folders)
{
    for (const QString &folder : folders) {
        if (folder.isEmpty())
            continue;
        const QFileInfo file(QDir(folder), fileName());
        if (file.isFile())
            return file.filePath();
    }
    return QString();
}

QString sizeRefusal(qint64 size)
{
    if (size <= kLargestFile)
        return QString();
    const qint64 megabyte = 1024 * 1024;
    return QStringLiteral("Fichier \"CCAM.RTF\" trop volumineux (%1 Mo) : un texte de la CCAM ne dépasse pas %2 Mo. "
                          "Il n'est pas ouvert.")
        .arg((size + megabyte - 1) / megabyte)
        .arg(kLargestFile / megabyte);
}

QString codingHelpPage(const QString &code)
{
    return kCodingHelpSite + QStringLiteral("/ccam-") + code;
}

QString shortActSheet(const QString &code)
{
    return kHealthInsuranceSite + QStringLiteral("/accueil-de-la-ccam/trouver-un-acte/fiche-abregee.php?code=") + code;
}

QString actLookUp()
{
    return kHealthInsuranceSite + QStringLiteral("/accueil-de-la-ccam/trouver-un-acte/index.php");
}

QString modifiersNote()
{
    return kHealthInsuranceSite + QStringLiteral("/fileadmin/user_upload/documents/ccamnote_V31.pdf");
}

QString officialJournalText()
{
    return kOfficialJournalSite + QStringLiteral("/affichTexte.do?cidTexte=JORFTEXT000027478395");
}

} // namespace CcamReference
