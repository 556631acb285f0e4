#include "MRControl_32.h"

#include "support/ActionGuard.h"

#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <exception>

// ---------------------------------------------------------------------------
// Cursor set

Qt::CursorShape TResizeCursors::GetCursor(int Index) const
{
    switch (Index) {
    case 0: return FSizeNESW;
    case 1: return FSizeNWSE;
    case 2: return FSizeNS;
    case 3: return FSizeWE;
    default: return Qt::ArrowCursor;
    }
}

void TResizeCursors::SetCursor(int Index, Qt::CursorShape Value)
{
    Qt::CursorShape *field = nullptr;
    switch (Index) {
    case 0: field = &FSizeNESW; break;
    case 1: field = &FSizeNWSE; break;
    case 2: field = &FSizeNS; break;
    case 3: field = &FSizeWE; break;
    default: return;
    }
    if (*field != Value)
        *field = Value;
}

// ---------------------------------------------------------------------------
// The drag loop: a local event loop that takes every mouse event of the
// application while it runs. Mouse events reach an application filter twice,
// first at the native window and then at the widget it hands them to; they
// are taken at the widget, so the window's own bookkeeping of presses and
// grabs stays right and each event steps the drag once.

class TMRControl::DragLoop : public QObject
{
public:
    DragLoop(QWidget *control, QPoint start, const std::function<void(QPoint)> &step, const QCursor *cursor)
        : m_control(control), m_last(start), m_step(step), m_cursor(cursor)
    {
        connect(control, &QObject::destroyed, this, [this] { finish(); });
    }

    void run()
    {
        // The control's parent holds the mouse for the whole drag, so moves
        // outside it and the final release still come to us.
        m_grabber = m_control->parentWidget() ? m_control->parentWidget() : m_control.data();
        if (m_cursor) {
            QGuiApplication::setOverrideCursor(*m_cursor);
            m_cursorSet = true;
        }
        qApp->installEventFilter(this);
        m_grabber->grabMouse();
        m_grabbing = true;
        if (!m_done && !modalBoxShown())
            m_loop.exec();
        letGo();
        qApp->removeEventFilter(this);
        if (m_failure)
            std::rethrow_exception(m_failure);
    }

    void finish()
    {
        m_done = true;
        m_loop.quit();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (m_aside)
            return false;
        const QEvent::Type type = event->type();
        if (type == QEvent::WindowBlocked) {
            if (modalBoxShown())
                standAside();
            return false;
        }
        if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress
            && type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick)
            return false;
        if (modalBoxShown()) {
            standAside();
            return false;
        }
        if (!watched->isWidgetType())
            return false;
        if (m_done)
            return true;

        const auto *mouse = static_cast<QMouseEvent *>(event);
        const QPoint global = mouse->globalPosition().toPoint();
        if (type == QEvent::MouseMove) {
            if (mouse->buttons() & Qt::LeftButton)
                step(global);
            else
                finish(); // the release went elsewhere: the button is up
        } else if (type == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton) {
            // A release away from the last move is the drag's last step.
            if (global != m_last)
                step(global);
            finish();
        }
        // Other presses and releases during the drag go nowhere.
        return true;
    }

private:
    // A modal box over the control's window: the window no longer gets the
    // mouse, and the box must.
    bool modalBoxShown() const
    {
        const QWidget *modal = QApplication::activeModalWidget();
        return modal && m_control && modal != m_control->window();
    }

    // The drag ends where it is; the mouse, the pointer and every later
    // event are left to the box.
    void standAside()
    {
        m_aside = true;
        letGo();
        finish();
    }

    // Gives the mouse and the application's pointer back, once.
    void letGo()
    {
        if (m_grabbing) {
            m_grabbing = false;
            if (m_grabber && QWidget::mouseGrabber() == m_grabber)
                m_grabber->releaseMouse();
        }
        if (m_cursorSet) {
            m_cursorSet = false;
            QGuiApplication::restoreOverrideCursor();
        }
    }

    void step(QPoint global)
    {
        if (!m_control) {
            finish();
            return;
        }
        try {
            m_step(global);
        } catch (...) {
            // Carried out of the loop and raised again by run(), so that the
            // error reaches the caller's guard instead of crossing Qt.
            m_failure = std::current_exception();
            finish();
        }
        m_last = global;
    }

    QPointer<QWidget> m_control;
    QPointer<QWidget> m_grabber;
    QPoint m_last;
    std::function<void(QPoint)> m_step;
    const QCursor *m_cursor;
    QEventLoop m_loop;
    bool m_done = false;
    bool m_aside = false;
    bool m_grabbing = false;
    bool m_cursorSet = false;
    std::exception_ptr m_failure;
};

// ---------------------------------------------------------------------------
// Component

namespace {

// A width or height never goes below one pixel.
constexpr int kMinimumExtent = 1;

// The 7-pixel zone along an edge: v is the distance from that edge.
bool isNear(int v)
{
    return v >= 0 && v <= 6;
}

// Changes of the resize rules. Each one takes effect on the control at once,
// and the next reads the bounds it left. When a width or height stops at its
// minimum, the left or top edge moves only by what the control actually gave
// up, so the opposite edge never creeps.
void shrinkFromLeft(QWidget *c, int dx)
{
    const int before = c->width();
    c->resize(std::max(kMinimumExtent, before - dx), c->height());
    c->move(c->x() + (before - c->width()), c->y());
}

void shrinkFromTop(QWidget *c, int dy)
{
    const int before = c->height();
    c->resize(c->width(), std::max(kMinimumExtent, before - dy));
    c->move(c->x(), c->y() + (before - c->height()));
}

void growWidth(QWidget *c, int dx)
{
    c->resize(std::max(kMinimumExtent, c->width() + dx), c->height());
}

void growHeight(QWidget *c, int dy)
{
    c->resize(c->width(), std::max(kMinimumExtent, c->height() + dy));
}

// The sizing pointers are put over the control's own pointer (the I-beam of
// a text field, or whatever its window gave it), which is kept aside in a
// property of the control and put back as its "default" pointer.
const char *const kOwnCursor = "TMRControl.ownCursor";

void setSizingCursor(QWidget *c, Qt::CursorShape shape)
{
    if (!c->property(kOwnCursor).isValid())
        c->setProperty(kOwnCursor, c->testAttribute(Qt::WA_SetCursor)
                                       ? QVariant::fromValue(c->cursor())
                                       : QVariant(false));
    c->setCursor(shape);
}

void restoreOwnCursor(QWidget *c)
{
    const QVariant own = c->property(kOwnCursor);
    if (!own.isValid())
        return;
    c->setProperty(kOwnCursor, QVariant());
    if (own.userType() == QMetaType::QCursor)
        c->setCursor(own.value<QCursor>());
    else
        c->unsetCursor();
}

// Where a point on the screen lies in the coordinates a control's position is
// given in: its parent's, or the screen's for a window.
QPoint inPositionCoordinates(const QWidget *control, QPoint global)
{
    const QWidget *parent = control->parentWidget();
    return parent ? parent->mapFromGlobal(global) : global;
}

} // namespace

TMRControl::TMRControl(QObject *AOwner)
    : QObject(AOwner), FResizeCursors(std::make_unique<TResizeCursors>())
{
}

TMRControl::~TMRControl()
{
    EndDrag();
}

void TMRControl::SetMRAction(TMRAction Value)
{
    if (FMRAction != Value)
        FMRAction = Value;
}

void TMRControl::SetResizeCombiKey(TCombiKey Value)
{
    if (FResizeCombiKey != Value)
        FResizeCombiKey = Value;
}

void TMRControl::SetMoveCombiKey(TCombiKey Value)
{
    if (FMoveCombiKey != Value)
        FMoveCombiKey = Value;
}

void TMRControl::SetMoveCursor(Qt::CursorShape Value)
{
    if (FMoveCursor != Value)
        FMoveCursor = Value;
}

void TMRControl::setInputStateReader(InputStateReader reader)
{
    FInputStateReader = std::move(reader);
}

TMRControl::InputState TMRControl::currentInputState()
{
    return {QCursor::pos(), QGuiApplication::queryKeyboardModifiers(),
            QGuiApplication::mouseButtons()};
}

TMRControl::InputState TMRControl::readInput() const
{
    return FInputStateReader ? FInputStateReader() : currentInputState();
}

bool TMRControl::IsKeyDown(TCombiKey key, const InputState &state) const
{
    switch (key) {
    case cCtrl: return state.modifiers.testFlag(Qt::ControlModifier);
    case cAlt: return state.modifiers.testFlag(Qt::AltModifier);
    case cShift: return state.modifiers.testFlag(Qt::ShiftModifier);
    case cNone: return state.buttons.testFlag(Qt::LeftButton);
    }
    return false;
}

TMRControl::TResizeZone TMRControl::resizingZoneAt(QPoint clientPos, QSize outerSize)
{
    const int X = clientPos.x();
    const int Y = clientPos.y();
    const int W = outerSize.width();
    const int H = outerSize.height();
    if (isNear(X) && isNear(H - Y))
        return rzBottomLeft;
    if (isNear(X) && isNear(Y))
        return rzTopLeft;
    if (isNear(H - Y) && isNear(W - X))
        return rzBottomRight;
    if (isNear(Y) && isNear(W - X))
        return rzTopRight;
    if (isNear(X))
        return rzLeft;
    if (isNear(Y))
        return rzTop;
    if (isNear(W - X))
        return rzRight;
    if (isNear(H - Y))
        return rzBottom;
    return rzNone;
}

QPoint TMRControl::clientPosition(const QWidget *control, QPoint global)
{
    const int frame = control->property(kClientFrameProperty).toInt();
    return control->mapFromGlobal(global) - QPoint(frame, frame);
}

TMRControl::TResizeZone TMRControl::GetResizingZone(QWidget *control) const
{
    if (!control)
        return rzNone;
    return resizingZoneAt(clientPosition(control, readInput().pointer), control->size());
}

void TMRControl::ShowResizingZone(QWidget *control)
{
    if (!control || FMRAction == aMove)
        return;
    restoreOwnCursor(control);
    const InputState state = readInput();
    const TResizeZone zone = resizingZoneAt(clientPosition(control, state.pointer), control->size());
    if (FResizeCombiKey != cNone && !IsKeyDown(FResizeCombiKey, state))
        return;
    switch (zone) {
    case rzTopLeft:
    case rzBottomRight:
        setSizingCursor(control, FResizeCursors->SizeNWSE());
        break;
    case rzBottomLeft:
    case rzTopRight:
        setSizingCursor(control, FResizeCursors->SizeNESW());
        break;
    case rzLeft:
    case rzRight:
        setSizingCursor(control, FResizeCursors->SizeWE());
        break;
    case rzTop:
    case rzBottom:
        setSizingCursor(control, FResizeCursors->SizeNS());
        break;
    case rzNone:
        break;
    }
}

void TMRControl::MoveAndResizeControl(QWidget *control)
{
    if (!control || FDragging)
        return;
    // Qt widgets and their parents always paint through a back buffer, so the
    // repeated steps do not flicker; there is no setting to switch on here
    // and to restore afterwards.
    const TResizeZone zone = GetResizingZone(control);
    if (zone != rzNone && (FMRAction == aResize || FMRAction == aBoth))
        ResizeControl(control, zone);
    else if (FMRAction == aMove || FMRAction == aBoth)
        MoveControl(control);
}

void TMRControl::EndDrag()
{
    if (FDragLoop)
        FDragLoop->finish();
}

bool TMRControl::RunDragLoop(QWidget *control, QPoint start, const std::function<void(QPoint)> &step,
                             const QCursor *moveCursor)
{
    DragLoop loop(control, start, step, moveCursor);
    FDragLoop = &loop;
    FDragging = true;
    // The component may go with its window while the loop runs.
    struct Reset
    {
        QPointer<TMRControl> self;
        ~Reset()
        {
            if (self) {
                self->FDragLoop = nullptr;
                self->FDragging = false;
            }
        }
    } reset{this};
    loop.run();
    return !reset.self.isNull();
}

void TMRControl::ResizeStep(QWidget *control, TResizeZone zone, QPoint delta)
{
    const int dx = delta.x();
    const int dy = delta.y();
    switch (zone) {
    case rzTopLeft:
        shrinkFromLeft(control, dx);
        shrinkFromTop(control, dy);
        break;
    case rzBottomLeft:
        shrinkFromLeft(control, dx);
        growHeight(control, dy);
        break;
    case rzBottomRight:
        growWidth(control, dx);
        growHeight(control, dy);
        break;
    case rzTopRight:
        shrinkFromTop(control, dy);
        growWidth(control, dx);
        break;
    case rzLeft:
        shrinkFromLeft(control, dx);
        break;
    case rzTop:
        shrinkFromTop(control, dy);
        break;
    case rzRight:
        growWidth(control, dx);
        break;
    case rzBottom:
        growHeight(control, dy);
        break;
    case rzNone:
        break;
    }
}

void TMRControl::ResizeControl(QWidget *control, TResizeZone zone)
{
    const InputState state = readInput();
    if (zone == rzNone || !state.buttons.testFlag(Qt::LeftButton)
        || !IsKeyDown(FResizeCombiKey, state))
        return;

    QPointer<QWidget> guard(control);
    const auto extent = [control] { return QPoint(control->width(), control->height()); };
    if (FOnBeforeResizeEvent)
        FOnBeforeResizeEvent(control, extent());
    if (!guard)
        return;

    // Deltas are increments between successive mouse positions, applied to
    // the control's bounds as they stand.
    QPoint previous = state.pointer;
    const bool alive = RunDragLoop(control, state.pointer, [&](QPoint global) {
        ResizeStep(control, zone, global - previous);
        previous = global;
        if (FOnResizeEvent)
            FOnResizeEvent(control, extent());
    });

    if (alive && guard && FOnAfterResizeEvent)
        FOnAfterResizeEvent(control, extent());
}

void TMRControl::MoveControl(QWidget *control)
{
    const InputState state = readInput();
    if (!state.buttons.testFlag(Qt::LeftButton) || !IsKeyDown(FMoveCombiKey, state))
        return;

    QPointer<QWidget> guard(control);
    const auto position = [control] { return control->pos(); };
    if (FOnBeforeMoveEvent)
        FOnBeforeMoveEvent(control, position());
    if (!guard)
        return;

    // The point under the pointer stays on the same spot of the control.
    const QPoint grab = inPositionCoordinates(control, state.pointer) - control->pos();
    const QCursor moveCursor(FMoveCursor);
    const bool alive = RunDragLoop(control, state.pointer, [&](QPoint global) {
        const QPoint target = inPositionCoordinates(control, global) - grab;
        control->move(control->x(), target.y());
        control->move(target.x(), control->y());
        if (FOnMoveEvent)
            FOnMoveEvent(control, position());
    }, &moveCursor);

    if (alive && guard && FOnAfterMoveEvent)
        FOnAfterMoveEvent(control, position());
}

// ---------------------------------------------------------------------------
// Serving controls

void TMRControl::bindControl(QWidget *control, ControlHooks hooks)
{
    if (!control)
        return;
    control->setMouseTracking(true);
    for (QWidget *child : control->findChildren<QWidget *>())
        child->setMouseTracking(true);
    const Served served{control, std::move(hooks.onPress), std::move(hooks.onMove), hooks.doubleClickIsPress};
    serve(control, served);
    for (QWidget *part : hooks.parts)
        if (part)
            serve(part, served);
}

void TMRControl::bindControl(QWidget *control)
{
    bindControl(control, ControlHooks());
}

void TMRControl::serve(QWidget *watched, const Served &served)
{
    if (!FServed.contains(watched)) {
        watched->installEventFilter(this);
        connect(watched, &QObject::destroyed, this, [this](QObject *gone) { FServed.remove(gone); });
    }
    FServed.insert(watched, served);
}

bool TMRControl::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonDblClick)
        return QObject::eventFilter(watched, event);
    const auto found = FServed.constFind(watched);
    if (found == FServed.cend() || !found->control)
        return false;
    // A copy: a handler may bind the control again, or take it away.
    const Served served = *found;
    const auto handOn = [this](const ControlHandler &handler, QWidget *control, bool press) {
        runGuarded([&] {
            if (handler)
                handler(control);
            else if (press)
                MoveAndResizeControl(control);
            else
                ShowResizingZone(control);
        });
    };

    if (type == QEvent::MouseMove) {
        watched->event(event);
        if (served.control)
            handOn(served.onMove, served.control, false);
        return true;
    }
    if (static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
        return false;
    if (type == QEvent::MouseButtonDblClick) {
        if (!served.doubleClickIsPress)
            return false;
        QPointer<QObject> alive(watched);
        handOn(served.onPress, served.control, true);
        if (alive)
            watched->event(event);
        return true;
    }
    // The control's own handling of the press comes first (a text field puts
    // its caret, says it was clicked), then the gesture.
    QPointer<QObject> alive(watched);
    watched->event(event);
    if (alive && served.control && QWidget::mouseGrabber() != watched)
        handOn(served.onPress, served.control, true);
    return true;
}
