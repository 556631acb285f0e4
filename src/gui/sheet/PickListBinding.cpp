#include "PickListBinding.h"

#include "support/ActionGuard.h"
#include "support/Dialogs.h"
#include "support/TiravonError.h"
#include "widgets/ListBoxes.h"
#include "widgets/PickLists.h"
#include "widgets/SheetEdit.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QSignalBlocker>
#include <QTimer>

PickListBinding::PickListBinding(const Setup &setup)
    : QObject(setup.window), m_setup(setup)
{
    SheetEdit *field = setup.field;
    QListWidget *list = setup.list;
    connect(field, &SheetEdit::entered, this, guarded([this] { entered(); }));
    if (setup.opensOnClick)
        connect(field, &SheetEdit::clicked, this, guarded([this] { entered(); }));
    connect(field, &SheetEdit::exited, this, guarded([this] { left(); }));
    connectPickList(list, this, [this] { picked(); }, guarded([list] { hidePickList(list); }));

    auto *menu = new QMenu(setup.window);
    menu->setObjectName(QString::fromLatin1(setup.menuName));
    auto *deleteItem = new QAction(QStringLiteral("&Supprimer"), setup.window);
    deleteItem->setObjectName(QString::fromLatin1(setup.deleteName));
    menu->addAction(deleteItem);
    menu->addSeparator();
    auto *closeItem = new QAction(QStringLiteral("&Fermer"), setup.window);
    closeItem->setObjectName(QString::fromLatin1(setup.closeName));
    menu->addAction(closeItem);
    connect(deleteItem, &QAction::triggered, this, guarded([this] { deleteSelected(); }));
    connect(closeItem, &QAction::triggered, this, [list] { hidePickList(list); });

    QWidget *menuOwner = setup.menuOnField ? static_cast<QWidget *>(field) : static_cast<QWidget *>(list);
    menuOwner->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(menuOwner, &QWidget::customContextMenuRequested, menu,
            [menuOwner, menu](const QPoint &at) { menu->popup(menuOwner->mapToGlobal(at)); });
}

void PickListBinding::entered()
{
    QListWidget *list = m_setup.list;
    const SheetEdit *field = m_setup.field;
    list->setGeometry(field->x(), field->y() + field->height(), field->width(), list->height());
    list->setVisible(list->isHidden());
    if (!list->isHidden())
        list->raise();
}

void PickListBinding::left()
{
    // The text is the one the field held as it was left; it is offered once
    // the focus has settled in the next field, so that the message of a new
    // entry does not come between leaving one field and entering the next (a
    // modal box there would keep the next field from ever being entered).
    const QString text = m_setup.field->text();
    if (text.isEmpty())
        return;
    QListWidget *list = m_setup.list;
    QTimer::singleShot(0, this, [list, text] { runGuarded([&] { addUniqueEntry(list, text, true); }); });
}

void PickListBinding::picked()
{
    try {
        const QList<QListWidgetItem *> selected = m_setup.list->selectedItems();
        if (selected.isEmpty())
            return;
        m_setup.field->setText(selected.constFirst()->text());
        hidePickList(m_setup.list);
    } catch (const std::exception &e) {
        dialogs().message(pickListErrorText(m_setup.pickHandler, userMessageOf(e)));
    }
}

void PickListBinding::deleteSelected()
{
    QListWidget *list = m_setup.list;
    const QList<QListWidgetItem *> selected = list->selectedItems();
    if (selected.isEmpty())
        return;
    const QSignalBlocker blocker(list);
    delete list->takeItem(list->row(selected.constFirst()));
    list->clearSelection();
    list->setCurrentRow(-1, QItemSelectionModel::Clear);
    list->update();
}
