#include "frm_DECALAGE.h"

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

TForm_DECALAGE::TForm_DECALAGE(const QStringList &printers)
    : SideWindow(QStringLiteral("Form_DECALAGE"), QStringLiteral("Décalage de l'imprimante"), QSize(380, 170),
                 Frame::Tool)
{
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    cmb_PRINTER = new QComboBox(this);
    cmb_PRINTER->setObjectName(QStringLiteral("cmb_PRINTER"));
    cmb_PRINTER->addItems(printers.isEmpty() ? QPrinterInfo::availablePrinterNames() : printers);
    spin_RIGHT = offsetBox(this, "spin_RIGHT");
    spin_DOWN = offsetBox(this, "spin_DOWN");
    form->addRow(QStringLiteral("Imprimante :"), cmb_PRINTER);
    form->addRow(QStringLiteral("Vers la droite :"), spin_RIGHT);
    form->addRow(QStringLiteral("Vers le bas :"), spin_DOWN);
    layout->addLayout(form);
    auto *hint = new QLabel(QStringLiteral("Des valeurs négatives déplacent l'impression vers la gauche et vers le haut."),
                            this);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    lbl_UNREADABLE = new QLabel(this);
    lbl_UNREADABLE->setObjectName(QStringLiteral("lbl_UNREADABLE"));
    lbl_UNREADABLE->setWordWrap(true);
    lbl_UNREADABLE->setStyleSheet(QStringLiteral("color: #a00000"));
    lbl_UNREADABLE->hide();
    layout->addWidget(lbl_UNREADABLE);
    chk_WARN = new QCheckBox(QStringLiteral("Avertir quand une zone sort de la partie imprimable"), this);
    chk_WARN->setObjectName(QStringLiteral("chk_WARN"));
    layout->addWidget(chk_WARN);

    chk_WARN->setChecked(outOfAreaWarningWanted());
    connect(chk_WARN, &QCheckBox::toggled, this, [](bool on) { runGuarded([on] { setOutOfAreaWarningWanted(on); }); });
    connect(cmb_PRINTER, &QComboBox::currentTextChanged, this,
            [this] { runGuarded([this] { showOffsetOfChosenPrinter(); }); });
    for (QSpinBox *box : {spin_RIGHT, spin_DOWN})
        connect(box, &QSpinBox::valueChanged, this, [this] { runGuarded([this] { storeOffsetOfChosenPrinter(); }); });
    showOffsetOfChosenPrinter();
}

void TForm_DECALAGE::choosePrinter(const QString &name)
{
    if (name.isEmpty())
        return;
    if (cmb_PRINTER->findText(name) < 0)
        cmb_PRINTER->addItem(name);
    cmb_PRINTER->setCurrentText(name);
}

void TForm_DECALAGE::showOffsetOfChosenPrinter()
{
    const StoredPrinterOffset stored = readStoredPrinterOffset(cmb_PRINTER->currentText());
    // Showing a printer's values stores nothing.
    m_showing = true;
    spin_RIGHT->setValue(stored.offset.right);
    spin_DOWN->setValue(stored.offset.down);
    m_showing = false;
    lbl_UNREADABLE->setText(stored.unreadable ? unreadableOffsetNote(stored.text) : QString());
    lbl_UNREADABLE->setVisible(stored.unreadable);
    // The note takes a few lines more: the window grows to hold them.
    layout()->activate();
    const int needed = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width())
                                                     : layout()->totalSizeHint().height();
    if (height() < needed)
        resize(width(), needed);
    chk_WARN->setChecked(outOfAreaWarningWanted());
}

void TForm_DECALAGE::storeOffsetOfChosenPrinter()
{
    if (m_showing)
        return;
    storePrinterOffset(cmb_PRINTER->currentText(), {spin_RIGHT->value(), spin_DOWN->value()});
    lbl_UNREADABLE->hide();
}

TForm_DECALAGE::~TForm_DECALAGE()
{
    disconnectHandlers();
}
