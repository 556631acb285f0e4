#pragma once

#include <QSize>

// The size a turned text takes: for a text w by h pixels turned by A degrees,
// w·|cos A| + h·|sin A| + 2 wide and w·|sin A| + h·|cos A| high, each product
// rounded to whole pixels.
QSize turnedTextBox(const QSize &text, int angle);
// An angle brought into 0..359 (a negative angle counts from 360).
int normalisedAngle(int angle);
