#pragma once

// A sheet field with its pick list below it, as the towns (VILLE and
// LISTE_VILLES) and the funds (CPAM and Liste_CPAMS) are: entering the field
// toggles the list, leaving it offers its text to the list, a pick copies the
// entry into the field, and the list's menu deletes the selected entry or
// closes the list.

#include <QObject>
#include <QString>

class QAction;
class QListWidget;
class QMenu;
class SheetEdit;

class PickListBinding : public QObject
{
    Q_OBJECT
public:
    struct Setup
    {
        SheetEdit *field = nullptr;
        QListWidget *list = nullptr;
        QWidget *window = nullptr;     // owns the menu and its items
        // The object names of the menu and of its two items.
        const char *menuName = nullptr;
        const char *deleteName = nullptr;
        const char *closeName = nullptr;
        // The handler named by the message of a pick that fails.
        QString pickHandler;
        // The funds' list also opens on a click in the field, and its menu
        // opens on the field rather than on the list.
        bool opensOnClick = false;
        bool menuOnField = false;
    };

    explicit PickListBinding(const Setup &setup);

    // Entering the field toggles its list, placed just below it.
    void entered();
    // The text of the field just left is offered to its list.
    void left();
    // The selected entry into the field, and the list hidden.
    void picked();
    // Deletes the selected entry without asking; with none selected, nothing.
    void deleteSelected();

private:
    Setup m_setup;
};
