#include "MenuItems.h"

#include <QAction>
#include <QMenu>

QAction *newMenuItem(QMenu *menu, QObject *owner, const char *name, const QString &caption)
{
    auto *action = new QAction(caption, owner);
    action->setObjectName(QString::fromLatin1(name));
    if (menu)
        menu->addAction(action);
    return action;
}

void makeDefaultItem(QMenu *menu, QAction *action)
{
    QFont bold = action->font();
    bold.setBold(true);
    action->setFont(bold);
    menu->setDefaultAction(action);
}
