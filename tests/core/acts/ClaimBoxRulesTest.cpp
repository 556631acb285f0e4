// The claim-box rules as values: the chain a change starts, the texts it
// ends with, and the fields it shows or hides.
#include "acts/ClaimBoxRules.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace {

// Texts in sheet order: MALADIE, MATERNITE, ACCES, NP_OBLIGAT, NP_COMP,
// ALD_0, ALD_1, ALD_TYPE.
using Texts = std::array<const char *, kClaimBoxCount>;

ClaimBoxTexts toTexts(const Texts &texts)
{
    ClaimBoxTexts out;
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = QString::fromUtf8(texts[i]);
    return out;
}

std::string shown(const ClaimBoxTexts &texts)
{
    std::string out;
    for (const QString &text : texts)
        out += "[" + text.toStdString() + "]";
    return out;
}

enum Visibility { Untouched, Shown, Hidden };

std::optional<bool> expected(Visibility v)
{
    return v == Untouched ? std::nullopt : std::optional<bool>(v == Shown);
}

TEST(ClaimBoxRules, AChangeRunsTheChainToItsEndAndShowsOrHidesTheFieldsItRules)
{
    struct Case
    {
        const char *name;
        Texts before;   // the changed box already holds its new text
        ClaimBox changed;
        Texts after;
        Visibility pregnancyDate;
        Visibility physician;
    };
    const Case cases[] = {
        // The X selected and Y typed over it: MATERNITE ticked, which clears
        // MALADIE, whose rule finds MATERNITE ticked already.
        {"Y typed over the sickness tick", {"Y", "", "X", "", "", "X", "", ""}, ClaimBox::Maladie,
         {"", "X", "X", "", "", "X", "", ""}, Shown, Untouched},
        {"sickness box cleared", {"", "", "X", "", "", "X", "", ""}, ClaimBox::Maladie,
         {"", "X", "X", "", "", "X", "", ""}, Shown, Untouched},
        {"sickness box ticked", {"X", "X", "", "", "", "X", "", ""}, ClaimBox::Maladie,
         {"X", "", "", "", "", "X", "", ""}, Hidden, Untouched},
        {"maternity box ticked", {"X", "X", "X", "", "", "X", "", ""}, ClaimBox::Maternite,
         {"", "X", "X", "", "", "X", "", ""}, Shown, Untouched},
        // A second X after the X is no tick: MALADIE takes it back.
        {"XX in the maternity box", {"", "XX", "X", "", "", "X", "", ""}, ClaimBox::Maternite,
         {"X", "", "X", "", "", "X", "", ""}, Hidden, Untouched},
        {"maternity box cleared", {"", "", "X", "", "", "X", "", ""}, ClaimBox::Maternite,
         {"X", "", "X", "", "", "X", "", ""}, Hidden, Untouched},
        {"first ALD box cleared", {"X", "", "X", "", "", "", "", ""}, ClaimBox::Ald0,
         {"X", "", "X", "", "", "", "X", ""}, Untouched, Untouched},
        {"second ALD box ticked", {"X", "", "X", "", "", "X", "X", ""}, ClaimBox::Ald1,
         {"X", "", "X", "", "", "", "X", ""}, Untouched, Untouched},
        {"second ALD box already ticked", {"X", "", "X", "", "", "", "X", ""}, ClaimBox::Ald1,
         {"X", "", "X", "", "", "", "X", ""}, Untouched, Untouched},
        {"second ALD box cleared", {"X", "", "X", "", "", "", "", ""}, ClaimBox::Ald1,
         {"X", "", "X", "", "", "X", "", ""}, Untouched, Untouched},
        {"Y typed over the first ALD tick", {"X", "", "X", "", "", "Y", "", ""}, ClaimBox::Ald0,
         {"X", "", "X", "", "", "", "X", ""}, Untouched, Untouched},
        // Direct access: empty shows the physician, any text hides it.
        {"direct access cleared", {"X", "", "", "", "", "X", "", ""}, ClaimBox::Acces,
         {"X", "", "", "", "", "X", "", ""}, Untouched, Shown},
        {"direct access Y", {"X", "", "Y", "", "", "X", "", ""}, ClaimBox::Acces,
         {"X", "", "Y", "", "", "X", "", ""}, Untouched, Hidden},
        {"direct access X", {"X", "", "X", "", "", "X", "", ""}, ClaimBox::Acces,
         {"X", "", "X", "", "", "X", "", ""}, Untouched, Hidden},
        {"direct access XX", {"X", "", "XX", "", "", "X", "", ""}, ClaimBox::Acces,
         {"X", "", "XX", "", "", "X", "", ""}, Untouched, Hidden},
        {"direct access blank", {"X", "", " ", "", "", "X", "", ""}, ClaimBox::Acces,
         {"X", "", " ", "", "", "X", "", ""}, Untouched, Hidden},
        // The boxes without a rule, and a rule leaving the other pair as it
        // stands (both boxes ticked behind the rules' back).
        {"no rule: NP_OBLIGAT", {"X", "X", "", "X", "", "X", "X", ""}, ClaimBox::NpObligat,
         {"X", "X", "", "X", "", "X", "X", ""}, Untouched, Untouched},
        {"no rule: NP_COMP", {"", "", "X", "", "Y", "", "", ""}, ClaimBox::NpComp,
         {"", "", "X", "", "Y", "", "", ""}, Untouched, Untouched},
        {"no rule: ALD_TYPE", {"X", "", "X", "", "", "X", "", "X"}, ClaimBox::AldType,
         {"X", "", "X", "", "", "X", "", "X"}, Untouched, Untouched},
        {"ALD rule leaves the sickness pair", {"X", "X", "X", "", "", "", "", ""}, ClaimBox::Ald0,
         {"X", "X", "X", "", "", "", "X", ""}, Untouched, Untouched},
    };
    for (const Case &c : cases) {
        const ClaimBoxOutcome outcome = claimBoxChanged(toTexts(c.before), c.changed);
        EXPECT_EQ(shown(outcome.texts), shown(toTexts(c.after))) << c.name;
        EXPECT_EQ(outcome.pregnancyDateShown, expected(c.pregnancyDate)) << c.name;
        EXPECT_EQ(outcome.physicianShown, expected(c.physician)) << c.name;
    }
}

TEST(ClaimBoxRules, OnlyAnExactCapitalXShowsThePregnancyDate)
{
    EXPECT_TRUE(pregnancyDateShownFor(QStringLiteral("X")));
    for (const char *text : {"", "x", "XX", " X", "Y"})
        EXPECT_FALSE(pregnancyDateShownFor(QString::fromUtf8(text))) << text;
}

} // namespace
