#pragma once

#include <QDate>
#include <QDateTime>
#include <QWidget>
#include <functional>

class QCalendarWidget;
class QKeyEvent;
class QMouseEvent;
class QToolButton;
class DateLineEdit;

// A date edit box with a calendar button: a line edit typed through the mask
// "99/99/9999" and a flat button 20 pixels wide that drops down a month
// calendar. The widget's object name is the field's name; the inner edit is
// named "edit", the button "button", the calendar "calendar".
//
// An empty box shows nothing (the mask's separators appear only while the box
// has the focus or holds digits). Its date is the text read as dd/mm/yyyy, or
// today's date when the text is empty or not a valid date. Its own keys: the
// keypad + and - step the date one day, T sets today's date, Alt+Down opens the
// calendar; Up and Down do nothing of their own.
class DateEdit : public QWidget
{
    Q_OBJECT
    // The thickness of the box's frame around its client area (1 framed,
    // 0 not); the move-and-resize zones start inside it.
    Q_PROPERTY(int clientFrame READ clientFrame)

public:
    using KeyHandler = std::function<void(DateEdit *, QKeyEvent *)>;

    explicit DateEdit(QWidget *parent = nullptr);

    // The text as shown; "" for an empty box.
    QString text() const;
    // Shows a text as given, within what the mask lets through.
    void setText(const QString &text);

    // The date shown, or today's date when there is none.
    QDate date() const;
    // Shows the date as dd/mm/yyyy; an invalid date empties the box.
    void setDate(const QDate &date);
    void setDate(const QDateTime &dateTime) { setDate(dateTime.date()); }
    bool hasValidDate() const;

    // Called for every key pressed in the box, before the box's own keys.
    void setKeyDownHandler(KeyHandler handler) { m_keyDown = std::move(handler); }

    bool isCalendarOpen() const;
    void openCalendar();
    void closeCalendar();
    QCalendarWidget *calendar() const { return m_calendar; }

    // The single flat 1-pixel frame; on by default.
    void setFramed(bool framed);
    bool isFramed() const { return m_framed; }
    int clientFrame() const { return m_framed ? 1 : 0; }
    void setButtonVisible(bool visible);
    bool isButtonVisible() const;

signals:
    // A day picked in the calendar, before the box takes it.
    void dateAccepted(const QDate &picked);
    void textChanged(const QString &text);
    void doubleClicked();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    friend class DateLineEdit;

    // The box's own keys; true when the key was taken.
    bool handleKey(QKeyEvent *event);
    // The mask is on while the box has the focus or holds digits.
    void updateMask();
    void pickDay(const QDate &day);
    void emitTextChanged();

    DateLineEdit *m_edit;
    QToolButton *m_button;
    QCalendarWidget *m_calendar = nullptr;
    bool m_framed = true;
    QString m_lastText;
    KeyHandler m_keyDown;
};
