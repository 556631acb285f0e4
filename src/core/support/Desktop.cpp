#include "Desktop.h"

#include "Dialogs.h"
#include "Platform.h"

void showErrorReport(const QString &module, const QString &message)
{
    const QString crlf = QStringLiteral("\r\n");
    const QString text =
        QStringLiteral("Veuillez noter précisément les détails de cette erreur et les rapporter au developpeur")
        + crlf + crlf + QStringLiteral("Module : ") + crlf + QStringLiteral("=>") + module
        + crlf + crlf + QStringLiteral("Message : ") + crlf + QStringLiteral("=>") + message;
    if (dialogs().errorReport(text))
        platform().terminate();
}

void openDocument(const QString &document)
{
    platform().openDocument(document);
}
