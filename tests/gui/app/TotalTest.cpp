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
        tariffs = {textField(form, "TARIF_1"), textField(form, "TARIF_2"), textField(form, "TARIF_3"), textField(form, "TARIF_4")};
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
        textField(form, "NOM")->setFocus(Qt::TabFocusReason);
    }

    QList<SheetEdit *> tariffs;
};

// The sums themselves are in the amounts' table; here leaving a tariff
// writes the total.
TEST_F(TotalTest, LeavingATariffWritesTheSumOfTheFour)
{
    struct Case { QStringList tariffs; const char *total; };
    const Case cases[] = {
        {{QStringLiteral("23"), QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("")}, "28,00"},
        {{QStringLiteral("12,5"), QStringLiteral("0,35"), QStringLiteral(""), QStringLiteral("")}, "12,85"},
        {{QStringLiteral(" 7 "), QStringLiteral("0,1"), QStringLiteral("0,2"), QStringLiteral("")}, "7,30"},
    };
    for (const Case &c : cases) {
        textField(form, "MONTANT_TOTAL")->setText(QStringLiteral("avant"));
        typeTariffs(c.tariffs);
        EXPECT_EQ(textField(form, "MONTANT_TOTAL")->text(), QString::fromUtf8(c.total)) << c.tariffs.join(QLatin1Char('|')).toStdString();
    }
    EXPECT_TRUE(testDialogs().shown.isEmpty());

    // The action does the same from wherever the focus is.
    textField(form, "TARIF_4")->setText(QStringLiteral("10"));
    actionOf(form, "computeTotalAction")->trigger();
    EXPECT_EQ(textField(form, "MONTANT_TOTAL")->text(), QStringLiteral("17,30"));
    EXPECT_EQ(actionOf(form, "computeTotalAction")->text(), QStringLiteral("Calcule &Total"));
    EXPECT_TRUE(actionOf(form, "computeTotalAction")->shortcut().isEmpty());
}

TEST_F(TotalTest, ABadTariffIsToldInTheErrorBoxAndTheTotalKeepsItsText)
{
    struct Case { QStringList tariffs; const char *offending; };
    const Case cases[] = {
        {{QStringLiteral("23"), QStringLiteral("12.50"), QStringLiteral("abc"), QStringLiteral("")}, "12.50"},   // the tariffs after the bad one are not read
        {{QStringLiteral(""), QStringLiteral(""), QStringLiteral(""), QStringLiteral("EUR")}, "EUR"},
    };
    for (const Case &c : cases) {
        const QString offending = QString::fromUtf8(c.offending);
        typeTariffs(QStringList(4, QString()));
        textField(form, "MONTANT_TOTAL")->setText(QStringLiteral("28,00"));
        testDialogs().clear();
        // Only the last tariff is left with a full set of texts in place.
        for (int i = 0; i < 4; ++i)
            tariffs[i]->setText(c.tariffs.value(i));
        tariffs[0]->setFocus(Qt::TabFocusReason);
        textField(form, "NOM")->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(textField(form, "MONTANT_TOTAL")->text(), QStringLiteral("28,00")) << c.offending;
        ASSERT_EQ(testDialogs().shown.size(), 1) << c.offending;
        EXPECT_EQ(testDialogs().shown.first().kind, QStringLiteral("error"));
        EXPECT_EQ(testDialogs().shown.first().text, rejection(offending));
    }
}

TEST_F(TotalTest, AHandTypedTotalStaysUntilTheFocusLeavesATariff)
{
    typeTariffs({QStringLiteral("23"), QStringLiteral("3"), QStringLiteral("2"), QString()});
    ASSERT_EQ(textField(form, "MONTANT_TOTAL")->text(), QStringLiteral("28,00"));

    textField(form, "MONTANT_TOTAL")->setFocus(Qt::TabFocusReason);
    textField(form, "MONTANT_TOTAL")->selectAll();
    QTest::keyClicks(textField(form, "MONTANT_TOTAL"), QStringLiteral("30,00"));
    textField(form, "NOM")->setFocus(Qt::TabFocusReason);
    textField(form, "ACTE_1")->setFocus(Qt::TabFocusReason);
    textField(form, "TARIF_3")->setFocus(Qt::TabFocusReason);   // entering a tariff is not leaving it
    EXPECT_EQ(textField(form, "MONTANT_TOTAL")->text(), QStringLiteral("30,00"));

    textField(form, "NOM")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(textField(form, "MONTANT_TOTAL")->text(), QStringLiteral("28,00"));
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
        {"Ctrl+W", [this] { QTest::keyClick(textField(form, "TARIF_4"), Qt::Key_W, Qt::ControlModifier); }, inConfig, true},
        {"Ctrl+S",
         [this, model] {
             testDialogs().fileAnswers << model;
             QTest::keyClick(textField(form, "TARIF_4"), Qt::Key_S, Qt::ControlModifier);
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
        textField(form, "TARIF_4")->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(textField(form, "TARIF_4"), QStringLiteral("10"));
        ASSERT_EQ(textField(form, "MONTANT_TOTAL")->text(), QStringLiteral("28,00"));
        c.save();
        EXPECT_EQ(c.stored("TARIF_4"), QStringLiteral("10"));
        EXPECT_EQ(c.stored("TOTAL"), QStringLiteral("38,00"));
        if (c.keepsFocus) {
            EXPECT_EQ(QApplication::focusWidget(), textField(form, "TARIF_4"));
            EXPECT_EQ(textField(form, "MONTANT_TOTAL")->text(), QStringLiteral("38,00"));
        }
    }
    EXPECT_TRUE(testDialogs().texts(QStringLiteral("error")).isEmpty());
}

TEST_F(TotalTest, LoadingTheConfigurationTakesTheStoredTotalAsItIs)
{
    const QString cfg = session.configFile();
    actionOf(form, "saveConfigurationAction")->trigger();
    writeSetting(QStringLiteral("TARIFS"), QStringLiteral("TARIF_1"), QStringLiteral("23"), cfg);
    writeSetting(QStringLiteral("TARIFS"), QStringLiteral("TARIF_2"), QStringLiteral("3"), cfg);
    writeSetting(QStringLiteral("TARIFS"), QStringLiteral("TOTAL"), QStringLiteral("99,99"), cfg);
    actionOf(form, "readConfigurationAction")->trigger();
    EXPECT_EQ(textField(form, "MONTANT_TOTAL")->text(), QStringLiteral("99,99"));
    EXPECT_EQ(textField(form, "TARIF_1")->text(), QStringLiteral("23"));
    EXPECT_TRUE(testDialogs().texts(QStringLiteral("error")).isEmpty());
}

} // namespace
