#include "ListBoxes.h"

#include "support/Dialogs.h"
#include "support/ListRules.h"

#include <QComboBox>
#include <QListWidget>

ListEntry::ListEntry(const QString &text)
    : QListWidgetItem(text, nullptr, QListWidgetItem::UserType)
    , m_text(QListWidgetItem::text())
{
}

bool ListEntry::operator<(const QListWidgetItem &other) const
{
    return listOrderLess(m_text, ::entryText(&other));
}

void ListEntry::setData(int role, const QVariant &value)
{
    QListWidgetItem::setData(role, value);
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        m_text = QListWidgetItem::text();
}

QString entryText(const QListWidgetItem *item)
{
    if (const auto *entry = dynamic_cast<const ListEntry *>(item))
        return entry->entryText();
    return item->text();
}

void makeSortedList(QListWidget *list)
{
    list->setSortingEnabled(true);
    list->sortItems(Qt::AscendingOrder);
}

void addListEntry(QListWidget *list, const QString &text)
{
    list->addItem(new ListEntry(text));
}

void setListEntries(QListWidget *list, const QStringList &entries)
{
    // The same entries read again (each reading of the configuration reads
    // the lists): the list is left as a new one would be, without making its
    // entries again.
    if (list->count() == entries.size() && listEntries(list) == entries) {
        list->setCurrentItem(nullptr);
        list->clearSelection();
        list->scrollToTop();
        return;
    }
    list->clear();
    // A sorted list gets its entries in their order already, so that the
    // list has no sorting of its own to do.
    const bool sorted = list->isSortingEnabled();
    list->setSortingEnabled(false);
    for (const QString &entry : sorted ? sortedListEntries(entries) : entries)
        addListEntry(list, entry);
    list->setSortingEnabled(sorted);
}

QStringList listEntries(const QListWidget *list)
{
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << entryText(list->item(i));
    return entries;
}

void addUniqueEntry(QListWidget *list, const QString &text, bool showMessage)
{
    if (text.isEmpty())
        return;
    for (int i = 0; i < list->count(); ++i)
        if (sameListEntry(entryText(list->item(i)), text))
            return;
    addListEntry(list, text);
    if (showMessage)
        dialogs().information(QStringLiteral("\"%1\" ajouté à la liste").arg(text));
}

bool addUniqueComboEntry(QComboBox *combo, const QString &text, bool)
{
    const QString value = text == QLatin1String("DEFAULT") ? combo->currentText() : text;
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i)
        entries << combo->itemText(i);
    if (!isNewListEntry(entries, value))
        return false;
    // Adding to the drop-down list must not change what the field shows (Qt
    // selects the first item put into an empty combo box).
    const int current = combo->currentIndex();
    const QString shown = combo->currentText();
    combo->addItem(value);
    if (combo->currentIndex() != current)
        combo->setCurrentIndex(current);
    if (combo->isEditable())
        combo->setEditText(shown);
    return true;
}
