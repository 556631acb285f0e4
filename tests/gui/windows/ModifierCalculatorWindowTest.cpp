// The calculator's wiring: the radio buttons compute, Escape empties the
// base without recomputing, a base out of range is an error box.
#include "ScriptedDialogs.h"
#include "TiravonSession.h"

#include "app/CareSheetWindow.h"
#include "app/ProgramWindows.h"
#include "windows/ModifierCalculatorWindow.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

namespace {

QStringList results(const ModifierCalculatorWindow *calc)
{
    return {calc->rateField->text(), calc->value2013Field->text(), calc->value2014Field->text(),
            calc->value2014JournalField->text(), calc->deltaField->text()};
}

// The calculator alone, as the program makes it, in a session's folder
// without the rest of the program.
class CalculatorAlone : public ::testing::Test
{
protected:
    void SetUp() override
    {
        testDialogs().clear();
        calc->show();
    }

    TiravonSession session;
    std::unique_ptr<ModifierCalculatorWindow> window = std::make_unique<ModifierCalculatorWindow>();
    ModifierCalculatorWindow *calc = window.get();
};

TEST(ModifierCalculatorWindowTest, ModifiersComputeAndEscapeOnlyEmptiesTheBase)
{
    TiravonSession session;
    session.start();
    testDialogs().clear();
    actionOf(session.form(), "modifierCalculatorAction")->trigger();
    ModifierCalculatorWindow *calc = currentWindows().calculator();
    ASSERT_TRUE(calc->isVisible());
    // Both titles show whole, and the buttons keep the window's font.
    for (QGroupBox *box : {calc->firstModifierGroup, calc->secondModifierGroup}) {
        EXPECT_LE(QFontMetrics(box->font()).horizontalAdvance(box->title()), box->width()) << box->title().toStdString();
        EXPECT_EQ(box->findChild<QRadioButton *>()->font().pointSizeF(), calc->font().pointSizeF());
    }

    calc->baseField->setText(QStringLiteral("28"));
    calc->modifierButtons[2]->click();     // "9"
    calc->modifierButtons[9]->click();     // "I", second group
    const QStringList worked{QStringLiteral("6,5%"), QStringLiteral("29,82"), QStringLiteral("31,76"),
                             QStringLiteral("31,64"), QStringLiteral("0,12")};
    EXPECT_EQ(results(calc), worked);

    // A new base alone does not recompute, nor does the checked button.
    calc->baseField->setText(QStringLiteral("41,8"));
    calc->modifierButtons[9]->click();
    EXPECT_EQ(results(calc), worked);
    QTest::keyClick(calc->modifierButtons[9], Qt::Key_Escape);
    EXPECT_EQ(calc->baseField->text(), QStringLiteral("0"));
    EXPECT_EQ(results(calc), worked);
    calc->modifierButtons[12]->click();    // "effacer", second group
    EXPECT_EQ(results(calc).value(0), QStringLiteral("1,9%"));
    EXPECT_EQ(results(calc).value(1), QStringLiteral("0"));

    // Out of the fixed-point range: the error box, the rate already written.
    calc->baseField->setText(QStringLiteral("9e14"));
    calc->modifierButtons[4]->click();     // "X"
    EXPECT_EQ(testDialogs().texts(QStringLiteral("error")),
              QStringList{QStringLiteral("Opération en virgule flottante incorrecte")});
    EXPECT_EQ(results(calc).value(0), QStringLiteral("8%"));
    EXPECT_EQ(results(calc).value(1), QStringLiteral("0"));
}

TEST_F(CalculatorAlone, TheDropDownCalculatorPutsItsResultInTheBaseField)
{
    calc->baseField->setText(QStringLiteral("41,8"));
    calc->findChild<QAction *>(QStringLiteral("DeroulerCalculatrice"))->trigger();
    QWidget *popup = calc->findChild<QWidget *>(QStringLiteral("Calculatrice"));
    ASSERT_NE(popup, nullptr);
    auto press = [popup](const QString &caption) {
        for (QToolButton *button : popup->findChildren<QToolButton *>())
            if (button->text() == caption)
                return button->click();
        ADD_FAILURE() << caption.toStdString();
    };
    for (const char *key : {"*", "2", "=", "OK"})
        press(QString::fromLatin1(key));
    EXPECT_EQ(calc->baseField->text(), QStringLiteral("83,6"));
}

// The base takes the decimal separator from the full stop and the keypad's
// decimal key, rather than dropping it (12.5 read as 125); after Escape its
// "0" is replaced by what is typed.
TEST_F(CalculatorAlone, TheBaseTakesTheDecimalKeysAndEscapeLeavesItsZeroToBeReplaced)
{
    QLineEdit *base = calc->baseField;
    QApplication::setActiveWindow(calc);
    base->setFocus();

    base->clear();
    QTest::keyClicks(base, QStringLiteral("12.5"));
    EXPECT_EQ(base->text(), QStringLiteral("12,5"));
    EXPECT_DOUBLE_EQ(calc->baseValue(), 12.5);

    base->clear();
    QTest::keyClicks(base, QStringLiteral("41"));
    QTest::keyClick(base, Qt::Key_Period, Qt::KeypadModifier);
    QTest::keyClicks(base, QStringLiteral("8"));
    EXPECT_EQ(base->text(), QStringLiteral("41,8"));

    QTest::keyClick(base, Qt::Key_Escape);
    QTest::keyClicks(base, QStringLiteral("50"));
    EXPECT_EQ(base->text(), QStringLiteral("50"));
}

// The drop-down calculator takes the keyboard: digits, the operations of the
// main keys and the keypad, the decimal key, Backspace, Enter to put the
// result in the base, Escape to leave the base as it was.
TEST_F(CalculatorAlone, TheDropDownCalculatorTakesTheKeyboard)
{
    QLineEdit *base = calc->baseField;
    QAction *drop = calc->findChild<QAction *>(QStringLiteral("DeroulerCalculatrice"));

    base->setText(QStringLiteral("0"));
    drop->trigger();
    QWidget *popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr);
    QTest::keyClicks(popup, QStringLiteral("12.5"));
    QTest::keyClick(popup, Qt::Key_Asterisk, Qt::KeypadModifier);
    QTest::keyClicks(popup, QStringLiteral("3"));
    QTest::keyClick(popup, Qt::Key_Backspace);
    QTest::keyClicks(popup, QStringLiteral("4"));
    QTest::keyClick(popup, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(base->text(), QStringLiteral("50"));

    drop->trigger();
    popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr);
    QTest::keyClicks(popup, QStringLiteral("9/3"));
    QTest::keyClick(popup, Qt::Key_Escape);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(base->text(), QStringLiteral("50"));
    EXPECT_EQ(base->selectedText(), QStringLiteral("50"));
}

} // namespace
