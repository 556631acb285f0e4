#include "WindowPlacing.h"

#include "support/WindowPlacement.h"

#include <QWidget>

namespace {
Placement placementOf(const QWidget *window)
{
    return Placement{window->x(), window->y(), window->width(), window->height()};
}
} // namespace

void saveWindowPlacement(QWidget *window, const QString &file)
{
    savePlacement(window->objectName(), placementOf(window), file);
}

void restoreWindowPlacement(QWidget *window, const QString &file)
{
    const Placement p = restoredPlacement(window->objectName(), placementOf(window), file);
    window->move(p.left, p.top);
    window->resize(p.width, p.height);
}
