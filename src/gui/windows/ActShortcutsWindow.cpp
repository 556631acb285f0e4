#include "ActShortcutsWindow.h"

#include "config/ProgramSettings.h"
#include "support/ActionGuard.h"
#include "support/TiravonError.h"
#include "widgets/ListBoxes.h"

#include <QAction>
#include <QEvent>
#include <QListWidget>
#include <QMenu>
#include <QVBoxLayout>

ActShortcutsWindow::ActShortcutsWindow()
    : SideWindow(placementName(PlacedWindow::ActShortcuts), QStringLiteral("Raccourcis"), QSize(157, 316),
                 Frame::Tool)
{
    QPalette yellow = palette();
    yellow.setColor(QPalette::Window, Qt::yellow);
    yellow.setColor(QPalette::Base, Qt::yellow);
    setPalette(yellow);
    setAutoFillBackground(true);

    actList = new QListWidget(this);
    actList->setObjectName(QStringLiteral("ListBox1"));
    actList->setSelectionMode(QAbstractItemView::SingleSelection);
    QFont bold(QStringLiteral("MS Sans Serif"), 8);
    bold.setBold(true);
    actList->setFont(bold);
    makeSortedList(actList);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(actList);

    menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("PopupMenu1"));
    deleteAction = menu->addAction(QStringLiteral("Supprimer"));
    deleteAction->setObjectName(QStringLiteral("Supprimer1"));
    deleteAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete));
    deleteAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(deleteAction);
    connect(deleteAction, &QAction::triggered, this, guarded([this] { deleteSelected(); }));
    actList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(actList, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { menu->popup(actList->viewport()->mapToGlobal(at)); });

    // A double click anywhere in the list, below the entries too.
    openAction = new QAction(QStringLiteral("Acte_Ouvre"), this);
    openAction->setObjectName(QStringLiteral("Acte_Ouvre"));
    connect(openAction, &QAction::triggered, this, guarded([this] { openSelected(); }));
    actList->viewport()->installEventFilter(this);

    // Below the presentation options window until the user places it.
    move(0, 600);
    restorePlacement();
}

int ActShortcutsWindow::selectedRow() const
{
    const int row = actList->currentRow();
    if (row < 0 || !actList->currentItem() || !actList->currentItem()->isSelected())
        return -1;
    return row;
}

void ActShortcutsWindow::deleteSelected()
{
    const int row = selectedRow();
    if (row >= 0)
        delete actList->takeItem(row);
}

void ActShortcutsWindow::openSelected()
{
    const int row = selectedRow();
    if (row < 0)
        throw TiravonError(Messages::listIndexOutOfBounds(-1));
    if (openAct)
        openAct(actList->item(row)->text());
}

bool ActShortcutsWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The first click of the double click has already chosen the entry.
    if (watched == actList->viewport() && event->type() == QEvent::MouseButtonDblClick)
        openAction->trigger();
    return SideWindow::eventFilter(watched, event);
}

ActShortcutsWindow::~ActShortcutsWindow()
{
    disconnectHandlers();
}
