#pragma once

#include "widgets/SideWindow.h"

#include <functional>

class QListWidget;
class QMenu;
class QAction;

// The act shortcuts window "Raccourcis": a yellow list of act model names;
// a double click on a name applies that act model to the care sheet.
class Tform_historique : public SideWindow
{
    Q_OBJECT
public:
    Tform_historique();
    ~Tform_historique() override;

    QListWidget *ListBox1 = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QAction *Supprimer1 = nullptr;
    QAction *Acte_Ouvre = nullptr;

    // Applies the act model of the given name; handed over by the care-sheet
    // window when the windows are created.
    std::function<void(const QString &)> openAct;

    void Supprimer1Click();
    // Applies the selected entry; raises "Index de liste hors limites (-1)"
    // when none is selected.
    void Acte_OuvreExecute();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The selected entry's row, or -1.
    int selectedRow() const;
};
