// The total of the care sheet as the user meets it: worked out when the focus
// leaves a tariff, a bad tariff told in the error box with the total kept.
#include "ScriptedDialogs.h"
#include "SheetTest.h"
#include "TiravonSession.h"

#include "widgets/SheetEdit.h"
#include "app/CareSheetWindow.h"
#include "support/SettingsStore.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

QString rejection(const QString &text)
{
    return QStringLiteral("'%1' n'est pas une valeur en virgule flottante correcte").arg(text);
}

class TotalTest : public SheetTest
{
protected:
    void SetUp() override
    {
        SheetTest::SetUp();
        QApplication::setActiveWindow(form);
        tariffs = {form->TARIF_1, form->TARIF_2, form->TARIF_3, form->TARIF_4};
        testDialogs().clear();
    }

    // Types the texts into the tariffs, each replacing what was there; the
    // focus goes through the tariffs and ends in NOM.
    void typeTariffs(const QStringList &texts)
    {
        for (int i = 0; i < 4; ++i) {
            tariffs[i]->setFocus(Qt::TabFocusReason);
            tariffs[i]->selectAll();
            QTest::keyClick(tariffs[i], Qt::Key_Delete);
            QTest::keyClicks(tariffs[i], texts.value(i));
        }
        form->NOM->setFocus(Qt::TabFocusReason);
    }

    QList<SheetEdit *> tariffs;
};

// The sums themselves are in the amounts' table; here leaving a tariff
// writes the total.
TEST_F(TotalTest, LeavingATariffWritesTheSumOfTheFour)
{
    struct Case { QStringList tariffs; const char *total; };
    const Case cases[] = {
        {{"23", "3", "2", ""}, "28,00"},
        {{"12,5", "0,35", "", ""}, "12,85"},
        {{" 7 ", "0,1", "0,2", ""}, "7,30"},
    };
    for (const Case &c : cases) {
        form->MONTANT_TOTAL->setText(QStringLiteral("avant"));
        typeTariffs(c.tariffs);
        EXPECT_EQ(form->MONTANT_TOTAL->text(), QString::fromUtf8(c.total)) << c.tariffs.join(QLatin1Char('|')).toStdString();
    }
    EXPECT_TRUE(testDialogs().shown.isEmpty());

    // The action does the same from wherever the focus is.
    form->TARIF_4->setText(QStringLiteral("10"));
    form->computeTotalAction->trigger();
    EXPECT_EQ(form->MONTANT_TOTAL->text(), QStringLiteral("17,30"));
    EXPECT_EQ(form->computeTotalAction->text(), QStringLiteral("Calcule &Total"));
    EXPECT_TRUE(form->computeTotalAction->shortcut().isEmpty());
}

TEST_F(TotalTest, ABadTariffIsToldInTheErrorBoxAndTheTotalKeepsItsText)
{
    struct Case { QStringList tariffs; const char *offending; };
    const Case cases[] = {
        {{"23", "12.50", "abc", ""}, "12.50"},   // the tariffs after the bad one are not read
        {{"", "", "", "EUR"}, "EUR"},
    };
    for (const Case &c : cases) {
        const QString offending = QString::fromUtf8(c.offending);
        typeTariffs(QStringList(4, QString()));
        form->MONTANT_TOTAL->setText(QStringLiteral("28,00"));
        testDialogs().clear();
        // Only the last tariff is left with a full set of texts in place.
        for (int i = 0; i < 4; ++i)
            tariffs[i]->setText(c.tariffs.value(i));
        tariffs[0]->setFocus(Qt::TabFocusReason);
        form->NOM->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(form->MONTANT_TOTAL->text(), QStringLiteral("28,00")) << c.offending;
        ASSERT_EQ(testDialogs().shown.size(), 1) << c.offending;
        EXPECT_EQ(testDialogs().shown.first().kind, QStringLiteral("error"));
        EXPECT_EQ(testDialogs().shown.first().text, rejection(offending));
    }
}

TEST_F(TotalTest, AHandTypedTotalStaysUntilTheFocusLeavesATariff)
{
    typeTariffs({QStringLiteral("23"), QStringLiteral("3"), QStringLiteral("2"), QString()});
    ASSERT_EQ(form->MONTANT_TOTAL->text(), QStringLiteral("28,00"));

    form->MONTANT_TOTAL->setFocus(Qt::TabFocusReason);
    form->MONTANT_TOTAL->selectAll();
    QTest::keyClicks(form->MONTANT_TOTAL, QStringLiteral("30,00"));
    form->NOM->setFocus(Qt::TabFocusReason);
    form->ACTE_1->setFocus(Qt::TabFocusReason);
    form->TARIF_3->setFocus(Qt::TabFocusReason);   // entering a tariff is not leaving it
    EXPECT_EQ(form->MONTANT_TOTAL->text(), QStringLiteral("30,00"));

    form->NOM->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(form->MONTANT_TOTAL->text(), QStringLiteral("28,00"));
}

// A tariff being typed is counted before every saving, as before printing:
// the configuration (Ctrl+W, closing) and an act model (Ctrl+S) never store a
// total that the tariffs stored with it contradict. The field keeps the focus.
TEST_F(TotalTest, ATariffBeingTypedIsCountedBeforeEverySaving)
{
    const QString model = session.path(QStringLiteral("ECHO.TXT"));
    struct Case
    {
        const char *name;
        std::function<void()> save;
        std::function<QString(const char *key)> stored;
        bool keepsFocus;
    };
    const auto inConfig = [this](const char *key) {
        return readSetting(QStringLiteral("TARIFS"), QString::fromLatin1(key), QString(), session.configFile());
    };
    const Case cases[] = {
        {"Ctrl+W", [this] { QTest::keyClick(form->TARIF_4, Qt::Key_W, Qt::ControlModifier); }, inConfig, true},
        {"Ctrl+S",
         [this, model] {
             testDialogs().fileAnswers << model;
             QTest::keyClick(form->TARIF_4, Qt::Key_S, Qt::ControlModifier);
         },
         [model](const char *key) {
             return readSetting(QStringLiteral("TARIFS"), QString::fromLatin1(key), QString(), model);
         },
         true},
        // Last: the window is gone after it.
        {"closing", [this] { session.close(); }, inConfig, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        typeTariffs({QStringLiteral("23"), QStringLiteral("3"), QStringLiteral("2"), QString()});
        form->TARIF_4->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(form->TARIF_4, QStringLiteral("10"));
        ASSERT_EQ(form->MONTANT_TOTAL->text(), QStringLiteral("28,00"));
        c.save();
        EXPECT_EQ(c.stored("TARIF_4"), QStringLiteral("10"));
        EXPECT_EQ(c.stored("TOTAL"), QStringLiteral("38,00"));
        if (c.keepsFocus) {
            EXPECT_EQ(QApplication::focusWidget(), form->TARIF_4);
            EXPECT_EQ(form->MONTANT_TOTAL->text(), QStringLiteral("38,00"));
        }
    }
    EXPECT_TRUE(testDialogs().texts(QStringLiteral("error")).isEmpty());
}

TEST_F(TotalTest, LoadingTheConfigurationTakesTheStoredTotalAsItIs)
{
    const QString cfg = session.configFile();
    form->saveConfigurationAction->trigger();
    writeSetting(QStringLiteral("TARIFS"), QStringLiteral("TARIF_1"), QStringLiteral("23"), cfg);
    writeSetting(QStringLiteral("TARIFS"), QStringLiteral("TARIF_2"), QStringLiteral("3"), cfg);
    writeSetting(QStringLiteral("TARIFS"), QStringLiteral("TOTAL"), QStringLiteral("99,99"), cfg);
    form->readConfigurationAction->trigger();
    EXPECT_EQ(form->MONTANT_TOTAL->text(), QStringLiteral("99,99"));
    EXPECT_EQ(form->TARIF_1->text(), QStringLiteral("23"));
    EXPECT_TRUE(testDialogs().texts(QStringLiteral("error")).isEmpty());
}

} // namespace
