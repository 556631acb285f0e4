#pragma once

// The rules of the program's lists (pick lists, act shortcuts, stamp texts,
// search fields): a text is added only when no entry equals it once the
// letters a to z are turned into capitals (no other letter is folded, so é
// and É differ, and blanks count); sorted lists are in alphabetical order
// without regard to letter case.

#include <QByteArray>
#include <QString>
#include <QStringList>

// The equality rule of the lists.
bool sameListEntry(const QString &a, const QString &b);

// The order of a sorted list, the same on every system: alphabetical by the
// base letters, without regard to letter case (ligatures as their letters),
// digits before letters and blanks and punctuation before both; then by the
// accents; then by the characters themselves.
bool listOrderLess(const QString &a, const QString &b);
// The key of that order (without its last step): keys compare as bytes.
QByteArray listOrderKey(const QString &text);

// The entries in that order, as a stable sort by it would leave them.
QStringList sortedListEntries(const QStringList &entries);

// True when the text is not empty and no entry equals it.
bool isNewListEntry(const QStringList &entries, const QString &text);
