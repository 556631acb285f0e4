#pragma once

#include <QString>
#include <functional>

class FormImage;
class QAction;
class QWidget;
class StampLabel;

// What the presentation options window acts on, handed over by the
// care-sheet window that owns it all.
struct PresentationTargets
{
    QWidget *imagePanel = nullptr;      // the image panel, moved and resized by the boxes
    QWidget *careSheet = nullptr;       // the care-sheet window, placed by the screen box
    FormImage *image = nullptr;         // the form image, shown at its own size by its tick
    StampLabel *stamp = nullptr;        // NOTE
    QAction *stampMenuTick = nullptr;   // "Tampon" of the main menu
    QAction *quit = nullptr;            // "&Quitter"
    std::function<void()> saveConfiguration;   // "Enregistrer la configuration" of the care sheet
    std::function<void()> showCcamText;        // "CCAM texte complet"
};
