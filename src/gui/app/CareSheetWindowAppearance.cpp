// The commands that change how all the fields look.
#include "CareSheetWindow.h"

#include "widgets/SheetEdit.h"
#include "widgets/DateEdit.h"
#include "support/Dialogs.h"

#include <QAction>
#include <QLabel>


void CareSheetWindow::chooseFieldsFont()
{
    // The dialog's answer is not consulted: after a cancel the fields take
    // the font of NOM, which the dialog was opened with.
    FontChoice initial;
    initial.font = NOM->font();
    const FontChoice chosen = dialogs().chooseFont(initial);
    for (SheetEdit *edit : m_plainFields)
        takeFontOf(edit, chosen.font);
    for (DateEdit *date : {DATE, DATE_ACTE, DDG})
        takeFontOf(date, chosen.font);
}

void CareSheetWindow::applyBorder()
{
    const bool framed = borderAction->isChecked();
    for (SheetEdit *edit : m_plainFields)
        edit->setBordered(framed);
    for (DateEdit *date : {DATE, DATE_ACTE, DDN, DDG})
        date->setFramed(framed);
}
