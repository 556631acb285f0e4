#include "ModifierCalculatorWindow.h"

#include "config/ProgramSettings.h"
#include "acts/CcamReference.h"
#include "acts/PocketCalculator.h"
#include "widgets/DrawnIcon.h"
#include "support/ActionGuard.h"
#include "support/TiravonError.h"
#include "support/Desktop.h"

#include <QAction>
#include <QPainter>
#include <QDoubleValidator>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QStyle>
#include <QToolButton>
#include <functional>
#include <memory>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

// The boxes keep the size the window was designed with, in a narrower font
// than most screens have: a title wider than its box is set in a font just
// small enough to show it whole (the buttons inside keep the window's font),
// rather than cut ("2ème Modificate").
// A font a step smaller, in points or in pixels as it is given; false when
// it is as small as a title may be.
bool makeSmaller(QFont &font)
{
    if (font.pointSizeF() > 0) {
        if (font.pointSizeF() <= 6)
            return false;
        font.setPointSizeF(font.pointSizeF() - 0.5);
    } else {
        if (font.pixelSize() <= 8)
            return false;
        font.setPixelSize(font.pixelSize() - 1);
    }
    return true;
}

void fitTitle(QGroupBox *box)
{
    const QFont shown = box->font();
    QFont font = shown;
    const int room = box->width() - 4;
    while (QFontMetrics(font).horizontalAdvance(box->title()) > room && makeSmaller(font)) {
    }
    if (font == shown)
        return;
    box->setFont(font);
    // Given explicitly, or the children would take the box's new size.
    QFont children = shown;
    if (shown.pointSizeF() > 0)
        children.setPointSizeF(shown.pointSizeF());
    else
        children.setPixelSize(shown.pixelSize());
    for (QWidget *child : box->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        child->setFont(children);
}

QLabel *hyperlink(const QString &caption, const QString &address, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setText(QStringLiteral("<a href=\"%1\" style=\"color:blue; font-weight:bold; text-decoration:underline\">%2</a>")
                       .arg(address.toHtmlEscaped(), caption.toHtmlEscaped()));
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    label->setCursor(Qt::PointingHandCursor);
    QObject::connect(label, &QLabel::linkActivated, label,
                     [](const QString &link) { runGuarded([link] { openDocument(link); }); });
    return label;
}

QLineEdit *resultField(const char *name, QWidget *parent, const QRect &at)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setAlignment(Qt::AlignCenter);
    edit->setReadOnly(true);
    edit->setGeometry(at);
    return edit;
}

void colour(QWidget *widget, const QColor &text, const QColor &base = QColor())
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, text);
    if (base.isValid())
        palette.setColor(QPalette::Base, base);
    widget->setPalette(palette);
}

// The drop-down calculator: its buttons, and the keyboard as well. Enter
// gives the result and puts it in the base field, as OK does; Escape closes it
// and changes nothing.
class CalculatorPopup : public QFrame
{
public:
    explicit CalculatorPopup(QWidget *parent) : QFrame(parent, Qt::Popup) { setFocusPolicy(Qt::StrongFocus); }

    std::function<void(QChar)> press;
    std::function<void()> accept;
    std::function<void()> cancel;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
            cancel();
            return;
        }
        const QChar key = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)
                              ? QChar()
                              : PocketCalculator::keyFor(event->key(), event->text());
        if (key.isNull()) {
            QFrame::keyPressEvent(event);
            return;
        }
        press(key);
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            runGuarded([this] { accept(); });
    }
};

} // namespace

ModifierCalculatorWindow::ModifierCalculatorWindow()
    : SideWindow(placementName(PlacedWindow::ModifierCalculator), QStringLiteral("Modificalculateur"), QSize(220, 359),
                 Frame::FixedTool)
{
    // The hidden button that carries the computation, clicked by the modifiers.
    computeButton = new QPushButton(QStringLiteral("Calculer"), this);
    computeButton->setObjectName(QStringLiteral("Button1"));
    computeButton->hide();
    connect(computeButton, &QPushButton::clicked, this, guarded([this] { compute(); }));

    baseLabel = hyperlink(QStringLiteral("Tarif de base"), CcamReference::actLookUp(), this);
    baseLabel->setObjectName(QStringLiteral("Label_TarifDeBase"));
    baseLabel->setGeometry(8, 10, 90, 16);
    baseField = new QLineEdit(QStringLiteral("0"), this);
    baseField->setObjectName(QStringLiteral("JvCalcEdit1"));
    baseField->setAlignment(Qt::AlignRight);
    baseField->setGeometry(104, 7, 108, 22);
    auto *validator = new QDoubleValidator(baseField);
    validator->setNotation(QDoubleValidator::ScientificNotation);
    baseField->setValidator(validator);
    // A small arrow pointing down.
    const QIcon arrow = drawnIcon([](QPainter &painter) {
        painter.setBrush(Qt::black);
        painter.drawPolygon(QPolygonF({{4.5, 6.5}, {11.5, 6.5}, {8, 10.5}}));
    });
    QAction *drop = baseField->addAction(arrow, QLineEdit::TrailingPosition);
    drop->setObjectName(QStringLiteral("DeroulerCalculatrice"));
    connect(drop, &QAction::triggered, this, guarded([this] { dropCalculator(); }));
    // Decimals only when there are some.
    connect(baseField, &QLineEdit::editingFinished, this, guarded([this] { setBaseValue(baseValue()); }));

    // The two groups of modifiers, "effacer" at the top.
    const QString captions[] = {QStringLiteral("O"), QStringLiteral("9"), QStringLiteral("I"),
                                QStringLiteral("X"), QStringLiteral("K"), QStringLiteral("effacer")};
    const Modifier modifiers[] = {Modifier::O, Modifier::Nine, Modifier::I, Modifier::X, Modifier::K,
                                  Modifier::Effacer};
    for (int group = 0; group < 2; ++group) {
        auto *box = new QGroupBox(group == 0 ? QStringLiteral("1er Modificateur") : QStringLiteral("2ème Modificateur"),
                                  this);
        box->setObjectName(group == 0 ? QStringLiteral("GroupBox1") : QStringLiteral("GroupBox2"));
        box->setGeometry(group == 0 ? 6 : 112, 36, 102, 146);
        (group == 0 ? firstModifierGroup : secondModifierGroup) = box;
        for (int k = 0; k < 6; ++k) {
            const int number = group * 6 + k + 1;
            auto *radio = new QRadioButton(captions[k], box);
            radio->setObjectName(QStringLiteral("RadioButton%1").arg(number));
            const int row = k == 5 ? 0 : k + 1;
            radio->setGeometry(10, 18 + row * 20, 86, 19);
            modifierButtons[number] = radio;
            const Modifier modifier = modifiers[k];
            if (modifier == Modifier::Effacer)
                radio->setChecked(true);        // at start, before it can compute
            // A button acts only when it becomes checked.
            connect(radio, &QRadioButton::toggled, this, [this, group, modifier](bool checked) {
                if (checked)
                    chooseModifier(group, modifier);
            });
        }
        fitTitle(box);
    }

    auto *augmentation = new QLabel(QStringLiteral("Augmentation"), this);
    augmentation->setGeometry(8, 192, 90, 20);
    rateField = resultField("Edit_taux", this, QRect(104, 190, 108, 22));
    colour(rateField, Qt::yellow, QColor(0xFA, 0x80, 0x72));

    tariffsGroup = new QGroupBox(QStringLiteral("Nouveaux Tarifs"), this);
    tariffsGroup->setObjectName(QStringLiteral("GroupBox_Tarifs"));
    tariffsGroup->setGeometry(6, 220, 208, 132);
    tariffsGroup->setAutoFillBackground(true);
    QPalette grey = tariffsGroup->palette();
    grey.setColor(QPalette::Window, QColor(0xE8, 0xE8, 0xE8));
    tariffsGroup->setPalette(grey);
    QFont bold = tariffsGroup->font();
    bold.setBold(true);
    tariffsGroup->setFont(bold);
    QLineEdit **fields[] = {&value2013Field, &value2014Field, &value2014JournalField, &deltaField};
    const char *names[] = {"Edit_valeur_13", "Edit_valeur_14", "Edit_valeur_14_JO", "Edit_delta"};
    for (int row = 0; row < 4; ++row) {
        const int top = 22 + row * 26;
        if (row == 2) {
            journalLabel = hyperlink(QStringLiteral("JO 2012"), CcamReference::officialJournalText(), tariffsGroup);
            journalLabel->setObjectName(QStringLiteral("Label_JO"));
            journalLabel->setGeometry(8, top + 2, 76, 18);
        } else {
            const QString captionsOfRows[] = {QStringLiteral("01/07/2013"), QStringLiteral("01/03/2014"), QString(),
                                              QStringLiteral("Différence")};
            auto *caption = new QLabel(captionsOfRows[row], tariffsGroup);
            caption->setGeometry(8, top + 2, 76, 18);
        }
        *fields[row] = resultField(names[row], tariffsGroup, QRect(86, top, 90, 22));
        auto *euro = new QLabel(QStringLiteral("€"), tariffsGroup);
        euro->setGeometry(182, top + 2, 16, 18);
    }
    QFont plain = bold;
    plain.setBold(false);
    QFont struck = plain;
    struck.setStrikeOut(true);
    value2014Field->setFont(struck);
    colour(value2014Field, QColor(0xC0, 0xC0, 0xC0));
    QFont redItalic = plain;
    redItalic.setItalic(true);
    deltaField->setFont(redItalic);
    colour(deltaField, Qt::red);
    rateField->setFont(plain);

    // The window sees the keys before its controls.
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);

    move(300, 200);
    restorePlacement();
}

double ModifierCalculatorWindow::baseValue() const
{
    const QString text = baseField->text().trimmed();
    if (text.isEmpty())
        return 0.0;
    bool ok = false;
    double value = QLocale().toDouble(text, &ok);
    if (!ok)
        value = QLocale::c().toDouble(text, &ok);
    if (!ok)
        throw TiravonError(Messages::notAFloat(text));
    return value;
}

void ModifierCalculatorWindow::setBaseValue(double value)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    baseField->setText(locale.toString(value, 'g', 15));
}

void ModifierCalculatorWindow::dropCalculator()
{
    auto *popup = new CalculatorPopup(this);
    popup->setObjectName(QStringLiteral("Calculatrice"));
    popup->setAttribute(Qt::WA_DeleteOnClose);
    popup->setFrameShape(QFrame::Panel);
    auto calculator = std::make_shared<PocketCalculator>(baseValue());
    auto *grid = new QGridLayout(popup);
    grid->setSpacing(2);
    grid->setContentsMargins(3, 3, 3, 3);
    auto *display = new QLabel(calculator->display(), popup);
    display->setObjectName(QStringLiteral("Affichage"));
    display->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    display->setFrameShape(QFrame::StyledPanel);
    grid->addWidget(display, 0, 0, 1, 4);

    // Once the calculator has gone, the base field's text is selected so
    // that typing replaces it.
    auto close = [this, popup] {
        popup->close();
        baseField->setFocus(Qt::PopupFocusReason);
        baseField->selectAll();
    };
    popup->press = [calculator, display](QChar key) {
        calculator->press(key);
        display->setText(calculator->display());
    };
    popup->accept = [this, calculator, close] {
        setBaseValue(calculator->value());
        close();
    };
    popup->cancel = close;

    const char *const rows[] = {"789/", "456*", "123-", "0,=+", "C<"};
    for (int row = 0; row < 5; ++row) {
        for (int column = 0; rows[row][column]; ++column) {
            const QChar key = QLatin1Char(rows[row][column]);
            auto *button = new QToolButton(popup);
            button->setText(key == QLatin1Char('<') ? QStringLiteral("←") : QString(key));
            button->setMinimumSize(28, 24);
            // The keys go to the calculator itself.
            button->setFocusPolicy(Qt::NoFocus);
            grid->addWidget(button, row + 1, column);
            connect(button, &QToolButton::clicked, popup, [popup, key] { popup->press(key); });
        }
    }
    auto *ok = new QToolButton(popup);
    ok->setText(QStringLiteral("OK"));
    ok->setFocusPolicy(Qt::NoFocus);
    grid->addWidget(ok, 5, 2, 1, 2);
    connect(ok, &QToolButton::clicked, popup, guarded([popup] { popup->accept(); }));
    popup->adjustSize();
    popup->move(baseField->mapToGlobal(QPoint(baseField->width() - popup->width(), baseField->height())));
    popup->show();
    popup->setFocus(Qt::PopupFocusReason);
}

void ModifierCalculatorWindow::chooseModifier(int group, Modifier modifier)
{
    m_rates[group] = modifierRate(modifier);
    computeButton->click();
}

void ModifierCalculatorWindow::compute()
{
    const ModifierResults results = computeModifiers(baseValue(), m_rates[0], m_rates[1]);
    const std::pair<QLineEdit *, const std::optional<QString> *> shown[] = {
        {rateField, &results.rate},
        {value2013Field, &results.firstStep},
        {value2014Field, &results.compounded},
        {value2014JournalField, &results.jo2012},
        {deltaField, &results.difference},
    };
    for (const auto &field : shown)
        if (*field.second)
            field.first->setText(**field.second);
    if (!results.error.isEmpty())
        throw TiravonError(results.error);
}

bool ModifierCalculatorWindow::handleWindowKey(QKeyEvent *key)
{
    if (key->key() != Qt::Key_Escape)
        return false;
    setBaseValue(0);
    baseField->setFocus();
    // The "0" selected: what is typed next replaces it.
    baseField->selectAll();
    return true;
}

void ModifierCalculatorWindow::keyPressEvent(QKeyEvent *event)
{
    if (!handleWindowKey(event))
        SideWindow::keyPressEvent(event);
}

bool ModifierCalculatorWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && handleWindowKey(static_cast<QKeyEvent *>(event)))
        return true;
    // The full stop and the keypad's decimal key type the decimal separator
    // into the base, which takes no other.
    if (event->type() == QEvent::KeyPress && watched == baseField) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (isDecimalKey(key->key(), key->modifiers(), key->text())) {
            baseField->insert(QLocale().decimalPoint());
            return true;
        }
    }
    return SideWindow::eventFilter(watched, event);
}

ModifierCalculatorWindow::~ModifierCalculatorWindow()
{
    disconnectHandlers();
}
