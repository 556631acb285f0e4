#include "DrawnIcon.h"

#include <QPainter>
#include <QPen>
#include <QPixmap>

QIcon drawnIcon(const std::function<void(QPainter &)> &draw)
{
    QIcon icon;
    for (const int scale : {1, 2}) {
        QPixmap pixmap(16 * scale, 16 * scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing, scale > 1);
        painter.scale(scale, scale);
        QPen pen(Qt::black);
        pen.setWidthF(1.0);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
