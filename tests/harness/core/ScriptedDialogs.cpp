#include "ScriptedDialogs.h"

void ScriptedDialogs::message(const QString &text)
{
    shown.append({QStringLiteral("message"), text});
}

void ScriptedDialogs::information(const QString &text)
{
    shown.append({QStringLiteral("information"), text});
}

bool ScriptedDialogs::confirm(const QString &text)
{
    shown.append({QStringLiteral("confirm"), text});
    return confirmAnswers.isEmpty() ? false : confirmAnswers.takeFirst();
}

void ScriptedDialogs::error(const QString &text)
{
    shown.append({QStringLiteral("error"), text});
}

bool ScriptedDialogs::errorReport(const QString &text)
{
    shown.append({QStringLiteral("errorReport"), text});
    return errorReportAnswers.isEmpty() ? false : errorReportAnswers.takeFirst();
}

QString ScriptedDialogs::inputBox(const QString &title, const QString &prompt, const QString &preset)
{
    shown.append({QStringLiteral("inputBox"), title + QLatin1Char('|') + prompt});
    return inputAnswers.isEmpty() ? preset : inputAnswers.takeFirst();
}

QString ScriptedDialogs::openFile(const FileDialogRequest &request)
{
    shown.append({QStringLiteral("openFile"), request.title});
    fileRequests.append(request);
    return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
}

QString ScriptedDialogs::saveFile(const FileDialogRequest &request)
{
    shown.append({QStringLiteral("saveFile"), request.title});
    fileRequests.append(request);
    return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
}

FontChoice ScriptedDialogs::chooseFont(const FontChoice &initial)
{
    shown.append({QStringLiteral("font"), initial.font.family()});
    return fontAnswer ? fontAnswer(initial) : initial;
}

bool ScriptedDialogs::print(QPrinter &printer)
{
    shown.append({QStringLiteral("print"), QString()});
    return printAnswer ? printAnswer(printer) : false;
}

QStringList ScriptedDialogs::texts() const
{
    QStringList result;
    for (const Shown &box : shown)
        result << box.text;
    return result;
}

QStringList ScriptedDialogs::texts(const QString &kind) const
{
    QStringList result;
    for (const Shown &box : shown)
        if (box.kind == kind)
            result << box.text;
    return result;
}

void ScriptedDialogs::clear()
{
    *this = ScriptedDialogs();
}

ScriptedDialogs &testDialogs()
{
    static ScriptedDialogs instance;
    return instance;
}
