#pragma once

#include <QDate>
#include <QDateTime>
#include <QRect>
#include <QString>

// What differs from one operating system to another, and what tests replace:
// the running program file, the login name, the Windows folder, the screen's
// work area, the clock, handing documents to the desktop, and where the
// program may keep its files.
class Platform
{
public:
    virtual ~Platform();

    // Full path of the running program file (C:\Apps\Tiravon.exe, /opt/tiravon/Tiravon).
    virtual QString programFile() const = 0;
    // Login name of the user running the program; empty when it cannot be had.
    virtual QString loginName() const = 0;
    // The Windows folder; empty where there is none.
    virtual QString windowsFolder() const = 0;
    // The desktop without the task bar, in screen coordinates.
    virtual QRect workArea() const = 0;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }

    // Hands a document, folder or web address to the desktop's default
    // handler ("OPEN"); the result is not examined.
    virtual void openDocument(const QString &document) = 0;
    // Opens a plain text file in the desktop's text editor (Notepad on Windows).
    virtual void editTextFile(const QString &path) = 0;
    // Ends the program as soon as control returns to the event loop, without
    // running any window's closing steps.
    virtual void terminate() = 0;

    // True when the program may create its files in this folder.
    virtual bool canWriteIn(const QString &folder) const = 0;
    // The user's own application data folder (~/.local/share/Tiravon,
    // %APPDATA%\Tiravon); empty where there is none.
    virtual QString userDataFolder() const = 0;

    // The folder the program keeps its files in instead of its own folder,
    // as decided at start (see decideDataFolder); empty: its own folder.
    QString dataFolder() const { return m_dataFolder; }
    void setDataFolder(const QString &folder) { m_dataFolder = folder; }

private:
    QString m_dataFolder;
};

// The platform in use; the desktop one unless a test has installed another.
Platform &platform();
// Installs a platform (not owned); nullptr restores the desktop one.
void setPlatform(Platform *replacement);

// The real platform of the running program.
class DesktopPlatform : public Platform
{
public:
    QString programFile() const override;
    QString loginName() const override;
    QString windowsFolder() const override;
    QRect workArea() const override;
    QDateTime now() const override;
    void openDocument(const QString &document) override;
    void editTextFile(const QString &path) override;
    void terminate() override;
    // A folder counts as writable when a file can be created in it, which
    // also honours the access lists of Windows. The folder a system-wide
    // installation put the program in never does, even for an administrator
    // who could write there.
    bool canWriteIn(const QString &folder) const override;
    QString userDataFolder() const override;
};
