#include "PagePrinting.h"

#include "print/CalibrationLayout.h"
#include "support/TiravonError.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainterPath>
#include <QPainter>
#include <QPen>
#include <QPixmap>
#include <QRegion>
#include <QStringList>
#include <QTransform>
#include <QPrinter>
#include <QWidget>

#include <functional>

QPixmap renderArea(QWidget *widget, const QRect &area)
{
    const qreal ratio = widget->devicePixelRatioF();
    QPixmap capture(area.size() * ratio);
    capture.setDevicePixelRatio(ratio);
    capture.fill(widget->palette().color(QPalette::Window));
    widget->render(&capture, QPoint(), QRegion(area), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    return capture;
}

namespace {
const char *const kRefused = "L'imprimante n'imprime pas actuellement";
} // namespace

void setMinimumMargins(QPrinter &printer)
{
    // The page margins are the printer's own minimum margins, not the
    // toolkit's default margins (10 points), whatever the print dialog left.
    printer.setFullPage(false);
    const QPageLayout layout = printer.pageLayout();
    printer.setPageMargins(layout.minimumMargins(), layout.units());
}

namespace {
// One page on the printer, drawn from the top-left corner of its printable
// area; "L'imprimante n'imprime pas actuellement" when the job cannot start
// or end.
void printOnePage(QPrinter &printer, const std::function<void(QPainter &)> &draw)
{
    const QString refused = QString::fromUtf8(kRefused);
    printer.setDocName(QString());
    setMinimumMargins(printer);
    QPainter painter;
    if (!painter.begin(&printer))
        throw TiravonError(refused);
    draw(painter);
    if (!painter.end())
        throw TiravonError(refused);
}
} // namespace

void printCapture(QPrinter &printer, const QPixmap &capture, const QSize &logicalSize, const QPoint &shift,
                  const PreviewMarks *preview)
{
    printOnePage(printer, [&](QPainter &painter) {
        // The pixels as they are: no smoothing when stretched, and no lossy
        // compression on the way (a PDF job would otherwise store the capture as
        // JPEG and blur the letters' edges).
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.setRenderHint(QPainter::LosslessImageRendering, true);
        // The capture's size in the window's own pixels: a high-resolution screen
        // gives more pixels of the same logical size, printed at the same size.
        const QRect target = printedRect(logicalSize, printer.logicalDpiX(), printer.logicalDpiY()).translated(shift);
        painter.drawPixmap(target, capture);
        if (!preview)
            return;
        // The margins the printer cannot print on, around the painter's
        // origin at the printable area's corner.
        const QRect paper = printer.paperRect(QPrinter::DevicePixel).toAlignedRect();
        const QRect printable = printer.pageRect(QPrinter::DevicePixel).toAlignedRect();
        const QRegion margins = QRegion(paper.translated(-printable.topLeft()))
                                - QRegion(QRect(QPoint(0, 0), printable.size()));
        for (const QRect &part : margins)
            painter.fillRect(part, QColor(0, 0, 0, 48));
        QPen red(Qt::red);
        red.setWidthF(0.3 * printer.logicalDpiX() / 25.4);
        painter.setPen(red);
        painter.setBrush(Qt::NoBrush);
        for (const QRect &zone : preview->outlined)
            painter.drawRect(zone);
    });
}

QPixmap withFormBehind(const QPixmap &page, const QPixmap &withForm)
{
    // Multiplied over the page at a quarter of its strength, the form greys
    // the white paper a little and leaves the black letters black.
    QPixmap result = page;
    QPainter painter(&result);
    painter.setCompositionMode(QPainter::CompositionMode_Multiply);
    painter.setOpacity(0.25);
    painter.drawPixmap(QPoint(0, 0), withForm);
    return result;
}

namespace {

// A text as a filled outline, its em the size given in the painter's units,
// its baseline at 0. Printer text is never used on the calibration page: a
// printer driver may fail on the font a text would send it.
QPainterPath textOutline(const QString &text, double size, bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(100);
    font.setBold(bold);
    QPainterPath path;
    path.addText(0, 0, font, text);
    return QTransform::fromScale(size / 100, size / 100).map(path);
}

// The width of a text in the units of textOutline at that size.
double textWidth(const QString &text, double size, bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(100);
    font.setBold(bold);
    return QFontMetricsF(font).horizontalAdvance(text) * size / 100;
}

// Fills a text's outline with the middle of its ink at the point.
void fillCentred(QPainter &painter, const QPainterPath &outline, const QPointF &centre)
{
    painter.fillPath(outline.translated(centre - outline.boundingRect().center()), Qt::black);
}

// The words of a text in lines no wider than the width.
QStringList wrapped(const QString &text, double size, double width)
{
    QStringList lines;
    QString line;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (!line.isEmpty() && textWidth(longer, size) > width) {
            lines << line;
            line = word;
        } else {
            line = longer;
        }
    }
    if (!line.isEmpty())
        lines << line;
    return lines;
}

const char *const kInstruction =
    "Posez la page sur un formulaire vierge à contre-jour, les bords des deux feuilles l'un sur l'autre. "
    "Chaque croix marque le coin du texte d'un champ tel qu'il s'imprime ; ses deux bras sont des "
    "échelles en millimètres (un trait par demi-millimètre, la croix est le zéro). Lisez sur chaque "
    "échelle le nombre où tombe le bord de la case du formulaire : c'est le décalage à ajouter à celui "
    "en vigueur dans « Décalage de l'imprimante », vers la droite et vers le bas (négatif vers la gauche "
    "et vers le haut).";

} // namespace

void printCalibrationPage(QPrinter &printer, const QList<CalibrationMark> &marks, const CalibrationNotice &notice)
{
    printOnePage(printer, [&](QPainter &painter) {
        // Everything is drawn in millimetres from the printable area's corner.
        const double dotsPerMmX = printer.logicalDpiX() / 25.4;
        const double dotsPerMmY = printer.logicalDpiY() / 25.4;
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.scale(dotsPerMmX, dotsPerMmY);
        const QSizeF printable(printer.width() / dotsPerMmX, printer.height() / dotsPerMmY);
        // Hair lines a tenth of a millimetre wide.
        QPen pen(Qt::black);
        pen.setWidthF(0.1);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(QPointF(0, 0), printable).adjusted(0.05, 0.05, -0.05, -0.05));

        // The crosses and their scales. Each half of a scale has its marks
        // and numbers on its own side of the line, turning around the cross
        // (the left half's above, the upper half's to the right, the right
        // half's below, the lower half's to the left); every other number is
        // a row further out so that they stay apart.
        QList<QPointF> crosses;
        for (const CalibrationMark &mark : marks)
            crosses << QPointF(mark.dots.x() / dotsPerMmX, mark.dots.y() / dotsPerMmY);
        const QList<ScaleReach> reaches = crossScaleReaches(crosses, printable);
        const double scaleNumber = 1.7;
        const double nearRow = 1.3, rowStep = 1.6, columnStep = 1.9;
        QList<QRectF> taken;
        for (int i = 0; i < marks.size(); ++i) {
            const QPointF c = crosses.at(i);
            const ScaleReach reach = reaches.at(i);
            taken << crossFootprint(c, reach);
            painter.drawLine(QPointF(c.x() - reach.left, c.y()), QPointF(c.x() + reach.right, c.y()));
            painter.drawLine(QPointF(c.x(), c.y() - reach.up), QPointF(c.x(), c.y() + reach.down));
            for (const Graduation &mark : scaleGraduations(reach.left, reach.right)) {
                // Up for the left half, down for the right one.
                const double side = mark.at < 0 ? -1 : 1;
                const double x = c.x() + mark.at;
                painter.drawLine(QPointF(x, c.y()), QPointF(x, c.y() + side * mark.length));
                if (!mark.numbered)
                    continue;
                const int mm = qRound(mark.at);
                const QPainterPath number = textOutline(QString::number(mm), scaleNumber);
                const double out = nearRow + (qAbs(mm) % 2 ? rowStep : 0) + number.boundingRect().height() / 2;
                fillCentred(painter, number, QPointF(x, c.y() + side * out));
            }
            for (const Graduation &mark : scaleGraduations(reach.up, reach.down)) {
                // Right for the upper half, left for the lower one.
                const double side = mark.at < 0 ? 1 : -1;
                const double y = c.y() + mark.at;
                painter.drawLine(QPointF(c.x(), y), QPointF(c.x() + side * mark.length, y));
                if (!mark.numbered)
                    continue;
                const int mm = qRound(mark.at);
                const QPainterPath number = textOutline(QString::number(mm), scaleNumber);
                const double out = nearRow + (qAbs(mm) % 2 ? columnStep : 0) + number.boundingRect().width() / 2;
                fillCentred(painter, number, QPointF(c.x() + side * out, y));
            }
            const QPainterPath name = textOutline(marks.at(i).name, 2.2);
            painter.fillPath(name.translated(QPointF(c.x() + reach.right + 1.0, c.y())
                                             - QPointF(name.boundingRect().left(), name.boundingRect().center().y())),
                             Qt::black);
        }

        // The rulers: each millimetre a short mark, each 5 mm a longer one,
        // each 10 mm the longest with its number beyond its end, the left
        // ruler's numbers level with their marks.
        const double rulerNumber = 2.5;
        for (const RulerMark &mark : rulerMarks(printable, true, taken)) {
            painter.drawLine(QPointF(mark.at, 0), QPointF(mark.at, mark.length));
            if (mark.numbered) {
                const QPainterPath number = textOutline(QString::number(int(mark.at)), rulerNumber);
                fillCentred(painter, number, QPointF(mark.at, mark.length + 0.6 + number.boundingRect().height() / 2));
            }
        }
        for (const RulerMark &mark : rulerMarks(printable, false, taken)) {
            painter.drawLine(QPointF(0, mark.at), QPointF(mark.length, mark.at));
            if (mark.numbered) {
                const QPainterPath number = textOutline(QString::number(int(mark.at)), rulerNumber);
                fillCentred(painter, number, QPointF(mark.length + 0.6 + number.boundingRect().width() / 2, mark.at));
            }
        }

        // The notice, where no cross is.
        const double titleSize = 6.0, lineSize = 3.2, leading = 1.45;
        const QRectF free = freeOfRulers(printable);
        const double width = qMin(150.0, free.width() - 10);
        QStringList lines = {QStringLiteral("Imprimante : ") + notice.printer,
                             QStringLiteral("Date : ") + notice.date,
                             QStringLiteral("Décalage en vigueur : ") + notice.offset, QString()};
        lines << wrapped(QString::fromUtf8(kInstruction), lineSize, width);
        const double margin = 3.0;
        const QSizeF size(width + 2 * margin, titleSize * 1.4 + lines.size() * lineSize * leading + 2 * margin);
        const QRectF place = noticePlace(size, free.adjusted(0, 2, 0, 0), taken);
        painter.drawRect(place);
        double baseline = place.top() + margin + titleSize;
        painter.fillPath(textOutline(QStringLiteral("Page de calibrage"), titleSize, true)
                             .translated(place.left() + margin, baseline),
                         Qt::black);
        baseline += titleSize * 0.4 + lineSize * leading;
        for (const QString &line : lines) {
            painter.fillPath(textOutline(line, lineSize).translated(place.left() + margin, baseline), Qt::black);
            baseline += lineSize * leading;
        }
    });
}
