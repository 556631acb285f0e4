// The order of the sorted lists, the program's own on every system.

#include "support/ListRules.h"

#include "QtPrinting.h"

#include <algorithm>
#include <gtest/gtest.h>

TEST(ListOrder, BlanksPunctuationDigitsThenLettersWhateverTheirCaseThenAccents)
{
    // Each entry sorts after the one above it.
    const QStringList ordered{
        QString(),
        QStringLiteral(" paris"),
        QStringLiteral("7501"),
        QStringLiteral("75011"),
        QStringLiteral("cpam 91"),          // a digit before a letter
        QStringLiteral("CPAM DE SÈVRES"),
        QStringLiteral("Evry"),
        QStringLiteral("evry"),
        QStringLiteral("Évry"),            // the accent counts only after the letters
        QStringLiteral("évry"),
        QStringLiteral("Èvry"),            // acute before grave
        QStringLiteral("Evry-Courcouronnes"),
        QStringLiteral("L HAY"),           // a blank before an apostrophe
        QStringLiteral("l'Haÿ"),
        QStringLiteral("LE MANS"),
        QStringLiteral("Lé Mans"),
        QStringLiteral("LES ULIS"),        // letters count before accents
        QStringLiteral("oeuf"),
        QStringLiteral("Œuf"),             // a ligature is its two letters
        QStringLiteral("OEUVRE"),
        QStringLiteral("PARIS"),
        QStringLiteral("Paris"),
        QStringLiteral("paris"),
        QStringLiteral("PARIS 11"),
        QStringLiteral("Straße"),
        QStringLiteral("STRASSEN"),
        QStringLiteral("zebre"),
        QStringLiteral("Zèbre"),
        QStringLiteral("Zèbres"),
    };
    for (qsizetype i = 1; i < ordered.size(); ++i) {
        EXPECT_TRUE(listOrderLess(ordered[i - 1], ordered[i]))
            << ordered[i - 1].toStdString() << " before " << ordered[i].toStdString();
        EXPECT_FALSE(listOrderLess(ordered[i], ordered[i - 1]))
            << ordered[i].toStdString() << " after " << ordered[i - 1].toStdString();
    }
    QStringList shuffled = ordered;
    std::reverse(shuffled.begin(), shuffled.end());
    std::rotate(shuffled.begin(), shuffled.begin() + 7, shuffled.end());
    EXPECT_EQ(sortedListEntries(shuffled), ordered);
}

TEST(ListOrder, AnAccentWrittenAsTwoCharactersSortsAsTheLetterWithItsAccent)
{
    const QString composed = QStringLiteral("Évry");
    const QString decomposed = QStringLiteral("E\u0301vry");
    EXPECT_EQ(listOrderKey(composed), listOrderKey(decomposed));
    EXPECT_TRUE(listOrderLess(QStringLiteral("Evry"), decomposed));
    EXPECT_TRUE(listOrderLess(decomposed, QStringLiteral("Evrz")));
    // No entry is before itself, whatever it holds.
    for (const QString &odd : {QStringLiteral("\u0301"), QStringLiteral("\U0001F600x"), QStringLiteral("a\u0000b")})
        EXPECT_FALSE(listOrderLess(odd, odd));
}
