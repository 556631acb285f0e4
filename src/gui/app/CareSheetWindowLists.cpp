// The town and fund pick lists of the care-sheet window.
#include "CareSheetWindow.h"

#include "widgets/PickLists.h"
#include "widgets/SheetEdit.h"
#include "support/ActionGuard.h"
#include "support/Dialogs.h"
#include "support/TiravonError.h"
#include "widgets/ListBoxes.h"

#include <QEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTimer>

namespace {

// Offers the text of a field just left to its list. The text is the one the
// field held as it was left; it is offered once the focus has settled in the
// next field, so that the message of a new entry does not come between leaving
// one field and entering the next (a modal box there would keep the next
// field from ever being entered).
void rememberLater(QObject *window, QListWidget *list, const QString &text)
{
    if (text.isEmpty())
        return;
    QTimer::singleShot(0, window, [list, text] { runGuarded([&] { addUniqueEntry(list, text, true); }); });
}

// Deletes the selected entry without asking; with none selected, nothing.
void deleteSelectedEntry(QListWidget *list)
{
    const QList<QListWidgetItem *> selected = list->selectedItems();
    if (selected.isEmpty())
        return;
    const QSignalBlocker blocker(list);
    delete list->takeItem(list->row(selected.constFirst()));
    list->clearSelection();
    list->setCurrentRow(-1, QItemSelectionModel::Clear);
    list->update();
}

// A pick copies the selected entry into the field and hides the list.
void pickEntry(QListWidget *list, SheetEdit *field, const QString &handler)
{
    try {
        const QList<QListWidgetItem *> selected = list->selectedItems();
        if (selected.isEmpty())
            return;
        field->setText(selected.constFirst()->text());
        hidePickList(list);
    } catch (const std::exception &e) {
        dialogs().message(pickListErrorText(handler, userMessageOf(e)));
    }
}

} // namespace

void CareSheetWindow::showPickList(QListWidget *list, SheetEdit *fieldBelow)
{
    // Entering the field toggles its list, placed just below it.
    list->setGeometry(fieldBelow->x(), fieldBelow->y() + fieldBelow->height(), fieldBelow->width(),
                      list->height());
    list->setVisible(list->isHidden());
    if (!list->isHidden())
        list->raise();
}

void CareSheetWindow::townEntered()
{
    showPickList(LISTE_VILLES, VILLE);
}

void CareSheetWindow::townLeft()
{
    rememberLater(this, LISTE_VILLES, VILLE->text());
}

void CareSheetWindow::townPicked()
{
    pickEntry(LISTE_VILLES, VILLE, QStringLiteral("LISTE_VILLESClick"));
}

void CareSheetWindow::townListDoubleClicked()
{
    hidePickList(LISTE_VILLES);
}

void CareSheetWindow::deleteTown()
{
    deleteSelectedEntry(LISTE_VILLES);
}

void CareSheetWindow::fundEntered()
{
    showPickList(Liste_CPAMS, CPAM);
}

void CareSheetWindow::fundLeft()
{
    rememberLater(this, Liste_CPAMS, CPAM->text());
}

void CareSheetWindow::fundPicked()
{
    pickEntry(Liste_CPAMS, CPAM, QStringLiteral("LISTE_CPAMSClick"));
}

void CareSheetWindow::fundListDoubleClicked()
{
    hidePickList(Liste_CPAMS);
}

void CareSheetWindow::deleteFund()
{
    deleteSelectedEntry(Liste_CPAMS);
}
