#pragma once

// The act models of the care sheet: saving the billing part under a name,
// applying a saved one through the dialog or through a shortcut of the act
// shortcuts window, and the choice of an act at start.

#include <QObject>
#include <QString>
#include <functional>

class QAction;
class QListWidget;
class QWidget;
class StampLabel;
struct ActModel;
struct FormInUse;

class ActModelCommands : public QObject
{
    Q_OBJECT
public:
    struct Setup
    {
        QWidget *window = nullptr;             // its caption names the act
        FormInUse *form = nullptr;             // the models folder and the act in use
        std::function<QWidget *(const QString &)> fieldNamed;
        StampLabel *stamp = nullptr;
        QAction *openCommand = nullptr;        // Ctrl+O
        QAction *saveCommand = nullptr;        // Ctrl+S
        QAction *chooseAtStartTick = nullptr;  // "Choisir un acte à l'ouverture"
        // The act shortcuts list, once that window is made.
        std::function<QListWidget *()> shortcutList;
        // Commits the field being edited before a saving.
        std::function<void()> commitFieldBeingEdited;
    };
    explicit ActModelCommands(const Setup &setup);

    void save();
    void open();
    // Applies the model registered under the shortcut's act name.
    void openShortcut(const QString &actName);
    // The "Choisir un acte à l'ouverture" step of the first show.
    void openAtStart();

    ActModel capture() const;
    // In the file's order: each claim box's rule runs as its text is set,
    // before the next box; the total is taken as stored.
    void apply(const ActModel &model);

private:
    Setup m_setup;
    // The file name the open dialog offers again.
    QString m_lastName;
};
