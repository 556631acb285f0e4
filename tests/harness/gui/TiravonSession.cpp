#include "TiravonSession.h"

#include "app/CareSheetWindow.h"
#include "app/ProgramWindows.h"
#include "support/PathRules.h"

#include <QCoreApplication>
#include <QFile>
#include <stdexcept>

TiravonSession::TiravonSession()
{
    m_previousCurrent = QDir::currentPath();
    // The program file as the platform gives it: with the system's own
    // separators, and its extension on Windows.
#ifdef Q_OS_WIN
    fake.programFilePath = QDir::toNativeSeparators(m_dir.filePath(QStringLiteral("Tiravon.exe")));
#else
    fake.programFilePath = m_dir.filePath(QStringLiteral("Tiravon"));
#endif
    QDir::setCurrent(m_dir.path());
    setPlatform(&fake);
}

TiravonSession::~TiravonSession()
{
    stop();
    setPlatform(nullptr);
    QDir::setCurrent(m_previousCurrent);
}

namespace {
ProgramWindows *g_current = nullptr;
}

ProgramWindows &currentWindows()
{
    if (!g_current)
        throw std::runtime_error("no session is running");
    return *g_current;
}

void TiravonSession::start(bool show)
{
    m_running = true;
    if (show) {
        m_windows = ProgramWindows::open();
        g_current = m_windows.get();
        QCoreApplication::processEvents();
    } else {
        m_windows = std::make_unique<ProgramWindows>();
        g_current = m_windows.get();
    }
}

ProgramWindows &TiravonSession::windows() const
{
    return *m_windows;
}

void TiravonSession::close()
{
    if (m_running && m_windows)
        m_windows->careSheet()->close();
    stop();
}

void TiravonSession::restart()
{
    close();
    start();
}

void TiravonSession::stop()
{
    if (!m_running)
        return;
    if (g_current == m_windows.get())
        g_current = nullptr;
    m_windows.reset();
    m_running = false;
}

QString TiravonSession::folder() const
{
    return programFolderFor(fake.programFilePath);
}

QString TiravonSession::path(const QString &name) const
{
    return folder() + QDir::toNativeSeparators(name);
}

QString TiravonSession::settingsFile() const
{
    return settingsFileFor(fake.programFilePath);
}

QString TiravonSession::configFile() const
{
    return path(QStringLiteral("feuille_de_soin_medecin@") + fake.login + QStringLiteral(".INI"));
}

CareSheetWindow *TiravonSession::form() const
{
    return m_windows ? m_windows->careSheet() : nullptr;
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QWidget *TiravonSession::window() const
{
    return form();
}
