#pragma once

// The CCAM reference text shipped beside the program, and the public web
// pages about CCAM acts and their modifiers.

#include <QString>
#include <QStringList>

namespace CcamReference {

// "CCAM.RTF"
QString fileName();

// The folders the reference text is looked for in, in this order: the
// current directory, as it always was; the program folder (the per-user
// folder when the program keeps its files there: a reference put there by the
// practice); the folder of the program file (a copied installation ships it
// beside the program); and the shared data of an installation,
// "<prefix>/share/tiravon" beside "<prefix>/bin".
QStringList searchFolders(const QString &currentDirectory, const QString &programFolder,
                          const QString &programFileFolder);

// The reference text in the first of the folders that holds it; empty when
// none does.
QString locate(const QStringList &folders);

// The largest reference text the viewer opens: far above any real CCAM
// (a few megabytes as rich text), far below what would hold the window for
// minutes while it is read and laid out.
constexpr qint64 kLargestFile = 64 * 1024 * 1024;
// Said, before reading, of a file larger than that; empty for one that is not.
QString sizeRefusal(qint64 size);

// The coding-help site's page of a code, and the national health-insurance
// site's short act sheet of a code (the code as typed, unchanged).
QString codingHelpPage(const QString &code);
QString shortActSheet(const QString &code);
// The national health-insurance CCAM look-up, the note on the 2013 update of
// the modifiers, and the official journal's text of that update.
QString actLookUp();
QString modifiersNote();
QString officialJournalText();

} // namespace CcamReference
