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
    // Alt+Down steps too, then opens the calendar on the new date.
    const int step = monthStepOfKey(event->key(), event->modifiers());
    if (step == 0)
        return;
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
