#include "QtDialogs.h"

#include "support/FontNames.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QWidget *dialogParent()
{
    return QApplication::activeWindow();
}

QString applicationTitle()
{
    return QCoreApplication::applicationName();
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
    // A name in a folder that is not there is refused with a word, and the
    // dialog stays open on it, as the Windows dialogs do.
    const FileDialogMode refusalMode = mode == QFileDialog::AcceptSave ? FileDialogMode::Save : FileDialogMode::Open;
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        const QString chosen = withDefaultSuffix(QDir::toNativeSeparators(dialog.selectedFiles().constFirst()),
                                                 request.defaultSuffix);
        const QString refusal = chosenFileRefusal(chosen, refusalMode);
        if (refusal.isEmpty())
            return chosen;
        QMessageBox::warning(&dialog, request.title, messageBoxText(refusal));
    }
}
} // namespace

void QtDialogs::message(const QString &text)
{
    QMessageBox::information(dialogParent(), applicationTitle(), messageBoxText(text));
}

void QtDialogs::information(const QString &text)
{
    QMessageBox::information(dialogParent(), applicationTitle(), messageBoxText(text));
}

bool QtDialogs::confirm(const QString &text)
{
    return QMessageBox::question(dialogParent(), applicationTitle(), messageBoxText(text),
                                 QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok)
        == QMessageBox::Ok;
}

void QtDialogs::error(const QString &text)
{
    QMessageBox::critical(dialogParent(), applicationTitle(), messageBoxText(text));
}

bool QtDialogs::errorReport(const QString &text)
{
    return QMessageBox::warning(dialogParent(), applicationTitle(), messageBoxText(text),
                                QMessageBox::Abort | QMessageBox::Ignore, QMessageBox::Ignore)
        == QMessageBox::Abort;
}

QString QtDialogs::inputBox(const QString &title, const QString &prompt, const QString &preset)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(dialogParent(), title, messageBoxText(prompt), QLineEdit::Normal,
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
    // Qt's font dialog, with its effects (underline, strike-out), inside a
    // box that adds the colour and an "Apply" button that does nothing. It
    // opens on the family the text is drawn in, which it knows, rather than
    // on the program's own name for it, which it does not.
    QDialog box(dialogParent());
    box.setObjectName(QStringLiteral("FontDialog1"));
    box.setWindowTitle(QStringLiteral("Police"));
    auto *fonts = new QFontDialog(&box);
    fonts->setObjectName(QStringLiteral("fonts"));
    fonts->setWindowFlags(Qt::Widget);
    // Qt's own widgets, inside the box: Windows' native font dialog would
    // open as a window of its own beside an empty box.
    fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    fonts->setCurrentFont(fontAsDrawn(initial.font));

    QColor color = initial.color;
    auto *colorButton = new QPushButton(QStringLiteral("&Couleur..."), &box);
    colorButton->setObjectName(QStringLiteral("color"));
    auto *swatch = new QLabel(&box);
    swatch->setObjectName(QStringLiteral("swatch"));
    swatch->setFixedSize(40, 16);
    auto showColor = [swatch, &color] {
        swatch->setStyleSheet(QStringLiteral("background: %1; border: 1px solid gray;").arg(color.name()));
    };
    showColor();
    QObject::connect(colorButton, &QPushButton::clicked, &box, [&box, &color, showColor] {
        const QColor picked = QColorDialog::getColor(color, &box, QStringLiteral("Couleur"));
        if (picked.isValid()) {
            color = picked;
            showColor();
        }
    });

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, &box);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);

    auto *colorRow = new QHBoxLayout;
    colorRow->addWidget(colorButton);
    colorRow->addWidget(swatch);
    colorRow->addStretch(1);
    auto *layout = new QVBoxLayout(&box);
    layout->addWidget(fonts);
    layout->addLayout(colorRow);
    layout->addWidget(buttons);

    box.exec();
    // The result is not consulted: after a cancel the dialog gives back the
    // font it was opened with.
    FontChoice chosen = initial;
    if (box.result() == QDialog::Accepted) {
        QFont picked = fontKeepingOwnName(initial.font, fonts->currentFont());
        picked.setStyleName(QString());   // the weight and slant say it
        chosen.font = picked;
        chosen.color = color;
    }
    return chosen;
}

bool QtDialogs::print(QPrinter &printer)
{
    QPrintDialog dialog(&printer, dialogParent());
    return dialog.exec() == QDialog::Accepted;
}
