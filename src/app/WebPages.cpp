#include "WebPages.h"

namespace WebPages {

namespace {
const QString kMakerSite = QStringLiteral("https://www.tiravon.fr");
const QString kHealthInsuranceSite = QStringLiteral("https://www.ameli.fr");
} // namespace

QString onlineManual()
{
    return kMakerSite + QStringLiteral("/tiravon/aide/");
}

QString careSheetInformation()
{
    return kHealthInsuranceSite
        + QStringLiteral("/assures/soins-et-remboursements/comment-etre-rembourse/la-feuille-de-soins.php");
}

} // namespace WebPages
