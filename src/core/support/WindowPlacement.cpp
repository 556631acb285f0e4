#include "WindowPlacement.h"

#include "Platform.h"
#include "ProgramIdentity.h"
#include "SettingsStore.h"
#include "TiravonError.h"

#include <QRect>

namespace {

QString placementText(const Placement &p)
{
    return QStringLiteral("%1:%2:%3:%4").arg(p.left).arg(p.top).arg(p.width).arg(p.height);
}

int placementNumber(const QStringList &pieces, int index)
{
    if (index >= pieces.size())
        throw TiravonError(Messages::listIndexOutOfBounds(index));
    bool ok = false;
    const int value = pieces.at(index).toInt(&ok, 10);
    if (!ok)
        throw TiravonError(Messages::notAnInteger(pieces.at(index)));
    return value;
}

} // namespace

void savePlacement(const QString &windowName, const Placement &placement, const QString &file)
{
    writeSetting(programName(false), windowName, placementText(placement), file);
}

Placement clampPlacement(const Placement &stored, int currentWidth, const QRect &workArea)
{
    Placement p = stored;
    if (p.left > workArea.width())
        p.left = workArea.width() - currentWidth;
    if (p.top < 0)
        p.top = 0;
    if (p.width > workArea.width())
        p.width = workArea.width();
    if (p.height > workArea.height())
        p.height = workArea.height();

    // A window left wholly outside the work area could never be reached
    // again: bring it back onto it.
    const QRect rect(p.left, p.top, p.width, p.height);
    if (!rect.intersects(workArea)) {
        p.left = qBound(workArea.left(), p.left, qMax(workArea.left(), workArea.right() + 1 - p.width));
        p.top = qBound(workArea.top(), p.top, qMax(workArea.top(), workArea.bottom() + 1 - p.height));
    }
    return p;
}

Placement restoredPlacement(const QString &windowName, const Placement &current, const QString &file)
{
    const QString text = readSetting(programName(false), windowName, placementText(current), file);
    const QStringList pieces = splitString(text, QStringLiteral(":"));
    const Placement stored{placementNumber(pieces, 0), placementNumber(pieces, 1),
                           placementNumber(pieces, 2), placementNumber(pieces, 3)};
    return clampPlacement(stored, current.width, platform().workArea());
}

QStringList splitString(const QString &text, const QString &separator)
{
    QStringList pieces;
    QString rest = text;
    if (!separator.isEmpty()) {
        for (int at = rest.indexOf(separator); at >= 0; at = rest.indexOf(separator)) {
            pieces << rest.left(at);
            rest.remove(0, at + separator.size());
        }
    }
    if (!rest.isEmpty())
        pieces << rest;
    return pieces;
}
