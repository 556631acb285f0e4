#include "PrinterOffsetWindow.h"

#include "config/ProgramSettings.h"
#include "print/PrinterOffset.h"
#include "support/ActionGuard.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QPrinterInfo>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
QSpinBox *offsetBox(QWidget *parent, const char *name)
{
    auto *box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(-kMaxOffsetTenths, kMaxOffsetTenths);
    box->setSuffix(QStringLiteral(" dixièmes de mm"));
    return box;
}
} // namespace

PrinterOffsetWindow::PrinterOffsetWindow(const QStringList &printers)
    : SideWindow(placementName(PlacedWindow::PrinterOffsets), QStringLiteral("Décalage de l'imprimante"), QSize(380, 170),
                 Frame::Tool)
{
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    printerBox = new QComboBox(this);
    printerBox->setObjectName(QStringLiteral("cmb_PRINTER"));
    printerBox->addItems(printers.isEmpty() ? QPrinterInfo::availablePrinterNames() : printers);
    rightBox = offsetBox(this, "spin_RIGHT");
    downBox = offsetBox(this, "spin_DOWN");
    form->addRow(QStringLiteral("Imprimante :"), printerBox);
    form->addRow(QStringLiteral("Vers la droite :"), rightBox);
    form->addRow(QStringLiteral("Vers le bas :"), downBox);
    layout->addLayout(form);
    auto *hint = new QLabel(QStringLiteral("Des valeurs négatives déplacent l'impression vers la gauche et vers le haut."),
                            this);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    unreadableNote = new QLabel(this);
    unreadableNote->setObjectName(QStringLiteral("lbl_UNREADABLE"));
    unreadableNote->setWordWrap(true);
    unreadableNote->setStyleSheet(QStringLiteral("color: #a00000"));
    unreadableNote->hide();
    layout->addWidget(unreadableNote);
    warnTick = new QCheckBox(QStringLiteral("Avertir quand une zone sort de la partie imprimable"), this);
    warnTick->setObjectName(QStringLiteral("chk_WARN"));
    layout->addWidget(warnTick);

    warnTick->setChecked(outOfAreaWarningWanted());
    connect(warnTick, &QCheckBox::toggled, this, [](bool on) { runGuarded([on] { setOutOfAreaWarningWanted(on); }); });
    connect(printerBox, &QComboBox::currentTextChanged, this,
            [this] { runGuarded([this] { showOffsetOfChosenPrinter(); }); });
    for (QSpinBox *box : {rightBox, downBox})
        connect(box, &QSpinBox::valueChanged, this, [this] { runGuarded([this] { storeOffsetOfChosenPrinter(); }); });
    showOffsetOfChosenPrinter();
}

void PrinterOffsetWindow::choosePrinter(const QString &name)
{
    if (name.isEmpty())
        return;
    if (printerBox->findText(name) < 0)
        printerBox->addItem(name);
    printerBox->setCurrentText(name);
}

void PrinterOffsetWindow::showOffsetOfChosenPrinter()
{
    const StoredPrinterOffset stored = readStoredPrinterOffset(printerBox->currentText());
    // Showing a printer's values stores nothing.
    m_showing = true;
    rightBox->setValue(stored.offset.right);
    downBox->setValue(stored.offset.down);
    m_showing = false;
    unreadableNote->setText(stored.unreadable ? unreadableOffsetNote(stored.text) : QString());
    unreadableNote->setVisible(stored.unreadable);
    // The note takes a few lines more: the window grows to hold them.
    layout()->activate();
    const int needed = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width())
                                                     : layout()->totalSizeHint().height();
    if (height() < needed)
        resize(width(), needed);
    warnTick->setChecked(outOfAreaWarningWanted());
}

void PrinterOffsetWindow::storeOffsetOfChosenPrinter()
{
    if (m_showing)
        return;
    storePrinterOffset(printerBox->currentText(), {rightBox->value(), downBox->value()});
    unreadableNote->hide();
}

PrinterOffsetWindow::~PrinterOffsetWindow()
{
    disconnectHandlers();
}
