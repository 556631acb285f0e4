// Where the capture of the window lands on paper, as numbers: the part of the
// page captured, the window's height for it, the printed rectangle.
#include "print/PrintGeometry.h"
#include "QtPrinting.h"

#include <QImage>
#include <QList>
#include <QPair>
#include <gtest/gtest.h>

namespace {

TEST(PrintGeometry, TheCaptureIsTheClientAreaOfAWindow1110PixelsHighFromTheTopOfThePage)
{
    struct Case
    {
        const char *name;
        CaptureWindow window;
        QRect area;
    };
    const Case cases[] = {
        // Title bar and borders (31) and the menu bar (23) come off the outer height.
        {"framed window", {1110, 31, 23, 803}, QRect(0, 0, 803, 1056)},
        {"thin frame", {1110, 4, 23, 803}, QRect(0, 0, 803, 1083)},
        {"no frame known", {1110, 0, 23, 803}, QRect(0, 0, 803, 1087)},
        {"narrower client area", {1110, 31, 23, 640}, QRect(0, 0, 640, 1056)},
        {"nothing left", {40, 31, 23, 803}, QRect(0, 0, 803, 0)},
    };
    for (const Case &c : cases)
        EXPECT_EQ(captureArea(c.window), c.area) << c.name;

    // The window's own height that gives the outer height asked for.
    EXPECT_EQ(windowHeightFor(1110, 31), 1079);
    EXPECT_EQ(windowHeightFor(1110, 0), 1110);
    EXPECT_EQ(windowHeightFor(20, 31), 0);
}

TEST(PrintGeometry, APixelOfTheWindowIsA96thOfAnInchFromThePrintableCorner)
{
    struct Case
    {
        QSize capture;
        int dpiX, dpiY, windowDpi;
        QRect printed;
    };
    const Case cases[] = {
        {QSize(96, 96), 600, 600, 96, QRect(0, 0, 600, 600)},
        // A text 192 pixels from the left lands two inches from the corner.
        {QSize(192, 1), 600, 600, 96, QRect(0, 0, 1200, 6)},
        // Ten pixels are 62.5 dots at 600 dpi, rounded to the nearest dot.
        {QSize(10, 10), 600, 600, 96, QRect(0, 0, 63, 63)},
        {QSize(1, 1), 300, 300, 96, QRect(0, 0, 3, 3)},
        {QSize(803, 1056), 600, 600, 96, QRect(0, 0, 5019, 6600)},
        {QSize(803, 1056), 1200, 1200, 96, QRect(0, 0, 10038, 13200)},
        // Each direction at its own resolution.
        {QSize(96, 96), 300, 600, 96, QRect(0, 0, 300, 600)},
        // A window scaled to a screen of 192 pixels per inch.
        {QSize(192, 192), 600, 600, 192, QRect(0, 0, 600, 600)},
        {QSize(0, 0), 600, 600, 96, QRect(0, 0, 0, 0)},
    };
    for (const Case &c : cases)
        EXPECT_EQ(printedRect(c.capture, c.dpiX, c.dpiY, c.windowDpi), c.printed)
            << c.capture.width() << "x" << c.capture.height() << " at " << c.dpiX << "x" << c.dpiY;
    EXPECT_EQ(printedRect(QSize(96, 48), 600, 600), QRect(0, 0, 600, 300));
}

// What of a field prints: the pixels that are not the paper's colour,
// however faint (a smoothed edge prints too).
TEST(PrintGeometry, TheInkedPartOfAPictureIsWhatIsNotPaper)
{
    const QRgb paper = qRgb(255, 255, 255);
    struct Case
    {
        const char *name;
        QList<QPair<QPoint, QRgb>> dots;
        QRect inked;
    };
    const Case cases[] = {
        {"nothing inked", {}, QRect()},
        {"one dot", {{QPoint(3, 4), qRgb(0, 0, 0)}}, QRect(3, 4, 1, 1)},
        {"a faint dot counts", {{QPoint(0, 0), qRgb(254, 254, 254)}}, QRect(0, 0, 1, 1)},
        {"coloured ink", {{QPoint(9, 1), qRgb(255, 0, 0)}, {QPoint(2, 7), qRgb(0, 0, 255)}}, QRect(2, 1, 8, 7)},
        {"the corners", {{QPoint(0, 0), qRgb(0, 0, 0)}, {QPoint(19, 9), qRgb(0, 0, 0)}}, QRect(0, 0, 20, 10)},
    };
    for (const Case &c : cases) {
        QImage picture(20, 10, QImage::Format_RGB32);
        picture.fill(paper);
        for (const auto &dot : c.dots)
            picture.setPixel(dot.first, dot.second);
        EXPECT_EQ(inkedRect(picture, paper), c.inked) << c.name;
    }
    // Another paper colour: white is ink on it.
    QImage grey(4, 4, QImage::Format_RGB32);
    grey.fill(qRgb(200, 200, 200));
    grey.setPixel(1, 2, qRgb(255, 255, 255));
    EXPECT_EQ(inkedRect(grey, qRgb(200, 200, 200)), QRect(1, 2, 1, 1));
}

} // namespace
