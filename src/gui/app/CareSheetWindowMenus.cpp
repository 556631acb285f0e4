// The main menu, the pop-up menus, the buttons at the right end of the menu
// bar, and the binding of the fields' events to the window's handlers.
#include "CareSheetWindow.h"

#include "widgets/SheetEdit.h"
#include "widgets/MoveResizeController.h"
#include "widgets/DateEdit.h"
#include "widgets/DrawnIcon.h"
#include "sheet/PickListBinding.h"
#include "sheet/StampController.h"
#include "widgets/FormImage.h"
#include "widgets/StampLabel.h"
#include "support/ActionGuard.h"
#include "acts/CcamReference.h"
#include "support/Desktop.h"
#include "ProgramWindows.h"
#include "windows/ModifierCalculatorWindow.h"
#include "windows/CcamViewerWindow.h"

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

void CareSheetWindow::buildMenus()
{
    QMenuBar *bar = menuBar();

    QMenu *fichier = bar->addMenu(QStringLiteral("&Fichier"));
    loadFormImageAction = addItem(fichier, this, "loadFormImageAction", QStringLiteral("&Charger l'image d'un formulaire"));
    loadFormImageAction->setToolTip(QStringLiteral("Charger l'image JPG A4 d'un formulaire"));
    togglePresentationAction = addItem(fichier, this, "togglePresentationAction", QStringLiteral("Cadrer l'image"), QKeySequence(Qt::CTRL | Qt::Key_I));
    editFormImageAction = addItem(fichier, this, "editFormImageAction", QStringLiteral("Editer l'image"), QKeySequence(Qt::CTRL | Qt::Key_E));
    saveConfigurationAction = addItem(fichier, this, "saveConfigurationAction", QStringLiteral("Enregistrer la configuration"), QKeySequence(Qt::CTRL | Qt::Key_W));
    fichier->addSeparator();
    clearAllAction = addItem(fichier, this, "clearAllAction", QStringLiteral("Tout effacer"), QKeySequence(Qt::CTRL | Qt::Key_Y));
    fichier->addSeparator();
    printAction = addItem(fichier, this, "printAction", QStringLiteral("&Imprimer"), QKeySequence(Qt::CTRL | Qt::Key_P));
    QAction *calibration = addItem(fichier, this, "calibrationAction", QStringLiteral("Imprimer une page de calibrage"));
    QAction *offsets = addItem(fichier, this, "printerOffsetsAction", QStringLiteral("Décalage de l'imprimante"));
    QAction *preview = addItem(fichier, this, "previewAction", QStringLiteral("Aperçu avant impression"));
    fichier->addSeparator();
    quitAction = addItem(fichier, this, "quitAction", QStringLiteral("&Quitter"), QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu *acte = bar->addMenu(QStringLiteral("&Acte"));
    openActModelAction = addItem(acte, this, "openActModelAction", QStringLiteral("&Choisir un modèle d'Acte pour ce formulaire"), QKeySequence(Qt::CTRL | Qt::Key_O));
    saveActModelAction = addItem(acte, this, "saveActModelAction", QStringLiteral("&Enregistrer le modèle"), QKeySequence(Qt::CTRL | Qt::Key_S));
    saveActModelAction->setToolTip(QStringLiteral("Enregistrer le modèle"));

    QMenu *editer = bar->addMenu(QStringLiteral("&Editer"));
    fieldsFontAction = addItem(editer, this, "fieldsFontAction", QStringLiteral("&Police"));
    makeDefaultItem(editer, fieldsFontAction);
    borderAction = addItem(editer, this, "borderAction", QStringLiteral("&Encadrer"), {}, true);
    threeDAction = addItem(editer, this, "threeDAction", QStringLiteral("3D"), {}, true);
    editer->addSeparator();
    addTextFieldAction = addItem(editer, this, "addTextFieldAction", QStringLiteral("&Ajouter un champ texte"), QKeySequence(Qt::CTRL | Qt::Key_T));
    editer->addSeparator();
    lockFieldsAction = addItem(editer, this, "lockFieldsAction", QStringLiteral("Verrouiller/déverrouiller les champs"), {}, true);

    QMenu *afficher = bar->addMenu(QStringLiteral("&Afficher"));
    textOnlyAction = addItem(afficher, this, "textOnlyAction", QStringLiteral("&Texte seul"), {}, true);
    showStampAction = addItem(afficher, this, "showStampAction", QStringLiteral("Tampon"), {}, true);
    showOrienteAction = addItem(afficher, this, "showOrienteAction", QStringLiteral("MT: Remplacer \"envoyé\" par \"orienté\""), {}, true);
    afficher->addSeparator();
    hideNameAction = addItem(afficher, this, "hideNameAction", QStringLiteral("Masquer le &Nom"), {}, true);
    hideDatesAction = addItem(afficher, this, "hideDatesAction", QStringLiteral("Masquer les &Dates"), {}, true);
    afficher->addSeparator();
    fitScreenHeightAction = addItem(afficher, this, "fitScreenHeightAction", QStringLiteral("Ajuster à la hauteur de l'écran"));
    fullHeightAction = addItem(afficher, this, "fullHeightAction", QStringLiteral("Maxi"));
    fullHeightAction->setVisible(false);
    afficher->addSeparator();
    showShortcutsAction = addItem(afficher, this, "showShortcutsAction", QStringLiteral("&Historique des actes"));
    showPresentationAction = addItem(afficher, this, "showPresentationAction", QStringLiteral("&Configuration"));

    QMenu *outils = bar->addMenu(QStringLiteral("Outils"));
    exploreModelsAction = addItem(outils, this, "exploreModelsAction", QStringLiteral("Explorer les modèles"));
    outils->addSeparator();
    traceVariablesAction = addItem(outils, this, "traceVariablesAction", QStringLiteral("Trace Variables"));
    traceVariablesAction->setVisible(false);
    chooseActAtStartAction = addItem(outils, this, "chooseActAtStartAction", QStringLiteral("Choisir un acte à l'ouverture"), {}, true);
    importAtStartAction = addItem(outils, this, "importAtStartAction", QStringLiteral("Placer le nom du patient actuel dans &Navélis"), {}, true);

    QMenu *ccam = bar->addMenu(QStringLiteral("C.C.A.M"));
    codingHelpAction = addItem(ccam, this, "codingHelpAction", QStringLiteral("Aide au codage ... "));
    ameliAction = addItem(ccam, this, "ameliAction", QStringLiteral("Améli ..."));
    ccam->addSeparator();
    modifiersNoteAction = addItem(ccam, this, "modifiersNoteAction", QStringLiteral("Mises à jour 1/7/2013 (modificateurs)"));
    officialJournalAction = addItem(ccam, this, "officialJournalAction", QStringLiteral("JORF n°0124 du 31 mai 2013 page 9008 "));
    ccam->addSeparator();
    ccamTextAction = addItem(ccam, this, "ccamTextAction", QStringLiteral("CCAM texte complet"));
    ccam->addSeparator();
    modifierCalculatorAction = addItem(ccam, this, "modifierCalculatorAction", QStringLiteral("Recaluler le tarif avec les modificateurs"));

    importPatientAction = addItem(nullptr, this, "importPatientAction", QStringLiteral(".N"));
    bar->addAction(importPatientAction);

    QMenu *aide = bar->addMenu(QStringLiteral("?"));
    careSheetInfoAction = addItem(aide, this, "careSheetInfoAction", QStringLiteral("La feuille de soins"));
    aide->addSeparator();
    onlineManualAction = addItem(aide, this, "onlineManualAction", QStringLiteral("&Manuel en ligne"), QKeySequence(Qt::CTRL | Qt::Key_F1));
    movingFieldsHelpAction = addItem(aide, this, "movingFieldsHelpAction", QStringLiteral("Déplacer les champs"), QKeySequence(Qt::Key_F1));
    aide->addSeparator();
    thanksAction = addItem(aide, this, "thanksAction", QStringLiteral("Remerciements/Thank's"));
    aide->addSeparator();
    newVersionAction = addItem(aide, this, "newVersionAction", QStringLiteral("Rechercher une nouvelle version ..."));
    personalNotesAction = addItem(aide, this, "personalNotesAction", QStringLiteral("&Notes perso"));

    // Actions on no menu.
    pasteAction = addItem(nullptr, this, "pasteAction", QStringLiteral("Coller"), QKeySequence(Qt::CTRL | Qt::Key_V));
    readConfigurationAction = addItem(nullptr, this, "readConfigurationAction", QStringLiteral("INI_GET"));
    computeTotalAction = addItem(nullptr, this, "computeTotalAction", QStringLiteral("Calcule &Total"));

    // What each item does. Every handler runs inside the action guard.
    auto on = [this](QAction *action, auto handler) {
        connect(action, &QAction::triggered, this, guarded([this, handler] { (this->*handler)(); }));
    };
    on(togglePresentationAction, &CareSheetWindow::togglePresentation);
    on(saveConfigurationAction, &CareSheetWindow::saveConfiguration);
    on(readConfigurationAction, &CareSheetWindow::readConfiguration);
    on(clearAllAction, &CareSheetWindow::clearAll);
    on(printAction, &CareSheetWindow::printSheetOnPaper);
    on(calibration, &CareSheetWindow::printCalibration);
    on(offsets, &CareSheetWindow::showPrinterOffsets);
    on(preview, &CareSheetWindow::showPreview);
    connect(quitAction, &QAction::triggered, this, &QWidget::close);
    on(fieldsFontAction, &CareSheetWindow::chooseFieldsFont);
    on(borderAction, &CareSheetWindow::applyBorder);
    on(threeDAction, &CareSheetWindow::apply3D);
    on(addTextFieldAction, &CareSheetWindow::addTextField);
    on(lockFieldsAction, &CareSheetWindow::applyLock);
    on(showOrienteAction, &CareSheetWindow::applyShowOriente);
    on(hideNameAction, &CareSheetWindow::applyHideName);
    on(hideDatesAction, &CareSheetWindow::applyHideDates);
    on(showShortcutsAction, &CareSheetWindow::showShortcuts);
    on(showPresentationAction, &CareSheetWindow::showPresentationAtCorner);
    on(exploreModelsAction, &CareSheetWindow::exploreModels);
    on(traceVariablesAction, &CareSheetWindow::traceVariables);
    on(careSheetInfoAction, &CareSheetWindow::openCareSheetInformation);
    on(onlineManualAction, &CareSheetWindow::openOnlineManual);
    on(movingFieldsHelpAction, &CareSheetWindow::showMovingFieldsHelp);
    on(thanksAction, &CareSheetWindow::showThanks);
    on(personalNotesAction, &CareSheetWindow::openPersonalNotes);
    on(pasteAction, &CareSheetWindow::pasteIntoField);
    on(computeTotalAction, &CareSheetWindow::computeTotal);
    on(importPatientAction, &CareSheetWindow::importPatient);
    on(importAtStartAction, &CareSheetWindow::storeImportAtStart);
    on(ccamTextAction, &CareSheetWindow::showCcamText);
    on(codingHelpAction, &CareSheetWindow::openCodingHelp);
    on(ameliAction, &CareSheetWindow::openAmeliSheet);
    on(modifierCalculatorAction, &CareSheetWindow::showModifierCalculator);
    on(modifiersNoteAction, &CareSheetWindow::openModifiersNote);
    on(officialJournalAction, &CareSheetWindow::openOfficialJournal);
    on(openActModelAction, &CareSheetWindow::openActModel);
    on(saveActModelAction, &CareSheetWindow::saveActModel);
    on(chooseActAtStartAction, &CareSheetWindow::storeChooseActAtStart);

    bindImageCommands();
    // "Rechercher une nouvelle version ..." does nothing, as it always has.
}

void CareSheetWindow::buildPopupMenus()
{
    claimBoxMenu = new QMenu(this);
    claimBoxMenu->setObjectName(QStringLiteral("claimBoxMenu"));
    tickAction = addItem(claimBoxMenu, this, "tickAction", QStringLiteral("Cocher"));
    untickAction = addItem(claimBoxMenu, this, "untickAction", QStringLiteral("Décocher"));
    connect(tickAction, &QAction::triggered, this, guarded([this] { tickFocusedField(); }));
    connect(untickAction, &QAction::triggered, this, guarded([this] { untickFocusedField(); }));

    imageMenu = new QMenu(this);
    imageMenu->setObjectName(QStringLiteral("imageMenu"));
    addTextZoneAction = new QAction(QStringLiteral("Ajouter une zone de &Texte"), imageMenu);
    addTextZoneAction->setObjectName(QStringLiteral("addTextZoneAction"));
    addTextZoneAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    addTextZoneAction->setShortcutContext(Qt::WidgetShortcut);
    imageMenu->addAction(addTextZoneAction);
    makeDefaultItem(imageMenu, addTextZoneAction);
    popupShowStampAction = new QAction(QStringLiteral("Montrer Tampon"), imageMenu);
    popupShowStampAction->setObjectName(QStringLiteral("popupShowStampAction"));
    popupShowStampAction->setCheckable(true);
    popupShowStampAction->setChecked(true);
    imageMenu->addAction(popupShowStampAction);
    connect(addTextZoneAction, &QAction::triggered, this, guarded([this] { addTextField(); }));
    m_stamp = new StampController(NOTE, this, showStampAction, popupShowStampAction);

    // Where each pop-up menu opens.
    auto attach = [](QWidget *widget, QMenu *menu) {
        widget->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(widget, &QWidget::customContextMenuRequested, menu,
                         [widget, menu](const QPoint &at) { menu->popup(widget->mapToGlobal(at)); });
    };
    for (SheetEdit *box : claimBoxes())
        attach(box, claimBoxMenu);
    attach(NOTE, m_stamp->menu());
    attach(formImage, imageMenu);
}

void CareSheetWindow::buildTitleBarButtons()
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
    openModelButton = button("openModelButton", QStringLiteral("Ouvrir un modèle de formulaire (CTRL+O)"),
                         openIcon(), openActModelAction);
    saveModelButton = button("saveModelButton", QStringLiteral("Enregistrer le modèle (CTRL+S)"),
                         saveIcon(), saveActModelAction);
    printButton = button("printButton", QStringLiteral("Lancer l'impression (CTRL+P)"), printerIcon(), printAction);
    presentationButton = button("presentationButton", QStringLiteral("Paramètres de présentation"),
                            optionsIcon(), togglePresentationAction);
    helpButton = button("helpButton", QStringLiteral("Aide en ligne"),
                         helpIcon(), onlineManualAction);
    menuBar()->setCornerWidget(buttons, Qt::TopRightCorner);
}

void CareSheetWindow::setUpFieldHandlers()
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
        connect(tariff, &SheetEdit::exited, this, guarded([this] { computeTotal(); }));

    // Pick lists.
    PickListBinding::Setup towns;
    towns.field = VILLE;
    towns.list = LISTE_VILLES;
    towns.window = this;
    towns.menuName = "townListMenu";
    towns.deleteName = "deleteTownAction";
    towns.closeName = "closeTownListAction";
    towns.pickHandler = QStringLiteral("LISTE_VILLESClick");
    m_towns = new PickListBinding(towns);
    PickListBinding::Setup funds;
    funds.field = CPAM;
    funds.list = Liste_CPAMS;
    funds.window = this;
    funds.menuName = "fundListMenu";
    funds.deleteName = "deleteFundAction";
    funds.closeName = "closeFundListAction";
    funds.pickHandler = QStringLiteral("LISTE_CPAMSClick");
    funds.opensOnClick = true;
    funds.menuOnField = true;
    m_funds = new PickListBinding(funds);

    // Dates.
    for (DateEdit *date : {DATE, DATE_ACTE, DDN, DDG})
        date->setKeyDownHandler([this](DateEdit *edit, QKeyEvent *key) { stepDateByKey(edit, key); });
    for (DateEdit *date : {DATE_ACTE, DATE})
        connect(date, &DateEdit::doubleClicked, this, guarded([this] { setActDateToday(); }));
    connect(DDN, &DateEdit::dateAccepted, this,
            [this](const QDate &picked) { runGuarded([this, picked] { birthDateAccepted(picked); }); });
    connect(MATRICULE, &SheetEdit::doubleClicked, this, guarded([this] { fillNumberPrefix(); }));

    // Move and resize with the mouse: every field on the panel, the image,
    // the label and the stamp; not ACTE_4 nor the pick lists.
    for (SheetEdit *edit : m_plainFields)
        if (edit != ACTE_4)
            bindMoveAndResize(edit);
    for (QWidget *control : std::initializer_list<QWidget *>{DDN, DDG, DATE, DATE_ACTE, formImage, oriente})
        bindMoveAndResize(control);
    bindMoveAndResize(NOTE);
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

void CareSheetWindow::showCcamText()
{
    ccamViewerWindow->showForCode(CCAM_1->text());
}

void CareSheetWindow::openCodingHelp()
{
    openDocument(CcamReference::codingHelpPage(CCAM_1->text()));
}

void CareSheetWindow::openAmeliSheet()
{
    openDocument(CcamReference::shortActSheet(CCAM_1->text()));
}

void CareSheetWindow::showModifierCalculator()
{
    modifierCalculatorWindow->show();
    modifierCalculatorWindow->raise();
    modifierCalculatorWindow->activateWindow();
}

void CareSheetWindow::openModifiersNote()
{
    copyToClipboard(CCAM_1->text());
    openDocument(CcamReference::modifiersNote());
}

void CareSheetWindow::openOfficialJournal()
{
    copyToClipboard(CCAM_1->text());
    openDocument(CcamReference::officialJournalText());
}
