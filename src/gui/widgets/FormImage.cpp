#include "FormImage.h"

#include <QPainter>

FormImage::FormImage(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
}

void FormImage::setPicture(const QImage &picture)
{
    m_picture = picture;
    update();
}

void FormImage::setStretched(bool stretched)
{
    m_stretched = stretched;
    update();
}

void FormImage::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_stretched) {
        painter.drawImage(rect(), m_picture);
    } else {
        QRect target(QPoint(), m_picture.size());
        target.moveCenter(rect().center());
        painter.drawImage(target, m_picture);
    }
}
