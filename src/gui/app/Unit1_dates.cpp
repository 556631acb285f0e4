// The date fields of the care-sheet window: month steps with the arrows,
// today's date on a double click, the social-security prefix.
#include "Unit1.h"

#include "widgets/DateEdit.h"
#include "patient/DateRules.h"
#include "widgets/SheetEdit.h"
#include "support/Platform.h"

#include <QKeyEvent>

void TForm1::DATE_ACTEKeyDown(DateEdit *field, QKeyEvent *event)
{
    if (field->isCalendarOpen())
        return;
    int step = 0;
    if (event->key() == Qt::Key_Up)
        step = 1;
    else if (event->key() == Qt::Key_Down)
        step = -1;
    else
        return;
    // Ctrl steps a year; Shift and Alt change nothing (Alt+Down then opens
    // the calendar on the new date).
    if (event->modifiers() & Qt::ControlModifier)
        step *= 12;
    field->setDate(stepMonths(field->date(), step));
}

void TForm1::DATE_ACTEDblClick()
{
    DATE_ACTE->setDate(platform().now());
}

void TForm1::DDNAcceptDate(const QDate &picked)
{
    if (MATRICULE->text().isEmpty())
        MATRICULE->setText(socialSecurityPrefix(picked));
}

void TForm1::MATRICULEDblClick()
{
    if (MATRICULE->text().isEmpty())
        MATRICULE->setText(socialSecurityPrefix(DDN->date()));
}
