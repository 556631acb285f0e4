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
class Tform_CALC : public SideWindow
{
    Q_OBJECT
public:
    Tform_CALC();
    ~Tform_CALC() override;

    QLabel *Label_TarifDeBase = nullptr, *Label_JO = nullptr;
    QLineEdit *JvCalcEdit1 = nullptr;
    QGroupBox *GroupBox1 = nullptr, *GroupBox2 = nullptr, *GroupBox_Tarifs = nullptr;
    // First group: "O", "9", "I", "X", "K", "effacer"; second group the same.
    QRadioButton *RadioButton[13] = {};
    QLineEdit *Edit_taux = nullptr, *Edit_valeur_13 = nullptr, *Edit_valeur_14 = nullptr,
              *Edit_valeur_14_JO = nullptr, *Edit_delta = nullptr;
    QPushButton *Button1 = nullptr;

    // The base tariff in euros (an empty field is 0).
    double baseValue() const;
    void setBaseValue(double value);

    void Button1Click();
    // The drop-down calculator under the base field; OK puts its value in the field.
    void dropCalculator();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool FormKeyPress(QKeyEvent *key);
    void chooseModifier(int group, Modifier modifier);

    float m_rates[2] = {0.0f, 0.0f};
};
