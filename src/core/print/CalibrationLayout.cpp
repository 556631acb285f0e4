#include "CalibrationLayout.h"

#include <QtMath>

#include <cmath>

namespace {

// The marks stand out 0.5 mm from the line, the whole millimetres 1 mm; the
// numbers start beyond them.
constexpr double kHalfMark = 0.5;
constexpr double kWholeMark = 1.0;
// How far the numbers and the field's name take the page around a line.
constexpr double kNumbersBand = 4.7;
constexpr double kNameRoom = 25.0;
// A cross lies in the way of another's scale when it is nearer the scale's
// line than this.
constexpr double kWayBand = 6.0;
// The rulers' bands: the longest mark and its number.
constexpr double kTopBand = 8.0;
constexpr double kLeftBand = 11.0;
// The steps down the page where the notice may go.
constexpr double kNoticeStep = 5.0;

// A length brought down to whole half millimetres, none below 0.
double inSteps(double length)
{
    if (length <= 0)
        return 0;
    return std::floor(length / kScaleStep + 1e-9) * kScaleStep;
}

} // namespace

QList<Graduation> scaleGraduations(double before, double after)
{
    QList<Graduation> marks;
    const int first = -qRound(inSteps(qMin(before, kScaleReach)) / kScaleStep);
    const int last = qRound(inSteps(qMin(after, kScaleReach)) / kScaleStep);
    for (int step = first; step <= last; ++step) {
        if (step == 0)
            continue;
        const bool whole = step % 2 == 0;
        marks.append({step * kScaleStep, whole ? kWholeMark : kHalfMark, whole});
    }
    return marks;
}

QList<ScaleReach> crossScaleReaches(const QList<QPointF> &crosses, const QSizeF &printable)
{
    const QRectF free(QPointF(0, 0), printable);
    QList<ScaleReach> reaches;
    for (int i = 0; i < crosses.size(); ++i) {
        const QPointF c = crosses.at(i);
        double left = qMin(kScaleReach, c.x() - free.left());
        double right = qMin(kScaleReach, free.right() - c.x());
        double up = qMin(kScaleReach, c.y() - free.top());
        double down = qMin(kScaleReach, free.bottom() - c.y());
        for (int j = 0; j < crosses.size(); ++j) {
            if (j == i)
                continue;
            const QPointF d = crosses.at(j) - c;
            // Short of the other cross's numbers.
            if (qAbs(d.y()) < kWayBand) {
                if (d.x() > 0)
                    right = qMin(right, d.x() - kNumbersBand);
                else if (d.x() < 0)
                    left = qMin(left, -d.x() - kNumbersBand);
            }
            if (qAbs(d.x()) < kWayBand) {
                if (d.y() > 0)
                    down = qMin(down, d.y() - kNumbersBand);
                else if (d.y() < 0)
                    up = qMin(up, -d.y() - kNumbersBand);
            }
        }
        reaches.append({inSteps(left), inSteps(right), inSteps(up), inSteps(down)});
    }
    return reaches;
}

QRectF crossFootprint(const QPointF &cross, const ScaleReach &reach)
{
    // The numbers of each half lie on one side of its line; the field's name
    // follows the right end of the horizontal line.
    return QRectF(QPointF(cross.x() - qMax(reach.left, kNumbersBand), cross.y() - qMax(reach.up, kNumbersBand)),
                  QPointF(cross.x() + reach.right + kNameRoom, cross.y() + qMax(reach.down, kNumbersBand)));
}

QList<RulerMark> rulerMarks(const QSizeF &printable, bool horizontal, const QList<QRectF> &crosses)
{
    const double length = horizontal ? printable.width() : printable.height();
    QList<RulerMark> marks;
    for (int mm = 1; mm < length; ++mm) {
        // The mark with the room its number takes.
        const QRectF room = horizontal ? QRectF(mm - 1.5, 0, 3, kTopBand) : QRectF(0, mm - 1, kLeftBand, 2);
        bool free = true;
        for (const QRectF &cross : crosses)
            free = free && !room.intersects(cross);
        if (free)
            marks.append({double(mm), mm % 10 == 0 ? 4.0 : mm % 5 == 0 ? 2.5 : 1.5, mm % 10 == 0});
    }
    return marks;
}

QRectF freeOfRulers(const QSizeF &printable)
{
    return QRectF(QPointF(kLeftBand, kTopBand), QPointF(printable.width(), printable.height()));
}

QRectF noticePlace(const QSizeF &notice, const QRectF &free, const QList<QRectF> &taken)
{
    const double left = free.left() + qMax(0.0, (free.width() - notice.width()) / 2);
    const QRectF first(QPointF(left, free.top()), notice);
    for (double top = free.top(); top + notice.height() <= free.bottom(); top += kNoticeStep) {
        const QRectF place(QPointF(left, top), notice);
        bool meets = false;
        for (const QRectF &part : taken)
            meets = meets || place.intersects(part);
        if (!meets)
            return place;
    }
    return first;
}
