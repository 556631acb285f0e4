#include "support/FontNames.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

struct FontNameCase
{
    const char *name;
    const char *own;       // the program's name of the family
    const char *chosen;    // the family chosen in the dialog
    const char *kept;      // the family the fields get
};

class FontNamesTest : public ::testing::TestWithParam<FontNameCase>
{
protected:
    static void SetUpTestSuite()
    {
        QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    }
};

} // namespace

TEST_F(FontNamesTest, TheDialogOpensOnTheFamilyDrawnWithTheSizeAndStyles)
{
    if (!QFontDatabase::families().contains(QStringLiteral("Liberation Sans")))
        GTEST_SKIP() << "Liberation Sans is not installed (fonts-liberation2)";
    QFont own(QStringLiteral("MS Sans Serif"), 12);
    own.setBold(true);
    own.setUnderline(true);
    const QFont drawn = fontAsDrawn(own);
    EXPECT_EQ(drawn.family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(drawn.pointSize(), 12);
    EXPECT_TRUE(drawn.bold());
    EXPECT_TRUE(drawn.underline());
    EXPECT_EQ(drawn.styleName(), QStringLiteral("Bold"));
    own.setBold(false);
    own.setItalic(true);
    EXPECT_EQ(fontAsDrawn(own).styleName(), QStringLiteral("Italic"));
}

TEST_P(FontNamesTest, TheProgramsOwnNameIsKeptWhenTheFamilyIsLeftAsItWas)
{
    if (!QFontDatabase::families().contains(QStringLiteral("Liberation Sans")))
        GTEST_SKIP() << "Liberation Sans is not installed (fonts-liberation2)";
    const FontNameCase c = GetParam();
    QFont chosen(QString::fromLatin1(c.chosen), 14);
    chosen.setItalic(true);
    const QFont kept = fontKeepingOwnName(QFont(QString::fromLatin1(c.own), 12), chosen);
    EXPECT_EQ(kept.family(), QString::fromLatin1(c.kept));
    EXPECT_EQ(kept.pointSize(), 14);
    EXPECT_TRUE(kept.italic());
}

INSTANTIATE_TEST_SUITE_P(
    FontNames, FontNamesTest,
    ::testing::Values(FontNameCase{"SubstitutedLeftAsDrawn", "MS Sans Serif", "Liberation Sans", "MS Sans Serif"},
                      FontNameCase{"SubstitutedChangedForAnother", "MS Sans Serif", "DejaVu Sans", "DejaVu Sans"},
                      FontNameCase{"InstalledLeftAsItWas", "DejaVu Sans", "DejaVu Sans", "DejaVu Sans"},
                      FontNameCase{"InstalledChanged", "DejaVu Sans", "Liberation Sans", "Liberation Sans"}),
    [](const ::testing::TestParamInfo<FontNameCase> &testInfo) { return std::string(testInfo.param.name); });
