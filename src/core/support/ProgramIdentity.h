#pragma once

// Who the program is: its name, date and version, the caption that shows
// them, the version log, and the login name of the user running it.

#include <QString>

QString programName(bool upperCase = false);
QString programDate();
QString programVersion();
// The four-part version checked from its text; raises "Les informations de
// version de sont pas incluses" when there is none.
QString versionFromText(const QString &compiled);
QString versionCaption(const QString &freeText = QString());
// Writes the line (by default the version) to the version log,
// "<program>.version" in the current directory, unless it holds it already.
void logVersion(const QString &text = QString(), const QString &file = QString());

// The login name; "Inconnu" when the system gives none.
QString userName();
