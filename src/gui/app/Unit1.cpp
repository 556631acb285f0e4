#include "Unit1.h"

#include "config/FieldCatalogue.h"
#include "widgets/ImagePanel.h"
#include "widgets/SheetEdit.h"
#include "config/WebPages.h"
#include "variables_globales.h"
#include "windows/unit_HISTORIQUE.h"
#include "widgets/MRControl_32.h"
#include "widgets/DateEdit.h"
#include "widgets/FormImage.h"
#include "print/JpegCodec.h"
#include "widgets/StampLabel.h"
#include "windows/unit_options.h"
#include "support/ActionGuard.h"
#include "support/Dialogs.h"
#include "support/Platform.h"
#include "support/TextFile.h"
#include "widgets/tq32_LISTES.h"
#include "support/tq32_ini.h"
#include "widgets/FormPlacement.h"

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

TForm1::TForm1(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tiravon"));
    setAttribute(Qt::WA_QuitOnClose, false);
    QFont windowFont(QStringLiteral("MS Sans Serif"), 8);
    setFont(windowFont);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    MRControl1 = new TMRControl(this);
    MRControl1->setObjectName(QStringLiteral("MRControl1"));

    buildClientArea();
    buildFields();
    buildMenus();
    buildPopupMenus();
    buildTitleBarButtons();
    setUpFieldHandlers();
    bindNavelis();
    setTabOrder();

    move(kDesignPlace);
    resize(kDesignClient.width(), kDesignClient.height() + menuBar()->sizeHint().height());

    // The window sees every key typed in its fields before the field does.
    qApp->installEventFilter(this);

    FormCreate();
}

TForm1::~TForm1()
{
    qApp->removeEventFilter(this);
}

void TForm1::buildClientArea()
{
    ScrollBox = new QScrollArea(this);
    ScrollBox->setObjectName(QStringLiteral("ScrollBox"));
    ScrollBox->setFrameShape(QFrame::NoFrame);
    ScrollBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ScrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox->setWidgetResizable(true);
    ScrollBox->setFocusPolicy(Qt::NoFocus);

    Client = new QWidget;
    Client->setObjectName(QStringLiteral("Client"));
    Client->setMinimumHeight(kScrollRange);
    Client->setAutoFillBackground(true);
    Client->setPalette(palette());
    ScrollBox->setWidget(Client);
    setCentralWidget(ScrollBox);

    Panel_IMAGE = new ImagePanel(Client);
    Panel_IMAGE->setObjectName(QStringLiteral("Panel_IMAGE"));
    Panel_IMAGE->setCaption(panelCaption());
    Panel_IMAGE->setGeometry(designPanelGeometry());

    Image1 = new FormImage(Panel_IMAGE);
    Image1->setObjectName(QStringLiteral("Image1"));
    // No picture yet: the reading of the configuration, which follows at
    // once, puts the form image or the built-in picture in (decoding the
    // built-in one here as well cost a tenth of the start).
    connect(Panel_IMAGE, &ImagePanel::resized, this, [this] { placeImage(); });
    placeImage();
}

void TForm1::placeImage()
{
    // The image fills the panel, one pixel in from each side.
    Image1->setGeometry(Panel_IMAGE->rect().adjusted(1, 1, -1, -1));
}

void TForm1::setCaptionFor(const QString &modelName, const QString &actName)
{
    setWindowTitle(QStringLiteral("%1@%2").arg(modelName, actName));
}

// ---------------------------------------------------------------------------
// Start-up, first show, closing

void TForm1::FormCreate()
{
    INI_GETExecute();
}

void TForm1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    runGuarded([this] { FormShow(); });
    // The sheet opens at its top, on the patient's name.
    NOM->setFocus();
    ScrollBox->verticalScrollBar()->setValue(0);
}

void TForm1::FormShow()
{
    const QRect workArea = platform().workArea();
    if (height() > workArea.height())
        resize(width(), workArea.height());

    if (Form_OPTIONS) {
        Form_OPTIONS->move(INI_ReadInteger(QStringLiteral("OPTIONS"), QStringLiteral("X"), 0),
                           INI_ReadInteger(QStringLiteral("OPTIONS"), QStringLiteral("Y"), 0));
        Form_OPTIONS->setVisible(INI_ReadBool(QStringLiteral("OPTIONS"), QStringLiteral("AFFICHE"), true));
    }
    if (form_historique) {
        form_historique->setVisible(INI_ReadBool(QStringLiteral("HISTORIQUE"), QStringLiteral("AFFICHE"), true));
        bool exists = false;
        const QStringList shortcuts = readLineFile(Program_Folder() + QStringLiteral("HISTORIQUE.TXT"), &exists);
        if (exists)
            setListEntries(form_historique->ListBox1, shortcuts);
    }

    mnu_VERROU->setChecked(INI_ReadBool(QStringLiteral("OPTIONS"), QStringLiteral("VERROU"), false));
    mnu_VERROUClick();

    applyMaternityRule();

    navelisAtFirstShow();
    openActAtStart();

    mnu_Oriente_Show->setChecked(!oriente->isHidden());
    if (mnu_Oriente_Show->isChecked())
        oriente->setVisible(!MEDECIN->isHidden());
}

void TForm1::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (!m_closing) {
        m_closing = true;
        FormClose();
        emit closed();
    }
}

void TForm1::FormClose()
{
    // A failed save is told to the user, and the window closes all the same.
    runGuarded([this] {
        Form_SavePosition(this);
        INI_SAVEExecute();
    });
    navelisAtClose();
}

// ---------------------------------------------------------------------------
// Keys previewed by the window

bool TForm1::eventFilter(QObject *watched, QEvent *event)
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
    if (FormKeyPress(key))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

bool TForm1::isWindowShortcut(const QKeyEvent *key) const
{
    // An edit box claims some keys for itself before the window's shortcuts
    // see them (Ctrl+Y is its "redo" with the Windows keys, Ctrl+E its "end
    // of line" with others): the window's menu keys win, as on Windows, where
    // a one-line edit box has no such keys. Ctrl+V stays the field's paste.
    const QKeySequence pressed(key->keyCombination());
    for (const QAction *action : actions())
        if (action != EditPaste1 && action->isEnabled() && !action->shortcut().isEmpty()
            && action->shortcut() == pressed)
            return true;
    return false;
}

bool TForm1::FormKeyPress(QKeyEvent *event)
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
        forgetImportedPatient();
        NOM->setFocus();
    });
    return true;
}

// ---------------------------------------------------------------------------
// Small commands of the window

void TForm1::mnu_ToutEffacerClick()
{
    for (SheetEdit *edit : m_plainFields)
        edit->setText(QString());
    forgetImportedPatient();
}

void TForm1::Co1Click()
{
    Form_OPTIONS->move(0, 0);
    Form_OPTIONS->show();
}

void TForm1::OPEN_CONFIGExecute()
{
    Form_OPTIONS->setVisible(Form_OPTIONS->isHidden());
    form_historique->setVisible(!Form_OPTIONS->isHidden());
}

void TForm1::Historique1Click()
{
    form_historique->show();
    form_historique->raise();
}

void TForm1::ExplorerClick()
{
    platform().openDocument(state.modelsFolder);
}

void TForm1::mnu_NotesClick()
{
    const QString notes = Program_Folder() + QStringLiteral("_NOTES.TXT");
    if (!QFile::exists(notes))
        writeTextFile(notes, QString(), TextEncoding::Windows1252);
    platform().editTextFile(notes);
}

void TForm1::mnu_AideEnLigneClick()
{
    Open_Document(WebPages::onlineManual());
}

void TForm1::Lafeuilledesoins1Click()
{
    Open_Document(WebPages::careSheetInformation());
}

void TForm1::CapBtn_HELPClick()
{
    dialogs().information(QStringLiteral(
        "POSITIONNEMENT DES CHAMPS\r\rDEPLACER ==> TOUCHE \"CTRL\" + BOUTON GAUCHE\r\r"
        "REDIMENSIONNER ==> TOUCHE \"MAJ\" + BOUTON GAUCHE"));
}

void TForm1::Merci1Click()
{
    dialogs().information(QStringLiteral(
        "Merci aux développeurs de logiciels libres dont Tiravon utilise les travaux :\r\r"
        "- l'équipe du projet Qt (qt.io) et sa communauté, pour la bibliothèque qui dessine "
        "les fenêtres, les champs et les boîtes de dialogue, déplace et redimensionne les champs, "
        "tourne le texte du tampon et imprime la feuille ;\r"
        "- l'Independent JPEG Group et l'équipe libjpeg-turbo (libjpeg-turbo.org), pour la lecture "
        "et l'écriture des images JPEG du formulaire.\r\r"
        "Tout le code source de Tiravon est disponible sur le site de son auteur.\r\r"
        "Encouragez les logiciels libres et ouverts !"));
}

void TForm1::VariablesProgramme1Click()
{
    dialogs().information(QStringLiteral("FORM INI = ") + state.formConfigPath + QLatin1Char('\r')
                          + QStringLiteral("IMAGE = ") + state.formImagePath + QLatin1Char('\r')
                          + QStringLiteral("ACTE = ") + state.currentActName + QLatin1Char('\r')
                          + QStringLiteral("DOSSIER MODELES = ") + state.modelsFolder + QLatin1Char('\r')
                          + QStringLiteral("MODELE = ") + state.formModelName + QLatin1Char('\r'));
}

void TForm1::EditPaste1Execute()
{
    if (auto *edit = qobject_cast<QLineEdit *>(QApplication::focusWidget()))
        edit->paste();
}
