#include "CareSheetWindow.h"

#include "config/ProgramSettings.h"
#include "config/FieldCatalogue.h"
#include "widgets/ImagePanel.h"
#include "widgets/SheetEdit.h"
#include "config/WebPages.h"
#include "widgets/MoveResizeController.h"
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
// The height of the page the window scrolls over.
const int kScrollRange = 1110;
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
    buildFields();
    buildMenus();
    buildPopupMenus();
    PrintableSheet printable;
    printable.window = this;
    printable.scrollArea = scrollArea;
    printable.page = sheetPage;
    printable.imagePanel = imagePanel;
    printable.formImage = formImage;
    printable.field = [this](const QString &name) { return m_fields.value(name); };
    printable.plainFields = [this] { return m_plainFields; };
    printable.borderTick = borderAction;
    printable.threeDTick = threeDAction;
    printable.printCommand = printAction;
    m_printing = new SheetPrinter(printable);
    setUpFieldHandlers();
    m_patient = new PatientImportBinding(
        this, [this](const QString &name) { return m_fields.value(name); },
        [this] { return m_sideWindows.patients; }, importPatientAction, importAtStartAction);
    ActModelCommands::Setup models;
    models.window = this;
    models.form = &state;
    models.fieldNamed = [this](const QString &name) { return m_fields.value(name); };
    models.stamp = NOTE;
    models.openCommand = openActModelAction;
    models.saveCommand = saveActModelAction;
    models.chooseAtStartTick = chooseActAtStartAction;
    models.shortcutList = [this] { return m_sideWindows.shortcutList; };
    models.commitFieldBeingEdited = [this] { commitFieldBeingEdited(); };
    m_models = new ActModelCommands(models);
    setTabOrder();

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

    sheetPage = new QWidget;
    sheetPage->setObjectName(QStringLiteral("sheetPage"));
    sheetPage->setMinimumHeight(kScrollRange);
    sheetPage->setAutoFillBackground(true);
    sheetPage->setPalette(palette());
    scrollArea->setWidget(sheetPage);
    setCentralWidget(scrollArea);

    imagePanel = new ImagePanel(sheetPage);
    imagePanel->setObjectName(QStringLiteral("imagePanel"));
    imagePanel->setCaption(panelCaption());
    imagePanel->setGeometry(designPanelGeometry());

    formImage = new FormImage(imagePanel);
    formImage->setObjectName(QStringLiteral("formImage"));
    // No picture yet: the reading of the configuration, which follows at
    // once, puts the form image or the built-in picture in (decoding the
    // built-in one here as well cost a tenth of the start).
    connect(imagePanel, &ImagePanel::resized, this, [this] { placeImage(); });
    placeImage();
}

void CareSheetWindow::placeImage()
{
    // The image fills the panel, one pixel in from each side.
    formImage->setGeometry(imagePanel->rect().adjusted(1, 1, -1, -1));
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
    for (SheetEdit *edit : m_plainFields)
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
