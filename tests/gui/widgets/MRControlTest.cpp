// The move-and-resize component: the zone rule on its own, then whole drags
// driven by mouse events through the window, as a user makes them.
#include "widgets/MRControl_32.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QVector>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>

// Readable failure messages for the Qt values compared below.
void PrintTo(const QPoint &p, std::ostream *os) { *os << "(" << p.x() << ", " << p.y() << ")"; }
void PrintTo(const QRect &r, std::ostream *os)
{
    *os << "(" << r.x() << ", " << r.y() << ", " << r.width() << " x " << r.height() << ")";
}
void PrintTo(const QString &s, std::ostream *os) { *os << s.toStdString(); }
void PrintTo(const QStringList &l, std::ostream *os) { *os << l.join(" | ").toStdString(); }

namespace {

using Zone = TMRControl::TResizeZone;

// A field bound the way the care-sheet window binds its fields: the press
// and the moves are handed to the component.
class BoundField : public QLineEdit
{
public:
    BoundField(TMRControl *mr, QWidget *parent) : QLineEdit(parent), m_mr(mr)
    {
        setMouseTracking(true);
    }

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton)
            m_mr->MoveAndResizeControl(this);
    }
    void mouseMoveEvent(QMouseEvent *event) override
    {
        m_mr->ShowResizingZone(this);
        QLineEdit::mouseMoveEvent(event);
    }

private:
    TMRControl *m_mr;
};

class MRControlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.setGeometry(50, 60, 600, 400);
        panel = new QWidget(&window);
        panel->setGeometry(150, 100, 400, 280);
        mr = new TMRControl(&window);
        field = new BoundField(mr, panel);
        field->setGeometry(100, 50, 80, 20);
        mr->setInputStateReader([this] { return input; });
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        // Every test starts with the pointer at the same place, off the field.
        QTest::mouseMove(handle(), QPoint(5, 5));

        // Safety net: a drag that never sees its release must not hang the run.
        failsafe.setSingleShot(true);
        failsafe.setInterval(10000);
        QObject::connect(&failsafe, &QTimer::timeout, [this] {
            if (mr->IsDragging()) {
                ADD_FAILURE() << "the drag did not end on the release";
                mr->EndDrag();
            }
        });
    }


    QWindow *handle() { return window.windowHandle(); }
    QPoint inWindow(QPoint global) { return handle()->mapFromGlobal(global); }

    // Presses the left button over the field at `at` (field coordinates)
    // with `keys` held. Once inside the drag, the pointer goes to each point
    // of `path` (offsets in screen pixels from the press) and the button is
    // released at the last point plus `releaseShift`. Returns whether the
    // press started a drag.
    bool drag(QPoint at, Qt::KeyboardModifiers keys, const QVector<QPoint> &path,
              QPoint releaseShift = QPoint())
    {
        const QPoint start = field->mapToGlobal(at);
        input = {start, keys, input.buttons};
        bool dragged = false;
        QTimer script;
        script.setSingleShot(true);
        QObject::connect(&script, &QTimer::timeout, [&] {
            dragged = mr->IsDragging();
            grabberDuringDrag = QWidget::mouseGrabber();
            QPoint p = start;
            for (const QPoint &offset : path) {
                p = start + offset;
                input.pointer = p;
                QTest::mouseMove(handle(), inWindow(p));
            }
            p += releaseShift;
            input.pointer = p;
            QTest::mouseRelease(handle(), Qt::LeftButton, keys, inWindow(p));
        });
        script.start(0);
        failsafe.start();
        QTest::mousePress(handle(), Qt::LeftButton, keys, inWindow(start));
        failsafe.stop();
        if (script.isActive()) // no drag: the release reaches the field as usual
            QTest::mouseRelease(handle(), Qt::LeftButton, keys, inWindow(start));
        return dragged;
    }

    // Records every callback as "name w,h" or "name x,y".
    void recordCallbacks()
    {
        const auto resize = [this](const char *name) {
            return [this, name](QWidget *c, QPoint p) {
                EXPECT_EQ(c, field);
                calls << QStringLiteral("%1 %2,%3").arg(name).arg(p.x()).arg(p.y());
            };
        };
        mr->SetOnBeforeResizeCtrl(resize("BeforeResize"));
        mr->SetOnResizeCtrl(resize("Resize"));
        mr->SetOnAfterResizeCtrl(resize("AfterResize"));
        mr->SetOnBeforeMoveCtrl(resize("BeforeMove"));
        mr->SetOnMoveCtrl(resize("Move"));
        mr->SetOnAfterMoveCtrl(resize("AfterMove"));
    }

    QWidget window;
    QWidget *panel = nullptr;
    TMRControl *mr = nullptr;
    BoundField *field = nullptr;
    TMRControl::InputState input{QPoint(), Qt::NoModifier, Qt::LeftButton};
    QTimer failsafe;
    QWidget *grabberDuringDrag = nullptr;
    QStringList calls;
};

// The field starts at (100, 50), 80 × 20. Points of its zones, in field
// coordinates (the interior is X 7..73, Y 7..13).
const QPoint kTopLeft(2, 2), kBottomLeft(2, 17), kBottomRight(77, 17), kTopRight(77, 2),
    kLeft(2, 10), kTop(40, 2), kRight(77, 10), kBottom(40, 17), kInterior(40, 10);
const QRect kStart(100, 50, 80, 20);

} // namespace

TEST(ResizingZone, FollowsTheEdgeRulesInTheirOrder)
{
    struct Row { QPoint pos; QSize size; Zone zone; };
    const Row rows[] = {
        {{0, 0}, {17, 26}, TMRControl::rzTopLeft},
        {{6, 6}, {17, 26}, TMRControl::rzTopLeft},
        {{0, 25}, {17, 26}, TMRControl::rzBottomLeft},
        {{16, 25}, {17, 26}, TMRControl::rzBottomRight},
        {{16, 0}, {17, 26}, TMRControl::rzTopRight},
        {{3, 12}, {17, 26}, TMRControl::rzLeft},
        {{8, 3}, {17, 26}, TMRControl::rzTop},
        {{12, 12}, {17, 26}, TMRControl::rzRight},
        {{8, 22}, {17, 26}, TMRControl::rzBottom},
        {{7, 7}, {17, 26}, TMRControl::rzNone},
        // Negative distances are not near; 7 or more is not near either.
        {{-1, 0}, {100, 20}, TMRControl::rzTop},
        {{-1, 10}, {100, 20}, TMRControl::rzNone},
        {{50, -1}, {100, 20}, TMRControl::rzNone},
        {{93, 10}, {100, 20}, TMRControl::rzNone},
        {{94, 10}, {100, 20}, TMRControl::rzRight},
        {{100, 10}, {100, 20}, TMRControl::rzRight},
        {{101, 10}, {100, 20}, TMRControl::rzNone},
        {{50, 21}, {100, 20}, TMRControl::rzNone},
        // On a low control a point near both the top and the bottom counts
        // as a bottom corner, left before right.
        {{3, 5}, {100, 10}, TMRControl::rzBottomLeft},
        {{96, 5}, {100, 10}, TMRControl::rzBottomRight},
        {{3, 6}, {100, 13}, TMRControl::rzTopLeft},
        {{3, 7}, {100, 13}, TMRControl::rzBottomLeft},
        // A narrow control: near both sides is left.
        {{4, 10}, {10, 30}, TMRControl::rzLeft},
    };
    for (const Row &row : rows)
        EXPECT_EQ(TMRControl::resizingZoneAt(row.pos, row.size), row.zone)
            << row.pos.x() << "," << row.pos.y() << " in " << row.size.width() << "x"
            << row.size.height();
}

TEST(ResizingZone, ClaimBoxInteriorIsFourByThirteen)
{
    const QSize box(17, 26);
    QRect interior;
    int count = 0;
    for (int y = 0; y < box.height(); ++y)
        for (int x = 0; x < box.width(); ++x)
            if (TMRControl::resizingZoneAt({x, y}, box) == TMRControl::rzNone) {
                interior |= QRect(x, y, 1, 1);
                ++count;
            }
    EXPECT_EQ(interior, QRect(QPoint(7, 7), QPoint(10, 19)));
    EXPECT_EQ(count, 4 * 13);
}

TEST_F(MRControlTest, EachZoneFollowsItsRuleStepByStep)
{
    struct Row { QPoint at; QRect after; };
    // Two steps: (+3, +2) then (+5, -4), in all (+8, -2).
    const Row rows[] = {
        {kTopLeft, {108, 48, 72, 22}},
        {kBottomLeft, {108, 50, 72, 18}},
        {kBottomRight, {100, 50, 88, 18}},
        {kTopRight, {100, 48, 88, 22}},
        {kLeft, {108, 50, 72, 20}},
        {kTop, {100, 48, 80, 22}},
        {kRight, {100, 50, 88, 20}},
        {kBottom, {100, 50, 80, 18}},
    };
    for (const Row &row : rows) {
        field->setGeometry(kStart);
        EXPECT_TRUE(drag(row.at, Qt::ShiftModifier, {{3, 2}, {8, -2}}));
        EXPECT_EQ(field->geometry(), row.after) << row.at.x() << "," << row.at.y();
    }
}

TEST_F(MRControlTest, LeftEdgeDraggedTenPixelsRightKeepsTheRightEdge)
{
    QVector<int> rightEdges;
    mr->SetOnResizeCtrl([&](QWidget *, QPoint) { rightEdges << field->x() + field->width(); });
    drag(kLeft, Qt::ShiftModifier, {{4, 1}, {10, -3}});
    EXPECT_EQ(field->geometry(), QRect(110, 50, 70, 20));
    EXPECT_EQ(rightEdges, QVector<int>({180, 180}));
}

TEST_F(MRControlTest, EachChangeTakesEffectBeforeTheNext)
{
    QVector<QRect> seen;
    struct Watch : QObject
    {
        QVector<QRect> *seen;
        bool eventFilter(QObject *o, QEvent *e) override
        {
            if (e->type() == QEvent::Move || e->type() == QEvent::Resize)
                *seen << static_cast<QWidget *>(o)->geometry();
            return false;
        }
    } watch;
    watch.seen = &seen;
    field->installEventFilter(&watch);
    // Top right: height − dy, top + dy, then width + dx.
    drag(kTopRight, Qt::ShiftModifier, {{3, 2}});
    field->removeEventFilter(&watch);
    EXPECT_EQ(seen, QVector<QRect>({{100, 50, 80, 18}, {100, 52, 80, 18}, {100, 52, 83, 18}}));
}

TEST_F(MRControlTest, SizeStopsAtOnePixelAndTheOppositeEdgeStays)
{
    struct Row { QPoint at; QVector<QPoint> path; QRect after; };
    const Row rows[] = {
        // 30 wide after the first step, then stopped at 1, then 4 wide.
        {kLeft, {{50, 0}, {100, 0}, {97, 0}}, {176, 50, 4, 20}},
        {kTop, {{0, 15}, {0, 30}, {0, 28}}, {100, 67, 80, 3}},
        {kRight, {{-100, 0}, {-98, 0}}, {100, 50, 3, 20}},
        {kBottom, {{0, -30}, {0, -26}}, {100, 50, 80, 5}},
        {kTopLeft, {{90, 25}, {89, 24}}, {178, 68, 2, 2}},
        {kBottomRight, {{-90, -25}}, {100, 50, 1, 1}},
    };
    for (const Row &row : rows) {
        field->setGeometry(kStart);
        const Zone zone = TMRControl::resizingZoneAt(row.at, kStart.size());
        const bool movesLeft = zone == TMRControl::rzLeft || zone == TMRControl::rzTopLeft
                               || zone == TMRControl::rzBottomLeft;
        const bool movesTop = zone == TMRControl::rzTop || zone == TMRControl::rzTopLeft
                              || zone == TMRControl::rzTopRight;
        mr->SetOnResizeCtrl([&](QWidget *, QPoint extent) {
            const QRect g = field->geometry();
            EXPECT_GE(extent.x(), 1);
            EXPECT_GE(extent.y(), 1);
            // The edge opposite a dragged one never moves.
            if (movesLeft)
                EXPECT_EQ(g.x() + g.width(), 180);
            else
                EXPECT_EQ(g.x(), 100);
            if (movesTop)
                EXPECT_EQ(g.y() + g.height(), 70);
            else
                EXPECT_EQ(g.y(), 50);
        });
        EXPECT_TRUE(drag(row.at, Qt::ShiftModifier, row.path));
        EXPECT_EQ(field->geometry(), row.after) << row.at.x() << "," << row.at.y();
    }
}

TEST_F(MRControlTest, MoveKeepsTheGrabPointUnderThePointer)
{
    mr->SetMoveCursor(Qt::SizeAllCursor);
    int steps = 0;
    mr->SetOnMoveCtrl([&](QWidget *, QPoint pos) {
        ++steps;
        EXPECT_EQ(pos, field->pos());
        EXPECT_EQ(field->mapFromGlobal(input.pointer), QPoint(30, 12));
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::SizeAllCursor);
    });
    // The last step leaves the field partly outside its panel: no bound.
    EXPECT_TRUE(drag({30, 12}, Qt::ControlModifier, {{7, 3}, {-20, 15}, {-130, -70}}));
    EXPECT_EQ(steps, 3);
    EXPECT_EQ(field->geometry(), QRect(-30, -20, 80, 20));
    EXPECT_EQ(grabberDuringDrag, panel);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(mr->IsDragging());
}

TEST_F(MRControlTest, TheKeysAndTheAllowedActionsChooseTheGesture)
{
    enum Outcome { Nothing, Moved, Resized };
    struct Row
    {
        const char *what;
        TMRControl::TMRAction action;
        TMRControl::TCombiKey resizeKey, moveKey;
        QPoint at;
        Qt::KeyboardModifiers keys;
        Qt::MouseButtons buttons;
        Outcome outcome;
    };
    const auto C = Qt::ControlModifier, S = Qt::ShiftModifier, A = Qt::AltModifier;
    const auto L = Qt::LeftButton;
    using M = TMRControl;
    const Row rows[] = {
        {"Ctrl on the left border", M::aBoth, M::cShift, M::cCtrl, {0, 10}, C, L, Nothing},
        {"Ctrl 6 px from the left", M::aBoth, M::cShift, M::cCtrl, {6, 10}, C, L, Nothing},
        {"Ctrl on the top border", M::aBoth, M::cShift, M::cCtrl, {40, 0}, C, L, Nothing},
        {"Ctrl 6 px from the top", M::aBoth, M::cShift, M::cCtrl, {40, 6}, C, L, Nothing},
        {"Ctrl on the right border", M::aBoth, M::cShift, M::cCtrl, {79, 10}, C, L, Nothing},
        {"Ctrl 6 px from the right", M::aBoth, M::cShift, M::cCtrl, {74, 10}, C, L, Nothing},
        {"Ctrl on the bottom border", M::aBoth, M::cShift, M::cCtrl, {40, 19}, C, L, Nothing},
        {"Ctrl in a corner", M::aBoth, M::cShift, M::cCtrl, {1, 18}, C, L, Nothing},
        {"Ctrl inside", M::aBoth, M::cShift, M::cCtrl, kInterior, C, L, Moved},
        {"Ctrl+Shift on a border", M::aBoth, M::cShift, M::cCtrl, kRight, C | S, L, Resized},
        {"Ctrl+Shift inside", M::aBoth, M::cShift, M::cCtrl, kInterior, C | S, L, Moved},
        {"Shift inside", M::aBoth, M::cShift, M::cCtrl, kInterior, S, L, Nothing},
        {"no key on a border", M::aBoth, M::cShift, M::cCtrl, kRight, {}, L, Nothing},
        {"moving only: Ctrl on a border", M::aMove, M::cShift, M::cCtrl, kRight, C, L, Moved},
        {"moving only: Shift on a border", M::aMove, M::cShift, M::cCtrl, kRight, S, L, Nothing},
        {"resizing only: Ctrl inside", M::aResize, M::cShift, M::cCtrl, kInterior, C, L, Nothing},
        {"resizing only: Shift on a border", M::aResize, M::cShift, M::cCtrl, kRight, S, L, Resized},
        {"no resize key", M::aBoth, M::cNone, M::cCtrl, kRight, {}, L, Resized},
        {"Alt moves", M::aBoth, M::cShift, M::cAlt, kInterior, A, L, Moved},
        {"Ctrl no longer moves", M::aBoth, M::cShift, M::cAlt, kInterior, C, L, Nothing},
        {"left button not down", M::aBoth, M::cShift, M::cCtrl, kInterior, C, {}, Nothing},
        {"left button not down, border", M::aBoth, M::cShift, M::cCtrl, kRight, S, {}, Nothing},
    };
    recordCallbacks();
    for (const Row &row : rows) {
        field->setGeometry(kStart);
        calls.clear();
        mr->SetMRAction(row.action);
        mr->SetResizeCombiKey(row.resizeKey);
        mr->SetMoveCombiKey(row.moveKey);
        input.buttons = row.buttons;
        const bool dragged = drag(row.at, row.keys, {{5, 4}});
        switch (row.outcome) {
        case Nothing:
            EXPECT_FALSE(dragged) << row.what;
            EXPECT_EQ(field->geometry(), kStart) << row.what;
            EXPECT_TRUE(calls.isEmpty()) << row.what;
            break;
        case Moved:
            EXPECT_TRUE(dragged) << row.what;
            EXPECT_EQ(field->geometry(), kStart.translated(5, 4)) << row.what;
            break;
        case Resized:
            EXPECT_TRUE(dragged) << row.what;
            EXPECT_EQ(field->geometry(), QRect(100, 50, 85, 20)) << row.what;
            break;
        }
    }
}

TEST_F(MRControlTest, CallbacksComeOnceAroundTheStepsWithTheCurrentValues)
{
    recordCallbacks();
    drag(kRight, Qt::ShiftModifier, {{3, 1}, {8, 1}});
    EXPECT_EQ(calls, QStringList({"BeforeResize 80,20", "Resize 83,20", "Resize 88,20",
                                  "AfterResize 88,20"}));

    calls.clear();
    field->setGeometry(kStart);
    drag(kInterior, Qt::ControlModifier, {{2, 3}, {4, 4}});
    EXPECT_EQ(calls, QStringList({"BeforeMove 100,50", "Move 102,53", "Move 104,54",
                                  "AfterMove 104,54"}));

    // A release away from the last move is the drag's last step.
    calls.clear();
    field->setGeometry(kStart);
    drag(kInterior, Qt::ControlModifier, {{2, 3}}, {4, 1});
    EXPECT_EQ(calls, QStringList({"BeforeMove 100,50", "Move 102,53", "Move 106,54",
                                  "AfterMove 106,54"}));
}

TEST_F(MRControlTest, AMoveWithoutTheButtonEndsALostDrag)
{
    recordCallbacks();
    input = {field->mapToGlobal(kInterior), Qt::ControlModifier, Qt::LeftButton};
    QTimer::singleShot(0, panel, [this] {
        const QPoint start = field->mapToGlobal(kInterior);
        QTest::mouseMove(handle(), inWindow(start + QPoint(3, 3)));
        // The release happened where the drag did not see it.
        const QPoint later = start + QPoint(9, 9);
        QMouseEvent move(QEvent::MouseMove, panel->mapFromGlobal(later), later, Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(panel, &move);
    });
    failsafe.start();
    QTest::mousePress(handle(), Qt::LeftButton, Qt::ControlModifier, inWindow(input.pointer));
    failsafe.stop();
    EXPECT_FALSE(mr->IsDragging());
    EXPECT_EQ(field->pos(), QPoint(103, 53));
    EXPECT_EQ(calls.last(), "AfterMove 103,53");
    QTest::mouseRelease(handle(), Qt::LeftButton, {}, inWindow(input.pointer));
}

TEST_F(MRControlTest, AFailingCallbackEndsTheDragAndReachesTheCaller)
{
    mr->SetOnResizeCtrl([](QWidget *, QPoint) { throw std::runtime_error("échec"); });
    input = {field->mapToGlobal(kRight), Qt::ShiftModifier, Qt::LeftButton};
    QTimer::singleShot(0, panel, [this] {
        const QPoint to = input.pointer + QPoint(4, 0);
        QMouseEvent move(QEvent::MouseMove, panel->mapFromGlobal(to), to, Qt::NoButton,
                         Qt::LeftButton, Qt::ShiftModifier);
        QApplication::sendEvent(panel, &move);
    });
    failsafe.start();
    EXPECT_THROW(mr->MoveAndResizeControl(field), std::runtime_error);
    failsafe.stop();
    EXPECT_FALSE(mr->IsDragging());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(field->width(), 84);
}

TEST_F(MRControlTest, PointerShowsTheZoneWhileTheResizeKeyIsHeld)
{
    const auto hover = [this](QPoint at, Qt::KeyboardModifiers keys) {
        input = {field->mapToGlobal(at), keys, Qt::NoButton};
        QTest::mouseMove(handle(), inWindow(input.pointer));
    };
    struct Row { QPoint at; Qt::CursorShape shape; };
    const Row rows[] = {
        {kTopLeft, Qt::SizeFDiagCursor},  {kBottomRight, Qt::SizeFDiagCursor},
        {kBottomLeft, Qt::SizeBDiagCursor}, {kTopRight, Qt::SizeBDiagCursor},
        {kLeft, Qt::SizeHorCursor},       {kRight, Qt::SizeHorCursor},
        {kTop, Qt::SizeVerCursor},        {kBottom, Qt::SizeVerCursor},
    };
    for (const Row &row : rows) {
        // Inside, the text field shows its own I-beam.
        hover(kInterior, Qt::ShiftModifier);
        EXPECT_EQ(field->cursor().shape(), Qt::IBeamCursor);
        hover(row.at, Qt::ShiftModifier);
        EXPECT_EQ(field->cursor().shape(), row.shape) << row.at.x() << "," << row.at.y();
    }

    // Without the key the field gets its own pointer back.
    hover(kRight, Qt::ControlModifier);
    EXPECT_EQ(field->cursor().shape(), Qt::IBeamCursor);
    // A field without a pointer of its own goes back to none.
    field->unsetCursor();
    hover(kRight, Qt::ShiftModifier);
    hover(kInterior, Qt::ShiftModifier);
    EXPECT_FALSE(field->testAttribute(Qt::WA_SetCursor));

    // A changed cursor set is used; an index out of range changes nothing.
    mr->ResizeCursors()->SetCursor(3, Qt::SplitHCursor);
    mr->ResizeCursors()->SetCursor(4, Qt::CrossCursor);
    hover(kLeft, Qt::ShiftModifier);
    EXPECT_EQ(field->cursor().shape(), Qt::SplitHCursor);

    // With no resize key the zones show at once.
    mr->SetResizeCombiKey(TMRControl::cNone);
    hover(kTop, {});
    EXPECT_EQ(field->cursor().shape(), Qt::SizeVerCursor);

    // Moving only: the pointer is left alone.
    mr->SetMRAction(TMRControl::aMove);
    field->setCursor(Qt::PointingHandCursor);
    hover(kRight, Qt::ShiftModifier);
    EXPECT_EQ(field->cursor().shape(), Qt::PointingHandCursor);
}
