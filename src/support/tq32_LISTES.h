#pragma once

// The list routines shared by the pick lists, the act shortcuts, the stamp
// texts and the search fields: a text is added only when no entry equals it
// once the letters a to z are turned into capitals (no other letter is
// folded, so é and É differ, and blanks count).

#include <QListWidgetItem>
#include <QString>
#include <QStringList>

class QComboBox;
class QListWidget;

// The equality rule of the lists.
bool sameListEntry(const QString &a, const QString &b);

// The order of a sorted list: alphabetical without regard to letter case.
bool listOrderLess(const QString &a, const QString &b);

// An entry of a sorted list, ordered by the rule above.
class ListEntry : public QListWidgetItem
{
public:
    explicit ListEntry(const QString &text);
    bool operator<(const QListWidgetItem &other) const override;
};

// Makes a list keep its entries sorted by the list order.
void makeSortedList(QListWidget *list);
// Adds one entry (in its sorted place on a sorted list, else at the end).
void addListEntry(QListWidget *list, const QString &text);
// Replaces every entry.
void setListEntries(QListWidget *list, const QStringList &entries);
QStringList listEntries(const QListWidget *list);

// Adds the text when it is not empty and no entry equals it; with the
// message flag, tells the user ""%s" ajouté à la liste".
void AddUniqueToList(QListWidget *list, const QString &text, bool showMessage);

// Adds the text to the combo box's drop-down list when it is not empty and no
// entry equals it; "DEFAULT" stands for the combo box's own text. Never shows
// a message; the flag is ignored. Returns whether it added.
bool AddUniqueToCombo(QComboBox *combo, const QString &text, bool showMessage = false);
