#include "StampLabel.h"

#include "print/StampGeometry.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

StampLabel::StampLabel(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
}

// Each change refits the box; setting what the stamp already has is no
// change, so a width set explicitly holds.
void StampLabel::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    fitToText();
}

void StampLabel::setAngle(int angle)
{
    if (normalisedAngle(angle) == m_angle)
        return;
    m_angle = normalisedAngle(angle);
    fitToText();
}

void StampLabel::setColor(const QColor &color)
{
    m_color = color;
    update();
}

void StampLabel::setStampFont(const QFont &stampFont)
{
    if (stampFont == font() && stampFont.resolveMask() == font().resolveMask())
        return;
    setFont(stampFont);
    fitToText();
}

QSize StampLabel::textSize() const
{
    const QFontMetrics metrics(font());
    return QSize(metrics.horizontalAdvance(m_text), metrics.height());
}

void StampLabel::fitToText()
{
    resize(turnedTextBox(textSize(), m_angle));
    update();
}

void StampLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font());
    painter.setPen(m_color);
    const QSize size = textSize();
    painter.translate(width() / 2.0, height() / 2.0);
    painter.rotate(-m_angle);   // counter-clockwise on screen
    const QRectF box(-size.width() / 2.0, -size.height() / 2.0, size.width(), size.height());
    painter.drawText(box, Qt::AlignCenter, m_text);
}

void StampLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    QWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}
