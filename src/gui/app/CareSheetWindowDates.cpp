// The date fields of the care-sheet window: month steps with the arrows,
// today's date on a double click, the social-security prefix.
#include "CareSheetWindow.h"

#include "widgets/DateEdit.h"
#include "patient/DateRules.h"
#include "widgets/SheetEdit.h"
#include "support/Platform.h"

#include <QKeyEvent>

void CareSheetWindow::stepDateByKey(DateEdit *field, QKeyEvent *event)
{
    if (field->isCalendarOpen())
        return;
    // Alt+Down steps too, then opens the calendar on the new date.
    const int step = monthStepOfKey(event->key(), event->modifiers());
    if (step == 0)
        return;
    field->setDate(stepMonths(field->date(), step));
}

void CareSheetWindow::setActDateToday()
{
    DATE_ACTE->setDate(platform().now());
}

void CareSheetWindow::birthDateAccepted(const QDate &picked)
{
    if (MATRICULE->text().isEmpty())
        MATRICULE->setText(socialSecurityPrefix(picked));
}

void CareSheetWindow::fillNumberPrefix()
{
    if (MATRICULE->text().isEmpty())
        MATRICULE->setText(socialSecurityPrefix(DDN->date()));
}
