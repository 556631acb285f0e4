// Moving and resizing the fields with the mouse, and the lock.
#include "Unit1.h"

#include "widgets/SheetEdit.h"
#include "widgets/MRControl_32.h"
#include "support/ActionGuard.h"

#include <QAction>

// Each handler hands the control that got the event to the move-and-resize
// component, which calls them (inside the action guard) from its watch on the
// bound controls.

void TForm1::NOMMouseDown(QWidget *control)
{
    MRControl1->MoveAndResizeControl(control);
}

void TForm1::NOMMouseMove(QWidget *control)
{
    MRControl1->ShowResizingZone(control);
}

// The text fields the user adds.
void TForm1::Edit_MouseDown(QWidget *control)
{
    MRControl1->MoveAndResizeControl(control);
}

void TForm1::Edit_MouseMove(QWidget *control)
{
    MRControl1->ShowResizingZone(control);
}

// The stamp.
void TForm1::NOTEMouseDown(QWidget *control)
{
    MRControl1->MoveAndResizeControl(control);
}

void TForm1::NOTEMouseMove(QWidget *control)
{
    MRControl1->ShowResizingZone(control);
}

void TForm1::mnu_VERROUClick()
{
    // Locked plain text fields take a left press as an empty drag gesture;
    // the dates, the stamp, the label and the image stay movable. A field
    // added later stays movable until the lock is applied again.
    const bool locked = mnu_VERROU->isChecked();
    for (SheetEdit *edit : m_plainFields)
        edit->setLocked(locked);
}
