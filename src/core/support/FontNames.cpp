#include "FontNames.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace {

// The family's own name of the style nearest to the font's: the same slant,
// the nearest weight. A font dialog given only a weight and a slant matches
// them against the style names and, finding none equal, takes the family's
// first style ("Bold Italic" for a bold font).
QString nearestStyle(const QString &family, const QFont &font)
{
    QString best;
    int bestDistance = 0;
    const QStringList styles = QFontDatabase::styles(family);
    for (const QString &style : styles) {
        const int distance = (QFontDatabase::italic(family, style) != font.italic() ? 10000 : 0)
                             + qAbs(QFontDatabase::weight(family, style) - font.weight());
        if (best.isEmpty() || distance < bestDistance) {
            best = style;
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace

QFont fontAsDrawn(const QFont &font)
{
    QFont drawn = font;
    const QString family = QFontInfo(font).family();
    drawn.setFamilies({});
    drawn.setFamily(family);
    drawn.setStyleName(nearestStyle(family, font));
    return drawn;
}

QFont fontKeepingOwnName(const QFont &own, const QFont &chosen)
{
    QFont result = chosen;
    if (chosen.family() == QFontInfo(own).family())
        result.setFamily(own.family());
    return result;
}
