#pragma once

#include <QString>
#include <array>
#include <optional>

// The claim boxes of the care sheet as values. A box is ticked when its text
// is exactly "X"; any other text, empty included, is not a tick.

// The eight boxes, in the order the sheet lists them.
enum class ClaimBox { Maladie, Maternite, Acces, NpObligat, NpComp, Ald0, Ald1, AldType };
constexpr int kClaimBoxCount = 8;

using ClaimBoxTexts = std::array<QString, kClaimBoxCount>;

inline QString &textOf(ClaimBoxTexts &texts, ClaimBox box) { return texts[size_t(box)]; }
inline const QString &textOf(const ClaimBoxTexts &texts, ClaimBox box) { return texts[size_t(box)]; }

// What the change of one box leads to: the texts of the eight boxes at the end
// of the chain, and the visibility of the pregnancy date (DDG) and of the
// attending physician (MEDECIN) when the chain sets it (empty when it leaves
// the field as it is).
struct ClaimBoxOutcome
{
    ClaimBoxTexts texts;
    std::optional<bool> pregnancyDateShown;
    std::optional<bool> physicianShown;
};

// The rules that run when the text of a box has changed (the texts given hold
// the new text). The sickness and maternity boxes, and the two ALD boxes, act
// as radio choices: a box ticked clears its partner, a box left with any other
// text ticks it. Each text set starts the rule of the box it lands in, unless
// the box already held that text (no change, no rule): this is what ends the
// chain. After the partner, the maternity pair shows the pregnancy date
// exactly when the maternity box is ticked; the direct-access box shows the
// attending physician when it is empty. The other three boxes have no rule.
ClaimBoxOutcome claimBoxChanged(const ClaimBoxTexts &texts, ClaimBox changed);

// The pregnancy date is shown, and printed, exactly while the maternity box is ticked.
bool pregnancyDateShownFor(const QString &maternityText);
