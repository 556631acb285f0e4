// Moving and resizing the fields with the mouse, and the lock.
#include "CareSheetWindow.h"

#include "widgets/SheetEdit.h"
#include "widgets/MoveResizeController.h"
#include "support/ActionGuard.h"

#include <QAction>

// Each handler hands the control that got the event to the move-and-resize
// component, which calls them (inside the action guard) from its watch on the
// bound controls.

void CareSheetWindow::fieldMousePress(QWidget *control)
{
    moveResize->moveOrResize(control);
}

void CareSheetWindow::fieldMouseMove(QWidget *control)
{
    moveResize->showResizeZone(control);
}

// The text fields the user adds.
void CareSheetWindow::addedFieldMousePress(QWidget *control)
{
    moveResize->moveOrResize(control);
}

void CareSheetWindow::addedFieldMouseMove(QWidget *control)
{
    moveResize->showResizeZone(control);
}

// The stamp.
void CareSheetWindow::stampMousePress(QWidget *control)
{
    moveResize->moveOrResize(control);
}

void CareSheetWindow::stampMouseMove(QWidget *control)
{
    moveResize->showResizeZone(control);
}

void CareSheetWindow::applyLock()
{
    // Locked plain text fields take a left press as an empty drag gesture;
    // the dates, the stamp, the label and the image stay movable. A field
    // added later stays movable until the lock is applied again.
    const bool locked = lockFieldsAction->isChecked();
    for (SheetEdit *edit : m_plainFields)
        edit->setLocked(locked);
}
