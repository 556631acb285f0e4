#include "PickListRules.h"

QString pickListErrorText(const QString &handler, const QString &error)
{
    return QStringLiteral("ERR:\"%1\"=>").arg(handler) + error;
}
