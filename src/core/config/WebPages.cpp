#include "WebPages.h"

namespace WebPages {

namespace {
// The maker's site is not settled yet: a reserved name that can belong to
// nobody else, until the project has its own host.
const QString kMakerSite = QStringLiteral("https://www.tiravon.example");
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
