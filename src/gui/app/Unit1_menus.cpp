// The main menu, the pop-up menus, the buttons at the right end of the menu
// bar, and the binding of the fields' events to the window's handlers.
#include "Unit1.h"

#include "widgets/SheetEdit.h"
#include "widgets/MRControl_32.h"
#include "widgets/DateEdit.h"
#include "widgets/DrawnIcon.h"
#include "widgets/PickLists.h"
#include "widgets/FormImage.h"
#include "widgets/StampLabel.h"
#include "support/ActionGuard.h"
#include "acts/CcamReference.h"
#include "support/tq32_ini.h"
#include "variables_globales.h"
#include "windows/frm_CALC.h"
#include "windows/frm_edit.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStyle>
#include <QToolButton>

namespace {

// One menu item: its object name, caption, shortcut and tick.
QAction *addItem(QMenu *menu, QWidget *window, const char *name, const QString &caption,
                 const QKeySequence &shortcut = QKeySequence(), bool ticks = false)
{
    auto *action = new QAction(caption, window);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    action->setCheckable(ticks);
    if (menu)
        menu->addAction(action);
    window->addAction(action);
    return action;
}

void makeDefaultItem(QMenu *menu, QAction *action)
{
    QFont bold = action->font();
    bold.setBold(true);
    action->setFont(bold);
    menu->setDefaultAction(action);
}

QIcon printerIcon()
{
    return drawnIcon([](QPainter &painter) {
        painter.setBrush(Qt::white);
        painter.drawRect(4, 1, 7, 5);
        painter.setBrush(QColor(0xC0, 0xC0, 0xC0));
        painter.drawRect(1, 6, 13, 6);
        painter.setBrush(Qt::white);
        painter.drawRect(4, 10, 7, 5);
    });
}

// An open folder.
QIcon openIcon()
{
    return drawnIcon([](QPainter &painter) {
        painter.setBrush(QColor(0xE8, 0xC0, 0x50));
        painter.drawPolygon(QPolygonF({{1.5, 3.5}, {5.5, 3.5}, {7, 5}, {13.5, 5}, {13.5, 13.5}, {1.5, 13.5}}));
        painter.setBrush(QColor(0xF8, 0xDC, 0x80));
        painter.drawPolygon(QPolygonF({{3.5, 7.5}, {15.5, 7.5}, {13.5, 13.5}, {1.5, 13.5}}));
    });
}

// A diskette.
QIcon saveIcon()
{
    return drawnIcon([](QPainter &painter) {
        painter.setBrush(QColor(0x40, 0x60, 0xA0));
        painter.drawRect(QRectF(1.5, 1.5, 13, 13));
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(4.5, 1.5, 7, 5));
        painter.setBrush(QColor(0xC0, 0xC0, 0xC0));
        painter.drawRect(QRectF(3.5, 9.5, 9, 5));
    });
}

// A page of lines.
QIcon optionsIcon()
{
    return drawnIcon([](QPainter &painter) {
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(2.5, 1.5, 11, 13));
        for (const double y : {4.5, 7.5, 10.5})
            painter.drawLine(QPointF(4.5, y), QPointF(11.5, y));
    });
}

// A question mark in a circle.
QIcon helpIcon()
{
    return drawnIcon([](QPainter &painter) {
        painter.setBrush(QColor(0x30, 0x70, 0xC0));
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QRectF(1, 1, 14, 14));
        QFont font = painter.font();
        font.setBold(true);
        font.setPixelSize(11);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, QStringLiteral("?"));
    });
}

} // namespace

void TForm1::buildMenus()
{
    QMenuBar *bar = menuBar();

    QMenu *fichier = bar->addMenu(QStringLiteral("&Fichier"));
    form_OPEN = addItem(fichier, this, "form_OPEN", QStringLiteral("&Charger l'image d'un formulaire"));
    form_OPEN->setToolTip(QStringLiteral("Charger l'image JPG A4 d'un formulaire"));
    OPEN_CONFIG = addItem(fichier, this, "OPEN_CONFIG", QStringLiteral("Cadrer l'image"), QKeySequence(Qt::CTRL | Qt::Key_I));
    EDIT_IMAGE = addItem(fichier, this, "EDIT_IMAGE", QStringLiteral("Editer l'image"), QKeySequence(Qt::CTRL | Qt::Key_E));
    INI_SAVE = addItem(fichier, this, "INI_SAVE", QStringLiteral("Enregistrer la configuration"), QKeySequence(Qt::CTRL | Qt::Key_W));
    fichier->addSeparator();
    mnu_ToutEffacer = addItem(fichier, this, "mnu_ToutEffacer", QStringLiteral("Tout effacer"), QKeySequence(Qt::CTRL | Qt::Key_Y));
    fichier->addSeparator();
    btn_IMPRIMER = addItem(fichier, this, "btn_IMPRIMER", QStringLiteral("&Imprimer"), QKeySequence(Qt::CTRL | Qt::Key_P));
    QAction *calibration = addItem(fichier, this, "mnu_Calibrage", QStringLiteral("Imprimer une page de calibrage"));
    QAction *offsets = addItem(fichier, this, "mnu_Decalage", QStringLiteral("Décalage de l'imprimante"));
    QAction *preview = addItem(fichier, this, "mnu_Apercu", QStringLiteral("Aperçu avant impression"));
    fichier->addSeparator();
    Quitter1 = addItem(fichier, this, "Quitter1", QStringLiteral("&Quitter"), QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu *acte = bar->addMenu(QStringLiteral("&Acte"));
    OPEN_Modele = addItem(acte, this, "OPEN_Modele", QStringLiteral("&Choisir un modèle d'Acte pour ce formulaire"), QKeySequence(Qt::CTRL | Qt::Key_O));
    SAVE_MODELE = addItem(acte, this, "SAVE_MODELE", QStringLiteral("&Enregistrer le modèle"), QKeySequence(Qt::CTRL | Qt::Key_S));
    SAVE_MODELE->setToolTip(QStringLiteral("Enregistrer le modèle"));

    QMenu *editer = bar->addMenu(QStringLiteral("&Editer"));
    mnu_POLICE = addItem(editer, this, "mnu_POLICE", QStringLiteral("&Police"));
    makeDefaultItem(editer, mnu_POLICE);
    mnu_Border = addItem(editer, this, "mnu_Border", QStringLiteral("&Encadrer"), {}, true);
    mnu_3D = addItem(editer, this, "mnu_3D", QStringLiteral("3D"), {}, true);
    editer->addSeparator();
    mnu_Add_CompoEdit = addItem(editer, this, "mnu_Add_CompoEdit", QStringLiteral("&Ajouter un champ texte"), QKeySequence(Qt::CTRL | Qt::Key_T));
    editer->addSeparator();
    mnu_VERROU = addItem(editer, this, "mnu_VERROU", QStringLiteral("Verrouiller/déverrouiller les champs"), {}, true);

    QMenu *afficher = bar->addMenu(QStringLiteral("&Afficher"));
    mnu_CacheImage = addItem(afficher, this, "mnu_CacheImage", QStringLiteral("&Texte seul"), {}, true);
    mnu_Note_Show = addItem(afficher, this, "mnu_Note_Show", QStringLiteral("Tampon"), {}, true);
    mnu_Oriente_Show = addItem(afficher, this, "mnu_Oriente_Show", QStringLiteral("MT: Remplacer \"envoyé\" par \"orienté\""), {}, true);
    afficher->addSeparator();
    Hide_NAME = addItem(afficher, this, "Hide_NAME", QStringLiteral("Masquer le &Nom"), {}, true);
    Hide_DATES = addItem(afficher, this, "Hide_DATES", QStringLiteral("Masquer les &Dates"), {}, true);
    afficher->addSeparator();
    Ajusterlahauteurdelcran1 = addItem(afficher, this, "Ajusterlahauteurdelcran1", QStringLiteral("Ajuster à la hauteur de l'écran"));
    MAxi1 = addItem(afficher, this, "MAxi1", QStringLiteral("Maxi"));
    MAxi1->setVisible(false);
    afficher->addSeparator();
    Historique1 = addItem(afficher, this, "Historique1", QStringLiteral("&Historique des actes"));
    Co1 = addItem(afficher, this, "Co1", QStringLiteral("&Configuration"));

    QMenu *outils = bar->addMenu(QStringLiteral("Outils"));
    Explorer = addItem(outils, this, "Explorer", QStringLiteral("Explorer les modèles"));
    outils->addSeparator();
    VariablesProgramme1 = addItem(outils, this, "VariablesProgramme1", QStringLiteral("Trace Variables"));
    VariablesProgramme1->setVisible(false);
    chk_OpenActe = addItem(outils, this, "chk_OpenActe", QStringLiteral("Choisir un acte à l'ouverture"), {}, true);
    chk_AutoNavelis = addItem(outils, this, "chk_AutoNavelis", QStringLiteral("Placer le nom du patient actuel dans &Navélis"), {}, true);

    QMenu *ccam = bar->addMenu(QStringLiteral("C.C.A.M"));
    Aideaucodage1 = addItem(ccam, this, "Aideaucodage1", QStringLiteral("Aide au codage ... "));
    Amli1 = addItem(ccam, this, "Amli1", QStringLiteral("Améli ..."));
    ccam->addSeparator();
    mnu_Modificateurs = addItem(ccam, this, "mnu_Modificateurs", QStringLiteral("Mises à jour 1/7/2013 (modificateurs)"));
    JORFn0124du31mai2013page90081 = addItem(ccam, this, "JORFn0124du31mai2013page90081", QStringLiteral("JORF n°0124 du 31 mai 2013 page 9008 "));
    ccam->addSeparator();
    mnu_CCAM = addItem(ccam, this, "mnu_CCAM", QStringLiteral("CCAM texte complet"));
    ccam->addSeparator();
    modif_1 = addItem(ccam, this, "modif_1", QStringLiteral("Recaluler le tarif avec les modificateurs"));

    mnu_NAVELIS = addItem(nullptr, this, "mnu_NAVELIS", QStringLiteral(".N"));
    bar->addAction(mnu_NAVELIS);

    QMenu *aide = bar->addMenu(QStringLiteral("?"));
    Lafeuilledesoins1 = addItem(aide, this, "Lafeuilledesoins1", QStringLiteral("La feuille de soins"));
    aide->addSeparator();
    mnu_AideEnLigne = addItem(aide, this, "mnu_AideEnLigne", QStringLiteral("&Manuel en ligne"), QKeySequence(Qt::CTRL | Qt::Key_F1));
    Dplacerleschamps1 = addItem(aide, this, "Dplacerleschamps1", QStringLiteral("Déplacer les champs"), QKeySequence(Qt::Key_F1));
    aide->addSeparator();
    Merci1 = addItem(aide, this, "Merci1", QStringLiteral("Remerciements/Thank's"));
    aide->addSeparator();
    Rechercher1 = addItem(aide, this, "Rechercher1", QStringLiteral("Rechercher une nouvelle version ..."));
    mnu_Notes = addItem(aide, this, "mnu_Notes", QStringLiteral("&Notes perso"));

    // Actions on no menu.
    EditPaste1 = addItem(nullptr, this, "EditPaste1", QStringLiteral("Coller"), QKeySequence(Qt::CTRL | Qt::Key_V));
    INI_GET = addItem(nullptr, this, "INI_GET", QStringLiteral("INI_GET"));
    Calcule_Total = addItem(nullptr, this, "Calcule_Total", QStringLiteral("Calcule &Total"));

    // What each item does. Every handler runs inside the action guard.
    auto on = [this](QAction *action, auto handler) {
        connect(action, &QAction::triggered, this, guarded([this, handler] { (this->*handler)(); }));
    };
    on(OPEN_CONFIG, &TForm1::OPEN_CONFIGExecute);
    on(INI_SAVE, &TForm1::INI_SAVEExecute);
    on(INI_GET, &TForm1::INI_GETExecute);
    on(mnu_ToutEffacer, &TForm1::mnu_ToutEffacerClick);
    on(btn_IMPRIMER, &TForm1::btn_IMPRIMERExecute);
    on(calibration, &TForm1::mnu_CalibrageClick);
    on(offsets, &TForm1::mnu_DecalageClick);
    on(preview, &TForm1::mnu_ApercuClick);
    connect(Quitter1, &QAction::triggered, this, &QWidget::close);
    on(mnu_POLICE, &TForm1::mnu_POLICEClick);
    on(mnu_Border, &TForm1::mnu_BorderClick);
    on(mnu_3D, &TForm1::mnu_3DClick);
    on(mnu_Add_CompoEdit, &TForm1::mnu_Add_CompoEditClick);
    on(mnu_VERROU, &TForm1::mnu_VERROUClick);
    on(mnu_Oriente_Show, &TForm1::mnu_Oriente_ShowClick);
    on(Hide_NAME, &TForm1::Hide_NAMEClick);
    on(Hide_DATES, &TForm1::Hide_DATESClick);
    on(Historique1, &TForm1::Historique1Click);
    on(Co1, &TForm1::Co1Click);
    on(Explorer, &TForm1::ExplorerClick);
    on(VariablesProgramme1, &TForm1::VariablesProgramme1Click);
    on(Lafeuilledesoins1, &TForm1::Lafeuilledesoins1Click);
    on(mnu_AideEnLigne, &TForm1::mnu_AideEnLigneClick);
    on(Dplacerleschamps1, &TForm1::CapBtn_HELPClick);
    on(Merci1, &TForm1::Merci1Click);
    on(mnu_Notes, &TForm1::mnu_NotesClick);
    on(EditPaste1, &TForm1::EditPaste1Execute);
    on(Calcule_Total, &TForm1::Calcule_TotalExecute);
    on(mnu_NAVELIS, &TForm1::mnu_NAVELISClick);
    on(chk_AutoNavelis, &TForm1::chk_AutoNavelisClick);
    on(mnu_CCAM, &TForm1::mnu_CCAMClick);
    on(Aideaucodage1, &TForm1::Aideaucodage1Click);
    on(Amli1, &TForm1::Amli1Click);
    on(modif_1, &TForm1::modif_1Click);
    on(mnu_Modificateurs, &TForm1::mnu_ModificateursClick);
    on(JORFn0124du31mai2013page90081, &TForm1::JORFn0124du31mai2013page90081Click);
    on(OPEN_Modele, &TForm1::OPEN_ModeleExecute);
    on(SAVE_MODELE, &TForm1::SAVE_MODELEExecute);
    on(chk_OpenActe, &TForm1::chk_OpenActeClick);
    connect(mnu_Note_Show, &QAction::triggered, this, [this](bool ticked) { NOTE->setVisible(ticked); });

    bindImageCommands();
    // "Rechercher une nouvelle version ..." does nothing, as it always has.
}

void TForm1::buildPopupMenus()
{
    PopupMenu_X = new QMenu(this);
    PopupMenu_X->setObjectName(QStringLiteral("PopupMenu_X"));
    Cocher1 = addItem(PopupMenu_X, this, "Cocher1", QStringLiteral("Cocher"));
    Dcocher1 = addItem(PopupMenu_X, this, "Dcocher1", QStringLiteral("Décocher"));
    connect(Cocher1, &QAction::triggered, this, guarded([this] { Cocher1Click(); }));
    connect(Dcocher1, &QAction::triggered, this, guarded([this] { Dcocher1Click(); }));

    buildStampMenu();

    PopupMenu_VILLES = new QMenu(this);
    PopupMenu_VILLES->setObjectName(QStringLiteral("PopupMenu_VILLES"));
    mnu_VilleDelete = addItem(PopupMenu_VILLES, this, "mnu_VilleDelete", QStringLiteral("&Supprimer"));
    PopupMenu_VILLES->addSeparator();
    Fermer1 = addItem(PopupMenu_VILLES, this, "Fermer1", QStringLiteral("&Fermer"));
    connect(mnu_VilleDelete, &QAction::triggered, this, guarded([this] { mnu_VilleDeleteClick(); }));
    connect(Fermer1, &QAction::triggered, this, [this] { hidePickList(LISTE_VILLES); });

    PopupMenu_CPAM = new QMenu(this);
    PopupMenu_CPAM->setObjectName(QStringLiteral("PopupMenu_CPAM"));
    Supprimer1 = addItem(PopupMenu_CPAM, this, "Supprimer1", QStringLiteral("&Supprimer"));
    PopupMenu_CPAM->addSeparator();
    Fermer2 = addItem(PopupMenu_CPAM, this, "Fermer2", QStringLiteral("&Fermer"));
    connect(Supprimer1, &QAction::triggered, this, guarded([this] { Supprimer1Click(); }));
    connect(Fermer2, &QAction::triggered, this, [this] { hidePickList(Liste_CPAMS); });

    PopupMenu_IMAGE = new QMenu(this);
    PopupMenu_IMAGE->setObjectName(QStringLiteral("PopupMenu_IMAGE"));
    Ajouterunezonedetexte1 = new QAction(QStringLiteral("Ajouter une zone de &Texte"), PopupMenu_IMAGE);
    Ajouterunezonedetexte1->setObjectName(QStringLiteral("Ajouterunezonedetexte1"));
    Ajouterunezonedetexte1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    Ajouterunezonedetexte1->setShortcutContext(Qt::WidgetShortcut);
    PopupMenu_IMAGE->addAction(Ajouterunezonedetexte1);
    makeDefaultItem(PopupMenu_IMAGE, Ajouterunezonedetexte1);
    mnuPoP_ShowTampon = new QAction(QStringLiteral("Montrer Tampon"), PopupMenu_IMAGE);
    mnuPoP_ShowTampon->setObjectName(QStringLiteral("mnuPoP_ShowTampon"));
    mnuPoP_ShowTampon->setCheckable(true);
    mnuPoP_ShowTampon->setChecked(true);
    PopupMenu_IMAGE->addAction(mnuPoP_ShowTampon);
    connect(Ajouterunezonedetexte1, &QAction::triggered, this, guarded([this] { mnu_Add_CompoEditClick(); }));
    connect(mnuPoP_ShowTampon, &QAction::triggered, this, [this](bool ticked) { NOTE->setVisible(ticked); });

    // Where each pop-up menu opens.
    auto attach = [](QWidget *widget, QMenu *menu) {
        widget->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(widget, &QWidget::customContextMenuRequested, menu,
                         [widget, menu](const QPoint &at) { menu->popup(widget->mapToGlobal(at)); });
    };
    for (SheetEdit *box : claimBoxes())
        attach(box, PopupMenu_X);
    attach(NOTE, PopupMenu_note);
    attach(LISTE_VILLES, PopupMenu_VILLES);
    attach(CPAM, PopupMenu_CPAM);
    attach(Image1, PopupMenu_IMAGE);
}

void TForm1::buildTitleBarButtons()
{
    auto *buttons = new QWidget(menuBar());
    buttons->setObjectName(QStringLiteral("TitleBarButtons"));
    auto *layout = new QHBoxLayout(buttons);
    layout->setContentsMargins(0, 0, 2, 0);
    layout->setSpacing(1);
    auto button = [buttons, layout](const char *name, const QString &hint, const QIcon &icon, QAction *action) {
        auto *tool = new QToolButton(buttons);
        tool->setObjectName(QString::fromLatin1(name));
        tool->setAutoRaise(true);
        tool->setIcon(icon);
        tool->setToolTip(hint);
        tool->setEnabled(action->isEnabled());
        QObject::connect(tool, &QToolButton::clicked, action, &QAction::trigger);
        QObject::connect(action, &QAction::changed, tool, [tool, action] { tool->setEnabled(action->isEnabled()); });
        layout->addWidget(tool);
        return tool;
    };
    // From left to right; the help button is the right-most.
    capBtn_OPEN = button("capBtn_OPEN", QStringLiteral("Ouvrir un modèle de formulaire (CTRL+O)"),
                         openIcon(), OPEN_Modele);
    capBtn_SAVE = button("capBtn_SAVE", QStringLiteral("Enregistrer le modèle (CTRL+S)"),
                         saveIcon(), SAVE_MODELE);
    capBTN_PRINT = button("capBTN_PRINT", QStringLiteral("Lancer l'impression (CTRL+P)"), printerIcon(), btn_IMPRIMER);
    capBtn_OPTIONS = button("capBtn_OPTIONS", QStringLiteral("Paramètres de présentation"),
                            optionsIcon(), OPEN_CONFIG);
    capBtn_AIDE = button("capBtn_AIDE", QStringLiteral("Aide en ligne"),
                         helpIcon(), mnu_AideEnLigne);
    menuBar()->setCornerWidget(buttons, Qt::TopRightCorner);
}

void TForm1::setUpFieldHandlers()
{
    // Claim boxes: the space bar and a double click toggle the box that got
    // them (COCHE_ALD_TYPE shares the handlers of COCHE_ALD_0 but toggles itself).
    for (SheetEdit *box : claimBoxes()) {
        box->keyPressHandler = [this](SheetEdit *edit, QKeyEvent *key) {
            if (key->text() != QLatin1String(" "))
                return false;
            runGuarded([this, edit] { toggleClaimBox(edit); });
            return true;
        };
        connect(box, &SheetEdit::doubleClicked, this,
                [this](SheetEdit *edit) { runGuarded([this, edit] { toggleClaimBox(edit); }); });
    }
    // The change rules of the boxes.
    for (SheetEdit *box : {COCHE_MALADIE, COCHE_MATERNITE, COCHE_ACCES, COCHE_ALD_0, COCHE_ALD_1})
        connect(box, &QLineEdit::textChanged, this, [this, box] { runGuarded([this, box] { applyClaimBoxRule(box); }); });

    // Leaving a tariff recomputes the total.
    for (SheetEdit *tariff : {TARIF_1, TARIF_2, TARIF_3, TARIF_4})
        connect(tariff, &SheetEdit::exited, this, guarded([this] { Calcule_TotalExecute(); }));

    // Pick lists.
    connect(VILLE, &SheetEdit::entered, this, guarded([this] { VILLEEnter(); }));
    connect(VILLE, &SheetEdit::exited, this, guarded([this] { VILLEExit(); }));
    connect(CPAM, &SheetEdit::entered, this, guarded([this] { CPAMEnter(); }));
    connect(CPAM, &SheetEdit::clicked, this, guarded([this] { CPAMEnter(); }));
    connect(CPAM, &SheetEdit::exited, this, guarded([this] { CPAMExit(); }));
    connectPickList(LISTE_VILLES, this, [this] { LISTE_VILLESClick(); }, guarded([this] { LISTE_VILLESDblClick(); }));
    connectPickList(Liste_CPAMS, this, [this] { Liste_CPAMSClick(); }, guarded([this] { Liste_CPAMSDblClick(); }));

    // Dates.
    for (DateEdit *date : {DATE, DATE_ACTE, DDN, DDG})
        date->setKeyDownHandler([this](DateEdit *edit, QKeyEvent *key) { DATE_ACTEKeyDown(edit, key); });
    for (DateEdit *date : {DATE_ACTE, DATE})
        connect(date, &DateEdit::doubleClicked, this, guarded([this] { DATE_ACTEDblClick(); }));
    connect(DDN, &DateEdit::dateAccepted, this,
            [this](const QDate &picked) { runGuarded([this, picked] { DDNAcceptDate(picked); }); });
    connect(MATRICULE, &SheetEdit::doubleClicked, this, guarded([this] { MATRICULEDblClick(); }));

    // Move and resize with the mouse: every field on the panel, the image,
    // the label and the stamp; not ACTE_4 nor the pick lists.
    for (SheetEdit *edit : m_plainFields)
        if (edit != ACTE_4)
            bindMoveAndResize(edit);
    for (QWidget *control : std::initializer_list<QWidget *>{DDN, DDG, DATE, DATE_ACTE, Image1, oriente})
        bindMoveAndResize(control);
    bindMoveAndResize(NOTE, &TForm1::NOTEMouseDown, &TForm1::NOTEMouseMove);
}

// The C.C.A.M menu.

namespace {

// The sheet's first CCAM code on the clipboard, nothing when it is empty.
void copyToClipboard(const QString &code)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    if (!code.isEmpty())
        clipboard->setText(code);
}

} // namespace

void TForm1::mnu_CCAMClick()
{
    form_EDIT->showForCode(CCAM_1->text());
}

void TForm1::Aideaucodage1Click()
{
    Open_Document(CcamReference::codingHelpPage(CCAM_1->text()));
}

void TForm1::Amli1Click()
{
    Open_Document(CcamReference::shortActSheet(CCAM_1->text()));
}

void TForm1::modif_1Click()
{
    form_CALC->show();
    form_CALC->raise();
    form_CALC->activateWindow();
}

void TForm1::mnu_ModificateursClick()
{
    copyToClipboard(CCAM_1->text());
    Open_Document(CcamReference::modifiersNote());
}

void TForm1::JORFn0124du31mai2013page90081Click()
{
    copyToClipboard(CCAM_1->text());
    Open_Document(CcamReference::officialJournalText());
}
