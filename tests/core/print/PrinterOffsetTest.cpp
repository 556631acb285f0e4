// A printer's offset as it is stored, in dots, and the zones it pushes out of
// the printable part of the page.
#include "print/PrinterOffset.h"

#include <QPageLayout>
#include <QPageSize>
#include <gtest/gtest.h>

namespace {

TEST(PrinterOffset, StoredTextsAreReadWithinThirtyMillimetresEitherWay)
{
    struct Case
    {
        const char *text;
        bool read;
        int right, down;
    };
    const Case cases[] = {
        {"100;-50", true, 100, -50},
        {"0;0", true, 0, 0},
        {" -300 ; 300 ", true, -300, 300},
        {"301;0", false, 7, 7},
        {"0;-301", false, 7, 7},
        {"100", false, 7, 7},
        {"100;50;2", false, 7, 7},
        {"10.5;0", false, 7, 7},
        {"abc;0", false, 7, 7},
        {";", false, 7, 7},
        {"", false, 7, 7},
    };
    for (const Case &c : cases) {
        PrinterOffset offset{7, 7};
        EXPECT_EQ(parsePrinterOffset(QString::fromUtf8(c.text), &offset), c.read) << c.text;
        EXPECT_EQ(offset.right, c.right) << c.text;
        EXPECT_EQ(offset.down, c.down) << c.text;
        if (c.read) {
            PrinterOffset again;
            ASSERT_TRUE(parsePrinterOffset(formatPrinterOffset(offset), &again)) << c.text;
            EXPECT_EQ(again.right, offset.right) << c.text;
            EXPECT_EQ(again.down, offset.down) << c.text;
        }
    }
    EXPECT_EQ(formatPrinterOffset({100, -50}), QStringLiteral("100;-50"));
}

TEST(PrinterOffset, TenthsOfAMillimetreBecomeTheNearestDot)
{
    struct Case
    {
        PrinterOffset offset;
        int dpiX, dpiY;
        QPoint dots;
    };
    const Case cases[] = {
        // 10.0 mm at 600 dpi is 236.22 dots; 5.0 mm is 118.11.
        {{100, -50}, 600, 600, QPoint(236, -118)},
        {{254, 254}, 600, 300, QPoint(600, 300)},
        {{-300, 300}, 1200, 1200, QPoint(-1417, 1417)},
        {{1, -1}, 96, 96, QPoint(0, 0)},
        {{0, 0}, 600, 600, QPoint(0, 0)},
    };
    for (const Case &c : cases)
        EXPECT_EQ(offsetInDots(c.offset, c.dpiX, c.dpiY), c.dots) << c.offset.right << ";" << c.offset.down;
}

TEST(PrinterOffset, ZonesPartlyOutsideThePrintableAreaAreNamedInTheirOrder)
{
    const QRect printable(0, 0, 4800, 6800);
    const QList<PrintedZone> fitting = {{QStringLiteral("NOM"), QRect(100, 100, 600, 80)},
                                        {QStringLiteral("corner"), QRect(4700, 6700, 100, 100)}};
    EXPECT_TRUE(zonesOutside(fitting, printable).isEmpty());

    const QList<PrintedZone> zones = {
        {QStringLiteral("NOM"), QRect(100, 100, 600, 80)},
        {QStringLiteral("TARIF_1"), QRect(4500, 900, 301, 80)}, // one dot past the right
        {QStringLiteral("NOTE"), QRect(-10, 2000, 500, 500)},    // past the left
        {QStringLiteral("oriente"), QRect(100, 6790, 300, 60)},  // past the bottom
        {QStringLiteral("ACTE_1"), QRect(9000, 9000, 10, 10)},   // wholly outside
        {QStringLiteral("empty"), QRect(9000, 9000, 0, 0)},
    };
    EXPECT_EQ(zonesOutside(zones, printable),
              QStringList({QStringLiteral("TARIF_1"), QStringLiteral("NOTE"), QStringLiteral("oriente"),
                           QStringLiteral("ACTE_1")}));
    EXPECT_EQ(outOfAreaQuestion({QStringLiteral("TARIF_1"), QStringLiteral("NOTE")}),
              QStringLiteral("Ces zones sortent de la partie imprimable de la page : TARIF_1, NOTE\n"
                             "Imprimer quand même ?"));
}

TEST(PrinterOffset, ThePrintableAreaIsThePageLessThePrintersMinimumMargins)
{
    // A4 with minimum margins of 36 points left and right, 27 top and 36
    // bottom, whatever margins were asked for: at 600 dpi, 300 and 225 dots
    // come off the left and top.
    const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(72, 72, 72, 72),
                             QPageLayout::Point, QMarginsF(36, 27, 36, 36));
    const QRect printable = printableDots(layout, 600);
    EXPECT_EQ(printable.topLeft(), QPoint(0, 0));
    EXPECT_NEAR(printable.width(), 4960 - 600, 2);
    EXPECT_NEAR(printable.height(), 7016 - 525, 2);
}

} // namespace
