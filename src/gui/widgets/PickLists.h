#pragma once

// How the town and fund pick lists of the care sheet take the mouse and the
// keys, apart from the window that owns them.

#include "patient/PickListRules.h"

#include <QString>
#include <functional>

class QListWidget;
class QObject;

// Hides a pick list; a list that has the focus gives it up rather than pass it
// on to the next field.
void hidePickList(QListWidget *list);

// Binds a pick list to its handlers: a change of the selected entry (the
// arrows while the list has the focus) and a left click on an entry pick, the
// selected one included; a double click anywhere on the list runs
// doubleClick; a right click only opens the list's menu and leaves the
// selection as it is, as a list box does.
void connectPickList(QListWidget *list, QObject *context, const std::function<void()> &pick,
                     const std::function<void()> &doubleClick);
