#pragma once

#include "FakePlatform.h"
#include "QtPrinting.h"
#include "SheetAccess.h"

#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>
#include <memory>

class CareSheetWindow;
class ProgramWindows;

// One run of the program in its own temporary program folder: the fake
// platform points the program file there and the current directory too, so
// nothing is written anywhere else. start() creates the windows as the
// program entry does and shows the care-sheet window; restart() closes it
// (which saves) and starts again in the same folder.
class TiravonSession
{
public:
    TiravonSession();
    ~TiravonSession();

    void start(bool show = true);
    void close();
    void restart();
    // Destroys the windows without closing them (the program's end).
    void stop();

    // The program folder and its files as the program names them: with the
    // system's separators, and on Windows in lower case.
    QString folder() const;            // with a trailing separator
    QString path(const QString &name) const;
    QString settingsFile() const;      // Tiravon.INI
    QString configFile() const;        // the form configuration of the default image

    CareSheetWindow *form() const;
    QWidget *window() const;           // the care-sheet window
    ProgramWindows &windows() const;   // all of them, while running
    template <typename T>
    T *find(const QString &name) const;

    FakePlatform fake;

private:
    QTemporaryDir m_dir;
    QString m_previousCurrent;
    bool m_running = false;
    std::unique_ptr<ProgramWindows> m_windows;
};

template <typename T>
T *TiravonSession::find(const QString &name) const
{
    return window()->findChild<T *>(name);
}

// The windows of the session running now.
ProgramWindows &currentWindows();

// Writes a file whole (bytes as given).
void writeBytes(const QString &path, const QByteArray &bytes);
QByteArray readBytes(const QString &path);
