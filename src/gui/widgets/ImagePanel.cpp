#include "ImagePanel.h"

#include <QPainter>

ImagePanel::ImagePanel(QWidget *parent)
    : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    setFocusPolicy(Qt::ClickFocus);
    QFont captionFont(QStringLiteral("Arial"), 12);
    captionFont.setBold(true);
    setFont(captionFont);
}

void ImagePanel::setCaption(const QString &caption)
{
    m_caption = caption;
    update();
}

void ImagePanel::paintEvent(QPaintEvent *)
{
    if (m_caption.isEmpty())
        return;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect(), Qt::AlignCenter, m_caption);
}

void ImagePanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    emit resized(size());
}
