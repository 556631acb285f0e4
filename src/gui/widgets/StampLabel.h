#pragma once

#include "print/StampGeometry.h"

#include <QColor>
#include <QSize>
#include <QWidget>

// The stamp: a free text in large letters, drawn without background, turned
// counter-clockwise about the centre of its box, and sized to its text
// whenever its text, font or angle changes (its top-left corner stays).
class StampLabel : public QWidget
{
    Q_OBJECT
public:
    explicit StampLabel(QWidget *parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString &text);
    int angle() const { return m_angle; }
    void setAngle(int angle);
    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    void setStampFont(const QFont &font);

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void fitToText();
    QSize textSize() const;

    QString m_text;
    int m_angle = 0;
    QColor m_color = Qt::black;
};
