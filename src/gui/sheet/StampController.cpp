#include "StampController.h"

#include "support/ActionGuard.h"
#include "support/Dialogs.h"
#include "widgets/MenuItems.h"
#include "widgets/StampLabel.h"

#include <QAction>
#include <QMenu>

namespace {

struct AngleItem
{
    const char *name;
    const char *caption;
    int angle;
};

const AngleItem kAngles[] = {
    {"stampAngle0", "Horizontal", 0},
    {"stampAngle10", "10°", 10},
    {"stampAngle20", "20°", 20},
    {"stampAngle30", "30°", 30},
    {"stampAngle45", "45°", 45},
    {"stampAngle60", "60°", 60},
    {"stampAngle90", "90° (Vertical Gauche)", 90},
    {"stampAngle180", "180° (Tête Bêche)", 180},
    {"stampAngle270", "270° (Vertical Droit)", 270},
};

} // namespace

StampController::StampController(StampLabel *stamp, QWidget *window, QAction *menuTick, QAction *popupTick)
    : QObject(window), m_stamp(stamp), m_menuTick(menuTick), m_popupTick(popupTick)
{
    buildMenu(window);
    connect(m_stamp, &StampLabel::doubleClicked, this, guarded([this] { doubleClicked(); }));
    for (QAction *tick : {m_menuTick, m_popupTick})
        connect(tick, &QAction::triggered, this, [this](bool ticked) { m_stamp->setVisible(ticked); });
}

void StampController::buildMenu(QWidget *window)
{
    m_menu = new QMenu(window);
    m_menu->setObjectName(QStringLiteral("stampMenu"));
    QAction *hideItem = newMenuItem(m_menu, window, "hideStampAction", QStringLiteral("&Cacher"));
    makeDefaultItem(m_menu, hideItem);
    connect(hideItem, &QAction::triggered, this, guarded([this] { hide(); }));

    QMenu *texts = m_menu->addMenu(QStringLiteral("&Texte ..."));
    texts->setObjectName(QStringLiteral("stampTextMenu"));
    QList<QAction *> fixedTexts;
    fixedTexts << newMenuItem(texts, window, "stampDuplicataAction", QStringLiteral("&DUPLICATA"));
    texts->addSeparator();
    fixedTexts << newMenuItem(texts, window, "stampAldAction", QStringLiteral("A.L.D"))
               << newMenuItem(texts, window, "stampCmuAction", QStringLiteral("C.M.U"))
               << newMenuItem(texts, window, "stampMaternityAction", QStringLiteral("MATERNITE"))
               << newMenuItem(texts, window, "stampSterilityAction", QStringLiteral("STERILITE"));
    texts->addSeparator();
    QMenu *card = texts->addMenu(QStringLiteral("Carte vitale"));
    card->setObjectName(QStringLiteral("stampCardMenu"));
    fixedTexts << newMenuItem(card, window, "stampCardForgottenAction", QStringLiteral("Carte vitale oubliée"))
               << newMenuItem(card, window, "stampCardLostAction", QStringLiteral("Carte vitale perdue"))
               << newMenuItem(card, window, "stampCardPendingAction",
                            QStringLiteral("Carte vitale en cours de fabrication"));
    texts->addSeparator();
    QAction *freeText = newMenuItem(texts, window, "stampFreeTextAction", QStringLiteral("&Texte libre ..."));
    for (QAction *item : fixedTexts)
        connect(item, &QAction::triggered, this, guarded([this, item] { chooseText(item); }));
    connect(freeText, &QAction::triggered, this, guarded([this] { typeText(); }));

    QAction *font = newMenuItem(m_menu, window, "stampFontAction", QStringLiteral("&Police"));
    connect(font, &QAction::triggered, this, guarded([this] { chooseFont(); }));

    QMenu *angles = m_menu->addMenu(QStringLiteral("&Orientation"));
    angles->setObjectName(QStringLiteral("stampAngleMenu"));
    for (const AngleItem &entry : kAngles) {
        QAction *item = newMenuItem(angles, window, entry.name, QString::fromUtf8(entry.caption));
        const int angle = entry.angle;
        connect(item, &QAction::triggered, this, guarded([this, angle] { m_stamp->setAngle(angle); }));
        if (angle == 0)
            makeDefaultItem(angles, item);
    }
}

void StampController::hide()
{
    m_stamp->hide();
    m_menuTick->setChecked(false);
    m_popupTick->setChecked(false);
}

void StampController::doubleClicked()
{
    m_stamp->hide();
    m_popupTick->setChecked(false);
}

void StampController::chooseText(QAction *item)
{
    m_stamp->setText(item->text().remove(QLatin1Char('&')));
}

void StampController::typeText()
{
    m_stamp->setText(dialogs().inputBox(QStringLiteral("Entrez le texte du Tampon"), QStringLiteral("Texte"),
                                        QStringLiteral("DUPLICATA")));
}

void StampController::chooseFont()
{
    FontChoice initial;
    initial.font = m_stamp->font();
    initial.color = m_stamp->color();
    const FontChoice chosen = dialogs().chooseFont(initial);
    m_stamp->setStampFont(chosen.font);
    m_stamp->setColor(chosen.color);
}
