#include "SideWindow.h"

#include <QApplication>

#include "support/ActionGuard.h"
#include "support/tq32_ini.h"
#include "FormPlacement.h"

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
    runGuarded([this] { Form_RestorePosition(this); });
}

void SideWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    runGuarded([this] { FormClose(); });
}

void SideWindow::FormClose()
{
    Form_SavePosition(this);
}

void SideWindow::disconnectHandlers()
{
    QObject::disconnect(qApp, nullptr, this, nullptr);
    for (QObject *child : findChildren<QObject *>())
        QObject::disconnect(child, nullptr, this, nullptr);
}
