#include "ClaimBoxRules.h"

namespace {

const QString kTicked = QStringLiteral("X");

void runRule(ClaimBoxOutcome &state, ClaimBox box);

// Setting a text to the value it holds is no change and runs no rule.
void setText(ClaimBoxOutcome &state, ClaimBox box, const QString &text)
{
    if (textOf(state.texts, box) == text)
        return;
    textOf(state.texts, box) = text;
    runRule(state, box);
}

// The partner of a ticked box is cleared; of any other, ticked.
void setPartner(ClaimBoxOutcome &state, ClaimBox box, ClaimBox partner)
{
    setText(state, partner, textOf(state.texts, box) == kTicked ? QString() : kTicked);
}

void runRule(ClaimBoxOutcome &state, ClaimBox box)
{
    switch (box) {
    case ClaimBox::Maladie:
        setPartner(state, box, ClaimBox::Maternite);
        state.pregnancyDateShown = pregnancyDateShownFor(textOf(state.texts, ClaimBox::Maternite));
        break;
    case ClaimBox::Maternite:
        setPartner(state, box, ClaimBox::Maladie);
        state.pregnancyDateShown = pregnancyDateShownFor(textOf(state.texts, ClaimBox::Maternite));
        break;
    case ClaimBox::Ald0:
        setPartner(state, box, ClaimBox::Ald1);
        break;
    case ClaimBox::Ald1:
        setPartner(state, box, ClaimBox::Ald0);
        break;
    case ClaimBox::Acces:
        state.physicianShown = textOf(state.texts, box).isEmpty();
        break;
    case ClaimBox::NpObligat:
    case ClaimBox::NpComp:
    case ClaimBox::AldType:
        break;
    }
}

} // namespace

ClaimBoxOutcome claimBoxChanged(const ClaimBoxTexts &texts, ClaimBox changed)
{
    ClaimBoxOutcome state{texts, std::nullopt, std::nullopt};
    runRule(state, changed);
    return state;
}

bool pregnancyDateShownFor(const QString &maternityText)
{
    return maternityText == kTicked;
}
