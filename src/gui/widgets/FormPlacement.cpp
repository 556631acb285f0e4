#include "FormPlacement.h"

#include "support/tq32_ini.h"

#include <QWidget>

namespace {
Placement placementOf(const QWidget *window)
{
    return Placement{window->x(), window->y(), window->width(), window->height()};
}
} // namespace

void Form_SavePosition(QWidget *window, const QString &file)
{
    savePlacement(window->objectName(), placementOf(window), file);
}

void Form_RestorePosition(QWidget *window, const QString &file)
{
    const Placement p = restoredPlacement(window->objectName(), placementOf(window), file);
    window->move(p.left, p.top);
    window->resize(p.width, p.height);
}
