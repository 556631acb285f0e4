#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include "PathRules.h"

class QPrinter;

// What a file dialog is asked to show. The filter is written the way the
// program's texts give it: display names and patterns alternating, separated
// by "|" ("texte|*.txt|ini|*.ini|Tous |*.*").
struct FileDialogRequest
{
    QString title;
    QString folder;
    QString fileName;
    QString filter;
    QString defaultSuffix;      // "TXT": added to a name typed without extension
    bool overwritePrompt = false;
    bool pathMustExist = false;
    bool picture = false;       // a picture dialog with a preview
};

// A font with the colour that goes with it, as the font dialog handles them.
struct FontChoice
{
    QFont font;
    QColor color = Qt::black;
};

// Every modal box the program shows goes through this seam. The desktop
// implementation uses Qt's dialogs; tests install a scripted one that records
// every text and answers from a script, so modal flows never block.
class Dialogs
{
public:
    virtual ~Dialogs();

    // A plain message box with one OK button.
    virtual void message(const QString &text) = 0;
    // An information box with one OK button.
    virtual void information(const QString &text) = 0;
    // A confirmation with OK and Cancel; true on OK.
    virtual bool confirm(const QString &text) = 0;
    // The application's default error box.
    virtual void error(const QString &text) = 0;
    // The error report: a warning with Abort and Ignore; true on Abort.
    virtual bool errorReport(const QString &text) = 0;
    // A one-line input box; a cancelled box answers the preset.
    virtual QString inputBox(const QString &title, const QString &prompt, const QString &preset) = 0;
    // File dialogs; an empty result means cancelled.
    virtual QString openFile(const FileDialogRequest &request) = 0;
    virtual QString saveFile(const FileDialogRequest &request) = 0;
    // The font dialog; its result is not consulted: it returns the font it
    // holds when it closes (the initial one after a cancel).
    virtual FontChoice chooseFont(const FontChoice &initial) = 0;
    // The print dialog on the given printer; true when confirmed.
    virtual bool print(QPrinter &printer) = 0;
};

// The dialogs in use: those a test has installed, else the program's own
// (Qt's, installed by the windows' library at start), else a silent set that
// writes each text to the debug output and declines every question.
Dialogs &dialogs();
// Installs dialogs (not owned); nullptr restores the program's own.
void setDialogs(Dialogs *replacement);
// The program's own dialogs (not owned).
void setDefaultDialogs(Dialogs *dialogs);


// A text of the program as a message box shows it: the program's line
// breaks ("\r", as Windows' message boxes take them, or "\r\n") as Qt's,
// which draws a lone "\r" as nothing at all.
QString messageBoxText(const QString &text);

// "texte|*.txt|Tous |*.*" becomes Qt's "texte (*.txt);;Tous  (*.*)".
QString qtFileFilter(const QString &filter);

// Why a file dialog does not take a path chosen in it, as the sentence it
// shows; empty when it takes it (an empty path is a cancel). Both dialogs
// refuse a path whose folder is not there: opening it would put the defaults
// of a file that cannot exist on the sheet and register it, saving it could
// only fail. Whether the folder is there is given, so the rule is a function
// of values; the program's dialogs and their callers use the form below.
enum class FileDialogMode { Open, Save };
QString chosenFileRefusal(const QString &path, bool folderExists, FileDialogMode mode,
                          PathStyle style = nativePathStyle());
// The same, the folder looked for on the disk.
QString chosenFileRefusal(const QString &path, FileDialogMode mode);
