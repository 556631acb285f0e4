#include "PickLists.h"

#include <QEvent>
#include <QListWidget>
#include <QMouseEvent>

namespace {

// The mouse on a pick list, as on a list box: a double click anywhere closes
// the list; a click on the blank below the entries and the right button leave
// the selection alone, so that opening the menu never picks an entry and the
// entry picked last stays the one "&Supprimer" deletes.
class PickListMouse : public QObject
{
public:
    PickListMouse(QListWidget *list, std::function<void()> doubleClick)
        : QObject(list), m_list(list), m_doubleClick(std::move(doubleClick))
    {
        list->viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease
            && type != QEvent::MouseButtonDblClick)
            return false;
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::RightButton)
            return true;   // the menu comes from its own event
        if (mouse->button() != Qt::LeftButton)
            return false;
        if (type == QEvent::MouseButtonDblClick)
            m_doubleClick();
        return !m_list->itemAt(mouse->position().toPoint());
    }

private:
    QListWidget *m_list;
    std::function<void()> m_doubleClick;
};

} // namespace

void hidePickList(QListWidget *list)
{
    // A hidden widget hands its focus to the next one in the Tab order, here
    // the sheet's date, which the next arrow key would step: the focus is
    // given up instead, as a list box gives it back to its window.
    if (list->hasFocus())
        list->clearFocus();
    list->hide();
}

void connectPickList(QListWidget *list, QObject *context, const std::function<void()> &pick,
                     const std::function<void()> &doubleClick)
{
    QObject::connect(list, &QListWidget::itemSelectionChanged, context, pick);
    // A click on the entry already selected changes no selection but picks it.
    QObject::connect(list, &QListWidget::itemClicked, context, pick);
    new PickListMouse(list, doubleClick);
}
