// The total of the tariffs and the claim boxes of the care-sheet window.
#include "CareSheetWindow.h"

#include "acts/ClaimBoxRules.h"
#include "acts/Currency.h"
#include "widgets/SheetEdit.h"
#include "widgets/DateEdit.h"

#include <QApplication>
#include <QScopedValueRollback>
#include <algorithm>
#include <array>

namespace {
const QString kTicked = QStringLiteral("X");
}

void CareSheetWindow::computeTotal()
{
    // A tariff that is not an amount stops here: the total keeps its text.
    MONTANT_TOTAL->setText(totalOfTariffs({TARIF_1->text(), TARIF_2->text(), TARIF_3->text(), TARIF_4->text()}));
}

void CareSheetWindow::toggleClaimBox(SheetEdit *box)
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

void CareSheetWindow::tickFocusedField()
{
    if (auto *edit = qobject_cast<QLineEdit *>(QApplication::focusWidget()); edit && edit->window() == this)
        edit->setText(kTicked);
}

void CareSheetWindow::untickFocusedField()
{
    if (auto *edit = qobject_cast<QLineEdit *>(QApplication::focusWidget()); edit && edit->window() == this)
        edit->setText(QString());
}

void CareSheetWindow::applyMaternityRule()
{
    DDG->setVisible(pregnancyDateShownFor(COCHE_MATERNITE->text()));
}

void CareSheetWindow::applyClaimBoxRule(SheetEdit *box)
{
    // The texts the rules set would run the rules again through their own
    // change signals: the chain is worked out once, from the box that changed.
    if (m_applyingClaimRules)
        return;
    const std::array<SheetEdit *, kClaimBoxCount> boxes = {
        COCHE_MALADIE, COCHE_MATERNITE, COCHE_ACCES, COCHE_NP_OBLIGAT,
        COCHE_NP_COMP, COCHE_ALD_0, COCHE_ALD_1, COCHE_ALD_TYPE};
    const auto changed = std::find(boxes.begin(), boxes.end(), box);
    if (changed == boxes.end())
        return;
    ClaimBoxTexts texts;
    std::transform(boxes.begin(), boxes.end(), texts.begin(), [](SheetEdit *b) { return b->text(); });
    const ClaimBoxOutcome outcome = claimBoxChanged(texts, ClaimBox(changed - boxes.begin()));
    {
        const QScopedValueRollback<bool> applying(m_applyingClaimRules, true);
        // Only the texts the chain changed are set: a box being typed into
        // keeps its caret.
        for (size_t i = 0; i < boxes.size(); ++i)
            if (boxes[i]->text() != outcome.texts[i])
                boxes[i]->setText(outcome.texts[i]);
    }
    if (outcome.pregnancyDateShown)
        DDG->setVisible(*outcome.pregnancyDateShown);
    if (outcome.physicianShown)
        MEDECIN->setVisible(*outcome.physicianShown);
}
