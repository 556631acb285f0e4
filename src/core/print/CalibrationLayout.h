#pragma once

// Where the marks of the calibration page go, in millimetres from the
// printable area's corner (right and down): the rulers along the top and left
// edges, the two millimetre scales through each cross, and the notice that
// says what the page is and how to read it.

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

// The marks a scale carries each half millimetre.
constexpr double kScaleStep = 0.5;
// How far a scale reaches either way from its cross.
constexpr double kScaleReach = 5.0;

// One mark of a scale: how far from the scale's zero (negative to the left or
// up), how far it stands out from the scale's line, and whether it carries
// its number (the whole millimetres). Each half of a scale has its marks and
// numbers on its own side of the line, turning around the cross: the left
// half's above, the upper half's to the right, the right half's below, the
// lower half's to the left; so no number meets the other scale's marks.
struct Graduation
{
    double at = 0;
    double length = 0;
    bool numbered = false;
};

// The marks of a scale from -before to +after millimetres, every half
// millimetre, the whole millimetres longer and numbered. The zero carries no
// mark of its own: it is the cross, where the other scale's line passes.
QList<Graduation> scaleGraduations(double before, double after);

// How far each half of a cross's two scales reaches, in millimetres.
struct ScaleReach
{
    double left = 0, right = 0, up = 0, down = 0;
    bool operator==(const ScaleReach &o) const
    {
        return left == o.left && right == o.right && up == o.up && down == o.down;
    }
};

// Each half reaches 5 mm, in whole half millimetres, but stays inside the
// printable area and stops short of the numbers of another cross that lies
// in its way (less than 6 mm either side of its line), so that the scales of
// two close fields never run into each other.
QList<ScaleReach> crossScaleReaches(const QList<QPointF> &crosses, const QSizeF &printable);
// What a cross takes on the page with its scales and their numbers.
QRectF crossFootprint(const QPointF &cross, const ScaleReach &reach);

// One mark of an edge ruler: how far along the edge, how long, and whether it
// carries its number (every 10 mm).
struct RulerMark
{
    double at = 0;
    double length = 0;
    bool numbered = false;
};

// The marks of the ruler along the top edge (horizontal) or the left edge of
// a printable area that size: every millimetre from the first, each 5 mm
// longer, each 10 mm the longest and numbered. A ruler leaves its marks out
// where a cross stands with its scales, which read the page there.
QList<RulerMark> rulerMarks(const QSizeF &printable, bool horizontal, const QList<QRectF> &crosses);

// The part of the printable area left free by the edge rulers and their
// numbers.
QRectF freeOfRulers(const QSizeF &printable);

// Where the notice goes: the first place down the free part of the page,
// centred across it, that meets none of the parts taken (the crosses with
// their scales); the top of the free part when there is none.
QRectF noticePlace(const QSizeF &notice, const QRectF &free, const QList<QRectF> &taken);
