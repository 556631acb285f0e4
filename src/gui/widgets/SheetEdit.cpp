#include "SheetEdit.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QValidator>
#include <QWindow>
#include <qdrawutil.h>

namespace {

// Turns the field's text into capitals: what is typed or pasted, and, as in a
// Windows upper-case edit box, what the program sets.
class UpperCaseValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};

} // namespace

// A left press or double click on a locked field is taken before the
// application hands the focus to whatever lies under the pointer (the field,
// or the panel behind it), so the press moves no focus at all: it is caught
// where the window receives it and starts the field's drag gesture there.
class SheetEditLockFilter : public QObject
{
public:
    using QObject::QObject;

    static void ensureInstalled()
    {
        static QPointer<SheetEditLockFilter> instance;
        if (!instance && qApp) {
            instance = new SheetEditLockFilter(qApp);
            qApp->installEventFilter(instance);
        }
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick)
            return false;
        if (watched->isWidgetType() || !watched->inherits("QWindow"))
            return false;
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton || QApplication::activePopupWidget())
            return false;
        SheetEdit *edit = lockedFieldAt(static_cast<QWindow *>(watched), mouse->globalPosition().toPoint());
        if (!edit)
            return false;
        edit->beginLockedGesture();
        return true;
    }

private:
    static SheetEdit *lockedFieldAt(QWindow *window, QPoint global)
    {
        const QWidgetList tops = QApplication::topLevelWidgets();
        for (QWidget *top : tops) {
            if (top->windowHandle() != window)
                continue;
            for (QWidget *w = top->childAt(top->mapFromGlobal(global)); w && w != top; w = w->parentWidget())
                if (auto *edit = qobject_cast<SheetEdit *>(w))
                    return edit->isLocked() && edit->isEnabled() ? edit : nullptr;
            return nullptr;
        }
        return nullptr;
    }
};

SheetEdit::SheetEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setFrame(false);
    setAttribute(Qt::WA_MacShowFocusRect, false);
    setUpperCase(true);
    // The text keeps its place whatever the look: the margin always has room
    // for the thickest edge. Printing takes the frames away, and a text that
    // moved with them would land up to half a millimetre off the place the
    // user aligned it to on screen.
    setContentsMargins(2, 2, 2, 2);
    // A text the program puts into the field (a configuration read, a model,
    // an import, a pick list) shows from its first character, on screen and
    // on paper, as a Windows edit box shows it: the caret goes home. What the
    // user types or pastes keeps its caret where the typing is, and so does
    // a field being typed into. An edit is announced before its change.
    connect(this, &QLineEdit::textEdited, this, [this] { m_userEdit = true; });
    connect(this, &QLineEdit::textChanged, this, [this] {
        const bool typed = m_userEdit;
        m_userEdit = false;
        if (!typed && !hasFocus())
            setCursorPosition(0);
    });
}

void SheetEdit::setUpperCase(bool upper)
{
    m_upperCase = upper;
    if (upper && !m_upperCaseValidator)
        m_upperCaseValidator = new UpperCaseValidator(this);
    setValidator(upper ? m_upperCaseValidator : nullptr);
}

void SheetEdit::setBordered(bool bordered)
{
    if (m_bordered == bordered)
        return;
    m_bordered = bordered;
    update();
}

void SheetEdit::set3D(bool sunken)
{
    if (m_3d == sunken)
        return;
    m_3d = sunken;
    update();
}

SheetEdit::~SheetEdit()
{
    if (m_dragging)
        QApplication::restoreOverrideCursor();
}

void SheetEdit::setLocked(bool locked)
{
    m_locked = locked;
    if (locked)
        SheetEditLockFilter::ensureInstalled();
}

void SheetEdit::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    if (!m_bordered)
        return;
    QPainter painter(this);
    if (!m_3d) {
        // One thin line in the window text colour.
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        return;
    }
    // The sunken edge of two pixels: shadow and dark shadow above and left,
    // highlight and light below and right.
    qDrawWinPanel(&painter, rect(), palette(), true);
}

bool SheetEdit::startsLockedGesture(QMouseEvent *event)
{
    if (!m_locked || event->button() != Qt::LeftButton)
        return false;
    beginLockedGesture();
    event->accept();
    return true;
}

void SheetEdit::beginLockedGesture()
{
    if (!m_dragging) {
        m_dragging = true;
        QApplication::setOverrideCursor(QCursor(m_dragCursor));
    }
    // The field holds the mouse until the button is released, wherever the
    // pointer goes meanwhile.
    grabMouse();
}

void SheetEdit::endLockedGesture()
{
    if (!m_dragging)
        return;
    m_dragging = false;
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
    QApplication::restoreOverrideCursor();
}

void SheetEdit::mousePressEvent(QMouseEvent *event)
{
    // Other buttons pressed during the gesture go nowhere.
    if (m_dragging) {
        event->accept();
        return;
    }
    if (startsLockedGesture(event))
        return;
    QLineEdit::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        emit clicked(this);
}

void SheetEdit::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging) {
        // A move without the button means the release went elsewhere.
        if (!(event->buttons() & Qt::LeftButton))
            endLockedGesture();
        event->accept();
        return;
    }
    QLineEdit::mouseMoveEvent(event);
}

void SheetEdit::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_dragging) {
        // Nothing accepts the drop: the gesture ends with no effect.
        if (event->button() == Qt::LeftButton)
            endLockedGesture();
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void SheetEdit::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (m_dragging) {
        event->accept();
        return;
    }
    if (startsLockedGesture(event))
        return;
    QLineEdit::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClicked(this);
}

void SheetEdit::hideEvent(QHideEvent *event)
{
    endLockedGesture();
    QLineEdit::hideEvent(event);
}

void SheetEdit::keyPressEvent(QKeyEvent *event)
{
    if (keyPressHandler && keyPressHandler(this, event)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

// A pop-up menu or another window taking the focus for a while is neither
// leaving the field nor entering it again.
static bool movesBetweenFields(const QFocusEvent *event)
{
    return event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason;
}

void SheetEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    // A right click only opens the field's menu: it does not enter the field
    // (a list shown on entering must not pop up with the menu).
    const bool rightClick = event->reason() == Qt::MouseFocusReason
        && (QGuiApplication::mouseButtons() & Qt::RightButton);
    if (movesBetweenFields(event) && !rightClick)
        emit entered(this);
}

void SheetEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (movesBetweenFields(event))
        emit exited(this);
}

void takeFontOf(QWidget *widget, const QFont &from)
{
    QFont font = widget->font();
    font.setFamily(from.family());
    if (from.pointSizeF() > 0)
        font.setPointSizeF(from.pointSizeF());
    else if (from.pixelSize() > 0)
        font.setPixelSize(from.pixelSize());
    font.setBold(from.bold());
    font.setItalic(from.italic());
    font.setUnderline(from.underline());
    font.setStrikeOut(from.strikeOut());
    widget->setFont(font);
}
