#include "Dialogs.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

Dialogs::~Dialogs() = default;

namespace {
Dialogs *g_replacement = nullptr;
Dialogs *g_default = nullptr;

// Until the program's own dialogs are installed: every text goes to the
// debug output, and every question is declined.
class SilentDialogs : public Dialogs
{
public:
    void message(const QString &text) override { qWarning().noquote() << text; }
    void information(const QString &text) override { qWarning().noquote() << text; }
    bool confirm(const QString &text) override
    {
        qWarning().noquote() << text;
        return false;
    }
    void error(const QString &text) override { qWarning().noquote() << text; }
    bool errorReport(const QString &text) override
    {
        qWarning().noquote() << text;
        return false;
    }
    QString inputBox(const QString &, const QString &, const QString &preset) override { return preset; }
    QString openFile(const FileDialogRequest &) override { return QString(); }
    QString saveFile(const FileDialogRequest &) override { return QString(); }
    FontChoice chooseFont(const FontChoice &initial) override { return initial; }
    bool print(QPrinter &) override { return false; }
};
} // namespace

Dialogs &dialogs()
{
    static SilentDialogs silent;
    if (g_replacement)
        return *g_replacement;
    return g_default ? *g_default : silent;
}

void setDialogs(Dialogs *replacement)
{
    g_replacement = replacement;
}

void setDefaultDialogs(Dialogs *dialogs)
{
    g_default = dialogs;
}

QString qtFileFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts.at(i + 1);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        entries << QStringLiteral("%1 (%2)").arg(parts.at(i), patterns);
    }
    return entries.join(QStringLiteral(";;"));
}

QString chosenFileRefusal(const QString &path, bool folderExists, FileDialogMode mode, PathStyle style)
{
    if (path.isEmpty() || folderExists)
        return QString();
    QString folder = extractFilePath(path, style);
    if (folder.size() > 1)
        folder = excludeTrailingSeparator(folder, style);
    const QString text = mode == FileDialogMode::Open
        ? QStringLiteral("Le dossier \"%1\" n'existe pas : vérifiez le nom du fichier à ouvrir.")
        : QStringLiteral("Le dossier \"%1\" n'existe pas : le fichier ne peut pas y être enregistré.");
    return text.arg(folder);
}

QString chosenFileRefusal(const QString &path, FileDialogMode mode)
{
    if (path.isEmpty())
        return QString();
    return chosenFileRefusal(QDir::toNativeSeparators(path), QFileInfo(path).absoluteDir().exists(), mode);
}

QString messageBoxText(const QString &text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}
