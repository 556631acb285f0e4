#include "CareSheetWindow.h"

#include "config/ProgramSettings.h"
#include "config/FieldCatalogue.h"
#include "widgets/ImagePanel.h"
#include "widgets/SheetEdit.h"
#include "config/WebPages.h"
#include "widgets/MoveResizeController.h"
#include "sheet/CareSheet.h"
#include "sheet/SheetRules.h"
#include "print/SheetPrinter.h"
#include "sheet/PatientImportBinding.h"
#include "sheet/ActModelCommands.h"
#include "widgets/DateEdit.h"
#include "widgets/FormImage.h"
#include "print/JpegCodec.h"
#include "widgets/StampLabel.h"
#include "windows/PresentationTargets.h"
#include "support/ActionGuard.h"
#include "support/Dialogs.h"
#include "support/Platform.h"
#include "support/TextFile.h"
#include "widgets/ListBoxes.h"
#include "support/DataFolder.h"
#include "support/Desktop.h"
#include "support/SettingsStore.h"
#include "widgets/WindowPlacing.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>

namespace {
// The window's client area as designed.
const QSize kDesignClient(820, 956);
const QPoint kDesignPlace(559, 0);
} // namespace

CareSheetWindow::CareSheetWindow(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(placementName(PlacedWindow::CareSheet));
    setWindowTitle(QStringLiteral("Tiravon"));
    setAttribute(Qt::WA_QuitOnClose, false);
    QFont windowFont(QStringLiteral("MS Sans Serif"), 8);
    setFont(windowFont);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    moveResize = new MoveResizeController(this);
    moveResize->setObjectName(QStringLiteral("moveResize"));

    buildClientArea();
    buildMenus();
    buildPopupMenus();
    PrintableSheet printable;
    printable.window = this;
    printable.scrollArea = scrollArea;
    printable.page = m_sheet;
    printable.imagePanel = imagePanel;
    printable.formImage = formImage;
    printable.field = [this](const QString &name) { return m_sheet->field(name); };
    printable.plainFields = [this] { return m_sheet->plainTextFields(); };
    printable.borderTick = borderAction;
    printable.threeDTick = threeDAction;
    printable.printCommand = printAction;
    m_printing = new SheetPrinter(printable);
    setUpFieldHandlers();
    m_patient = new PatientImportBinding(
        this, [this](const QString &name) { return m_sheet->field(name); },
        [this] { return m_sideWindows.patients; }, importPatientAction, importAtStartAction);
    ActModelCommands::Setup models;
    models.window = this;
    models.form = &state;
    models.fieldNamed = [this](const QString &name) { return m_sheet->field(name); };
    models.stamp = NOTE;
    models.openCommand = openActModelAction;
    models.saveCommand = saveActModelAction;
    models.chooseAtStartTick = chooseActAtStartAction;
    models.shortcutList = [this] { return m_sideWindows.shortcutList; };
    models.commitFieldBeingEdited = [this] { commitFieldBeingEdited(); };
    m_models = new ActModelCommands(models);

    move(kDesignPlace);
    resize(kDesignClient.width(), kDesignClient.height() + menuBar()->sizeHint().height());

    // The window sees every key typed in its fields before the field does.
    qApp->installEventFilter(this);

    readConfiguration();
}

CareSheetWindow::~CareSheetWindow()
{
    qApp->removeEventFilter(this);
}

void CareSheetWindow::buildClientArea()
{
    scrollArea = new QScrollArea(this);
    scrollArea->setObjectName(QStringLiteral("sheetScrollArea"));
    scrollArea->setFrameShape(QFrame::NoFrame);
    scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea->setWidgetResizable(true);
    scrollArea->setFocusPolicy(Qt::NoFocus);

    m_sheet = new CareSheet(this, moveResize);
    scrollArea->setWidget(m_sheet);
    setCentralWidget(scrollArea);
    imagePanel = m_sheet->imagePanel();
    formImage = m_sheet->formImage();
    ACTE_4 = static_cast<SheetEdit *>(m_sheet->field(QStringLiteral("ACTE_4")));
    NOM = static_cast<SheetEdit *>(m_sheet->field(QStringLiteral("NOM")));
    MATRICULE = static_cast<SheetEdit *>(m_sheet->field(QStringLiteral("MATRICULE")));
    ASSURE = static_cast<SheetEdit *>(m_sheet->field(QStringLiteral("ASSURE")));
    ASSURE_MATRICULE = static_cast<SheetEdit *>(m_sheet->field(QStringLiteral("ASSURE_MATRICULE")));
    ADRESSE = static_cast<SheetEdit *>(m_sheet->field(QStringLiteral("ADRESSE")));
    VILLE = static_cast<SheetEdit *>(m_sheet->field(QStringLiteral("VILLE")));
    CPAM = static_cast<SheetEdit *>(m_sheet->field(QStringLiteral("CPAM")));
    COCHE_MALADIE = static_cast<SheetEdit *>(m_sheet->field(QStringLiteral("COCHE_MALADIE")));
    COCHE_MATERNITE = static_cast<SheetEdit *>(m_sheet->field(QStringLiteral("COCHE_MATERNITE")));
    COCHE_ALD_0 = static_cast<SheetEdit *>(m_sheet->field(QStringLiteral("COCHE_ALD_0")));
    COCHE_ALD_1 = static_cast<SheetEdit *>(m_sheet->field(QStringLiteral("COCHE_ALD_1")));
    COCHE_ALD_TYPE = static_cast<SheetEdit *>(m_sheet->field(QStringLiteral("COCHE_ALD_TYPE")));
    COCHE_ACCES = static_cast<SheetEdit *>(m_sheet->field(QStringLiteral("COCHE_ACCES")));
    MEDECIN = static_cast<SheetEdit *>(m_sheet->field(QStringLiteral("MEDECIN")));
    CCAM_1 = static_cast<SheetEdit *>(m_sheet->field(QStringLiteral("CCAM_1")));
    CCAM_2 = static_cast<SheetEdit *>(m_sheet->field(QStringLiteral("CCAM_2")));
    ACTE_1 = static_cast<SheetEdit *>(m_sheet->field(QStringLiteral("ACTE_1")));
    ACTE_2 = static_cast<SheetEdit *>(m_sheet->field(QStringLiteral("ACTE_2")));
    ACTE_3 = static_cast<SheetEdit *>(m_sheet->field(QStringLiteral("ACTE_3")));
    TARIF_1 = static_cast<SheetEdit *>(m_sheet->field(QStringLiteral("TARIF_1")));
    TARIF_2 = static_cast<SheetEdit *>(m_sheet->field(QStringLiteral("TARIF_2")));
    TARIF_3 = static_cast<SheetEdit *>(m_sheet->field(QStringLiteral("TARIF_3")));
    TARIF_4 = static_cast<SheetEdit *>(m_sheet->field(QStringLiteral("TARIF_4")));
    MONTANT_TOTAL = static_cast<SheetEdit *>(m_sheet->field(QStringLiteral("MONTANT_TOTAL")));
    COCHE_NP_OBLIGAT = static_cast<SheetEdit *>(m_sheet->field(QStringLiteral("COCHE_NP_OBLIGAT")));
    COCHE_NP_COMP = static_cast<SheetEdit *>(m_sheet->field(QStringLiteral("COCHE_NP_COMP")));
    DDN = static_cast<DateEdit *>(m_sheet->field(QStringLiteral("DDN")));
    DDG = static_cast<DateEdit *>(m_sheet->field(QStringLiteral("DDG")));
    DATE_ACTE = static_cast<DateEdit *>(m_sheet->field(QStringLiteral("DATE_ACTE")));
    DATE = static_cast<DateEdit *>(m_sheet->field(QStringLiteral("DATE")));
    LISTE_VILLES = static_cast<QListWidget *>(m_sheet->field(QStringLiteral("LISTE_VILLES")));
    Liste_CPAMS = static_cast<QListWidget *>(m_sheet->field(QStringLiteral("Liste_CPAMS")));
    oriente = static_cast<QLabel *>(m_sheet->field(QStringLiteral("oriente")));
    NOTE = static_cast<StampLabel *>(m_sheet->field(QStringLiteral("NOTE")));
    m_rules = m_sheet->rules();
}

QWidget *CareSheetWindow::field(const QString &name) const
{
    return m_sheet->field(name);
}

const QList<SheetEdit *> &CareSheetWindow::plainTextFields() const
{
    return m_sheet->plainTextFields();
}


// ---------------------------------------------------------------------------
// Start-up, first show, closing

void CareSheetWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    runGuarded([this] { atFirstShow(); });
    // The sheet opens at its top, on the patient's name.
    NOM->setFocus();
    scrollArea->verticalScrollBar()->setValue(0);
}

void CareSheetWindow::atFirstShow()
{
    const QRect workArea = platform().workArea();
    if (height() > workArea.height())
        resize(width(), workArea.height());

    if (m_sideWindows.presentation) {
        m_sideWindows.presentation->move(settingNumber(Setting::PresentationLeft), settingNumber(Setting::PresentationTop));
        m_sideWindows.presentation->setVisible(settingFlag(Setting::PresentationShown));
    }
    if (m_sideWindows.shortcuts) {
        m_sideWindows.shortcuts->setVisible(settingFlag(Setting::ShortcutsShown));
        bool exists = false;
        const QStringList shortcuts = readLineFile(sideFilePath(SideFile::Shortcuts), &exists);
        if (exists)
            setListEntries(m_sideWindows.shortcutList, shortcuts);
    }

    lockFieldsAction->setChecked(settingFlag(Setting::FieldsLocked));
    applyLock();

    m_rules->applyMaternityRule();

    m_patient->importAtFirstShow();
    m_models->openAtStart();

    showOrienteAction->setChecked(!oriente->isHidden());
    if (showOrienteAction->isChecked())
        oriente->setVisible(!MEDECIN->isHidden());
}

void CareSheetWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (!m_closing) {
        m_closing = true;
        saveAtClose();
        emit closed();
    }
}

void CareSheetWindow::saveAtClose()
{
    // A failed save is told to the user, and the window closes all the same.
    runGuarded([this] {
        saveWindowPlacement(this);
        saveConfiguration();
    });
    m_patient->writeBackAtClose();
}

// ---------------------------------------------------------------------------
// Keys previewed by the window

bool CareSheetWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (dropFilter(watched, event))
        return true;
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return QMainWindow::eventFilter(watched, event);
    // The key goes to the focused field, or to the window itself when no
    // field has the focus (after a pick list has been hidden, say).
    QWidget *focus = QApplication::focusWidget();
    const bool ours = watched == focus ? focus && focus->window() == this : watched == this && !focus;
    if (!ours)
        return QMainWindow::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (event->type() == QEvent::ShortcutOverride)
        return isWindowShortcut(key);
    if (handleWindowKey(key))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

bool CareSheetWindow::isWindowShortcut(const QKeyEvent *key) const
{
    // An edit box claims some keys for itself before the window's shortcuts
    // see them (Ctrl+Y is its "redo" with the Windows keys, Ctrl+E its "end
    // of line" with others): the window's menu keys win, as on Windows, where
    // a one-line edit box has no such keys. Ctrl+V stays the field's paste.
    const QKeySequence pressed(key->keyCombination());
    for (const QAction *action : actions())
        if (action != pasteAction && action->isEnabled() && !action->shortcut().isEmpty()
            && action->shortcut() == pressed)
            return true;
    return false;
}

bool CareSheetWindow::handleWindowKey(QKeyEvent *event)
{
    // Only Escape is the window's; every other key goes on to the field.
    if (event->key() != Qt::Key_Escape || event->modifiers() != Qt::NoModifier)
        return false;
    runGuarded([this] {
        if (!dialogs().confirm(QStringLiteral("Initialiser les champs ?")))
            return;
        NOM->setText(QString());
        MATRICULE->setText(QString());
        DDN->setText(QString());
        ASSURE->setText(QString());
        ASSURE_MATRICULE->setText(QString());
        ADRESSE->setText(QString());
        VILLE->setText(QString());
        m_patient->forgetImportedPatient();
        NOM->setFocus();
    });
    return true;
}

// ---------------------------------------------------------------------------
// Small commands of the window

void CareSheetWindow::clearAll()
{
    for (SheetEdit *edit : m_sheet->plainTextFields())
        edit->setText(QString());
    m_patient->forgetImportedPatient();
}












PresentationTargets CareSheetWindow::presentationTargets()
{
    PresentationTargets targets;
    targets.imagePanel = imagePanel;
    targets.careSheet = this;
    targets.image = formImage;
    targets.stamp = NOTE;
    targets.stampMenuTick = showStampAction;
    targets.quit = quitAction;
    targets.saveConfiguration = [this] { saveConfiguration(); };
    // "CCAM texte complet"; while that item is not there yet, the viewer.
    targets.showCcamText = [this] {
        if (ccamTextAction->isEnabled())
            ccamTextAction->trigger();
        else if (m_sideWindows.ccamViewer)
            m_sideWindows.ccamViewer->show();
    };
    return targets;
}

void CareSheetWindow::patientDatabaseMissing()
{
    m_patient->databaseMissing();
}

void CareSheetWindow::openActShortcut(const QString &actName)
{
    m_models->openShortcut(actName);
}
