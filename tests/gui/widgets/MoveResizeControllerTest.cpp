// The move-and-resize component: the zone rule on its own, then whole drags
// driven by mouse events through the window, as a user makes them.
#include "widgets/MoveResizeController.h"
#include "widgets/DateEdit.h"
#include "widgets/SheetEdit.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
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
void PrintTo(const QStringList &l, std::ostream *os) { *os << l.join(QStringLiteral(" | ")).toStdString(); }

namespace {

using Zone = MoveResizeController::ResizeZone;

class MRControlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.setGeometry(50, 60, 600, 400);
        panel = new QWidget(&window);
        panel->setGeometry(150, 100, 400, 280);
        mr = new MoveResizeController(&window);
        // A field served the way the care-sheet window has its fields served.
        field = new QLineEdit(panel);
        field->setGeometry(100, 50, 80, 20);
        mr->bindControl(field);
        mr->setInputStateReader([this] { return input; });
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        // Every test starts with the pointer at the same place, off the field.
        QTest::mouseMove(handle(), QPoint(5, 5));

        // Safety net: a drag that never sees its release must not hang the run.
        failsafe.setSingleShot(true);
        failsafe.setInterval(10000);
        QObject::connect(&failsafe, &QTimer::timeout, [this] {
            if (mr->isDragging()) {
                ADD_FAILURE() << "the drag did not end on the release";
                mr->endDrag();
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
            dragged = mr->isDragging();
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
                calls << QStringLiteral("%1 %2,%3").arg(QString::fromLatin1(name)).arg(p.x()).arg(p.y());
            };
        };
        mr->setOnBeforeResize(resize("BeforeResize"));
        mr->setOnResize(resize("Resize"));
        mr->setOnAfterResize(resize("AfterResize"));
        mr->setOnBeforeMove(resize("BeforeMove"));
        mr->setOnMove(resize("Move"));
        mr->setOnAfterMove(resize("AfterMove"));
    }

    QWidget window;
    QWidget *panel = nullptr;
    MoveResizeController *mr = nullptr;
    QLineEdit *field = nullptr;
    MoveResizeController::InputState input{QPoint(), Qt::NoModifier, Qt::LeftButton};
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
        {{0, 0}, {17, 26}, MoveResizeController::ResizeZone::TopLeft},
        {{6, 6}, {17, 26}, MoveResizeController::ResizeZone::TopLeft},
        {{0, 25}, {17, 26}, MoveResizeController::ResizeZone::BottomLeft},
        {{16, 25}, {17, 26}, MoveResizeController::ResizeZone::BottomRight},
        {{16, 0}, {17, 26}, MoveResizeController::ResizeZone::TopRight},
        {{3, 12}, {17, 26}, MoveResizeController::ResizeZone::Left},
        {{8, 3}, {17, 26}, MoveResizeController::ResizeZone::Top},
        {{12, 12}, {17, 26}, MoveResizeController::ResizeZone::Right},
        {{8, 22}, {17, 26}, MoveResizeController::ResizeZone::Bottom},
        {{7, 7}, {17, 26}, MoveResizeController::ResizeZone::NoZone},
        // Negative distances are not near; 7 or more is not near either.
        {{-1, 0}, {100, 20}, MoveResizeController::ResizeZone::Top},
        {{-1, 10}, {100, 20}, MoveResizeController::ResizeZone::NoZone},
        {{50, -1}, {100, 20}, MoveResizeController::ResizeZone::NoZone},
        {{93, 10}, {100, 20}, MoveResizeController::ResizeZone::NoZone},
        {{94, 10}, {100, 20}, MoveResizeController::ResizeZone::Right},
        {{100, 10}, {100, 20}, MoveResizeController::ResizeZone::Right},
        {{101, 10}, {100, 20}, MoveResizeController::ResizeZone::NoZone},
        {{50, 21}, {100, 20}, MoveResizeController::ResizeZone::NoZone},
        // On a low control a point near both the top and the bottom counts
        // as a bottom corner, left before right.
        {{3, 5}, {100, 10}, MoveResizeController::ResizeZone::BottomLeft},
        {{96, 5}, {100, 10}, MoveResizeController::ResizeZone::BottomRight},
        {{3, 6}, {100, 13}, MoveResizeController::ResizeZone::TopLeft},
        {{3, 7}, {100, 13}, MoveResizeController::ResizeZone::BottomLeft},
        // A narrow control: near both sides is left.
        {{4, 10}, {10, 30}, MoveResizeController::ResizeZone::Left},
    };
    for (const Row &row : rows)
        EXPECT_EQ(MoveResizeController::resizeZoneAt(row.pos, row.size), row.zone)
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
            if (MoveResizeController::resizeZoneAt({x, y}, box) == MoveResizeController::ResizeZone::NoZone) {
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
    mr->setOnResize([&](QWidget *, QPoint) { rightEdges << field->x() + field->width(); });
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
        const Zone zone = MoveResizeController::resizeZoneAt(row.at, kStart.size());
        const bool movesLeft = zone == MoveResizeController::ResizeZone::Left || zone == MoveResizeController::ResizeZone::TopLeft
                               || zone == MoveResizeController::ResizeZone::BottomLeft;
        const bool movesTop = zone == MoveResizeController::ResizeZone::Top || zone == MoveResizeController::ResizeZone::TopLeft
                              || zone == MoveResizeController::ResizeZone::TopRight;
        mr->setOnResize([&](QWidget *, QPoint extent) {
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
    mr->setMoveCursor(Qt::SizeAllCursor);
    int steps = 0;
    mr->setOnMove([&](QWidget *, QPoint pos) {
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
    EXPECT_FALSE(mr->isDragging());
}

TEST_F(MRControlTest, TheKeysAndTheAllowedActionsChooseTheGesture)
{
    enum Outcome { Nothing, Moved, Resized };
    struct Row
    {
        const char *what;
        MoveResizeController::Gestures action;
        MoveResizeController::HeldKey resizeKey, moveKey;
        QPoint at;
        Qt::KeyboardModifiers keys;
        Qt::MouseButtons buttons;
        Outcome outcome;
    };
    const auto C = Qt::ControlModifier, S = Qt::ShiftModifier, A = Qt::AltModifier;
    const auto L = Qt::LeftButton;
    using M = MoveResizeController;
    const Row rows[] = {
        {"Ctrl on the left border", M::Gestures::Both, M::HeldKey::Shift, M::HeldKey::Ctrl, {0, 10}, C, L, Nothing},
        {"Ctrl 6 px from the left", M::Gestures::Both, M::HeldKey::Shift, M::HeldKey::Ctrl, {6, 10}, C, L, Nothing},
        {"Ctrl on the top border", M::Gestures::Both, M::HeldKey::Shift, M::HeldKey::Ctrl, {40, 0}, C, L, Nothing},
        {"Ctrl 6 px from the top", M::Gestures::Both, M::HeldKey::Shift, M::HeldKey::Ctrl, {40, 6}, C, L, Nothing},
        {"Ctrl on the right border", M::Gestures::Both, M::HeldKey::Shift, M::HeldKey::Ctrl, {79, 10}, C, L, Nothing},
        {"Ctrl 6 px from the right", M::Gestures::Both, M::HeldKey::Shift, M::HeldKey::Ctrl, {74, 10}, C, L, Nothing},
        {"Ctrl on the bottom border", M::Gestures::Both, M::HeldKey::Shift, M::HeldKey::Ctrl, {40, 19}, C, L, Nothing},
        {"Ctrl in a corner", M::Gestures::Both, M::HeldKey::Shift, M::HeldKey::Ctrl, {1, 18}, C, L, Nothing},
        {"Ctrl inside", M::Gestures::Both, M::HeldKey::Shift, M::HeldKey::Ctrl, kInterior, C, L, Moved},
        {"Ctrl+Shift on a border", M::Gestures::Both, M::HeldKey::Shift, M::HeldKey::Ctrl, kRight, C | S, L, Resized},
        {"Ctrl+Shift inside", M::Gestures::Both, M::HeldKey::Shift, M::HeldKey::Ctrl, kInterior, C | S, L, Moved},
        {"Shift inside", M::Gestures::Both, M::HeldKey::Shift, M::HeldKey::Ctrl, kInterior, S, L, Nothing},
        {"no key on a border", M::Gestures::Both, M::HeldKey::Shift, M::HeldKey::Ctrl, kRight, {}, L, Nothing},
        {"moving only: Ctrl on a border", M::Gestures::Move, M::HeldKey::Shift, M::HeldKey::Ctrl, kRight, C, L, Moved},
        {"moving only: Shift on a border", M::Gestures::Move, M::HeldKey::Shift, M::HeldKey::Ctrl, kRight, S, L, Nothing},
        {"resizing only: Ctrl inside", M::Gestures::Resize, M::HeldKey::Shift, M::HeldKey::Ctrl, kInterior, C, L, Nothing},
        {"resizing only: Shift on a border", M::Gestures::Resize, M::HeldKey::Shift, M::HeldKey::Ctrl, kRight, S, L, Resized},
        {"no resize key", M::Gestures::Both, M::HeldKey::NoKey, M::HeldKey::Ctrl, kRight, {}, L, Resized},
        {"Alt moves", M::Gestures::Both, M::HeldKey::Shift, M::HeldKey::Alt, kInterior, A, L, Moved},
        {"Ctrl no longer moves", M::Gestures::Both, M::HeldKey::Shift, M::HeldKey::Alt, kInterior, C, L, Nothing},
        {"left button not down", M::Gestures::Both, M::HeldKey::Shift, M::HeldKey::Ctrl, kInterior, C, {}, Nothing},
        {"left button not down, border", M::Gestures::Both, M::HeldKey::Shift, M::HeldKey::Ctrl, kRight, S, {}, Nothing},
    };
    recordCallbacks();
    for (const Row &row : rows) {
        field->setGeometry(kStart);
        calls.clear();
        mr->setGestures(row.action);
        mr->setResizeKey(row.resizeKey);
        mr->setMoveKey(row.moveKey);
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
    EXPECT_EQ(calls, QStringList({QStringLiteral("BeforeResize 80,20"), QStringLiteral("Resize 83,20"), QStringLiteral("Resize 88,20"),
                                  QStringLiteral("AfterResize 88,20")}));

    calls.clear();
    field->setGeometry(kStart);
    drag(kInterior, Qt::ControlModifier, {{2, 3}, {4, 4}});
    EXPECT_EQ(calls, QStringList({QStringLiteral("BeforeMove 100,50"), QStringLiteral("Move 102,53"), QStringLiteral("Move 104,54"),
                                  QStringLiteral("AfterMove 104,54")}));

    // A release away from the last move is the drag's last step.
    calls.clear();
    field->setGeometry(kStart);
    drag(kInterior, Qt::ControlModifier, {{2, 3}}, {4, 1});
    EXPECT_EQ(calls, QStringList({QStringLiteral("BeforeMove 100,50"), QStringLiteral("Move 102,53"), QStringLiteral("Move 106,54"),
                                  QStringLiteral("AfterMove 106,54")}));
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
    EXPECT_FALSE(mr->isDragging());
    EXPECT_EQ(field->pos(), QPoint(103, 53));
    EXPECT_EQ(calls.last(), QStringLiteral("AfterMove 103,53"));
    QTest::mouseRelease(handle(), Qt::LeftButton, {}, inWindow(input.pointer));
}

TEST_F(MRControlTest, AFailingCallbackEndsTheDragAndReachesTheCaller)
{
    mr->setOnResize([](QWidget *, QPoint) { throw std::runtime_error("échec"); });
    input = {field->mapToGlobal(kRight), Qt::ShiftModifier, Qt::LeftButton};
    QTimer::singleShot(0, panel, [this] {
        const QPoint to = input.pointer + QPoint(4, 0);
        QMouseEvent move(QEvent::MouseMove, panel->mapFromGlobal(to), to, Qt::NoButton,
                         Qt::LeftButton, Qt::ShiftModifier);
        QApplication::sendEvent(panel, &move);
    });
    failsafe.start();
    EXPECT_THROW(mr->moveOrResize(field), std::runtime_error);
    failsafe.stop();
    EXPECT_FALSE(mr->isDragging());
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
    mr->resizeCursors()->setCursorAt(3, Qt::SplitHCursor);
    mr->resizeCursors()->setCursorAt(4, Qt::CrossCursor);
    hover(kLeft, Qt::ShiftModifier);
    EXPECT_EQ(field->cursor().shape(), Qt::SplitHCursor);

    // With no resize key the zones show at once.
    mr->setResizeKey(MoveResizeController::HeldKey::NoKey);
    hover(kTop, {});
    EXPECT_EQ(field->cursor().shape(), Qt::SizeVerCursor);

    // Moving only: the pointer is left alone.
    mr->setGestures(MoveResizeController::Gestures::Move);
    field->setCursor(Qt::PointingHandCursor);
    hover(kRight, Qt::ShiftModifier);
    EXPECT_EQ(field->cursor().shape(), Qt::PointingHandCursor);
}

// The zones are counted from inside a field's frame, whose width the field
// gives: a claim box of 17 x 26 with its single border has its interior at
// outer X 8..11 and Y 8..20, and outer X 7 is already the left zone.
TEST(ResizingZone, IsCountedInsideTheFrameOfARealField)
{
    QWidget window;
    auto *box = new SheetEdit(&window);
    box->setGeometry(10, 10, 17, 26);
    auto *date = new DateEdit(&window);
    date->setGeometry(40, 10, 90, 21);
    MoveResizeController mr;
    QPoint pointer;
    mr.setInputStateReader([&] { return MoveResizeController::InputState{pointer, {}, {}}; });
    const auto zoneAt = [&](QWidget *w, QPoint outer) {
        pointer = w->mapToGlobal(outer);
        return mr.resizeZoneUnder(w);
    };

    QRect interior;
    for (int y = 0; y < box->height(); ++y)
        for (int x = 0; x < box->width(); ++x)
            if (zoneAt(box, {x, y}) == MoveResizeController::ResizeZone::NoZone && x > 0 && y > 0)
                interior |= QRect(x, y, 1, 1);
    EXPECT_EQ(interior, QRect(QPoint(8, 8), QPoint(11, 20)));

    enum Look { Flat, Sunken, Bare };
    struct Row { QWidget *w; Look look; QPoint outer; Zone zone; };
    const Row rows[] = {
        {box, Flat, {7, 13}, MoveResizeController::ResizeZone::Left},
        {box, Flat, {12, 13}, MoveResizeController::ResizeZone::Right},
        {box, Flat, {9, 7}, MoveResizeController::ResizeZone::Top},
        {box, Flat, {9, 21}, MoveResizeController::ResizeZone::Bottom},
        {box, Flat, {7, 7}, MoveResizeController::ResizeZone::TopLeft},
        // The sunken edge is two pixels thick; no border, no frame.
        {box, Sunken, {8, 13}, MoveResizeController::ResizeZone::Left},
        {box, Sunken, {9, 13}, MoveResizeController::ResizeZone::NoZone},
        {box, Bare, {7, 13}, MoveResizeController::ResizeZone::NoZone},
        {box, Bare, {6, 13}, MoveResizeController::ResizeZone::Left},
        {date, Flat, {7, 10}, MoveResizeController::ResizeZone::Left},
        {date, Bare, {7, 10}, MoveResizeController::ResizeZone::NoZone},
    };
    for (const Row &row : rows) {
        box->setBordered(row.look != Bare);
        box->set3D(row.look == Sunken);
        date->setFramed(row.look != Bare);
        EXPECT_EQ(zoneAt(row.w, row.outer), row.zone)
            << row.w->metaObject()->className() << " look " << row.look << " at " << row.outer.x() << ","
            << row.outer.y();
    }
}

// The component's watch on a served control: the control handles the press
// first and the handler follows; the text part of a date box is the box, its
// button is not; a double click is a press only where the binding says so;
// a press a locked field keeps for its own gesture goes no further.
TEST_F(MRControlTest, ServedControlsHandTheirEventsOnAfterTheirOwnHandling)
{
    QStringList seen;
    const auto record = [&](const char *what) {
        return [&seen, what](QWidget *c) { seen << QStringLiteral("%1 %2").arg(QString::fromLatin1(what), c->objectName()); };
    };
    auto *edit = new SheetEdit(panel);
    edit->setObjectName("edit");
    edit->setGeometry(10, 10, 80, 20);
    auto *date = new DateEdit(panel);
    date->setObjectName("date");
    date->setGeometry(10, 40, 90, 21);
    auto *stamp = new QWidget(panel);
    stamp->setObjectName("stamp");
    stamp->setGeometry(10, 80, 40, 20);
    for (QWidget *w : std::initializer_list<QWidget *>{edit, date, stamp})
        w->show();
    QCoreApplication::processEvents();   // the date box lays out its edit and button
    QObject::connect(edit, &SheetEdit::clicked, [&] { seen << QStringLiteral("clicked edit"); });
    mr->bindControl(edit, {record("press"), record("move"), {}, false});
    QWidget *inner = date->findChild<QWidget *>(QStringLiteral("edit"));
    QWidget *button = date->findChild<QWidget *>(QStringLiteral("button"));
    mr->bindControl(date, {record("press"), record("move"), {inner}, false});
    mr->bindControl(stamp, {record("press"), record("move"), {}, true});
    for (QWidget *w : {inner, button, static_cast<QWidget *>(stamp)})
        EXPECT_TRUE(w->hasMouseTracking()) << w->objectName().toStdString();

    struct Row { QWidget *target; const char *what; QStringList expected; };
    const Row rows[] = {
        {edit, "press", {QStringLiteral("clicked edit"), QStringLiteral("press edit")}},
        {edit, "double", {}},
        {edit, "right", {}},
        {inner, "press", {QStringLiteral("press date")}},
        {inner, "move", {QStringLiteral("move date")}},
        {inner, "double", {}},
        {button, "press", {}},
        {button, "move", {QStringLiteral("move date")}},
        {stamp, "double", {QStringLiteral("press stamp")}},
    };
    for (const Row &row : rows) {
        seen.clear();
        const QPoint at = row.target->rect().center();
        const QByteArray what(row.what);
        if (what == "press")
            QTest::mousePress(row.target, Qt::LeftButton, {}, at);
        else if (what == "right")
            QTest::mousePress(row.target, Qt::RightButton, {}, at);
        else if (what == "double") {
            QMouseEvent twice(QEvent::MouseButtonDblClick, at, row.target->mapToGlobal(at), Qt::LeftButton,
                              Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(row.target, &twice);
        } else {
            QTest::mouseMove(handle(), inWindow(row.target->mapToGlobal(at)));
        }
        if (what != "move" && what != "double")
            QTest::mouseRelease(row.target, what == "right" ? Qt::RightButton : Qt::LeftButton, {}, at);
        EXPECT_EQ(seen, row.expected) << row.target->objectName().toStdString() << " " << row.what;
        date->closeCalendar();   // the button's click opened it
    }

    // Locked, the field takes the press for its own gesture.
    edit->setLocked(true);
    seen.clear();
    QTest::mousePress(edit, Qt::LeftButton, {}, edit->rect().center());
    QTest::mouseRelease(edit, Qt::LeftButton, {}, edit->rect().center());
    EXPECT_EQ(seen, QStringList());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// A box raised while the button is still down (a key handler asking a
// question in the middle of a drag) gets the mouse: the drag ends where it is
// and lets go of the mouse.
TEST_F(MRControlTest, ABoxRaisedDuringADragTakesTheMouse)
{
    recordCallbacks();
    const QPoint start = field->mapToGlobal(kInterior);
    input = {start, Qt::ControlModifier, Qt::LeftButton};
    int answer = -1;
    bool draggingInBox = true;
    QTimer::singleShot(0, panel, [&] {
        input.pointer = start + QPoint(3, 3);
        QTest::mouseMove(handle(), inWindow(input.pointer));
        QDialog box(&window);
        box.setModal(true);
        auto *ok = new QPushButton(QStringLiteral("OK"), &box);
        ok->setGeometry(10, 10, 60, 24);
        QObject::connect(ok, &QPushButton::clicked, &box, &QDialog::accept);
        QTimer::singleShot(0, &box, [&] {
            draggingInBox = mr->isDragging() && QWidget::mouseGrabber() != nullptr;
            QTest::mouseClick(box.windowHandle(), Qt::LeftButton, {}, ok->geometry().center());
        });
        // Should the click never arrive, the box still goes.
        QTimer::singleShot(5000, &box, &QDialog::reject);
        answer = box.exec();
        // The button comes up once the box has gone.
        input.buttons = Qt::NoButton;
        QTest::mouseRelease(handle(), Qt::LeftButton, {}, inWindow(input.pointer));
    });
    failsafe.start();
    QTest::mousePress(handle(), Qt::LeftButton, Qt::ControlModifier, inWindow(start));
    failsafe.stop();
    EXPECT_EQ(answer, QDialog::Accepted);
    EXPECT_FALSE(draggingInBox);
    EXPECT_FALSE(mr->isDragging());
    EXPECT_EQ(field->pos(), QPoint(103, 53));
    EXPECT_EQ(calls.last(), QStringLiteral("AfterMove 103,53"));
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
