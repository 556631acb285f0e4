#include "SheetRules.h"

#include "acts/ClaimBoxRules.h"
#include "acts/Currency.h"
#include "config/FieldCatalogue.h"
#include "patient/DateRules.h"
#include "support/ActionGuard.h"
#include "support/Platform.h"
#include "widgets/DateEdit.h"
#include "widgets/MenuItems.h"
#include "widgets/SheetEdit.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QScopedValueRollback>
#include <algorithm>
#include <array>

namespace {

const QString kTicked = QStringLiteral("X");


} // namespace

SheetRules::SheetRules(QWidget *window, const std::function<QWidget *(const QString &)> &fieldNamed)
    : QObject(window), m_window(window), m_fieldNamed(fieldNamed)
{
    m_claimBoxMenu = new QMenu(window);
    m_claimBoxMenu->setObjectName(QStringLiteral("claimBoxMenu"));
    QAction *tick = newMenuItem(m_claimBoxMenu, window, "tickAction", QStringLiteral("Cocher"));
    QAction *untick = newMenuItem(m_claimBoxMenu, window, "untickAction", QStringLiteral("Décocher"));
    window->addAction(tick);
    window->addAction(untick);
    connect(tick, &QAction::triggered, this, guarded([this] { setFocusedBox(kTicked); }));
    connect(untick, &QAction::triggered, this, guarded([this] { setFocusedBox(QString()); }));

    // The space bar and a double click toggle the box that got them
    // (COCHE_ALD_TYPE shares the handlers of COCHE_ALD_0 but toggles itself);
    // the right button opens the menu.
    for (const QString &name : claimBoxNames()) {
        SheetEdit *box = static_cast<SheetEdit *>(m_fieldNamed(name));
        box->keyPressHandler = [this](SheetEdit *pressed, QKeyEvent *key) {
            if (key->text() != QLatin1String(" "))
                return false;
            runGuarded([this, pressed] { toggleClaimBox(pressed); });
            return true;
        };
        connect(box, &SheetEdit::doubleClicked, this,
                [this](SheetEdit *clicked) { runGuarded([this, clicked] { toggleClaimBox(clicked); }); });
        box->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(box, &QWidget::customContextMenuRequested, m_claimBoxMenu,
                [this, box](const QPoint &at) { m_claimBoxMenu->popup(box->mapToGlobal(at)); });
    }
    // The change rules of the boxes.
    for (const char *name : {"COCHE_MALADIE", "COCHE_MATERNITE", "COCHE_ACCES", "COCHE_ALD_0", "COCHE_ALD_1"}) {
        SheetEdit *box = edit(name);
        connect(box, &QLineEdit::textChanged, this, [this, box] { runGuarded([this, box] { applyClaimBoxRule(box); }); });
    }

    // Leaving a tariff recomputes the total.
    for (const char *name : {"TARIF_1", "TARIF_2", "TARIF_3", "TARIF_4"})
        connect(edit(name), &SheetEdit::exited, this, guarded([this] { computeTotal(); }));

    // The arrows step the dates by months; Alt+Down steps too, then opens
    // the calendar on the new date.
    for (const char *name : {"DATE", "DATE_ACTE", "DDN", "DDG"})
        date(name)->setKeyDownHandler([](DateEdit *field, QKeyEvent *key) {
            if (field->isCalendarOpen())
                return;
            const int step = monthStepOfKey(key->key(), key->modifiers());
            if (step != 0)
                field->setDate(stepMonths(field->date(), step));
        });
    // A double click on either date of the sheet puts today into the date of acts.
    for (const char *name : {"DATE_ACTE", "DATE"})
        connect(date(name), &DateEdit::doubleClicked, this,
                guarded([this] { date("DATE_ACTE")->setDate(platform().now()); }));
    // An empty social-security number starts from the birth date: a day
    // picked in its calendar, or a double click on the number.
    SheetEdit *number = edit("MATRICULE");
    connect(date("DDN"), &DateEdit::dateAccepted, this, [number](const QDate &picked) {
        runGuarded([number, picked] {
            if (number->text().isEmpty())
                number->setText(socialSecurityPrefix(picked));
        });
    });
    connect(number, &SheetEdit::doubleClicked, this, guarded([this, number] {
        if (number->text().isEmpty())
            number->setText(socialSecurityPrefix(date("DDN")->date()));
    }));
}

SheetEdit *SheetRules::edit(const char *name) const
{
    return static_cast<SheetEdit *>(m_fieldNamed(QString::fromLatin1(name)));
}

DateEdit *SheetRules::date(const char *name) const
{
    return static_cast<DateEdit *>(m_fieldNamed(QString::fromLatin1(name)));
}

void SheetRules::computeTotal()
{
    edit("MONTANT_TOTAL")
        ->setText(totalOfTariffs({edit("TARIF_1")->text(), edit("TARIF_2")->text(), edit("TARIF_3")->text(),
                                  edit("TARIF_4")->text()}));
}

void SheetRules::applyMaternityRule()
{
    date("DDG")->setVisible(pregnancyDateShownFor(edit("COCHE_MATERNITE")->text()));
}

void SheetRules::toggleClaimBox(SheetEdit *box)
{
    // The flag starts at 0 whatever the box shows: the first toggle of a box
    // already showing "X" only sets the flag.
    if (box->toggleFlag != 0) {
        box->toggleFlag = 0;
        box->setText(QString());
    } else {
        box->toggleFlag = 1;
        box->setText(kTicked);
    }
}

void SheetRules::setFocusedBox(const QString &text)
{
    // "Cocher" and "Décocher" act on the field that has the focus in the window.
    if (auto *focused = qobject_cast<QLineEdit *>(QApplication::focusWidget()); focused && focused->window() == m_window)
        focused->setText(text);
}

void SheetRules::applyClaimBoxRule(SheetEdit *box)
{
    // The texts the rules set would run the rules again through their own
    // change signals: the chain is worked out once, from the box that changed.
    if (m_applying)
        return;
    // The boxes in the order of their rules.
    std::array<SheetEdit *, kClaimBoxCount> boxes{};
    std::transform(claimBoxNames().begin(), claimBoxNames().end(), boxes.begin(),
                   [this](const QString &name) { return static_cast<SheetEdit *>(m_fieldNamed(name)); });
    const auto changed = std::find(boxes.begin(), boxes.end(), box);
    if (changed == boxes.end())
        return;
    ClaimBoxTexts texts;
    std::transform(boxes.begin(), boxes.end(), texts.begin(), [](SheetEdit *b) { return b->text(); });
    const ClaimBoxOutcome outcome = claimBoxChanged(texts, ClaimBox(changed - boxes.begin()));
    {
        const QScopedValueRollback<bool> applying(m_applying, true);
        // Only the texts the chain changed are set: a box being typed into
        // keeps its caret.
        for (size_t i = 0; i < boxes.size(); ++i)
            if (boxes[i]->text() != outcome.texts[i])
                boxes[i]->setText(outcome.texts[i]);
    }
    if (outcome.pregnancyDateShown)
        date("DDG")->setVisible(*outcome.pregnancyDateShown);
    if (outcome.physicianShown)
        edit("MEDECIN")->setVisible(*outcome.physicianShown);
}
