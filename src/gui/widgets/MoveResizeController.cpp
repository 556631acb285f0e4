#include "MoveResizeController.h"

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

Qt::CursorShape ResizeCursors::cursorAt(int index) const
{
    switch (index) {
    case 0: return m_sizeNesw;
    case 1: return m_sizeNwse;
    case 2: return m_sizeNs;
    case 3: return m_sizeWe;
    default: return Qt::ArrowCursor;
    }
}

void ResizeCursors::setCursorAt(int index, Qt::CursorShape value)
{
    Qt::CursorShape *field = nullptr;
    switch (index) {
    case 0: field = &m_sizeNesw; break;
    case 1: field = &m_sizeNwse; break;
    case 2: field = &m_sizeNs; break;
    case 3: field = &m_sizeWe; break;
    default: return;
    }
    if (*field != value)
        *field = value;
}

// ---------------------------------------------------------------------------
// The drag loop: a local event loop that takes every mouse event of the
// application while it runs. Mouse events reach an application filter twice,
// first at the native window and then at the widget it hands them to; they
// are taken at the widget, so the window's own bookkeeping of presses and
// grabs stays right and each event steps the drag once.

class MoveResizeController::DragLoop : public QObject
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
const char *const kOwnCursor = "MoveResizeController.ownCursor";

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

MoveResizeController::MoveResizeController(QObject *parent)
    : QObject(parent), m_resizeCursors(std::make_unique<ResizeCursors>())
{
}

MoveResizeController::~MoveResizeController()
{
    endDrag();
}

void MoveResizeController::setGestures(Gestures value)
{
    if (m_gestures != value)
        m_gestures = value;
}

void MoveResizeController::setResizeKey(HeldKey value)
{
    if (m_resizeKey != value)
        m_resizeKey = value;
}

void MoveResizeController::setMoveKey(HeldKey value)
{
    if (m_moveKey != value)
        m_moveKey = value;
}

void MoveResizeController::setMoveCursor(Qt::CursorShape value)
{
    if (m_moveCursor != value)
        m_moveCursor = value;
}

void MoveResizeController::setInputStateReader(InputStateReader reader)
{
    m_inputStateReader = std::move(reader);
}

MoveResizeController::InputState MoveResizeController::currentInputState()
{
    return {QCursor::pos(), QGuiApplication::queryKeyboardModifiers(),
            QGuiApplication::mouseButtons()};
}

MoveResizeController::InputState MoveResizeController::readInput() const
{
    return m_inputStateReader ? m_inputStateReader() : currentInputState();
}

bool MoveResizeController::isKeyDown(HeldKey key, const InputState &state) const
{
    switch (key) {
    case HeldKey::Ctrl: return state.modifiers.testFlag(Qt::ControlModifier);
    case HeldKey::Alt: return state.modifiers.testFlag(Qt::AltModifier);
    case HeldKey::Shift: return state.modifiers.testFlag(Qt::ShiftModifier);
    case HeldKey::NoKey: return state.buttons.testFlag(Qt::LeftButton);
    }
    return false;
}

MoveResizeController::ResizeZone MoveResizeController::resizeZoneAt(QPoint clientPos, QSize outerSize)
{
    const int X = clientPos.x();
    const int Y = clientPos.y();
    const int W = outerSize.width();
    const int H = outerSize.height();
    if (isNear(X) && isNear(H - Y))
        return ResizeZone::BottomLeft;
    if (isNear(X) && isNear(Y))
        return ResizeZone::TopLeft;
    if (isNear(H - Y) && isNear(W - X))
        return ResizeZone::BottomRight;
    if (isNear(Y) && isNear(W - X))
        return ResizeZone::TopRight;
    if (isNear(X))
        return ResizeZone::Left;
    if (isNear(Y))
        return ResizeZone::Top;
    if (isNear(W - X))
        return ResizeZone::Right;
    if (isNear(H - Y))
        return ResizeZone::Bottom;
    return ResizeZone::NoZone;
}

QPoint MoveResizeController::clientPosition(const QWidget *control, QPoint global)
{
    const int frame = control->property(kClientFrameProperty).toInt();
    return control->mapFromGlobal(global) - QPoint(frame, frame);
}

MoveResizeController::ResizeZone MoveResizeController::resizeZoneUnder(QWidget *control) const
{
    if (!control)
        return ResizeZone::NoZone;
    return resizeZoneAt(clientPosition(control, readInput().pointer), control->size());
}

void MoveResizeController::showResizeZone(QWidget *control)
{
    if (!control || m_gestures == Gestures::Move)
        return;
    restoreOwnCursor(control);
    const InputState state = readInput();
    const ResizeZone zone = resizeZoneAt(clientPosition(control, state.pointer), control->size());
    if (m_resizeKey != HeldKey::NoKey && !isKeyDown(m_resizeKey, state))
        return;
    switch (zone) {
    case ResizeZone::TopLeft:
    case ResizeZone::BottomRight:
        setSizingCursor(control, m_resizeCursors->sizeNwse());
        break;
    case ResizeZone::BottomLeft:
    case ResizeZone::TopRight:
        setSizingCursor(control, m_resizeCursors->sizeNesw());
        break;
    case ResizeZone::Left:
    case ResizeZone::Right:
        setSizingCursor(control, m_resizeCursors->sizeWe());
        break;
    case ResizeZone::Top:
    case ResizeZone::Bottom:
        setSizingCursor(control, m_resizeCursors->sizeNs());
        break;
    case ResizeZone::NoZone:
        break;
    }
}

void MoveResizeController::moveOrResize(QWidget *control)
{
    if (!control || m_dragging)
        return;
    // Qt widgets and their parents always paint through a back buffer, so the
    // repeated steps do not flicker; there is no setting to switch on here
    // and to restore afterwards.
    const ResizeZone zone = resizeZoneUnder(control);
    if (zone != ResizeZone::NoZone && (m_gestures == Gestures::Resize || m_gestures == Gestures::Both))
        resizeControl(control, zone);
    else if (m_gestures == Gestures::Move || m_gestures == Gestures::Both)
        moveControl(control);
}

void MoveResizeController::endDrag()
{
    if (m_dragLoop)
        m_dragLoop->finish();
}

bool MoveResizeController::runDragLoop(QWidget *control, QPoint start, const std::function<void(QPoint)> &step,
                             const QCursor *moveCursor)
{
    DragLoop loop(control, start, step, moveCursor);
    m_dragLoop = &loop;
    m_dragging = true;
    // The component may go with its window while the loop runs.
    struct Reset
    {
        QPointer<MoveResizeController> self;
        ~Reset()
        {
            if (self) {
                self->m_dragLoop = nullptr;
                self->m_dragging = false;
            }
        }
    } reset{this};
    loop.run();
    return !reset.self.isNull();
}

void MoveResizeController::resizeStep(QWidget *control, ResizeZone zone, QPoint delta)
{
    const int dx = delta.x();
    const int dy = delta.y();
    switch (zone) {
    case ResizeZone::TopLeft:
        shrinkFromLeft(control, dx);
        shrinkFromTop(control, dy);
        break;
    case ResizeZone::BottomLeft:
        shrinkFromLeft(control, dx);
        growHeight(control, dy);
        break;
    case ResizeZone::BottomRight:
        growWidth(control, dx);
        growHeight(control, dy);
        break;
    case ResizeZone::TopRight:
        shrinkFromTop(control, dy);
        growWidth(control, dx);
        break;
    case ResizeZone::Left:
        shrinkFromLeft(control, dx);
        break;
    case ResizeZone::Top:
        shrinkFromTop(control, dy);
        break;
    case ResizeZone::Right:
        growWidth(control, dx);
        break;
    case ResizeZone::Bottom:
        growHeight(control, dy);
        break;
    case ResizeZone::NoZone:
        break;
    }
}

void MoveResizeController::resizeControl(QWidget *control, ResizeZone zone)
{
    const InputState state = readInput();
    if (zone == ResizeZone::NoZone || !state.buttons.testFlag(Qt::LeftButton)
        || !isKeyDown(m_resizeKey, state))
        return;

    QPointer<QWidget> guard(control);
    const auto extent = [control] { return QPoint(control->width(), control->height()); };
    if (m_onBeforeResize)
        m_onBeforeResize(control, extent());
    if (!guard)
        return;

    // Deltas are increments between successive mouse positions, applied to
    // the control's bounds as they stand.
    QPoint previous = state.pointer;
    const bool alive = runDragLoop(control, state.pointer, [&](QPoint global) {
        resizeStep(control, zone, global - previous);
        previous = global;
        if (m_onResize)
            m_onResize(control, extent());
    });

    if (alive && guard && m_onAfterResize)
        m_onAfterResize(control, extent());
}

void MoveResizeController::moveControl(QWidget *control)
{
    const InputState state = readInput();
    if (!state.buttons.testFlag(Qt::LeftButton) || !isKeyDown(m_moveKey, state))
        return;

    QPointer<QWidget> guard(control);
    const auto position = [control] { return control->pos(); };
    if (m_onBeforeMove)
        m_onBeforeMove(control, position());
    if (!guard)
        return;

    // The point under the pointer stays on the same spot of the control.
    const QPoint grab = inPositionCoordinates(control, state.pointer) - control->pos();
    const QCursor moveCursor(m_moveCursor);
    const bool alive = runDragLoop(control, state.pointer, [&](QPoint global) {
        const QPoint target = inPositionCoordinates(control, global) - grab;
        control->move(control->x(), target.y());
        control->move(target.x(), control->y());
        if (m_onMove)
            m_onMove(control, position());
    }, &moveCursor);

    if (alive && guard && m_onAfterMove)
        m_onAfterMove(control, position());
}

// ---------------------------------------------------------------------------
// Serving controls

void MoveResizeController::bindControl(QWidget *control, ControlHooks hooks)
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

void MoveResizeController::bindControl(QWidget *control)
{
    bindControl(control, ControlHooks());
}

void MoveResizeController::serve(QWidget *watched, const Served &served)
{
    if (!m_served.contains(watched)) {
        watched->installEventFilter(this);
        connect(watched, &QObject::destroyed, this, [this](QObject *gone) { m_served.remove(gone); });
    }
    m_served.insert(watched, served);
}

bool MoveResizeController::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonDblClick)
        return QObject::eventFilter(watched, event);
    const auto found = m_served.constFind(watched);
    if (found == m_served.cend() || !found->control)
        return false;
    // A copy: a handler may bind the control again, or take it away.
    const Served served = *found;
    const auto handOn = [this](const ControlHandler &handler, QWidget *control, bool press) {
        runGuarded([&] {
            if (handler)
                handler(control);
            else if (press)
                moveOrResize(control);
            else
                showResizeZone(control);
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
