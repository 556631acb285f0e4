#pragma once

#include <QString>
#include <stdexcept>

// The one error type of the program: a French message meant for the user.
// Raised by the settings store, the conversions and every failure that is
// shown in the application's default error box.
class TiravonError : public std::runtime_error
{
public:
    explicit TiravonError(const QString &message);

    QString message() const { return m_message; }

private:
    QString m_message;
};

// What a user is shown of any error: the program's own French message; for
// another exception a French sentence, the exception's own words (a
// library's, in English) in brackets only as a detail to report.
QString userMessageOf(const std::exception &error);

// The standard messages shared by several units.
namespace Messages {
QString cannotWrite(const QString &path);          // "Impossible d'écrire dans %s"
QString notAFloat(const QString &text);            // "'%s' n'est pas une valeur en virgule flottante correcte"
QString notAnInteger(const QString &text);         // "'%s' n'est pas une valeur entière correcte"
QString listIndexOutOfBounds(int index);           // "Index de liste hors limites (%d)"
}
