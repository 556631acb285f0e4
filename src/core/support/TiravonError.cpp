#include "TiravonError.h"

#include <new>

TiravonError::TiravonError(const QString &message)
    : std::runtime_error(message.toStdString()), m_message(message)
{
}

QString userMessageOf(const std::exception &error)
{
    if (const auto *own = dynamic_cast<const TiravonError *>(&error))
        return own->message();
    if (dynamic_cast<const std::bad_alloc *>(&error))
        return QStringLiteral("Mémoire insuffisante : l'opération n'a pas pu aboutir.");
    return QStringLiteral("Erreur inattendue : l'opération n'a pas pu aboutir (%1).").arg(QString::fromUtf8(error.what()));
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
