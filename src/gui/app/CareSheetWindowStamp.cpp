// The stamp: its pop-up menu of texts, font and angles, its double click,
// and the ticks that show and hide it.
#include "CareSheetWindow.h"

#include "support/ActionGuard.h"
#include "support/Dialogs.h"
#include "widgets/StampLabel.h"

#include <QAction>
#include <QMenu>

namespace {

QAction *stampItem(QMenu *menu, QWidget *window, const char *name, const QString &caption)
{
    auto *action = new QAction(caption, window);
    action->setObjectName(QString::fromLatin1(name));
    menu->addAction(action);
    return action;
}

void makeDefault(QMenu *menu, QAction *action)
{
    QFont bold = action->font();
    bold.setBold(true);
    action->setFont(bold);
    menu->setDefaultAction(action);
}

struct AngleItem
{
    const char *name;
    const char *caption;
    int angle;
};

const AngleItem kAngles[] = {
    {"N01", "Horizontal", 0},
    {"N101", "10°", 10},
    {"N201", "20°", 20},
    {"N301", "30°", 30},
    {"N451", "45°", 45},
    {"N601", "60°", 60},
    {"N901", "90° (Vertical Gauche)", 90},
    {"N1801", "180° (Tête Bêche)", 180},
    {"N2701", "270° (Vertical Droit)", 270},
};

} // namespace

void CareSheetWindow::buildStampMenu()
{
    stampMenu = new QMenu(this);
    stampMenu->setObjectName(QStringLiteral("PopupMenu_note"));
    QAction *cacher = stampItem(stampMenu, this, "CAcher1", QStringLiteral("&Cacher"));
    makeDefault(stampMenu, cacher);
    connect(cacher, &QAction::triggered, this, guarded([this] { hideStamp(); }));

    QMenu *texts = stampMenu->addMenu(QStringLiteral("&Texte ..."));
    texts->setObjectName(QStringLiteral("exte2"));
    QList<QAction *> fixedTexts;
    fixedTexts << stampItem(texts, this, "DUPLICATA1", QStringLiteral("&DUPLICATA"));
    texts->addSeparator();
    fixedTexts << stampItem(texts, this, "ALD1", QStringLiteral("A.L.D"))
               << stampItem(texts, this, "CMU1", QStringLiteral("C.M.U"))
               << stampItem(texts, this, "MATERNITE1", QStringLiteral("MATERNITE"))
               << stampItem(texts, this, "STERILITE1", QStringLiteral("STERILITE"));
    texts->addSeparator();
    QMenu *card = texts->addMenu(QStringLiteral("Carte vitale"));
    card->setObjectName(QStringLiteral("Cartevitale1"));
    fixedTexts << stampItem(card, this, "Cartevitaleoublie1", QStringLiteral("Carte vitale oubliée"))
               << stampItem(card, this, "Cartevitaleperdue1", QStringLiteral("Carte vitale perdue"))
               << stampItem(card, this, "Cartevitaleencoursdefabrication1",
                            QStringLiteral("Carte vitale en cours de fabrication"));
    texts->addSeparator();
    QAction *freeText = stampItem(texts, this, "Textelibre1", QStringLiteral("&Texte libre ..."));
    for (QAction *item : fixedTexts)
        connect(item, &QAction::triggered, this, guarded([this, item] { chooseStampText(item); }));
    connect(freeText, &QAction::triggered, this, guarded([this] { typeStampText(); }));

    QAction *font = stampItem(stampMenu, this, "Police1", QStringLiteral("&Police"));
    connect(font, &QAction::triggered, this, guarded([this] { chooseStampFont(); }));

    QMenu *angles = stampMenu->addMenu(QStringLiteral("&Orientation"));
    angles->setObjectName(QStringLiteral("Orientation1"));
    for (const AngleItem &entry : kAngles) {
        QAction *item = stampItem(angles, this, entry.name, QString::fromUtf8(entry.caption));
        const int angle = entry.angle;
        connect(item, &QAction::triggered, this, guarded([this, angle] { NOTE->setAngle(angle); }));
        if (angle == 0)
            makeDefault(angles, item);
    }

    connect(NOTE, &StampLabel::doubleClicked, this, guarded([this] { stampDoubleClicked(); }));
}

void CareSheetWindow::hideStamp()
{
    NOTE->hide();
    showStampAction->setChecked(false);
    popupShowStampAction->setChecked(false);
}

void CareSheetWindow::stampDoubleClicked()
{
    NOTE->hide();
    popupShowStampAction->setChecked(false);
}

void CareSheetWindow::chooseStampText(QAction *item)
{
    // The item's own caption, without its accelerator marks.
    NOTE->setText(item->text().remove(QLatin1Char('&')));
}

void CareSheetWindow::typeStampText()
{
    // A cancelled box answers its preset.
    NOTE->setText(dialogs().inputBox(QStringLiteral("Entrez le texte du Tampon"), QStringLiteral("Texte"),
                                     QStringLiteral("DUPLICATA")));
}

void CareSheetWindow::chooseStampFont()
{
    // The dialog's answer is not consulted: after a cancel it gives back the
    // stamp's own font and colour.
    FontChoice initial;
    initial.font = NOTE->font();
    initial.color = NOTE->color();
    const FontChoice chosen = dialogs().chooseFont(initial);
    NOTE->setStampFont(chosen.font);
    NOTE->setColor(chosen.color);
}
