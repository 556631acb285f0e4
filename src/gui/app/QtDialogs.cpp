#include "QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace {
QWidget *dialogParent()
{
    return QApplication::activeWindow();
}

QString applicationTitle()
{
    return QApplication::applicationDisplayName();
}

QFileDialog::Options fileOptions(const FileDialogRequest &request)
{
    QFileDialog::Options options;
    if (!request.overwritePrompt)
        options |= QFileDialog::DontConfirmOverwrite;
    return options;
}

// Applies the default suffix to a name typed without extension.
QString withDefaultSuffix(const QString &path, const QString &suffix)
{
    if (path.isEmpty() || suffix.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1Char('.') + suffix;
}

QString runFileDialog(const FileDialogRequest &request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(dialogParent(), request.title, request.folder, qtFileFilter(request.filter));
    dialog.setAcceptMode(mode);
    dialog.setOptions(fileOptions(request));
    dialog.setFileMode(mode == QFileDialog::AcceptSave || !request.pathMustExist
                           ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return withDefaultSuffix(QDir::toNativeSeparators(dialog.selectedFiles().constFirst()),
                             request.defaultSuffix);
}
} // namespace

void QtDialogs::message(const QString &text)
{
    QMessageBox::information(dialogParent(), applicationTitle(), text);
}

void QtDialogs::information(const QString &text)
{
    QMessageBox::information(dialogParent(), applicationTitle(), text);
}

bool QtDialogs::confirm(const QString &text)
{
    return QMessageBox::question(dialogParent(), applicationTitle(), text,
                                 QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok)
        == QMessageBox::Ok;
}

void QtDialogs::error(const QString &text)
{
    QMessageBox::critical(dialogParent(), applicationTitle(), text);
}

bool QtDialogs::errorReport(const QString &text)
{
    return QMessageBox::warning(dialogParent(), applicationTitle(), text,
                                QMessageBox::Abort | QMessageBox::Ignore, QMessageBox::Ignore)
        == QMessageBox::Abort;
}

QString QtDialogs::inputBox(const QString &title, const QString &prompt, const QString &preset)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(dialogParent(), title, prompt, QLineEdit::Normal,
                                                 preset, &ok);
    return ok ? answer : preset;
}

QString QtDialogs::openFile(const FileDialogRequest &request)
{
    return runFileDialog(request, QFileDialog::AcceptOpen);
}

QString QtDialogs::saveFile(const FileDialogRequest &request)
{
    return runFileDialog(request, QFileDialog::AcceptSave);
}

FontChoice QtDialogs::chooseFont(const FontChoice &initial)
{
    QFontDialog dialog(initial.font, dialogParent());
    dialog.exec();
    // The result is not consulted: after a cancel the dialog gives back the
    // font it was opened with.
    FontChoice chosen = initial;
    if (dialog.result() == QDialog::Accepted)
        chosen.font = dialog.selectedFont();
    return chosen;
}

bool QtDialogs::print(QPrinter &printer)
{
    QPrintDialog dialog(&printer, dialogParent());
    return dialog.exec() == QDialog::Accepted;
}
