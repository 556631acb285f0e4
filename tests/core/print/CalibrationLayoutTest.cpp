// Where the marks of the calibration page go, in millimetres: the scales
// through each cross, how far each half reaches, the rulers leaving room for
// the crosses, the notice placed where no cross is.
#include "print/CalibrationLayout.h"
#include "print/PrinterOffset.h"
#include "QtPrinting.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

TEST(CalibrationLayout, AScaleIsMarkedEachHalfMillimetreAndNumberedEachMillimetre)
{
    const QList<Graduation> full = scaleGraduations(5, 5);
    ASSERT_EQ(full.size(), 20);   // -5 to +5 without the zero, which is the cross
    for (int i = 0; i < full.size(); ++i) {
        const double expected = (i < 10 ? i - 10 : i - 9) * 0.5;
        EXPECT_DOUBLE_EQ(full[i].at, expected) << i;
        const bool whole = expected == std::floor(expected);
        EXPECT_EQ(full[i].numbered, whole) << expected;
        EXPECT_GT(full[i].length, 0.0);
        if (i > 0 && full[i].numbered != full[i - 1].numbered) {
            EXPECT_NE(full[i].length, full[i - 1].length) << expected;
        }
    }

    // A short half: marks only as far as it reaches; none beyond 5 mm.
    const QList<Graduation> cut = scaleGraduations(1.5, 7);
    EXPECT_DOUBLE_EQ(cut.first().at, -1.5);
    EXPECT_DOUBLE_EQ(cut.last().at, 5.0);
    EXPECT_EQ(cut.size(), 13);
    EXPECT_TRUE(scaleGraduations(0, 0).isEmpty());
}

TEST(CalibrationLayout, EachHalfOfAScaleStaysOnThePageAndClearOfTheOtherCrosses)
{
    const QSizeF page(200, 287);
    struct Case
    {
        const char *name;
        QList<QPointF> crosses;
        ScaleReach first;
    };
    const Case cases[] = {
        {"alone", {{100, 100}}, {5, 5, 5, 5}},
        // Near the edges: as far as the page goes, in half millimetres.
        {"near the left edge", {{4.3, 100}}, {4, 5, 5, 5}},
        {"in the corner", {{0.7, 287 - 2.2}}, {0.5, 5, 5, 2}},
        // Two fields one above the other, 8.5 mm apart: each stops short of
        // the other's numbers.
        {"a cross below", {{50, 20}, {50, 28.5}}, {5, 5, 5, 3.5}},
        {"a cross above", {{50, 28.5}, {50, 20}}, {5, 5, 3.5, 5}},
        // Beside, a little lower: the horizontal halves stop, the vertical
        // ones are not in its way.
        {"a cross to the right", {{50, 50}, {57, 53}}, {5, 2, 5, 5}},
        {"far apart", {{50, 50}, {70, 50}, {50, 80}}, {5, 5, 5, 5}},
    };
    for (const Case &c : cases) {
        const QList<ScaleReach> reaches = crossScaleReaches(c.crosses, page);
        ASSERT_EQ(reaches.size(), c.crosses.size()) << c.name;
        const ScaleReach r = reaches.first();
        EXPECT_TRUE(r == c.first) << c.name << ": " << r.left << " " << r.right << " " << r.up << " " << r.down;
    }
}

TEST(CalibrationLayout, TheRulersLeaveRoomForTheCrossesAndTheNoticeGoesWhereNoCrossIs)
{
    const QSizeF page(200, 287);
    const QList<RulerMark> top = rulerMarks(page, true, {});
    ASSERT_EQ(top.size(), 199);
    EXPECT_DOUBLE_EQ(top[9].at, 10);
    EXPECT_TRUE(top[9].numbered);
    EXPECT_GT(top[9].length, top[4].length);
    EXPECT_GT(top[4].length, top[3].length);
    EXPECT_EQ(rulerMarks(page, false, {}).size(), 286);

    // A cross by the left edge at 125 mm: the left ruler leaves its marks out
    // there, the top ruler keeps all of its own.
    const QList<QRectF> crosses = {crossFootprint({4.5, 125}, {4.5, 5, 5, 5})};
    QList<double> left;
    for (const RulerMark &mark : rulerMarks(page, false, crosses))
        left << mark.at;
    EXPECT_TRUE(left.contains(110));
    EXPECT_FALSE(left.contains(120));
    EXPECT_FALSE(left.contains(125));
    EXPECT_FALSE(left.contains(130));
    EXPECT_TRUE(left.contains(140));
    EXPECT_EQ(rulerMarks(page, true, crosses).size(), 199);

    const QRectF free = freeOfRulers(page);
    EXPECT_TRUE(QRectF(QPointF(0, 0), page).contains(free));
    const QSizeF notice(150, 60);
    // Nothing in the way: at the top of the free part, centred across it.
    const QRectF alone = noticePlace(notice, free, {});
    EXPECT_EQ(alone.top(), free.top());
    EXPECT_NEAR(alone.center().x(), free.center().x(), 1e-9);
    // Crosses near the top: below them.
    const QList<QRectF> taken = {crossFootprint({50, 20}, {5, 5, 5, 5}), crossFootprint({60, 60}, {5, 5, 5, 5})};
    const QRectF below = noticePlace(notice, free, taken);
    for (const QRectF &part : taken)
        EXPECT_FALSE(below.intersects(part));
    EXPECT_GT(below.top(), free.top());
    EXPECT_LE(below.bottom(), free.bottom());
}

TEST(CalibrationLayout, TheOffsetInForceIsToldInMillimetresEachWay)
{
    struct Case
    {
        PrinterOffset offset;
        const char *told;
    };
    const Case cases[] = {
        {{0, 0}, "aucun"},
        {{10, -5}, "1,0 mm vers la droite, 0,5 mm vers le haut"},
        {{-25, 0}, "2,5 mm vers la gauche"},
        {{0, 300}, "30,0 mm vers le bas"},
    };
    for (const Case &c : cases) {
        StoredPrinterOffset stored;
        stored.offset = c.offset;
        EXPECT_EQ(describePrinterOffset(stored), QString::fromUtf8(c.told)) << c.told;
    }
    StoredPrinterOffset unreadable;
    unreadable.text = QStringLiteral("abc");
    unreadable.unreadable = true;
    EXPECT_EQ(describePrinterOffset(unreadable),
              QStringLiteral("aucun (la valeur enregistrée « abc » ne peut pas être lue)"));
}

} // namespace
