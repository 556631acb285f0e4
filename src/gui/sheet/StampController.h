#pragma once

// The stamp of the care sheet: its pop-up menu of texts, font and angles, its
// double click, and the two ticks that say whether it shows (the main menu's
// "Tampon" and the image menu's "Montrer Tampon").

#include <QObject>

class QAction;
class QMenu;
class StampLabel;

class StampController : public QObject
{
    Q_OBJECT
public:
    // The menu is made as a child of the window, which owns the ticks.
    StampController(StampLabel *stamp, QWidget *window, QAction *menuTick, QAction *popupTick);

    QMenu *menu() const { return m_menu; }

    // "&Cacher": hides the stamp and unticks both ticks.
    void hide();
    // A double click hides it and unticks the image menu's tick only.
    void doubleClicked();
    // A text of the menu, without its accelerator marks.
    void chooseText(QAction *item);
    // "&Texte libre ...": a cancelled box answers its preset.
    void typeText();
    // "&Police": the dialog's answer is not consulted; after a cancel it gives
    // back the stamp's own font and colour.
    void chooseFont();

private:
    void buildMenu(QWidget *window);

    StampLabel *m_stamp;
    QAction *m_menuTick;
    QAction *m_popupTick;
    QMenu *m_menu = nullptr;
};
