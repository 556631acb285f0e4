#include "FontNames.h"

#include <QFontInfo>
#include <QStringList>

QFont fontAsDrawn(const QFont &font)
{
    QFont drawn = font;
    drawn.setFamilies({});
    drawn.setFamily(QFontInfo(font).family());
    return drawn;
}

QFont fontKeepingOwnName(const QFont &own, const QFont &chosen)
{
    QFont result = chosen;
    if (chosen.family() == QFontInfo(own).family())
        result.setFamily(own.family());
    return result;
}
