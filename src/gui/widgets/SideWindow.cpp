#include "SideWindow.h"

#include <QApplication>

#include "support/ActionGuard.h"
#include "WindowPlacing.h"

#include <QCloseEvent>

SideWindow::SideWindow(const QString &name, const QString &caption, const QSize &clientSize, Frame frame)
    : QWidget(nullptr, frame == Frame::Sizable ? Qt::Window : Qt::Tool)
{
    setObjectName(name);
    setWindowTitle(caption);
    setAttribute(Qt::WA_QuitOnClose, false);
    if (frame == Frame::FixedTool)
        setFixedSize(clientSize);
    else
        resize(clientSize);
}

void SideWindow::restorePlacement()
{
    runGuarded([this] { restoreWindowPlacement(this); });
}

void SideWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    runGuarded([this] { saveAtClose(); });
}

void SideWindow::saveAtClose()
{
    saveWindowPlacement(this);
}

void SideWindow::disconnectHandlers()
{
    QObject::disconnect(qApp, nullptr, this, nullptr);
    for (QObject *child : findChildren<QObject *>())
        QObject::disconnect(child, nullptr, this, nullptr);
}
