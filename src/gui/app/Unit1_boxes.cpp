// The total of the tariffs and the claim boxes of the care-sheet window.
#include "Unit1.h"

#include "acts/Currency.h"
#include "widgets/SheetEdit.h"
#include "widgets/DateEdit.h"

#include <QApplication>

namespace {
const QString kTicked = QStringLiteral("X");
}

void TForm1::Calcule_TotalExecute()
{
    // A tariff that is not an amount stops here: the total keeps its text.
    MONTANT_TOTAL->setText(totalOfTariffs({TARIF_1->text(), TARIF_2->text(), TARIF_3->text(), TARIF_4->text()}));
}

void TForm1::toggleClaimBox(SheetEdit *box)
{
    // The flag starts at 0 whatever the box shows: the first toggle of a box
    // already showing "X" only sets the flag.
    if (box->toggleFlag != 0) {
        box->toggleFlag = 0;
        box->setText(QString());
    } else {
        box->toggleFlag = 1;
        box->setText(kTicked);
    }
}

void TForm1::Cocher1Click()
{
    if (auto *edit = qobject_cast<QLineEdit *>(QApplication::focusWidget()); edit && edit->window() == this)
        edit->setText(kTicked);
}

void TForm1::Dcocher1Click()
{
    if (auto *edit = qobject_cast<QLineEdit *>(QApplication::focusWidget()); edit && edit->window() == this)
        edit->setText(QString());
}

void TForm1::applyMaternityRule()
{
    DDG->setVisible(COCHE_MATERNITE->text() == kTicked);
}

void TForm1::applyClaimBoxRule(SheetEdit *box)
{
    // The two pairs act as radio choices: after any change exactly one box
    // of a pair shows "X". Setting a text to the value it holds is no change,
    // which ends the chain each rule starts.
    auto partnerOf = [&](SheetEdit *partner) {
        partner->setText(box->text() == kTicked ? QString() : kTicked);
    };
    if (box == COCHE_MALADIE) {
        partnerOf(COCHE_MATERNITE);
        applyMaternityRule();
    } else if (box == COCHE_MATERNITE) {
        partnerOf(COCHE_MALADIE);
        applyMaternityRule();
    } else if (box == COCHE_ALD_0) {
        partnerOf(COCHE_ALD_1);
    } else if (box == COCHE_ALD_1) {
        partnerOf(COCHE_ALD_0);
    } else if (box == COCHE_ACCES) {
        MEDECIN->setVisible(box->text().isEmpty());
    }
}
