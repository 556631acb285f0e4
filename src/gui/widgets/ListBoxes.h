#pragma once

// The list routines shared by the pick lists, the act shortcuts, the stamp
// texts and the search fields, on their list and combo boxes; the equality
// and order rules themselves are in support/ListRules.h.

#include "support/ListRules.h"

#include <QListWidgetItem>
#include <QString>
#include <QStringList>

class QComboBox;
class QListWidget;

// An entry of a sorted list, ordered by the rule above. It keeps its text at
// hand: a list of a hundred thousand towns is read whole at each saving and
// each addition, and the item's own text goes through a QVariant each time.
class ListEntry : public QListWidgetItem
{
public:
    explicit ListEntry(const QString &text);
    bool operator<(const QListWidgetItem &other) const override;
    void setData(int role, const QVariant &value) override;
    const QString &entryText() const { return m_text; }

private:
    QString m_text;
};

// The text of an entry of any list.
QString entryText(const QListWidgetItem *item);

// Makes a list keep its entries sorted by the list order.
void makeSortedList(QListWidget *list);
// Adds one entry (in its sorted place on a sorted list, else at the end).
void addListEntry(QListWidget *list, const QString &text);
// Replaces every entry.
void setListEntries(QListWidget *list, const QStringList &entries);
QStringList listEntries(const QListWidget *list);

// Adds the text when it is not empty and no entry equals it; with the
// message flag, tells the user ""%s" ajouté à la liste".
void addUniqueEntry(QListWidget *list, const QString &text, bool showMessage);

// Adds the text to the combo box's drop-down list when it is not empty and no
// entry equals it; "DEFAULT" stands for the combo box's own text. Never shows
// a message; the flag is ignored. Returns whether it added.
bool addUniqueComboEntry(QComboBox *combo, const QString &text, bool showMessage = false);
