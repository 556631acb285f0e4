#pragma once

#include "QtPrinting.h"
#include "support/Dialogs.h"

#include <QList>
#include <QStringList>
#include <functional>

// Dialogs for tests: every box is recorded with its kind and exact text, and
// the answers come from a script set in advance. When the script has no
// answer left, a box takes its cancelling answer.
class ScriptedDialogs : public Dialogs
{
public:
    struct Shown
    {
        QString kind;   // "message", "information", "confirm", "error", "errorReport",
                        // "inputBox", "openFile", "saveFile", "font", "print"
        QString text;
    };

    QList<Shown> shown;
    QList<bool> confirmAnswers;        // OK = true
    QList<bool> errorReportAnswers;    // Abort = true
    QStringList inputAnswers;
    QStringList fileAnswers;           // empty string = cancel
    QList<FileDialogRequest> fileRequests;
    std::function<FontChoice(const FontChoice &)> fontAnswer;
    std::function<bool(QPrinter &)> printAnswer;

    void message(const QString &text) override;
    void information(const QString &text) override;
    bool confirm(const QString &text) override;
    void error(const QString &text) override;
    bool errorReport(const QString &text) override;
    QString inputBox(const QString &title, const QString &prompt, const QString &preset) override;
    QString openFile(const FileDialogRequest &request) override;
    QString saveFile(const FileDialogRequest &request) override;
    FontChoice chooseFont(const FontChoice &initial) override;
    bool print(QPrinter &printer) override;

    // The texts shown, of every kind or of one kind.
    QStringList texts() const;
    QStringList texts(const QString &kind) const;
    void clear();
};

// The dialogs the test main installs; reset before every test.
ScriptedDialogs &testDialogs();
