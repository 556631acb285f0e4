#pragma once

#include "widgets/SideWindow.h"

#include <QStringList>

class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;

// "Décalage de l'imprimante": for each installed printer, how far its print
// is moved on the page, in tenths of a millimetre, and the tick that turns
// the out-of-area question before printing on or off. Each change is stored
// at once. A stored offset that cannot be read is shown as none with a note
// saying so, and stays stored as it is until a new value is chosen.
class PrinterOffsetWindow : public SideWindow
{
    Q_OBJECT
public:
    // The printers offered: by default the installed ones.
    explicit PrinterOffsetWindow(const QStringList &printers = QStringList());
    ~PrinterOffsetWindow() override;

    // Shows the offsets of that printer (added to the list when missing).
    void choosePrinter(const QString &name);

    QComboBox *printerBox = nullptr;
    QSpinBox *rightBox = nullptr;
    QSpinBox *downBox = nullptr;
    QCheckBox *warnTick = nullptr;
    QLabel *unreadableNote = nullptr;

private:
    void showOffsetOfChosenPrinter();
    void storeOffsetOfChosenPrinter();

    bool m_showing = false;
};
