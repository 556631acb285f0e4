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
// setter (0 SizeNESW, 1 SizeNWSE, 2 SizeNS, 3 SizeWE) that stores a value only
// when it differs.
class TResizeCursors
{
public:
    TResizeCursors() = default;

    // Bottom-left and top-right corners.
    Qt::CursorShape SizeNESW() const { return FSizeNESW; }
    void SetSizeNESW(Qt::CursorShape Value) { SetCursor(0, Value); }
    // Top-left and bottom-right corners.
    Qt::CursorShape SizeNWSE() const { return FSizeNWSE; }
    void SetSizeNWSE(Qt::CursorShape Value) { SetCursor(1, Value); }
    // Top and bottom edges.
    Qt::CursorShape SizeNS() const { return FSizeNS; }
    void SetSizeNS(Qt::CursorShape Value) { SetCursor(2, Value); }
    // Left and right edges.
    Qt::CursorShape SizeWE() const { return FSizeWE; }
    void SetSizeWE(Qt::CursorShape Value) { SetCursor(3, Value); }

    // Index 0 to 3 in the order above; any other index reads the arrow
    // pointer and writes nothing.
    Qt::CursorShape GetCursor(int Index) const;
    void SetCursor(int Index, Qt::CursorShape Value);

private:
    Qt::CursorShape FSizeNESW = Qt::SizeBDiagCursor;
    Qt::CursorShape FSizeNWSE = Qt::SizeFDiagCursor;
    Qt::CursorShape FSizeNS = Qt::SizeVerCursor;
    Qt::CursorShape FSizeWE = Qt::SizeHorCursor;
};

// Moves and resizes any control with the mouse while a key is held: by
// default Ctrl and the left button move it, Shift and the left button near an
// edge or a corner resize it.
//
// The component serves each control it is given with bindControl: an event
// filter on the control hands it the control's mouse events, after the
// control's own handling of each,
//   press of the left button -> the press handler (MoveAndResizeControl)
//   mouse move              -> the move handler (ShowResizingZone)
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
class TMRControl : public QObject
{
    Q_OBJECT
public:
    // Which gestures are allowed.
    enum TMRAction : quint8 { aMove, aResize, aBoth };
    Q_ENUM(TMRAction)
    // The key that must be held for a gesture. cNone tests the left button
    // itself, which is always down at a press, so it never blocks a gesture.
    enum TCombiKey : quint8 { cCtrl, cAlt, cShift, cNone };
    Q_ENUM(TCombiKey)
    // Which edge or corner of a control lies under the pointer.
    enum TResizeZone : quint8 {
        rzTopLeft, rzBottomLeft, rzBottomRight, rzTopRight,
        rzLeft, rzTop, rzRight, rzBottom, rzNone
    };
    Q_ENUM(TResizeZone)

    Q_PROPERTY(TMRAction MRAction READ MRAction WRITE SetMRAction)
    Q_PROPERTY(TCombiKey ResizeCombiKey READ ResizeCombiKey WRITE SetResizeCombiKey)
    Q_PROPERTY(TCombiKey MoveCombiKey READ MoveCombiKey WRITE SetMoveCombiKey)
    Q_PROPERTY(Qt::CursorShape MoveCursor READ MoveCursor WRITE SetMoveCursor)

    // Called with the control and its (width, height).
    using TOnResizeEvent = std::function<void(QWidget *ResizingCtrl, QPoint PtWidthHeight)>;
    // Called with the control and its (left, top) in its parent.
    using TOnMoveEvent = std::function<void(QWidget *MovingCtrl, QPoint PtPosition)>;

    // The pointer, keys and buttons as they are at one moment.
    struct InputState
    {
        QPoint pointer;                 // screen coordinates
        Qt::KeyboardModifiers modifiers;
        Qt::MouseButtons buttons;
    };
    using InputStateReader = std::function<InputState()>;

    explicit TMRControl(QObject *AOwner = nullptr);
    ~TMRControl() override;

    // The owned cursor set; its four values are changed in place.
    TResizeCursors *ResizeCursors() const { return FResizeCursors.get(); }

    TMRAction MRAction() const { return FMRAction; }
    void SetMRAction(TMRAction Value);
    TCombiKey ResizeCombiKey() const { return FResizeCombiKey; }
    void SetResizeCombiKey(TCombiKey Value);
    TCombiKey MoveCombiKey() const { return FMoveCombiKey; }
    void SetMoveCombiKey(TCombiKey Value);
    // The application-wide pointer shown while moving; the arrow by default.
    Qt::CursorShape MoveCursor() const { return FMoveCursor; }
    void SetMoveCursor(Qt::CursorShape Value);

    // After every resize step.
    const TOnResizeEvent &OnResizeCtrl() const { return FOnResizeEvent; }
    void SetOnResizeCtrl(TOnResizeEvent Value) { FOnResizeEvent = std::move(Value); }
    // After every move step.
    const TOnMoveEvent &OnMoveCtrl() const { return FOnMoveEvent; }
    void SetOnMoveCtrl(TOnMoveEvent Value) { FOnMoveEvent = std::move(Value); }
    // Once, before a resize drag starts.
    const TOnResizeEvent &OnBeforeResizeCtrl() const { return FOnBeforeResizeEvent; }
    void SetOnBeforeResizeCtrl(TOnResizeEvent Value) { FOnBeforeResizeEvent = std::move(Value); }
    // Once, before a move drag starts.
    const TOnMoveEvent &OnBeforeMoveCtrl() const { return FOnBeforeMoveEvent; }
    void SetOnBeforeMoveCtrl(TOnMoveEvent Value) { FOnBeforeMoveEvent = std::move(Value); }
    // Once, after a resize drag ends.
    const TOnResizeEvent &OnAfterResizeCtrl() const { return FOnAfterResizeEvent; }
    void SetOnAfterResizeCtrl(TOnResizeEvent Value) { FOnAfterResizeEvent = std::move(Value); }
    // Once, after a move drag ends.
    const TOnMoveEvent &OnAfterMoveCtrl() const { return FOnAfterMoveEvent; }
    void SetOnAfterMoveCtrl(TOnMoveEvent Value) { FOnAfterMoveEvent = std::move(Value); }

    // From the control's mouse press: performs a whole move or resize drag and
    // returns when the left button is released, or at once when the gesture
    // does not apply. A press inside the 7-pixel border never starts a move.
    // An error raised by a callback ends the drag and is raised again here,
    // for the caller's action guard.
    void MoveAndResizeControl(QWidget *control);
    // From the control's mouse move: sets the control's own pointer to show
    // which edge or corner a resize would take.
    void ShowResizingZone(QWidget *control);

    // The zone under the pointer, counted in the control's client area.
    TResizeZone GetResizingZone(QWidget *control) const;
    // The zone rule itself: clientPos is the pointer in the control's client
    // area, outerSize the control's outer width and height.
    static TResizeZone resizingZoneAt(QPoint clientPos, QSize outerSize);
    // Where a point of the screen lies in a control's client area.
    static QPoint clientPosition(const QWidget *control, QPoint global);
    // The name of the property that gives the thickness of a widget's frame.
    static constexpr const char *kClientFrameProperty = "clientFrame";

    // What a control's mouse events are handed to. An empty press handler
    // is MoveAndResizeControl, an empty move handler ShowResizingZone. Every
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
    bool IsDragging() const { return FDragging; }
    // Ends a drag in progress as if the left button were released (for a
    // window that loses the mouse, and as the tests' safety net).
    void EndDrag();

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
    bool IsKeyDown(TCombiKey key, const InputState &state) const;
    void ResizeControl(QWidget *control, TResizeZone zone);
    void MoveControl(QWidget *control);
    void ResizeStep(QWidget *control, TResizeZone zone, QPoint delta);
    // Runs one drag; false when the component itself was destroyed meanwhile.
    // A move shows moveCursor application-wide while it runs.
    bool RunDragLoop(QWidget *control, QPoint start, const std::function<void(QPoint)> &step,
                     const QCursor *moveCursor = nullptr);

    std::unique_ptr<TResizeCursors> FResizeCursors;
    TCombiKey FResizeCombiKey = cShift;
    TCombiKey FMoveCombiKey = cCtrl;
    Qt::CursorShape FMoveCursor = Qt::ArrowCursor;
    TOnResizeEvent FOnResizeEvent;
    TOnMoveEvent FOnMoveEvent;
    TOnResizeEvent FOnBeforeResizeEvent;
    TOnMoveEvent FOnBeforeMoveEvent;
    TOnResizeEvent FOnAfterResizeEvent;
    TOnMoveEvent FOnAfterMoveEvent;
    TMRAction FMRAction = aBoth;

    InputStateReader FInputStateReader;
    bool FDragging = false;
    DragLoop *FDragLoop = nullptr;
    QHash<QObject *, Served> FServed;
};
