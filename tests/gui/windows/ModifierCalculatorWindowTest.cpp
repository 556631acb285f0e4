// The calculator's wiring: the radio buttons compute, Escape empties the
// base without recomputing, a base out of range is an error box.
#include "ScriptedDialogs.h"
#include "TiravonSession.h"

#include "app/Unit1.h"
#include "app/variables_globales.h"
#include "windows/frm_CALC.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

QStringList results()
{
    return {form_CALC->Edit_taux->text(), form_CALC->Edit_valeur_13->text(), form_CALC->Edit_valeur_14->text(),
            form_CALC->Edit_valeur_14_JO->text(), form_CALC->Edit_delta->text()};
}

TEST(ModifierCalculatorWindowTest, ModifiersComputeAndEscapeOnlyEmptiesTheBase)
{
    TiravonSession session;
    session.start();
    testDialogs().clear();
    session.form()->modif_1->trigger();
    ASSERT_TRUE(form_CALC->isVisible());
    // Both titles show whole, and the buttons keep the window's font.
    for (QGroupBox *box : {form_CALC->GroupBox1, form_CALC->GroupBox2}) {
        EXPECT_LE(QFontMetrics(box->font()).horizontalAdvance(box->title()), box->width()) << box->title().toStdString();
        EXPECT_EQ(box->findChild<QRadioButton *>()->font().pointSizeF(), form_CALC->font().pointSizeF());
    }

    form_CALC->JvCalcEdit1->setText(QStringLiteral("28"));
    form_CALC->RadioButton[2]->click();     // "9"
    form_CALC->RadioButton[9]->click();     // "I", second group
    const QStringList worked{QStringLiteral("6,5%"), QStringLiteral("29,82"), QStringLiteral("31,76"),
                             QStringLiteral("31,64"), QStringLiteral("0,12")};
    EXPECT_EQ(results(), worked);

    // A new base alone does not recompute, nor does the checked button.
    form_CALC->JvCalcEdit1->setText(QStringLiteral("41,8"));
    form_CALC->RadioButton[9]->click();
    EXPECT_EQ(results(), worked);
    QTest::keyClick(form_CALC->RadioButton[9], Qt::Key_Escape);
    EXPECT_EQ(form_CALC->JvCalcEdit1->text(), QStringLiteral("0"));
    EXPECT_EQ(results(), worked);
    form_CALC->RadioButton[12]->click();    // "effacer", second group
    EXPECT_EQ(results().value(0), QStringLiteral("1,9%"));
    EXPECT_EQ(results().value(1), QStringLiteral("0"));

    // Out of the fixed-point range: the error box, the rate already written.
    form_CALC->JvCalcEdit1->setText(QStringLiteral("9e14"));
    form_CALC->RadioButton[4]->click();     // "X"
    EXPECT_EQ(testDialogs().texts(QStringLiteral("error")),
              QStringList{QStringLiteral("Opération en virgule flottante incorrecte")});
    EXPECT_EQ(results().value(0), QStringLiteral("8%"));
    EXPECT_EQ(results().value(1), QStringLiteral("0"));
}

TEST(ModifierCalculatorWindowTest, TheDropDownCalculatorPutsItsResultInTheBaseField)
{
    TiravonSession session;
    session.start();
    session.form()->modif_1->trigger();
    form_CALC->JvCalcEdit1->setText(QStringLiteral("41,8"));
    form_CALC->findChild<QAction *>(QStringLiteral("DeroulerCalculatrice"))->trigger();
    QWidget *popup = form_CALC->findChild<QWidget *>(QStringLiteral("Calculatrice"));
    ASSERT_NE(popup, nullptr);
    auto press = [popup](const QString &caption) {
        for (QToolButton *button : popup->findChildren<QToolButton *>())
            if (button->text() == caption)
                return button->click();
        ADD_FAILURE() << caption.toStdString();
    };
    for (const char *key : {"*", "2", "=", "OK"})
        press(QString::fromLatin1(key));
    EXPECT_EQ(form_CALC->JvCalcEdit1->text(), QStringLiteral("83,6"));
}

// The base takes the decimal separator from the full stop and the keypad's
// decimal key, rather than dropping it (12.5 read as 125); after Escape its
// "0" is replaced by what is typed.
TEST(ModifierCalculatorWindowTest, TheBaseTakesTheDecimalKeysAndEscapeLeavesItsZeroToBeReplaced)
{
    TiravonSession session;
    session.start();
    session.form()->modif_1->trigger();
    QLineEdit *base = form_CALC->JvCalcEdit1;
    QApplication::setActiveWindow(form_CALC);
    base->setFocus();

    base->clear();
    QTest::keyClicks(base, QStringLiteral("12.5"));
    EXPECT_EQ(base->text(), QStringLiteral("12,5"));
    EXPECT_DOUBLE_EQ(form_CALC->baseValue(), 12.5);

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
TEST(ModifierCalculatorWindowTest, TheDropDownCalculatorTakesTheKeyboard)
{
    TiravonSession session;
    session.start();
    session.form()->modif_1->trigger();
    QLineEdit *base = form_CALC->JvCalcEdit1;
    QAction *drop = form_CALC->findChild<QAction *>(QStringLiteral("DeroulerCalculatrice"));

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
