#include "unit_HISTORIQUE.h"

#include "support/ActionGuard.h"
#include "support/TiravonError.h"
#include "widgets/tq32_LISTES.h"

#include <QAction>
#include <QEvent>
#include <QListWidget>
#include <QMenu>
#include <QVBoxLayout>

Tform_historique::Tform_historique()
    : SideWindow(QStringLiteral("form_historique"), QStringLiteral("Raccourcis"), QSize(157, 316),
                 Frame::Tool)
{
    QPalette yellow = palette();
    yellow.setColor(QPalette::Window, Qt::yellow);
    yellow.setColor(QPalette::Base, Qt::yellow);
    setPalette(yellow);
    setAutoFillBackground(true);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    QFont bold(QStringLiteral("MS Sans Serif"), 8);
    bold.setBold(true);
    ListBox1->setFont(bold);
    makeSortedList(ListBox1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ListBox1);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Supprimer1 = PopupMenu1->addAction(QStringLiteral("Supprimer"));
    Supprimer1->setObjectName(QStringLiteral("Supprimer1"));
    Supprimer1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete));
    Supprimer1->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(Supprimer1);
    connect(Supprimer1, &QAction::triggered, this, guarded([this] { Supprimer1Click(); }));
    ListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ListBox1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { PopupMenu1->popup(ListBox1->viewport()->mapToGlobal(at)); });

    // A double click anywhere in the list, below the entries too.
    Acte_Ouvre = new QAction(QStringLiteral("Acte_Ouvre"), this);
    Acte_Ouvre->setObjectName(QStringLiteral("Acte_Ouvre"));
    connect(Acte_Ouvre, &QAction::triggered, this, guarded([this] { Acte_OuvreExecute(); }));
    ListBox1->viewport()->installEventFilter(this);

    // Below the presentation options window until the user places it.
    move(0, 600);
    restorePlacement();
}

int Tform_historique::selectedRow() const
{
    const int row = ListBox1->currentRow();
    if (row < 0 || !ListBox1->currentItem() || !ListBox1->currentItem()->isSelected())
        return -1;
    return row;
}

void Tform_historique::Supprimer1Click()
{
    const int row = selectedRow();
    if (row >= 0)
        delete ListBox1->takeItem(row);
}

void Tform_historique::Acte_OuvreExecute()
{
    const int row = selectedRow();
    if (row < 0)
        throw TiravonError(Messages::listIndexOutOfBounds(-1));
    if (openAct)
        openAct(ListBox1->item(row)->text());
}

bool Tform_historique::eventFilter(QObject *watched, QEvent *event)
{
    // The first click of the double click has already chosen the entry.
    if (watched == ListBox1->viewport() && event->type() == QEvent::MouseButtonDblClick)
        Acte_Ouvre->trigger();
    return SideWindow::eventFilter(watched, event);
}

Tform_historique::~Tform_historique()
{
    disconnectHandlers();
}
