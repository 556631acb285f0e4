// The form image: choosing it by dialog or by dropping a file on the window,
// opening it in an outside editor, hiding it to see the texts only, and
// fitting its panel to the screen's height.
#include "CareSheetWindow.h"

#include "print/FormPicture.h"
#include "support/ActionGuard.h"
#include "support/Dialogs.h"
#include "support/Platform.h"
#include "support/TiravonError.h"
#include "support/DataFolder.h"
#include "support/Desktop.h"
#include "support/ProgramIdentity.h"
#include "widgets/FormImage.h"
#include "widgets/ImagePanel.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace {

const QString kPictureFilter = QStringLiteral(
    "Tous (*.gif;*.png;*.jpg;*.jpeg;*.bmp;*.tif;*.tiff;*.ico;*.emf;*.wmf)|"
    "*.gif;*.png;*.jpg;*.jpeg;*.bmp;*.tif;*.tiff;*.ico;*.emf;*.wmf|"
    "Image GIF (*.gif)|*.gif|Portable Network Graphics (*.png)|*.png|"
    "Fichier image JPEG (*.jpg)|*.jpg|Fichier image JPEG (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp|"
    "Images TIFF (*.tif)|*.tif|Images TIFF (*.tiff)|*.tiff|Icônes (*.ico)|*.ico|"
    "Métafichiers évolués (*.emf)|*.emf|Métafichiers (*.wmf)|*.wmf");

QStringList droppedFiles(const QMimeData *data)
{
    QStringList files;
    if (!data)
        return files;
    for (const QUrl &url : data->urls())
        if (url.isLocalFile())
            files << QDir::toNativeSeparators(url.toLocalFile());
    return files;
}

} // namespace

void CareSheetWindow::chooseFormImage()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Choisir une IMAGE JPG");
    request.folder = programFolder();
    request.filter = kPictureFilter;
    request.picture = true;
    const QString chosen = dialogs().openFile(request);
    if (chosen.isEmpty())
        return;
    if (const QString refusal = chosenFileRefusal(chosen, FileDialogMode::Open); !refusal.isEmpty()) {
        dialogs().error(refusal);
        return;
    }
    loadFormImage(chosen);
}

void CareSheetWindow::loadFormImage(const QString &path)
{
    // Everything that can fail is tried before anything changes: a picture
    // that cannot be decoded, or a configuration of that form that cannot
    // be read (whose layout the next saving would otherwise replace with
    // the current one), leaves the image, its path and the layout as they are.
    const QImage picture = loadFormPicture(path);
    const QString config = formConfigPathFor(path, userName());
    if (QFileInfo::exists(config)) {
        QFile file(config);
        if (!file.open(QIODevice::ReadOnly))
            throw TiravonError(QStringLiteral("Impossible de lire la configuration \"%1\" de l'image \"%2\"")
                                   .arg(QDir::toNativeSeparators(config), QDir::toNativeSeparators(path)));
    }
    formImage->setPicture(picture);
    formImage->show();
    state.formImagePath = path;
    keepImagePathOnReading = true;
    readConfiguration();
}

void CareSheetWindow::dropFiles(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    const QString first = paths.first();
    if (!isDroppableFormPicture(first)) {
        dialogs().message(QStringLiteral("On ne peut déposer que des images au format \"JPG\""));
        return;
    }
    loadFormImage(first);
}

bool CareSheetWindow::dropFilter(QObject *watched, QEvent *event)
{
    // Files dropped anywhere on the window are the window's, even over a
    // field that would take them as text.
    if (event->type() != QEvent::DragEnter && event->type() != QEvent::DragMove && event->type() != QEvent::Drop)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this)
        return false;
    auto *drop = static_cast<QDropEvent *>(event);
    const QStringList files = droppedFiles(drop->mimeData());
    if (files.isEmpty())
        return false;
    drop->acceptProposedAction();
    if (event->type() == QEvent::Drop)
        runGuarded([this, files] { dropFiles(files); });
    return true;
}
