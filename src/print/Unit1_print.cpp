// Printing the care sheet: the window's client area is captured at screen
// resolution without the form image and the field frames, and printed at
// true scale in the top-left corner of one page.
#include "app/Unit1.h"

#include "FormImage.h"
#include "Printing.h"
#include "app/ImagePanel.h"
#include "app/SheetEdit.h"
#include "patient/DateEdit.h"
#include "support/Dialogs.h"
#include "support/tq32_ini.h"

#include <QAction>
#include <QCoreApplication>
#include <QLayout>
#include <QListWidget>
#include <QPixmap>
#include <QPrinter>
#include <QScrollArea>

namespace {
// The window's outer height during the capture: the whole page.
const int kCaptureHeight = 1110;

void settleLayout(QWidget *window)
{
    if (window->layout())
        window->layout()->activate();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}
} // namespace

void TForm1::btn_IMPRIMERExecute()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!dialogs().print(printer))
        return;

    Panel_IMAGE->setFocus();
    Panel_IMAGE->setCaption(QString());
    Image1->hide();
    const int heightBefore = height();
    resize(width(), kCaptureHeight);

    try {
        LISTE_VILLES->hide();
        Liste_CPAMS->hide();
        for (SheetEdit *edit : m_plainFields) {
            edit->setBordered(false);
            edit->set3D(false);
        }
        for (DateEdit *date : {DDN, DATE, DATE_ACTE}) {
            date->setFramed(false);
            date->setButtonVisible(false);
        }
        // The pregnancy date prints with the maternity box alone, whatever
        // is shown on screen.
        DDG->setVisible(COCHE_MATERNITE->text() == QLatin1String("X"));
        DDG->setFramed(false);
        DDG->setButtonVisible(false);

        settleLayout(this);
        QWidget *clientArea = ScrollBox->viewport();
        printCapture(printer, clientArea->grab(), clientArea->size());
    } catch (...) {
        restoreAfterPrint(false, heightBefore);
        throw;
    }
    restoreAfterPrint(true, heightBefore);
}

void TForm1::restoreAfterPrint(bool succeeded, int heightBefore)
{
    Image1->show();
    for (SheetEdit *edit : m_plainFields) {
        edit->setBordered(mnu_Border->isChecked());
        edit->set3D(mnu_3D->isChecked());
    }
    Form_RestorePosition(this);
    resize(width(), heightBefore);
    if (!succeeded)
        return;
    DDG->show();
    for (DateEdit *date : {DATE, DATE_ACTE, DDN, DDG}) {
        if (mnu_Border->isChecked())
            date->setFramed(true);
        date->setButtonVisible(true);
    }
}
