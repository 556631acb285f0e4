// The main menu, the pop-up menus, the buttons at the right end of the menu
// bar, and the binding of the fields' events to the window's handlers.
#include "CareSheetWindow.h"

#include "widgets/ImagePanel.h"
#include "widgets/MenuItems.h"
#include "widgets/SheetEdit.h"
#include "widgets/MoveResizeController.h"
#include "widgets/DateEdit.h"
#include "widgets/DrawnIcon.h"
#include "sheet/PickListBinding.h"
#include "sheet/CareSheet.h"
#include "sheet/SheetRules.h"
#include "print/SheetPrinter.h"
#include "sheet/StampController.h"
#include "widgets/FormImage.h"
#include "widgets/StampLabel.h"
#include "support/ActionGuard.h"
#include "support/TextFile.h"
#include "support/Platform.h"
#include "support/Dialogs.h"
#include "config/WebPages.h"
#include "config/ProgramSettings.h"
#include "acts/CcamReference.h"
#include "support/Desktop.h"

#include <QAction>
#include <QFileInfo>
#include <QLineEdit>
#include <QFile>
#include <QApplication>
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
    QAction *action = newMenuItem(menu, window, name, caption);
    action->setShortcut(shortcut);
    action->setCheckable(ticks);
    window->addAction(action);
    return action;
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

// The sheet's first CCAM code on the clipboard, nothing when it is empty.
void copyToClipboard(const QString &code)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    if (!code.isEmpty())
        clipboard->setText(code);
}

const QString kMovingFieldsHelp = QStringLiteral(
        "POSITIONNEMENT DES CHAMPS\r\rDEPLACER ==> TOUCHE \"CTRL\" + BOUTON GAUCHE\r\r"
        "REDIMENSIONNER ==> TOUCHE \"MAJ\" + BOUTON GAUCHE");

const QString kThanks = QStringLiteral(
        "Merci aux développeurs de logiciels libres dont Tiravon utilise les travaux :\r\r"
        "- l'équipe du projet Qt (qt.io) et sa communauté, pour la bibliothèque qui dessine "
        "les fenêtres, les champs et les boîtes de dialogue, déplace et redimensionne les champs, "
        "tourne le texte du tampon et imprime la feuille ;\r"
        "- l'Independent JPEG Group et l'équipe libjpeg-turbo (libjpeg-turbo.org), pour la lecture "
        "et l'écriture des images JPEG du formulaire.\r\r"
        "Tout le code source de Tiravon est disponible sur le site de son auteur.\r\r"
        "Encouragez les logiciels libres et ouverts !");

} // namespace

void CareSheetWindow::buildMenus()
{
    // The main menu, one row per item, in the order the menus show them.
    enum Menu { Fichier, Acte, Editer, Afficher, Outils, Ccam, MenuBar, Aide, NoMenu };
    struct Item
    {
        Menu menu;
        bool separatorBefore;
        const char *name;
        const char *caption;
        QKeySequence key;
        bool ticks;
        QAction *CareSheetWindow::*member;
        std::function<void()> run;
    };
    const auto key = [](QKeyCombination combination) { return QKeySequence(combination); };
    const QKeySequence none;
    const Item items[] = {
        {Fichier, false, "loadFormImageAction", "&Charger l'image d'un formulaire", none, false,
         &CareSheetWindow::loadFormImageAction, [this] { chooseFormImage(); }},
        {Fichier, false, "togglePresentationAction", "Cadrer l'image", key(Qt::CTRL | Qt::Key_I), false,
         &CareSheetWindow::togglePresentationAction,
         [this] {
             m_sideWindows.presentation->setVisible(m_sideWindows.presentation->isHidden());
             m_sideWindows.shortcuts->setVisible(!m_sideWindows.presentation->isHidden());
         }},
        {Fichier, false, "editFormImageAction", "Editer l'image", key(Qt::CTRL | Qt::Key_E), false,
         &CareSheetWindow::editFormImageAction, [this] {
             if (QFileInfo(state.formImagePath).isFile())
                 platform().openDocument(state.formImagePath);
             else
                 dialogs().information(QStringLiteral("Image \"%1\" non trouvée").arg(state.formImagePath));
         }},
        {Fichier, false, "saveConfigurationAction", "Enregistrer la configuration", key(Qt::CTRL | Qt::Key_W), false,
         &CareSheetWindow::saveConfigurationAction, [this] { saveConfiguration(); }},
        {Fichier, true, "clearAllAction", "Tout effacer", key(Qt::CTRL | Qt::Key_Y), false,
         &CareSheetWindow::clearAllAction, [this] { clearAll(); }},
        {Fichier, true, "printAction", "&Imprimer", key(Qt::CTRL | Qt::Key_P), false, &CareSheetWindow::printAction,
         [this] { m_printing->printOnPaper(); }},
        {Fichier, false, "calibrationAction", "Imprimer une page de calibrage", none, false, nullptr,
         [this] { m_printing->printCalibration(); }},
        {Fichier, false, "printerOffsetsAction", "Décalage de l'imprimante", none, false, nullptr,
         [this] { m_printing->showPrinterOffsets(); }},
        {Fichier, false, "previewAction", "Aperçu avant impression", none, false, nullptr, [this] { m_printing->showPreview(); }},
        {Fichier, true, "quitAction", "&Quitter", key(Qt::CTRL | Qt::Key_Q), false, &CareSheetWindow::quitAction,
         nullptr},

        {Acte, false, "openActModelAction", "&Choisir un modèle d'Acte pour ce formulaire", key(Qt::CTRL | Qt::Key_O),
         false, &CareSheetWindow::openActModelAction, nullptr},
        {Acte, false, "saveActModelAction", "&Enregistrer le modèle", key(Qt::CTRL | Qt::Key_S), false,
         &CareSheetWindow::saveActModelAction, nullptr},

        {Editer, false, "fieldsFontAction", "&Police", none, false, &CareSheetWindow::fieldsFontAction,
         [this] {
             // The dialog's answer is not consulted: after a cancel the fields take
             // the font of NOM, which the dialog was opened with.
             FontChoice initial;
             initial.font = NOM->font();
             const FontChoice chosen = dialogs().chooseFont(initial);
             for (SheetEdit *edit : m_sheet->plainTextFields())
                 takeFontOf(edit, chosen.font);
             for (DateEdit *date : {DATE, DATE_ACTE, DDG})
                 takeFontOf(date, chosen.font);
         }},
        {Editer, false, "borderAction", "&Encadrer", none, true, &CareSheetWindow::borderAction,
         [this] {
             const bool framed = borderAction->isChecked();
             for (SheetEdit *edit : m_sheet->plainTextFields())
                 edit->setBordered(framed);
             for (DateEdit *date : {DATE, DATE_ACTE, DDN, DDG})
                 date->setFramed(framed);
         }},
        {Editer, false, "threeDAction", "3D", none, true, &CareSheetWindow::threeDAction, [this] {
             for (SheetEdit *edit : m_sheet->plainTextFields())
                 edit->set3D(threeDAction->isChecked());
         }},
        {Editer, true, "addTextFieldAction", "&Ajouter un champ texte", key(Qt::CTRL | Qt::Key_T), false,
         &CareSheetWindow::addTextFieldAction, [this] { addTextField(); }},
        {Editer, true, "lockFieldsAction", "Verrouiller/déverrouiller les champs", none, true,
         &CareSheetWindow::lockFieldsAction, [this] { applyLock(); }},

        {Afficher, false, "textOnlyAction", "&Texte seul", none, true, &CareSheetWindow::textOnlyAction,
         [this] {
             formImage->setVisible(!textOnlyAction->isChecked());
         }},
        // Shown and hidden by the stamp's controller.
        {Afficher, false, "showStampAction", "Tampon", none, true, &CareSheetWindow::showStampAction, nullptr},
        {Afficher, false, "showOrienteAction", "MT: Remplacer \"envoyé\" par \"orienté\"", none, true,
         &CareSheetWindow::showOrienteAction, [this] { oriente->setVisible(showOrienteAction->isChecked()); }},
        {Afficher, true, "hideNameAction", "Masquer le &Nom", none, true, &CareSheetWindow::hideNameAction,
         [this] { NOM->setVisible(!hideNameAction->isChecked()); }},
        {Afficher, false, "hideDatesAction", "Masquer les &Dates", none, true, &CareSheetWindow::hideDatesAction,
         [this] {
             for (DateEdit *date : {DATE, DATE_ACTE, DDG, DDN})
                 date->setVisible(!hideDatesAction->isChecked());
         }},
        {Afficher, true, "fitScreenHeightAction", "Ajuster à la hauteur de l'écran", none, false,
         &CareSheetWindow::fitScreenHeightAction, [this] {
             const QRect workArea = platform().workArea();
             move(x(), 0);
             if (workArea.height() < height())
                 resize(width(), workArea.height());
             imagePanel->resize(imagePanel->width(), workArea.height());
         }},
        {Afficher, false, "fullHeightAction", "Maxi", none, false, &CareSheetWindow::fullHeightAction,
         [this] {
             move(x(), 0);
             resize(width(), 1110);
         }},
        {Afficher, true, "showShortcutsAction", "&Historique des actes", none, false, nullptr,
         [this] {
             m_sideWindows.shortcuts->show();
             m_sideWindows.shortcuts->raise();
         }},
        {Afficher, false, "showPresentationAction", "&Configuration", none, false, nullptr,
         [this] {
             m_sideWindows.presentation->move(0, 0);
             m_sideWindows.presentation->show();
         }},

        {Outils, false, "exploreModelsAction", "Explorer les modèles", none, false, nullptr,
         [this] { platform().openDocument(state.modelsFolder); }},
        {Outils, true, "traceVariablesAction", "Trace Variables", none, false, &CareSheetWindow::traceVariablesAction,
         [this] {
             dialogs().information(QStringLiteral("FORM INI = ") + state.formConfigPath + QLatin1Char('\r')
                                   + QStringLiteral("IMAGE = ") + state.formImagePath + QLatin1Char('\r')
                                   + QStringLiteral("ACTE = ") + state.currentActName + QLatin1Char('\r')
                                   + QStringLiteral("DOSSIER MODELES = ") + state.modelsFolder + QLatin1Char('\r')
                                   + QStringLiteral("MODELE = ") + state.formModelName + QLatin1Char('\r'));
         }},
        {Outils, false, "chooseActAtStartAction", "Choisir un acte à l'ouverture", none, true,
         &CareSheetWindow::chooseActAtStartAction, nullptr},
        {Outils, false, "importAtStartAction", "Placer le nom du patient actuel dans &Navélis", none, true,
         &CareSheetWindow::importAtStartAction, nullptr},

        // The C.C.A.M menu: the web look-ups of the sheet's first code, the
        // modifier documents (the code copied first), the reference text and
        // the modifier calculator.
        {Ccam, false, "codingHelpAction", "Aide au codage ... ", none, false, nullptr,
         [this] { openDocument(CcamReference::codingHelpPage(CCAM_1->text())); }},
        {Ccam, false, "ameliAction", "Améli ...", none, false, nullptr,
         [this] { openDocument(CcamReference::shortActSheet(CCAM_1->text())); }},
        {Ccam, true, "modifiersNoteAction", "Mises à jour 1/7/2013 (modificateurs)", none, false, nullptr,
         [this] {
             copyToClipboard(CCAM_1->text());
             openDocument(CcamReference::modifiersNote());
         }},
        {Ccam, false, "officialJournalAction", "JORF n°0124 du 31 mai 2013 page 9008 ", none, false, nullptr,
         [this] {
             copyToClipboard(CCAM_1->text());
             openDocument(CcamReference::officialJournalText());
         }},
        {Ccam, true, "ccamTextAction", "CCAM texte complet", none, false, &CareSheetWindow::ccamTextAction,
         [this] { m_sideWindows.showCcamText(CCAM_1->text()); }},
        {Ccam, true, "modifierCalculatorAction", "Recaluler le tarif avec les modificateurs", none, false, nullptr,
         [this] {
             m_sideWindows.calculator->show();
             m_sideWindows.calculator->raise();
             m_sideWindows.calculator->activateWindow();
         }},

        {MenuBar, false, "importPatientAction", ".N", none, false, &CareSheetWindow::importPatientAction,
         nullptr},

        {Aide, false, "careSheetInfoAction", "La feuille de soins", none, false, nullptr,
         [] { openDocument(WebPages::careSheetInformation()); }},
        {Aide, true, "onlineManualAction", "&Manuel en ligne", key(Qt::CTRL | Qt::Key_F1), false,
         &CareSheetWindow::onlineManualAction, [] { openDocument(WebPages::onlineManual()); }},
        {Aide, false, "movingFieldsHelpAction", "Déplacer les champs", key(Qt::Key_F1), false, nullptr,
         [] { dialogs().information(kMovingFieldsHelp); }},
        {Aide, true, "thanksAction", "Remerciements/Thank's", none, false, nullptr,
         [] { dialogs().information(kThanks); }},
        // "Rechercher une nouvelle version ..." does nothing, as it always has.
        {Aide, true, "newVersionAction", "Rechercher une nouvelle version ...", none, false, nullptr, nullptr},
        {Aide, false, "personalNotesAction", "&Notes perso", none, false, nullptr,
         [] {
             const QString notes = sideFilePath(SideFile::PersonalNotes);
             if (!QFile::exists(notes))
                 writeTextFile(notes, QString(), TextEncoding::Windows1252);
             platform().editTextFile(notes);
         }},

        // Actions on no menu.
        {NoMenu, false, "pasteAction", "Coller", key(Qt::CTRL | Qt::Key_V), false, &CareSheetWindow::pasteAction,
         [] {
             if (auto *edit = qobject_cast<QLineEdit *>(QApplication::focusWidget()))
                 edit->paste();
         }},
        {NoMenu, false, "readConfigurationAction", "INI_GET", none, false, nullptr, [this] { readConfiguration(); }},
        {NoMenu, false, "computeTotalAction", "Calcule &Total", none, false, nullptr,
         [this] { m_rules->computeTotal(); }},
    };

    QMenuBar *bar = menuBar();
    QMenu *menus[NoMenu] = {};
    const char *const titles[NoMenu] = {"&Fichier", "&Acte", "&Editer", "&Afficher", "Outils", "C.C.A.M", nullptr, "?"};
    for (const Item &item : items) {
        QMenu *menu = nullptr;
        if (item.menu != NoMenu && item.menu != MenuBar) {
            if (!menus[item.menu])
                menus[item.menu] = bar->addMenu(QString::fromUtf8(titles[item.menu]));
            menu = menus[item.menu];
            if (item.separatorBefore)
                menu->addSeparator();
        }
        QAction *action = addItem(menu, this, item.name, QString::fromUtf8(item.caption), item.key, item.ticks);
        if (item.menu == MenuBar)
            bar->addAction(action);
        if (item.member)
            this->*item.member = action;
        if (item.run)
            connect(action, &QAction::triggered, this, guarded(item.run));
    }
    connect(quitAction, &QAction::triggered, this, &QWidget::close);
    loadFormImageAction->setToolTip(QStringLiteral("Charger l'image JPG A4 d'un formulaire"));
    saveActModelAction->setToolTip(QStringLiteral("Enregistrer le modèle"));
    makeDefaultItem(menus[Editer], fieldsFontAction);
    fullHeightAction->setVisible(false);
    traceVariablesAction->setVisible(false);
    setAcceptDrops(true);

    // The buttons at the right end of the menu bar.
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
    button("openModelButton", QStringLiteral("Ouvrir un modèle de formulaire (CTRL+O)"),
                         openIcon(), openActModelAction);
    button("saveModelButton", QStringLiteral("Enregistrer le modèle (CTRL+S)"),
                         saveIcon(), saveActModelAction);
    button("printButton", QStringLiteral("Lancer l'impression (CTRL+P)"), printerIcon(), printAction);
    button("presentationButton", QStringLiteral("Paramètres de présentation"),
                            optionsIcon(), togglePresentationAction);
    button("helpButton", QStringLiteral("Aide en ligne"),
                         helpIcon(), onlineManualAction);
    menuBar()->setCornerWidget(buttons, Qt::TopRightCorner);
}

void CareSheetWindow::buildPopupMenus()
{
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
    attach(NOTE, m_stamp->menu());
    attach(formImage, imageMenu);
}


void CareSheetWindow::setUpFieldHandlers()
{
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

    // Move and resize with the mouse: every field on the panel, the image,
    // the label and the stamp; not ACTE_4 nor the pick lists.
    for (SheetEdit *edit : m_sheet->plainTextFields())
        if (edit != ACTE_4)
            m_sheet->bindMoveAndResize(edit);
    for (QWidget *control : std::initializer_list<QWidget *>{DDN, DDG, DATE, DATE_ACTE, formImage, oriente})
        m_sheet->bindMoveAndResize(control);
    m_sheet->bindMoveAndResize(NOTE);
}
