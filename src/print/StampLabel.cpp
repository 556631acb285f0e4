#include "StampLabel.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

QSize turnedTextBox(const QSize &text, int angle)
{
    const double radians = qDegreesToRadians(double(angle));
    const double c = qAbs(qCos(radians));
    const double s = qAbs(qSin(radians));
    const int width = qRound(text.width() * c) + qRound(text.height() * s) + 2;
    const int height = qRound(text.width() * s) + qRound(text.height() * c);
    return QSize(width, height);
}

int normalisedAngle(int angle)
{
    const int a = angle % 360;
    return a < 0 ? a + 360 : a;
}

StampLabel::StampLabel(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
}

void StampLabel::setText(const QString &text)
{
    m_text = text;
    fitToText();
}

void StampLabel::setAngle(int angle)
{
    m_angle = normalisedAngle(angle);
    fitToText();
}

void StampLabel::setColor(const QColor &color)
{
    m_color = color;
    update();
}

void StampLabel::setStampFont(const QFont &font)
{
    setFont(font);
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

void StampLabel::mousePressEvent(QMouseEvent *event)
{
    QWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && mouseDownHandler)
        mouseDownHandler(this);
}

void StampLabel::mouseMoveEvent(QMouseEvent *event)
{
    QWidget::mouseMoveEvent(event);
    if (mouseMoveHandler)
        mouseMoveHandler(this);
}

void StampLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    QWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}
