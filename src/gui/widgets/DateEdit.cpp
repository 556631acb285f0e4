#include "DateEdit.h"

#include "patient/DateRules.h"
#include "support/ActionGuard.h"
#include "support/Platform.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QToolButton>

namespace {

const QString DateMask = QStringLiteral("99/99/9999");
constexpr int ButtonWidth = 20;

bool hasDigit(const QString &text)
{
    for (const QChar c : text)
        if (c.isDigit())
            return true;
    return false;
}

// A key that changes the text: a character typed, an erasing key, a paste
// or a cut. Moving the caret, selecting and copying change nothing.
bool typesIntoBox(const QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Backspace || key == Qt::Key_Delete || event->matches(QKeySequence::Paste)
        || event->matches(QKeySequence::Cut))
        return true;
    // Ctrl with a letter is a command; Ctrl with Alt is AltGr on Windows,
    // which types.
    const Qt::KeyboardModifiers mods = event->modifiers();
    if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier))
        return false;
    const QString text = event->text();
    return !text.isEmpty() && text.at(0).isPrint();
}

} // namespace

// The line edit inside the box: hands its keys to the box first and takes
// the mask with the focus.
class DateLineEdit : public QLineEdit
{
public:
    explicit DateLineEdit(DateEdit *box) : QLineEdit(box), m_box(box) {}

    bool hasMask() const { return !inputMask().isEmpty(); }

    // The mask on or off; off empties the box (the separators go with it).
    void applyMask(bool on)
    {
        if (on == hasMask())
            return;
        setInputMask(on ? DateMask : QString());
        if (!on)
            clear();
    }

    // A text taken from a file that is no date in the mask's form is shown
    // as it is, without the mask, until the user types into the box.
    bool holdsFreeText() const { return !hasMask() && !text().isEmpty(); }

protected:
    bool event(QEvent *event) override
    {
        // Up and Down belong to the box (the window steps months with them),
        // not to a shortcut of the window.
        if (event->type() == QEvent::ShortcutOverride) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down) {
                event->accept();
                return true;
            }
        }
        return QLineEdit::event(event);
    }

    void keyPressEvent(QKeyEvent *event) override
    {
        if (m_box->handleKey(event))
            return;
        // A stored text that is no date stays as it is while the user only
        // moves in it (arrows, Home, End, a selection, a copy); what types
        // into the box starts a date afresh.
        if (holdsFreeText() && !typesIntoBox(event)) {
            QLineEdit::keyPressEvent(event);
            return;
        }
        if (holdsFreeText())
            clear();
        applyMask(true);
        QLineEdit::keyPressEvent(event);
    }

    void focusInEvent(QFocusEvent *event) override
    {
        if (!holdsFreeText())
            applyMask(true);
        QLineEdit::focusInEvent(event);
    }

    void focusOutEvent(QFocusEvent *event) override
    {
        QLineEdit::focusOutEvent(event);
        m_box->updateMask();
    }

    void mousePressEvent(QMouseEvent *event) override
    {
        QLineEdit::mousePressEvent(event);
        // In an empty box the digits typed next start at the first place,
        // wherever the click fell.
        if (hasMask() && !hasDigit(displayText()))
            setCursorPosition(0);
    }

    void mouseDoubleClickEvent(QMouseEvent *event) override
    {
        QLineEdit::mouseDoubleClickEvent(event);
        emit m_box->doubleClicked();
    }

private:
    DateEdit *m_box;
};

DateEdit::DateEdit(QWidget *parent)
    : QWidget(parent), m_edit(new DateLineEdit(this)), m_button(new QToolButton(this))
{
    m_edit->setObjectName(QStringLiteral("edit"));
    m_edit->setFrame(false);
    m_edit->setMouseTracking(true);

    m_button->setObjectName(QStringLiteral("button"));
    m_button->setAutoRaise(true);
    m_button->setArrowType(Qt::DownArrow);
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setFixedWidth(ButtonWidth);
    m_button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    m_button->setCursor(Qt::ArrowCursor);

    // The margin is kept whether the frame is drawn or not, so the text does
    // not move when printing takes the frame away.
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_button);

    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    colours.setColor(QPalette::Base, Qt::white);
    setPalette(colours);
    setAutoFillBackground(true);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_edit);

    connect(m_button, &QToolButton::clicked, this, [this] { openCalendar(); });
    connect(m_edit, &QLineEdit::textChanged, this, [this] { emitTextChanged(); });
}

QString DateEdit::text() const
{
    if (m_edit->holdsFreeText())
        return m_edit->text();
    const QString shown = m_edit->displayText();
    return hasDigit(shown) ? shown : QString();
}

void DateEdit::setText(const QString &text)
{
    const QString shown = dateBoxText(text);
    if (!shown.isEmpty() && !fitsDateMask(shown)) {
        m_edit->applyMask(false);
        m_edit->setText(shown);
    } else if (hasDigit(shown)) {
        m_edit->applyMask(true);
        m_edit->setText(shown);
    } else {
        m_edit->applyMask(m_edit->hasFocus());
        m_edit->setText(QString());
    }
    // Shown from its first character, as a Windows edit box shows a text the
    // program sets; a box being typed into keeps its caret.
    if (!m_edit->hasFocus())
        m_edit->setCursorPosition(0);
}

QDate DateEdit::date() const
{
    const QDate shown = parseSheetDate(text());
    return shown.isValid() ? shown : platform().today();
}

void DateEdit::setDate(const QDate &date)
{
    setText(formatSheetDate(date));
}

bool DateEdit::hasValidDate() const
{
    return parseSheetDate(text()).isValid();
}

bool DateEdit::handleKey(QKeyEvent *event)
{
    if (m_keyDown)
        runGuarded([&] { m_keyDown(this, event); });

    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (key == Qt::Key_Down && (mods & Qt::AltModifier)) {
        openCalendar();
        return true;
    }
    if (key == Qt::Key_Up || key == Qt::Key_Down)
        return true;
    const bool noCtrlAlt = !(mods & (Qt::ControlModifier | Qt::AltModifier));
    if ((key == Qt::Key_Plus || key == Qt::Key_Minus) && (mods & Qt::KeypadModifier)
        && noCtrlAlt && !(mods & Qt::ShiftModifier)) {
        const int days = key == Qt::Key_Plus ? 1 : -1;
        runGuarded([&] { setDate(stepDays(date(), days)); });
        return true;
    }
    if (noCtrlAlt && event->text().compare(QLatin1String("t"), Qt::CaseInsensitive) == 0) {
        setDate(platform().today());
        return true;
    }
    return false;
}

void DateEdit::updateMask()
{
    if (m_edit->holdsFreeText())
        return;
    m_edit->applyMask(m_edit->hasFocus() || !text().isEmpty());
}

bool DateEdit::isCalendarOpen() const
{
    return m_calendar && m_calendar->isVisible();
}

void DateEdit::openCalendar()
{
    if (isCalendarOpen())
        return;
    if (!m_calendar) {
        m_calendar = new QCalendarWidget(this);
        m_calendar->setWindowFlags(Qt::Popup);
        m_calendar->setObjectName(QStringLiteral("calendar"));
        m_calendar->setWindowTitle(QStringLiteral("Date des actes"));
        m_calendar->setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));
        connect(m_calendar, &QCalendarWidget::clicked, this, &DateEdit::pickDay);
        connect(m_calendar, &QCalendarWidget::activated, this, &DateEdit::pickDay);
    }
    const QDate start = date();   // today's date when the box has none
    m_calendar->setSelectedDate(start);
    m_calendar->setCurrentPage(start.year(), start.month());

    // Below the box, or above it when there is no room below.
    const QSize size = m_calendar->sizeHint();
    QPoint place = mapToGlobal(QPoint(0, height()));
    if (const QScreen *where = screen()) {
        const QRect area = where->availableGeometry();
        if (place.y() + size.height() > area.bottom())
            place.ry() = mapToGlobal(QPoint(0, 0)).y() - size.height();
        place.rx() = qMax(area.left(), qMin(place.x(), area.right() - size.width()));
    }
    m_calendar->setGeometry(QRect(place, size));
    m_calendar->show();
    m_calendar->setFocus(Qt::PopupFocusReason);
}

void DateEdit::closeCalendar()
{
    if (m_calendar)
        m_calendar->hide();
}

void DateEdit::pickDay(const QDate &day)
{
    closeCalendar();
    emit dateAccepted(day);
    setDate(day);
    m_edit->setFocus(Qt::PopupFocusReason);
}

void DateEdit::emitTextChanged()
{
    const QString shown = text();
    if (shown == m_lastText)
        return;
    m_lastText = shown;
    emit textChanged(shown);
}

void DateEdit::setFramed(bool framed)
{
    m_framed = framed;
    update();
}

void DateEdit::setButtonVisible(bool visible)
{
    m_button->setVisible(visible);
}

bool DateEdit::isButtonVisible() const
{
    return !m_button->isHidden();
}

bool DateEdit::event(QEvent *event)
{
    // A pointer shape given to the box (the resize arrows) shows over the
    // inner edit too; the default pointer gives the edit its text cursor back.
    if (event->type() == QEvent::CursorChange) {
        if (testAttribute(Qt::WA_SetCursor) && cursor().shape() != Qt::ArrowCursor)
            m_edit->setCursor(cursor());
        else
            m_edit->setCursor(Qt::IBeamCursor);
    }
    return QWidget::event(event);
}

void DateEdit::paintEvent(QPaintEvent *)
{
    if (!m_framed)
        return;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

// A press or a move on the box's margin stays with the box: it does not go
// on to the panel behind.
void DateEdit::mousePressEvent(QMouseEvent *event)
{
    event->accept();
}

void DateEdit::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
}

void DateEdit::mouseDoubleClickEvent(QMouseEvent *)
{
    emit doubleClicked();
}
