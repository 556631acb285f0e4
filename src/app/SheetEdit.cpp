#include "SheetEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QValidator>

namespace {

// Turns what is typed or pasted into capitals; text set by the program is
// left as it is.
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

SheetEdit::SheetEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setFrame(false);
    setAttribute(Qt::WA_MacShowFocusRect, false);
    setUpperCase(true);
    updateMargins();
}

void SheetEdit::setUpperCase(bool upper)
{
    m_upperCase = upper;
    setValidator(upper ? new UpperCaseValidator(this) : nullptr);
}

void SheetEdit::setBordered(bool bordered)
{
    if (m_bordered == bordered)
        return;
    m_bordered = bordered;
    updateMargins();
}

void SheetEdit::set3D(bool sunken)
{
    if (m_3d == sunken)
        return;
    m_3d = sunken;
    updateMargins();
}

void SheetEdit::setLocked(bool locked)
{
    m_locked = locked;
}

void SheetEdit::updateMargins()
{
    const int edge = !m_bordered ? 0 : (m_3d ? 2 : 1);
    setContentsMargins(edge, edge, edge, edge);
    update();
}

void SheetEdit::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    if (!m_bordered)
        return;
    QPainter painter(this);
    const QRect r = rect();
    if (!m_3d) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        return;
    }
    // The sunken edge: dark above and left, light below and right.
    const QColor shadow = palette().color(QPalette::Mid);
    const QColor darkShadow = palette().color(QPalette::Shadow);
    const QColor light = palette().color(QPalette::Light);
    const QColor midLight = palette().color(QPalette::Midlight);
    auto edge = [&painter](const QRect &rect, const QColor &topLeft, const QColor &bottomRight) {
        painter.setPen(topLeft);
        painter.drawLine(rect.topLeft(), rect.topRight());
        painter.drawLine(rect.topLeft(), rect.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(rect.bottomLeft(), rect.bottomRight());
        painter.drawLine(rect.topRight(), rect.bottomRight());
    };
    edge(r.adjusted(0, 0, -1, -1), shadow, light);
    edge(r.adjusted(1, 1, -2, -2), darkShadow, midLight);
}

bool SheetEdit::startsLockedGesture(QMouseEvent *event)
{
    if (!m_locked || event->button() != Qt::LeftButton)
        return false;
    m_dragging = true;
    QApplication::setOverrideCursor(QCursor(m_dragCursor));
    event->accept();
    return true;
}

void SheetEdit::mousePressEvent(QMouseEvent *event)
{
    if (startsLockedGesture(event))
        return;
    QLineEdit::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) {
        emit clicked(this);
        if (mouseDownHandler)
            mouseDownHandler(this);
    }
}

void SheetEdit::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging) {
        event->accept();
        return;
    }
    QLineEdit::mouseMoveEvent(event);
    if (mouseMoveHandler)
        mouseMoveHandler(this);
}

void SheetEdit::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_dragging) {
        // Nothing accepts the drop: the gesture ends with no effect.
        if (event->button() == Qt::LeftButton) {
            m_dragging = false;
            QApplication::restoreOverrideCursor();
        }
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void SheetEdit::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (startsLockedGesture(event))
        return;
    QLineEdit::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClicked(this);
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
    if (movesBetweenFields(event))
        emit entered(this);
}

void SheetEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (movesBetweenFields(event))
        emit exited(this);
}
