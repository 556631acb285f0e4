// The town and fund pick lists of the care-sheet window.
#include "app/Unit1.h"

#include "app/SheetEdit.h"
#include "support/Dialogs.h"
#include "support/TiravonError.h"
#include "support/tq32_LISTES.h"

#include <QListWidget>
#include <QSignalBlocker>

namespace {

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
        list->hide();
    } catch (const std::exception &e) {
        const auto *own = dynamic_cast<const TiravonError *>(&e);
        dialogs().message(QStringLiteral("ERR:\"%1\"=>").arg(handler)
                          + (own ? own->message() : QString::fromUtf8(e.what())));
    }
}

} // namespace

void TForm1::showPickList(QListWidget *list, SheetEdit *fieldBelow)
{
    // Entering the field toggles its list, placed just below it.
    list->setGeometry(fieldBelow->x(), fieldBelow->y() + fieldBelow->height(), fieldBelow->width(),
                      list->height());
    list->setVisible(list->isHidden());
    if (!list->isHidden())
        list->raise();
}

void TForm1::VILLEEnter()
{
    showPickList(LISTE_VILLES, VILLE);
}

void TForm1::VILLEExit()
{
    AddUniqueToList(LISTE_VILLES, VILLE->text(), true);
}

void TForm1::LISTE_VILLESClick()
{
    pickEntry(LISTE_VILLES, VILLE, QStringLiteral("LISTE_VILLESClick"));
}

void TForm1::LISTE_VILLESDblClick()
{
    LISTE_VILLES->hide();
}

void TForm1::mnu_VilleDeleteClick()
{
    deleteSelectedEntry(LISTE_VILLES);
}

void TForm1::CPAMEnter()
{
    showPickList(Liste_CPAMS, CPAM);
}

void TForm1::CPAMExit()
{
    AddUniqueToList(Liste_CPAMS, CPAM->text(), true);
}

void TForm1::Liste_CPAMSClick()
{
    pickEntry(Liste_CPAMS, CPAM, QStringLiteral("LISTE_CPAMSClick"));
}

void TForm1::Liste_CPAMSDblClick()
{
    Liste_CPAMS->hide();
}

void TForm1::Supprimer1Click()
{
    deleteSelectedEntry(Liste_CPAMS);
}
