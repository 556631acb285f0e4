#pragma once

// Menu items as the program's windows make them.

#include <QString>

class QAction;
class QMenu;
class QObject;

// An item with its object name and caption, owned by the owner and put on
// the menu when there is one.
QAction *newMenuItem(QMenu *menu, QObject *owner, const char *name, const QString &caption);

// The menu's default item, shown in bold.
void makeDefaultItem(QMenu *menu, QAction *action);
