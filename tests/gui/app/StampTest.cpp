// The stamp's pop-up menu, its double click and the ticks that show it.
#include "ScriptedDialogs.h"
#include "SheetTest.h"
#include "TiravonSession.h"

#include "app/CareSheetWindow.h"
#include "print/StampGeometry.h"
#include "widgets/StampLabel.h"

#include <QAction>
#include <QFontMetrics>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class StampTest : public SheetTest
{
protected:
    void SetUp() override
    {
        SheetTest::SetUp();
        stamp = stampOf(form);
    }

    void choose(const char *item)
    {
        auto *action = form->findChild<QAction *>(QString::fromLatin1(item));
        ASSERT_NE(action, nullptr) << item;
        action->trigger();
    }

    // The box the size rule gives for the stamp's text, font and angle.
    QSize ruleBox() const
    {
        const QFontMetrics metrics(stamp->font());
        return turnedTextBox(QSize(metrics.horizontalAdvance(stamp->text()), metrics.height()), stamp->angle());
    }

    StampLabel *stamp = nullptr;
};

TEST_F(StampTest, AFixedTextIsTheItemsCaptionWithoutItsAccelerator)
{
    struct Case { const char *item; const char *text; };
    const Case cases[] = {
        {"stampDuplicataAction", "DUPLICATA"},
        {"stampAldAction", "A.L.D"},
        {"stampCardPendingAction", "Carte vitale en cours de fabrication"},
    };
    for (const Case &c : cases) {
        choose(c.item);
        EXPECT_EQ(stamp->text(), QString::fromUtf8(c.text));
        EXPECT_EQ(stamp->size(), ruleBox()) << c.item;
    }
}

TEST_F(StampTest, FreeTextTakesTheAnswerAndACancelledBoxThePreset)
{
    testDialogs().inputAnswers << QStringLiteral("Urgent");
    choose("stampFreeTextAction");
    EXPECT_EQ(stamp->text(), QStringLiteral("Urgent"));
    EXPECT_EQ(testDialogs().texts(QStringLiteral("inputBox")),
              QStringList{QStringLiteral("Entrez le texte du Tampon|Texte")});
    choose("stampFreeTextAction");   // no answer scripted: cancelled
    EXPECT_EQ(stamp->text(), QStringLiteral("DUPLICATA"));
}

TEST_F(StampTest, TheFontDialogGivesFontAndColourAndACancelKeepsThem)
{
    const QPoint corner = stamp->pos();
    testDialogs().fontAnswer = [](const FontChoice &initial) {
        FontChoice chosen = initial;
        chosen.font = QFont(QStringLiteral("Liberation Serif"), 40);
        chosen.font.setItalic(true);
        chosen.color = QColor(200, 0, 0);
        return chosen;
    };
    choose("stampFontAction");
    EXPECT_EQ(stamp->font().pointSize(), 40);
    EXPECT_TRUE(stamp->font().italic());
    EXPECT_EQ(stamp->color(), QColor(200, 0, 0));
    EXPECT_EQ(stamp->size(), ruleBox());
    EXPECT_EQ(stamp->pos(), corner);

    testDialogs().fontAnswer = nullptr;   // cancelled: the dialog gives back what it was opened with
    choose("stampFontAction");
    EXPECT_EQ(stamp->font().pointSize(), 40);
    EXPECT_EQ(stamp->color(), QColor(200, 0, 0));
}

TEST_F(StampTest, AnAngleRefitsTheBoxAtItsCornerAndAnExplicitWidthHoldsUntilThen)
{
    choose("stampAngle0");
    const QPoint corner = stamp->pos();
    const QSize flat = ruleBox();   // w + 2 by h
    choose("stampAngle90");
    EXPECT_EQ(stamp->angle(), 90);
    EXPECT_EQ(stamp->size(), QSize(flat.height() + 2, flat.width() - 2));
    EXPECT_EQ(stamp->pos(), corner);

    stamp->resize(400, stamp->height());
    choose("stampAngle90");                      // the angle it has already: no change
    EXPECT_EQ(stamp->width(), 400);
    choose("stampAngle45");
    EXPECT_EQ(stamp->size(), ruleBox());
}

TEST_F(StampTest, HidingByMenuUnticksBothTicksAndByDoubleClickOnlyThePopUpOne)
{
    actionOf(form, "showStampAction")->setChecked(true);
    ASSERT_TRUE(actionOf(form, "popupShowStampAction")->isChecked());
    stamp->show();
    QTest::mouseDClick(stamp, Qt::LeftButton, Qt::NoModifier, stamp->rect().center());
    EXPECT_TRUE(stamp->isHidden());
    EXPECT_TRUE(actionOf(form, "showStampAction")->isChecked());
    EXPECT_FALSE(actionOf(form, "popupShowStampAction")->isChecked());

    actionOf(form, "popupShowStampAction")->trigger();
    EXPECT_TRUE(stamp->isVisible());
    choose("hideStampAction");
    EXPECT_TRUE(stamp->isHidden());
    EXPECT_FALSE(actionOf(form, "showStampAction")->isChecked());
    EXPECT_FALSE(actionOf(form, "popupShowStampAction")->isChecked());

    actionOf(form, "showStampAction")->trigger();
    EXPECT_TRUE(stamp->isVisible());
}

} // namespace
