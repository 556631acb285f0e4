#pragma once

#include "widgets/SideWindow.h"

class QListWidget;
class QMenu;
class QAction;

// The act shortcuts window "Raccourcis": a yellow list of act model names.
class Tform_historique : public SideWindow
{
    Q_OBJECT
public:
    Tform_historique();

    QListWidget *ListBox1 = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QAction *Supprimer1 = nullptr;

    void Supprimer1Click();
};
