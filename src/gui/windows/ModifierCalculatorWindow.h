#pragma once

#include "acts/ModifierCalculator.h"
#include "widgets/SideWindow.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The modifier calculator "Modificalculateur": a base tariff, a first and a
// second modifier, and what the tariff becomes at the steps of 01/07/2013
// and 01/03/2014.
class ModifierCalculatorWindow : public SideWindow
{
    Q_OBJECT
public:
    ModifierCalculatorWindow();
    ~ModifierCalculatorWindow() override;

    QLabel *baseLabel = nullptr, *journalLabel = nullptr;
    QLineEdit *baseField = nullptr;
    QGroupBox *firstModifierGroup = nullptr, *secondModifierGroup = nullptr, *tariffsGroup = nullptr;
    // First group: "O", "9", "I", "X", "K", "effacer"; second group the same.
    QRadioButton *modifierButtons[13] = {};
    QLineEdit *rateField = nullptr, *value2013Field = nullptr, *value2014Field = nullptr,
              *value2014JournalField = nullptr, *deltaField = nullptr;
    QPushButton *computeButton = nullptr;

    // The base tariff in euros (an empty field is 0).
    double baseValue() const;
    void setBaseValue(double value);

    void compute();
    // The drop-down calculator under the base field; OK puts its value in the field.
    void dropCalculator();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool handleWindowKey(QKeyEvent *key);
    void chooseModifier(int group, Modifier modifier);

    float m_rates[2] = {0.0f, 0.0f};
};
