#pragma once

// The rules of the care sheet bound to its fields: the total of the four
// tariffs, the eight claim boxes (space bar and double click toggle them, the
// pop-up menu ticks and unticks, a change runs the boxes' rules), the
// pregnancy date shown with the maternity box, the month steps of the date
// fields, today's date on a double click, and the social-security prefix
// from the birth date.

#include <QObject>
#include <QString>

#include <functional>

class DateEdit;
class QMenu;
class QWidget;
class SheetEdit;

class SheetRules : public QObject
{
    Q_OBJECT
public:
    // The fields are found by their names; the claim-box menu is made as a
    // child of the window.
    SheetRules(QWidget *window, const std::function<QWidget *(const QString &)> &fieldNamed);

    QMenu *claimBoxMenu() const { return m_claimBoxMenu; }

    // Writes the total of the tariffs; a tariff that is not an amount
    // leaves the total's text as it is.
    void computeTotal();
    // The pregnancy date shows with the maternity box ticked.
    void applyMaternityRule();

private:
    void toggleClaimBox(SheetEdit *box);
    void applyClaimBoxRule(SheetEdit *box);
    void setFocusedBox(const QString &text);
    SheetEdit *edit(const char *name) const;
    DateEdit *date(const char *name) const;

    QWidget *m_window;
    std::function<QWidget *(const QString &)> m_fieldNamed;
    QMenu *m_claimBoxMenu = nullptr;
    // The rules are setting the texts of their chain.
    bool m_applying = false;
};
