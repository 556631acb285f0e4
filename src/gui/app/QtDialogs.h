#pragma once

#include "support/Dialogs.h"

// Qt's dialogs.
class QtDialogs : public Dialogs
{
public:
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
};
