// The commands that change how all the fields look.
#include "Unit1.h"

#include "widgets/SheetEdit.h"
#include "widgets/DateEdit.h"
#include "support/Dialogs.h"

#include <QAction>
#include <QLabel>


void TForm1::mnu_POLICEClick()
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

void TForm1::mnu_BorderClick()
{
    const bool framed = mnu_Border->isChecked();
    for (SheetEdit *edit : m_plainFields)
        edit->setBordered(framed);
    for (DateEdit *date : {DATE, DATE_ACTE, DDN, DDG})
        date->setFramed(framed);
}

void TForm1::mnu_3DClick()
{
    for (SheetEdit *edit : m_plainFields)
        edit->set3D(mnu_3D->isChecked());
}

void TForm1::mnu_Oriente_ShowClick()
{
    oriente->setVisible(mnu_Oriente_Show->isChecked());
}

void TForm1::Hide_NAMEClick()
{
    NOM->setVisible(!Hide_NAME->isChecked());
}

void TForm1::Hide_DATESClick()
{
    for (DateEdit *date : {DATE, DATE_ACTE, DDG, DDN})
        date->setVisible(!Hide_DATES->isChecked());
}
