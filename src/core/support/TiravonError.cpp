#include "TiravonError.h"

TiravonError::TiravonError(const QString &message)
    : std::runtime_error(message.toStdString()), m_message(message)
{
}

namespace Messages {

QString cannotWrite(const QString &path)
{
    return QStringLiteral("Impossible d'écrire dans %1").arg(path);
}

QString notAFloat(const QString &text)
{
    return QStringLiteral("'%1' n'est pas une valeur en virgule flottante correcte").arg(text);
}

QString notAnInteger(const QString &text)
{
    return QStringLiteral("'%1' n'est pas une valeur entière correcte").arg(text);
}

QString listIndexOutOfBounds(int index)
{
    return QStringLiteral("Index de liste hors limites (%1)").arg(index);
}

} // namespace Messages
