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
    };
    for (const Case &c : cases)
        EXPECT_EQ(turnedTextBox(c.text, c.angle), c.box) << c.angle;
}

TEST(StampGeometry, AnglesAreBroughtIntoZeroTo359)
{
    const int cases[][2] = {{0, 0},     {359, 359}, {360, 0},   {450, 90},
                            {-90, 270}, {-360, 0},  {-450, 270}, {720, 0}};
    for (const auto &c : cases)
        EXPECT_EQ(normalisedAngle(c[0]), c[1]) << c[0];

TEST(StampGeometry, TheBoxHoldsTheTurnedTextWithTwoPixelsOfWidth)
{
    struct Case { int angle; QSize text; QSize box; };
    const Case cases[] = {
        {0, {168, 44}, {170, 44}},        // w + 2 by h
        {90, {168, 44}, {46, 168}},       // h + 2 by w, same corner
        {270, {168, 44}, {46, 168}},
        {180, {168, 44}, {170, 44}},
        // 168·0.7071 = 118.79 → 119 and 44·0.7071 = 31.11 → 31, rounded apart.
        {45, {168, 44}, {152, 150}},
        // −30 turns as 330: |cos| 0.866, |sin| 0.5: 145.49 → 145 + 22, 84 + 38.1 → 38.
        {-30, {168, 44}, {169, 122}},
        {330, {168, 44}, {169, 122}},
        {10, {0, 0}, {2, 0}},             // an empty text
    };
    for (const Case &c : cases)
        EXPECT_EQ(turnedTextBox(c.text, c.angle), c.box) << "angle " << c.angle;
}

TEST(StampGeometry, ANegativeAngleCountsFrom360)
{
    struct Case { int given; int stored; };
    const Case cases[] = {{0, 0}, {10, 10}, {-30, 330}, {-360, 0}, {-1, 359}, {359, 359}, {360, 0}, {450, 90}};
    for (const Case &c : cases)
        EXPECT_EQ(normalisedAngle(c.given), c.stored) << c.given;
}

} // namespace
