#pragma once

#include <QLineEdit>
#include <functional>

class QValidator;

// A plain text field of the care sheet: a one-line edit box with a single
// flat border, optionally a sunken 3-D edge, letters typed turned into
// capitals unless the field keeps mixed case. The claim boxes are sheet
// edits too; they carry their toggle flag here.
//
// Locked, the field takes a left press or a double click as the start of an
// empty drag gesture: no caret, no focus taken from the field that has it, no
// double click, the drag pointer while the button is held, nothing done at
// the release. Keys and right clicks still reach it. The field holds the
// mouse for that gesture, which tells the move-and-resize component that the
// press is not a move.
class SheetEdit : public QLineEdit
{
    Q_OBJECT
    // The thickness of the frame the field has, as a framed edit box has it
    // around its client area: 1 for the single border, 2 for the sunken
    // edge, 0 without a border. The move-and-resize zones start inside it.
    Q_PROPERTY(int clientFrame READ clientFrame)
public:
    explicit SheetEdit(QWidget *parent = nullptr);
    ~SheetEdit() override;

    void setUpperCase(bool upper);
    bool upperCase() const { return m_upperCase; }

    void setBordered(bool bordered);
    bool isBordered() const { return m_bordered; }
    void set3D(bool sunken);
    bool is3D() const { return m_3d; }
    int clientFrame() const { return m_bordered ? (m_3d ? 2 : 1) : 0; }

    void setLocked(bool locked);
    bool isLocked() const { return m_locked; }
    void setDragCursor(Qt::CursorShape shape) { m_dragCursor = shape; }
    Qt::CursorShape dragCursor() const { return m_dragCursor; }

    // The number of an added field.
    int tag = 0;
    // The toggle flag of a claim box (0 or 1), changed only by its toggle.
    int toggleFlag = 0;

    // A key typed into the field; returns true when the key is swallowed.
    std::function<bool(SheetEdit *, QKeyEvent *)> keyPressHandler;

signals:
    void doubleClicked(SheetEdit *field);
    void clicked(SheetEdit *field);
    void entered(SheetEdit *field);
    void exited(SheetEdit *field);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    friend class SheetEditLockFilter;

    bool startsLockedGesture(QMouseEvent *event);
    void beginLockedGesture();
    void endLockedGesture();

    bool m_upperCase = true;
    QValidator *m_upperCaseValidator = nullptr;
    bool m_bordered = true;
    bool m_3d = false;
    bool m_locked = false;
    bool m_dragging = false;
    // The change under way comes from the user, not from the program.
    bool m_userEdit = false;
    Qt::CursorShape m_dragCursor = Qt::DragMoveCursor;
};

// Gives a widget the name, size and style of a font; its colour stays.
void takeFontOf(QWidget *widget, const QFont &from);
