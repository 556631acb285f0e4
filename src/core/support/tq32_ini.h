#pragma once

// The support routines every window calls: the settings store over INI files
// (by default the program settings file beside the program), window
// placements, the program's identity, the login name, the error report and
// the opening of documents.

#include <QString>
#include <QStringList>

class QRect;

// Settings store. The file path comes last; empty means the program settings
// file. Each call opens and closes the file: nothing is cached.
void INI_WriteString(const QString &section, const QString &key, const QString &value, const QString &file = QString());
QString INI_ReadString(const QString &section, const QString &key, const QString &def, const QString &file = QString());
void INI_WriteInteger(const QString &section, const QString &key, qint32 value, const QString &file = QString());
qint32 INI_ReadInteger(const QString &section, const QString &key, qint32 def, const QString &file = QString());
void INI_WriteBool(const QString &section, const QString &key, bool value, const QString &file = QString());
bool INI_ReadBool(const QString &section, const QString &key, bool def, const QString &file = QString());

// The program settings file: the program file with the extension ".INI"
// (in the per-user folder when the program keeps its files there); empty if
// it cannot be worked out.
QString INI_ProgramFile();

// Decides, once at start, where the program keeps the files it would keep
// beside itself (settings, lists, default form image, models): its own folder
// when that folder already holds the settings file or can be written (a copied
// or portable installation, every existing practice folder); otherwise, as in
// a system-wide installation, the user's application data folder, created
// here. Returns that folder, or empty when the program folder is kept.
QString decideDataFolder();

// Window placement: "left:top:width:height" under the program name's section,
// keyed by the window's object name (the windows' own Form_SavePosition and
// Form_RestorePosition call these).
struct Placement { int left, top, width, height; };
void savePlacement(const QString &windowName, const Placement &placement, const QString &file = QString());
// The stored placement (the current one when none is stored), clamped to the
// work area; raises the list-index or integer error for a malformed value.
Placement restoredPlacement(const QString &windowName, const Placement &current, const QString &file = QString());
// The clamping of a restored placement, on its own.
Placement clampPlacement(const Placement &stored, int currentWidth, const QRect &workArea);

QStringList Split_String(const QString &text, const QString &separator);

// Program identity. The program folder is the folder every file the program
// keeps beside itself is put in: the per-user folder when one was decided.
QString Program_Folder();
QString Program_Name(bool upperCase = false);
QString Program_Date();
QString Program_Version();
QString Version_Caption(const QString &freeText = QString());
void Version_LOG(const QString &text = QString(), const QString &file = QString());

QString User_Name();

// Shows the error report (Abort / Ignore); Abort ends the program without
// saving anything.
void Error_Report(const QString &module, const QString &message);

// Hands a document, folder or web address to the desktop.
void Open_Document(const QString &document);

// Parsing of a stored integer: decimal, or hexadecimal after "0x"/"0X" when
// the text is longer than two characters; false when it is not a number.
bool parseStoredInteger(const QString &text, qint32 *value);

// The four-part version checked from its text; raises "Les informations de
// version de sont pas incluses" when there is none.
QString versionFromText(const QString &compiled);
