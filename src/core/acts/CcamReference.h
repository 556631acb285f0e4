#pragma once

// The CCAM reference text shipped beside the program, and the public web
// pages about CCAM acts and their modifiers.

#include <QString>

namespace CcamReference {

// "CCAM.RTF"
QString fileName();

// Where the reference text is read from: the current directory, as it always
// was, else the program folder (a program started from a desktop menu has the
// home folder as its current directory). Empty when it is in neither.
QString locate(const QString &currentDirectory, const QString &programFolder);

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
