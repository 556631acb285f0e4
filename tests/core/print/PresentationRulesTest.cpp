// The numbers of the presentation options: what a box's text counts as and
// where the screen-position box puts the care-sheet window.
#include "print/PresentationRules.h"

#include <gtest/gtest.h>

namespace {

TEST(PresentationRules, ABoxsTextIsAWholeNumberOrZero)
{
    struct Case { const char *text; int value; };
    const Case cases[] = {
        {"772", 772}, {"-50", -50}, {"+5", 5}, {" 12 ", 12}, {"0", 0},
        {"", 0}, {"-", 0}, {"abc", 0}, {"12px", 0}, {"1,5", 0}, {"99999999999", 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(wholeNumberOrZero(QString::fromLatin1(c.text)), c.value) << '"' << c.text << '"';
}

TEST(PresentationRules, TheScreenBoxMovesTheWindowBySixPixelSteps)
{
    struct Case { int steps; int top; };
    const Case cases[] = {{0, 0}, {1, 6}, {10, 60}, {-50, -300}};
    for (const Case &c : cases)
        EXPECT_EQ(careSheetTopFor(c.steps), c.top) << c.steps;
}

} // namespace
