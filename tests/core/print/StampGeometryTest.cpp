// The size of the turned stamp text and its angle brought into 0..359.
#include "print/StampGeometry.h"
#include "QtPrinting.h"

#include <gtest/gtest.h>

namespace {

TEST(StampGeometry, ATurnedTextTakesTheBoxOfItsTurnedRectangle)
{
    struct Case
    {
        QSize text;
        int angle;
        QSize box;
    };
    const Case cases[] = {
        {QSize(100, 20), 0, QSize(102, 20)},
        {QSize(100, 20), 90, QSize(22, 100)},
        {QSize(100, 20), 180, QSize(102, 20)},
        {QSize(100, 20), 270, QSize(22, 100)},
        {QSize(100, 20), 360, QSize(102, 20)},
        {QSize(100, 20), -90, QSize(22, 100)},
        // Each product rounded on its own: 70.71 + 14.14 + 2 and 70.71 + 14.14.
        {QSize(100, 20), 45, QSize(87, 85)},
        // 86.60 + 10 + 2 by 50 + 17.32.
        {QSize(100, 20), 30, QSize(99, 67)},
        {QSize(100, 20), 150, QSize(99, 67)},
        {QSize(0, 0), 0, QSize(2, 0)},
        // The design stamp "Duplicata", 168 by 44: 118.79 → 119 and 31.11 → 31
        // rounded apart; −30 turns as 330.
        {QSize(168, 44), 45, QSize(152, 150)},
        {QSize(168, 44), -30, QSize(169, 122)},
        {QSize(168, 44), 330, QSize(169, 122)},
    };
    for (const Case &c : cases)
        EXPECT_EQ(turnedTextBox(c.text, c.angle), c.box) << c.angle;
}

TEST(StampGeometry, AnglesAreBroughtIntoZeroTo359)
{
    const int cases[][2] = {{0, 0},     {359, 359}, {360, 0},   {450, 90},
                            {-90, 270}, {-360, 0},  {-450, 270}, {720, 0},
                            {-30, 330}, {-1, 359}};
    for (const auto &c : cases)
        EXPECT_EQ(normalisedAngle(c[0]), c[1]) << c[0];
}


} // namespace
