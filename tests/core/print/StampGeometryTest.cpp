// The stamp's size rule and its angles.
#include "print/StampGeometry.h"

#include <gtest/gtest.h>

namespace {

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
