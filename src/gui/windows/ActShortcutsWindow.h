#pragma once

#include "widgets/SideWindow.h"

#include <functional>

class QListWidget;
class QMenu;
class QAction;

// The act shortcuts window "Raccourcis": a yellow list of act model names;
// a double click on a name applies that act model to the care sheet.
class ActShortcutsWindow : public SideWindow
{
    Q_OBJECT
public:
    ActShortcutsWindow();
    ~ActShortcutsWindow() override;

    QListWidget *actList = nullptr;
    QMenu *menu = nullptr;
    QAction *deleteAction = nullptr;
    QAction *openAction = nullptr;

    // Applies the act model of the given name; handed over by the care-sheet
    // window when the windows are created.
    std::function<void(const QString &)> openAct;

    void deleteSelected();
    // Applies the selected entry; raises "Index de liste hors limites (-1)"
    // when none is selected.
    void openSelected();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The selected entry's row, or -1.
    int selectedRow() const;
};
