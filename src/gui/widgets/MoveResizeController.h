#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QSize>

#include <functional>
#include <memory>

class QCursor;
class QWidget;

// The four sizing pointers the move-and-resize component shows over the
// edges and corners of a control. All four are written through one indexed
// setter (0 sizeNesw, 1 sizeNwse, 2 sizeNs, 3 sizeWe) that stores a value only
// when it differs.
class ResizeCursors
{
public:
    ResizeCursors() = default;

    // Bottom-left and top-right corners.
    Qt::CursorShape sizeNesw() const { return m_sizeNesw; }
    void setSizeNesw(Qt::CursorShape value) { setCursorAt(0, value); }
    // Top-left and bottom-right corners.
    Qt::CursorShape sizeNwse() const { return m_sizeNwse; }
    void setSizeNwse(Qt::CursorShape value) { setCursorAt(1, value); }
    // Top and bottom edges.
    Qt::CursorShape sizeNs() const { return m_sizeNs; }
    void setSizeNs(Qt::CursorShape value) { setCursorAt(2, value); }
    // Left and right edges.
    Qt::CursorShape sizeWe() const { return m_sizeWe; }
    void setSizeWe(Qt::CursorShape value) { setCursorAt(3, value); }

    // Index 0 to 3 in the order above; any other index reads the arrow
    // pointer and writes nothing.
    Qt::CursorShape cursorAt(int index) const;
    void setCursorAt(int index, Qt::CursorShape value);

private:
    Qt::CursorShape m_sizeNesw = Qt::SizeBDiagCursor;
    Qt::CursorShape m_sizeNwse = Qt::SizeFDiagCursor;
    Qt::CursorShape m_sizeNs = Qt::SizeVerCursor;
    Qt::CursorShape m_sizeWe = Qt::SizeHorCursor;
};

// Moves and resizes any control with the mouse while a key is held: by
// default Ctrl and the left button move it, Shift and the left button near an
// edge or a corner resize it.
//
// The component serves each control it is given with bindControl: an event
// filter on the control hands it the control's mouse events, after the
// control's own handling of each,
//   press of the left button -> the press handler (moveOrResize)
//   mouse move              -> the move handler (showResizeZone)
// Both operations read the pointer position, the keys and the buttons
// themselves at the moment they run, through the input-state reader; what
// the event carries is ignored.
//
// The zones are counted in the control's client area, which for a framed
// edit box starts inside its frame: a widget says how thick its frame is
// through the property named by kClientFrameProperty (an int; none means no
// frame). The outer width and height are the control's own.
//
// A drag is a local event loop fed by the drag's own mouse events: the
// control's parent grabs the mouse and an application-wide event filter takes
// every mouse event until the left button is released. Each mouse move is one
// step; nothing polls. Repaints, timers and other events run in between. A
// modal box raised meanwhile (a key handler asking a question while the
// button is still down) ends the drag where it is: the grab and the filter
// stand aside and the box has the mouse.
class MoveResizeController : public QObject
{
    Q_OBJECT
public:
    // Which gestures are allowed.
    enum class Gestures : quint8 { Move, Resize, Both };
    Q_ENUM(Gestures)
    // The key that must be held for a gesture. HeldKey::NoKey tests the left button
    // itself, which is always down at a press, so it never blocks a gesture.
    enum class HeldKey : quint8 { Ctrl, Alt, Shift, NoKey };
    Q_ENUM(HeldKey)
    // Which edge or corner of a control lies under the pointer.
    enum class ResizeZone : quint8 {
        TopLeft, BottomLeft, BottomRight, TopRight,
        Left, Top, Right, Bottom, NoZone
    };
    Q_ENUM(ResizeZone)

    Q_PROPERTY(Gestures gestures READ gestures WRITE setGestures)
    Q_PROPERTY(HeldKey resizeKey READ resizeKey WRITE setResizeKey)
    Q_PROPERTY(HeldKey moveKey READ moveKey WRITE setMoveKey)
    Q_PROPERTY(Qt::CursorShape moveCursor READ moveCursor WRITE setMoveCursor)

    // Called with the control and its (width, height).
    using ResizeHandler = std::function<void(QWidget *resizingControl, QPoint widthHeight)>;
    // Called with the control and its (left, top) in its parent.
    using MoveHandler = std::function<void(QWidget *movingControl, QPoint position)>;

    // The pointer, keys and buttons as they are at one moment.
    struct InputState
    {
        QPoint pointer;                 // screen coordinates
        Qt::KeyboardModifiers modifiers;
        Qt::MouseButtons buttons;
    };
    using InputStateReader = std::function<InputState()>;

    explicit MoveResizeController(QObject *parent = nullptr);
    ~MoveResizeController() override;

    // The owned cursor set; its four values are changed in place.
    ResizeCursors *resizeCursors() const { return m_resizeCursors.get(); }

    Gestures gestures() const { return m_gestures; }
    void setGestures(Gestures value);
    HeldKey resizeKey() const { return m_resizeKey; }
    void setResizeKey(HeldKey value);
    HeldKey moveKey() const { return m_moveKey; }
    void setMoveKey(HeldKey value);
    // The application-wide pointer shown while moving; the arrow by default.
    Qt::CursorShape moveCursor() const { return m_moveCursor; }
    void setMoveCursor(Qt::CursorShape value);

    // After every resize step.
    const ResizeHandler &onResize() const { return m_onResize; }
    void setOnResize(ResizeHandler value) { m_onResize = std::move(value); }
    // After every move step.
    const MoveHandler &onMove() const { return m_onMove; }
    void setOnMove(MoveHandler value) { m_onMove = std::move(value); }
    // Once, before a resize drag starts.
    const ResizeHandler &onBeforeResize() const { return m_onBeforeResize; }
    void setOnBeforeResize(ResizeHandler value) { m_onBeforeResize = std::move(value); }
    // Once, before a move drag starts.
    const MoveHandler &onBeforeMove() const { return m_onBeforeMove; }
    void setOnBeforeMove(MoveHandler value) { m_onBeforeMove = std::move(value); }
    // Once, after a resize drag ends.
    const ResizeHandler &onAfterResize() const { return m_onAfterResize; }
    void setOnAfterResize(ResizeHandler value) { m_onAfterResize = std::move(value); }
    // Once, after a move drag ends.
    const MoveHandler &onAfterMove() const { return m_onAfterMove; }
    void setOnAfterMove(MoveHandler value) { m_onAfterMove = std::move(value); }

    // From the control's mouse press: performs a whole move or resize drag and
    // returns when the left button is released, or at once when the gesture
    // does not apply. A press inside the 7-pixel border never starts a move.
    // An error raised by a callback ends the drag and is raised again here,
    // for the caller's action guard.
    void moveOrResize(QWidget *control);
    // From the control's mouse move: sets the control's own pointer to show
    // which edge or corner a resize would take.
    void showResizeZone(QWidget *control);

    // The zone under the pointer, counted in the control's client area.
    ResizeZone resizeZoneUnder(QWidget *control) const;
    // The zone rule itself: clientPos is the pointer in the control's client
    // area, outerSize the control's outer width and height.
    static ResizeZone resizeZoneAt(QPoint clientPos, QSize outerSize);
    // Where a point of the screen lies in a control's client area.
    static QPoint clientPosition(const QWidget *control, QPoint global);
    // The name of the property that gives the thickness of a widget's frame.
    static constexpr const char *kClientFrameProperty = "clientFrame";

    // What a control's mouse events are handed to. An empty press handler
    // is moveOrResize, an empty move handler showResizeZone. Every
    // handler runs inside the action guard, like any user action.
    using ControlHandler = std::function<void(QWidget *control)>;
    struct ControlHooks
    {
        ControlHandler onPress;
        ControlHandler onMove;
        // Child widgets whose presses and moves are the control's (the inner
        // edit of a date box); the control is what the handlers get.
        QList<QWidget *> parts;
        // The control takes a left double click as one more press, handed on
        // before its own double-click handling (the stamp and the image).
        bool doubleClickIsPress = false;
    };
    // Serves a control from now on (binding it again replaces its hooks).
    // Mouse tracking is switched on for the control and its children, so the
    // pointer shows the zones on every move, button held or not. A press the
    // control keeps for a gesture of its own (it holds the mouse after its
    // own handling, as a locked sheet field does) is not handed on.
    void bindControl(QWidget *control, ControlHooks hooks);
    void bindControl(QWidget *control);

    // True while a drag runs.
    bool isDragging() const { return m_dragging; }
    // Ends a drag in progress as if the left button were released (for a
    // window that loses the mouse, and as the tests' safety net).
    void endDrag();

    // Replaces the reader of the pointer, keys and buttons; an empty reader
    // restores the real one (the cursor position and the application's
    // current keyboard modifiers and mouse buttons).
    void setInputStateReader(InputStateReader reader);
    static InputState currentInputState();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class DragLoop;
    struct Served
    {
        QPointer<QWidget> control;
        ControlHandler onPress;
        ControlHandler onMove;
        bool doubleClickIsPress = false;
    };
    void serve(QWidget *watched, const Served &served);

    InputState readInput() const;
    bool isKeyDown(HeldKey key, const InputState &state) const;
    void resizeControl(QWidget *control, ResizeZone zone);
    void moveControl(QWidget *control);
    void resizeStep(QWidget *control, ResizeZone zone, QPoint delta);
    // Runs one drag; false when the component itself was destroyed meanwhile.
    // A move shows moveCursor application-wide while it runs.
    bool runDragLoop(QWidget *control, QPoint start, const std::function<void(QPoint)> &step,
                     const QCursor *moveCursor = nullptr);

    std::unique_ptr<ResizeCursors> m_resizeCursors;
    HeldKey m_resizeKey = HeldKey::Shift;
    HeldKey m_moveKey = HeldKey::Ctrl;
    Qt::CursorShape m_moveCursor = Qt::ArrowCursor;
    ResizeHandler m_onResize;
    MoveHandler m_onMove;
    ResizeHandler m_onBeforeResize;
    MoveHandler m_onBeforeMove;
    ResizeHandler m_onAfterResize;
    MoveHandler m_onAfterMove;
    Gestures m_gestures = Gestures::Both;

    InputStateReader m_inputStateReader;
    bool m_dragging = false;
    DragLoop *m_dragLoop = nullptr;
    QHash<QObject *, Served> m_served;
};
