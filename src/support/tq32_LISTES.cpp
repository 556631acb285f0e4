#include "tq32_LISTES.h"

#include "Dialogs.h"

#include <QCollator>
#include <QComboBox>
#include <QListWidget>

namespace {

// Upper-cases the letters a to z only.
QString foldAsciiLetters(const QString &text)
{
    QString folded = text;
    for (QChar &c : folded)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - ('a' - 'A'));
    return folded;
}

const QCollator &listCollator()
{
    static const QCollator collator = [] {
        QCollator c(QLocale(QLocale::French, QLocale::France));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator;
}

} // namespace

bool sameListEntry(const QString &a, const QString &b)
{
    return foldAsciiLetters(a) == foldAsciiLetters(b);
}

bool listOrderLess(const QString &a, const QString &b)
{
    const int order = listCollator().compare(a, b);
    if (order != 0)
        return order < 0;
    // Equal for the collator: keep a stable, deterministic order.
    return a < b;
}

ListEntry::ListEntry(const QString &text)
    : QListWidgetItem(text, nullptr, QListWidgetItem::UserType)
{
}

bool ListEntry::operator<(const QListWidgetItem &other) const
{
    return listOrderLess(text(), other.text());
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
    list->clear();
    const bool sorted = list->isSortingEnabled();
    list->setSortingEnabled(false);
    for (const QString &entry : entries)
        addListEntry(list, entry);
    if (sorted)
        makeSortedList(list);
}

QStringList listEntries(const QListWidget *list)
{
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->item(i)->text();
    return entries;
}

void AddUniqueToList(QListWidget *list, const QString &text, bool showMessage)
{
    if (text.isEmpty())
        return;
    for (int i = 0; i < list->count(); ++i)
        if (sameListEntry(list->item(i)->text(), text))
            return;
    addListEntry(list, text);
    if (showMessage)
        dialogs().information(QStringLiteral("\"%1\" ajouté à la liste").arg(text));
}

bool AddUniqueToCombo(QComboBox *combo, const QString &text, bool)
{
    const QString value = text == QLatin1String("DEFAULT") ? combo->currentText() : text;
    if (value.isEmpty())
        return false;
    for (int i = 0; i < combo->count(); ++i)
        if (sameListEntry(combo->itemText(i), value))
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
