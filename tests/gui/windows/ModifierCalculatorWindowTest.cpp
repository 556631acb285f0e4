// The calculator's wiring: the radio buttons compute, Escape empties the
// base without recomputing, a base out of range is an error box.
#include "ScriptedDialogs.h"
#include "TiravonSession.h"

#include "app/Unit1.h"
#include "app/variables_globales.h"
#include "windows/frm_CALC.h"

#include <QAction>
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

} // namespace
