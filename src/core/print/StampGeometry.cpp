#include "StampGeometry.h"

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
