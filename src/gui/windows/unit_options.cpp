#include "unit_options.h"

#include "print/PresentationRules.h"
#include "support/ActionGuard.h"
#include "support/Dialogs.h"
#include "support/TextFile.h"
#include "support/tq32_ini.h"
#include "widgets/FormImage.h"
#include "widgets/StampLabel.h"
#include "widgets/tq32_LISTES.h"

#include <QAction>
#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <climits>

namespace {

const QString kStampListFile = QStringLiteral("TAMPONS.TXT");

QString stampListPath()
{
    return Program_Folder() + kStampListFile;
}

// A bold, centred note on the tooltip colour.
QLabel *note(QWidget *parent, const QString &text, int height)
{
    auto *label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setFixedHeight(height);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setAutoFillBackground(true);
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::ToolTipBase));
    pal.setColor(QPalette::WindowText, pal.color(QPalette::ToolTipText));
    label->setPalette(pal);
    return label;
}

// A panel with its title bar on top; what it holds goes into the returned layout.
QVBoxLayout *titledPanel(QWidget *panel, const QString &title, QWidget *titleButton = nullptr)
{
    panel->setAutoFillBackground(true);
    auto *frame = new QFrame(panel);
    frame->setFrameShape(QFrame::NoFrame);
    auto *outer = new QVBoxLayout(panel);
    outer->setContentsMargins(1, 1, 1, 1);
    outer->setSpacing(2);
    auto *bar = new QWidget(panel);
    bar->setAutoFillBackground(true);
    QPalette pal = bar->palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Highlight));
    pal.setColor(QPalette::WindowText, pal.color(QPalette::HighlightedText));
    bar->setPalette(pal);
    auto *barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(4, 0, 1, 0);
    auto *caption = new QLabel(title, bar);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    barLayout->addWidget(caption, 1);
    if (titleButton) {
        titleButton->setParent(bar);
        barLayout->addWidget(titleButton);
    }
    outer->addWidget(bar);
    outer->addWidget(frame, 1);
    auto *inner = new QVBoxLayout(frame);
    inner->setContentsMargins(2, 0, 2, 2);
    return inner;
}

// A group holding one box.
QGroupBox *boxGroup(QWidget *parent, const QString &title, QWidget *box)
{
    auto *group = new QGroupBox(title, parent);
    auto *layout = new QVBoxLayout(group);
    layout->setContentsMargins(4, 2, 4, 4);
    box->setParent(group);
    layout->addWidget(box);
    return group;
}

WholeSpinBox *spinBox(const char *name)
{
    auto *box = new WholeSpinBox;
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

} // namespace

// ---------------------------------------------------------------------------

WholeSpinBox::WholeSpinBox(QWidget *parent)
    : QSpinBox(parent)
{
    setRange(INT_MIN, INT_MAX);
    setSingleStep(1);
    lineEdit()->installEventFilter(this);
}

QValidator::State WholeSpinBox::validate(QString &, int &) const
{
    // Whatever is typed is kept; what is not a number counts as 0.
    return QValidator::Acceptable;
}

int WholeSpinBox::valueFromText(const QString &text) const
{
    return wholeNumberOrZero(text);
}

bool WholeSpinBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonDblClick)
        emit doubleClicked();
    return QSpinBox::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------

TForm_OPTIONS::TForm_OPTIONS(const PresentationTargets &targets)
    : SideWindow(QStringLiteral("Form_OPTIONS"), QStringLiteral("Présentation"), QSize(259, 552),
                 Frame::FixedTool),
      m_targets(targets)
{
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    setFont(font);
    buildWindow();
    move(INI_ReadInteger(QStringLiteral("OPTIONS"), QStringLiteral("X"), 0),
         INI_ReadInteger(QStringLiteral("OPTIONS"), QStringLiteral("Y"), 0));
    connectHandlers();
    fillFromTargets();
}

void TForm_OPTIONS::buildWindow()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    auto *menus = new QMenuBar(this);
    QMenu *fichier = menus->addMenu(QStringLiteral("&Fichier"));
    Fermer1 = fichier->addAction(QStringLiteral("Fermer"));
    Fermer1->setObjectName(QStringLiteral("Fermer1"));
    QMenu *modeles = menus->addMenu(QStringLiteral("Modèles"));
    Modele1 = modeles->addAction(QStringLiteral("Modèle 1 (Brother HL)"));
    Modele1->setObjectName(QStringLiteral("Modele1"));
    layout->setMenuBar(menus);

    // 1: the two notes about the mouse gestures.
    layout->addWidget(note(this, QStringLiteral("Pour déplacer un champ => CTRL + SOURIS"), 25));
    layout->addWidget(note(this, QStringLiteral("Pour Redimensionner => MAJ + SOURIS"), 24));

    // 2: the panel "Image" with its help button and the four panel boxes.
    auto *imagePanel = new QWidget(this);
    imagePanel->setObjectName(QStringLiteral("Panel_Image"));
    imagePanel->setFixedHeight(150);
    btn_AideImage = new QPushButton(QStringLiteral("?"));
    btn_AideImage->setObjectName(QStringLiteral("btn_AideImage"));
    btn_AideImage->setFixedSize(16, 14);
    QVBoxLayout *imageBoxes = titledPanel(imagePanel, QStringLiteral("Image"), btn_AideImage);
    auto *grid = new QGridLayout;
    grid->setSpacing(2);
    SpinEditLeft = spinBox("SpinEditLeft");
    SpinEditTOP = spinBox("SpinEditTOP");
    SpinEdit_W = spinBox("SpinEdit_W");
    SpinEdit_H = spinBox("SpinEdit_H");
    grid->addWidget(boxGroup(imagePanel, QStringLiteral("Déplact.Horizontal"), SpinEditLeft), 0, 0);
    grid->addWidget(boxGroup(imagePanel, QStringLiteral("Déplact.Vertical"), SpinEditTOP), 0, 1);
    grid->addWidget(boxGroup(imagePanel, QStringLiteral("Largeur"), SpinEdit_W), 1, 0);
    grid->addWidget(boxGroup(imagePanel, QStringLiteral("&Hauteur"), SpinEdit_H), 1, 1);
    imageBoxes->addLayout(grid);
    chk_INIT = new QCheckBox(QStringLiteral("Ré-initialiser la taille de l'Image"), imagePanel);
    chk_INIT->setObjectName(QStringLiteral("chk_INIT"));
    imageBoxes->addWidget(chk_INIT);
    layout->addWidget(imagePanel);

    // 3: the automatic import's controls, never shown.
    Panel_NAVELIS = new QWidget(this);
    Panel_NAVELIS->setObjectName(QStringLiteral("Panel_NAVELIS"));
    auto *importRow = new QHBoxLayout(Panel_NAVELIS);
    auto *led = new QLabel(Panel_NAVELIS);
    led->setObjectName(QStringLiteral("LED_NAVELIS"));
    led->setFixedSize(12, 12);
    importRow->addWidget(led);
    auto *automate = new QCheckBox(QStringLiteral("Automate"), Panel_NAVELIS);
    automate->setObjectName(QStringLiteral("chk_Automate"));
    importRow->addWidget(automate);
    auto *paste = new QPushButton(QStringLiteral("Co&ller Nom"), Panel_NAVELIS);
    paste->setObjectName(QStringLiteral("btn_CollerNom"));
    importRow->addWidget(paste);
    layout->addWidget(Panel_NAVELIS);
    Panel_NAVELIS->hide();

    // 4: the stamp.
    Panel_NOTE = new QWidget(this);
    Panel_NOTE->setObjectName(QStringLiteral("Panel_NOTE"));
    QVBoxLayout *stampArea = titledPanel(Panel_NOTE, QStringLiteral("N"));
    GroupBox_NOTE = new QGroupBox(QStringLiteral("Tampon"), Panel_NOTE);
    GroupBox_NOTE->setObjectName(QStringLiteral("GroupBox_NOTE"));
    auto *stampGrid = new QGridLayout(GroupBox_NOTE);
    stampGrid->setContentsMargins(4, 2, 4, 4);
    stampGrid->setSpacing(2);
    EditNote = new QLineEdit(GroupBox_NOTE);
    EditNote->setObjectName(QStringLiteral("EditNote"));
    stampGrid->addWidget(EditNote, 0, 0, 1, 4);
    stampGrid->addWidget(new QLabel(QStringLiteral("Angle"), GroupBox_NOTE), 1, 0);
    SpinEdit_NOTE = spinBox("SpinEdit_NOTE");
    stampGrid->addWidget(SpinEdit_NOTE, 1, 1);
    stampGrid->addWidget(new QLabel(QStringLiteral("Taille"), GroupBox_NOTE), 1, 2);
    JvSpinEdit_Size = spinBox("JvSpinEdit_Size");
    stampGrid->addWidget(JvSpinEdit_Size, 1, 3);
    chk_NOTE = new QCheckBox(QStringLiteral("Montrer"), GroupBox_NOTE);
    chk_NOTE->setObjectName(QStringLiteral("chk_NOTE"));
    stampGrid->addWidget(chk_NOTE, 2, 0, 1, 4);
    stampArea->addWidget(GroupBox_NOTE);
    layout->addWidget(Panel_NOTE);

    // 5: the position of the care-sheet window on a small screen.
    auto *screenPanel = new QWidget(this);
    screenPanel->setObjectName(QStringLiteral("Panel_Screen"));
    QVBoxLayout *screenArea = titledPanel(screenPanel, QStringLiteral("E"));
    SpinEdit_Screen = spinBox("SpinEdit_Screen");
    screenArea->addWidget(boxGroup(screenPanel, QStringLiteral("Positionnement sur lécran"), SpinEdit_Screen));
    layout->addWidget(screenPanel);

    layout->addStretch(1);

    // 6: the save and quit buttons.
    auto *buttons = new QHBoxLayout;
    btn_Save = new QPushButton(QStringLiteral("Enregistrer la configuration"), this);
    btn_Save->setObjectName(QStringLiteral("btn_Save"));
    buttons->addWidget(btn_Save, 1);
    btn_quit = new QPushButton(QStringLiteral("&Quitter"), this);
    btn_quit->setObjectName(QStringLiteral("btn_quit"));
    buttons->addWidget(btn_quit);
    layout->addLayout(buttons);

    // 7: the CCAM reference text.
    btn_CCAM = new QPushButton(QStringLiteral("CCAM"), this);
    btn_CCAM->setObjectName(QStringLiteral("btn_CCAM"));
    btn_CCAM->setFixedHeight(58);
    layout->addWidget(btn_CCAM);

    // The stamp text list drops down over the stamp's group.
    Liste_NOTES = new QListWidget(this);
    Liste_NOTES->setObjectName(QStringLiteral("Liste_NOTES"));
    makeSortedList(Liste_NOTES);
    Liste_NOTES->setFixedHeight(120);
    Liste_NOTES->hide();
}

void TForm_OPTIONS::connectHandlers()
{
    QWidget *panel = m_targets.imagePanel;
    auto onBox = [this](WholeSpinBox *box, std::function<void(int)> apply, int doubleClickValue) {
        connect(box, qOverload<int>(&QSpinBox::valueChanged), this,
                [apply](int value) { runGuarded([&] { apply(value); }); });
        connect(box, &WholeSpinBox::doubleClicked, this, [box, apply, doubleClickValue] {
            runGuarded([&] {
                box->setValue(doubleClickValue);
                apply(doubleClickValue);
            });
        });
    };
    if (panel) {
        onBox(SpinEditLeft, [panel](int v) { panel->move(v, panel->y()); }, PanelBoxDefaults::left);
        onBox(SpinEditTOP, [panel](int v) { panel->move(panel->x(), v); }, PanelBoxDefaults::top);
        onBox(SpinEdit_W, [panel](int v) { panel->resize(v, panel->height()); }, PanelBoxDefaults::width);
        onBox(SpinEdit_H, [panel](int v) { panel->resize(panel->width(), v); }, PanelBoxDefaults::height);
    }
    if (QWidget *sheet = m_targets.careSheet)
        onBox(SpinEdit_Screen, [sheet](int v) { sheet->move(sheet->x(), careSheetTopFor(v)); }, PanelBoxDefaults::screen);

    if (StampLabel *stamp = m_targets.stamp) {
        connect(SpinEdit_NOTE, qOverload<int>(&QSpinBox::valueChanged), this,
                [stamp](int angle) { stamp->setAngle(angle); });
        connect(JvSpinEdit_Size, qOverload<int>(&QSpinBox::valueChanged), this, [stamp](int size) {
            if (size <= 0)
                return;   // a font has no size of 0 or less: the stamp keeps its own
            QFont font = stamp->font();
            font.setPointSize(size);
            stamp->setStampFont(font);
        });
        connect(EditNote, &QLineEdit::textChanged, this, [stamp](const QString &text) { stamp->setText(text); });
    }
    EditNote->installEventFilter(this);
    connect(chk_NOTE, &QCheckBox::toggled, this, guarded([this] { chk_NOTEClick(); }));
    connect(chk_INIT, &QCheckBox::toggled, this, guarded([this] { chk_INITClick(); }));
    connect(Liste_NOTES, &QListWidget::itemClicked, this, guarded([this] { Liste_NOTESClick(); }));
    connect(Liste_NOTES, &QListWidget::itemDoubleClicked, Liste_NOTES, &QWidget::hide);

    connect(Fermer1, &QAction::triggered, this, &QWidget::close);
    connect(Modele1, &QAction::triggered, this, guarded([this] { Modele1Click(); }));
    connect(btn_AideImage, &QPushButton::clicked, this, guarded([this] { btn_AideImageClick(); }));
    connect(btn_Save, &QPushButton::clicked, this, guarded([this] { btn_SaveClick(); }));
    if (QAction *quit = m_targets.quit)
        connect(btn_quit, &QPushButton::clicked, quit, &QAction::trigger);
    connect(btn_CCAM, &QPushButton::clicked, this, guarded([this] {
                if (m_targets.showCcamText)
                    m_targets.showCcamText();
            }));
}

void TForm_OPTIONS::fillFromTargets()
{
    if (StampLabel *stamp = m_targets.stamp) {
        JvSpinEdit_Size->setValue(stamp->font().pointSize());
        EditNote->setText(stamp->text());
    }
    if (QWidget *panel = m_targets.imagePanel) {
        const QRect geometry = panel->geometry();
        SpinEditLeft->setValue(geometry.x());
        SpinEditTOP->setValue(geometry.y());
        SpinEdit_W->setValue(geometry.width());
        SpinEdit_H->setValue(geometry.height());
    }
    bool exists = false;
    const QStringList texts = readLineFile(stampListPath(), &exists);
    if (exists)
        setListEntries(Liste_NOTES, texts);
}

// ---------------------------------------------------------------------------
// Handlers

void TForm_OPTIONS::Modele1Click()
{
    // Each box applies its value the moment it takes it, even one that held
    // it already while the panel was changed elsewhere.
    const PanelPreset preset = brotherHlPreset();
    QWidget *panel = m_targets.imagePanel;
    auto take = [](WholeSpinBox *box, int value, const std::function<void()> &apply) {
        box->setValue(value);
        apply();
    };
    take(SpinEdit_W, preset.width, [&] { if (panel) panel->resize(preset.width, panel->height()); });
    take(SpinEdit_H, preset.height, [&] { if (panel) panel->resize(panel->width(), preset.height); });
    take(SpinEditLeft, preset.left, [&] { if (panel) panel->move(preset.left, panel->y()); });
    take(SpinEditTOP, preset.top, [&] { if (panel) panel->move(panel->x(), preset.top); });
}

void TForm_OPTIONS::btn_AideImageClick()
{
    dialogs().information(QStringLiteral("L'image du formulaire doit être\r\r-Une image JPG\r\r"
                                         "-Au Format A4 soit (Paramétrage \"XNVIEW\"): \r\r"
                                         "->Taille écran : 794 * 1101\r->Taille Impression : 21 * 29;7 cm\r"
                                         "->Unités : 96"));
}

void TForm_OPTIONS::btn_SaveClick()
{
    if (m_targets.saveConfiguration)
        m_targets.saveConfiguration();
    saveOwnSettings();
}

void TForm_OPTIONS::chk_INITClick()
{
    // Ticked, the form image shows at its own pixel size, centred.
    if (m_targets.image)
        m_targets.image->setStretched(!chk_INIT->isChecked());
}

void TForm_OPTIONS::chk_NOTEClick()
{
    StampLabel *stamp = m_targets.stamp;
    if (chk_NOTE->isChecked()) {
        if (stamp) {
            stamp->show();
            stamp->setText(QStringLiteral("DUPLICATA"));
            stamp->resize(400, stamp->height());
        }
        chk_NOTE->setText(QStringLiteral("Cacher le Tampon"));
        if (m_targets.stampMenuTick)
            m_targets.stampMenuTick->setChecked(true);
    } else {
        if (stamp)
            stamp->hide();
        chk_NOTE->setText(QStringLiteral("Montrer le Tampon"));
    }
    SpinEdit_NOTE->setValue(10);
}

void TForm_OPTIONS::EditNoteEnter()
{
    // The list drops down just below the box, or folds up again.
    if (!Liste_NOTES->isHidden()) {
        Liste_NOTES->hide();
        return;
    }
    const QPoint below = EditNote->mapTo(this, QPoint(2, EditNote->height() + 2));
    Liste_NOTES->setGeometry(below.x(), below.y(), EditNote->width(), Liste_NOTES->height());
    Liste_NOTES->show();
    Liste_NOTES->raise();
}

void TForm_OPTIONS::EditNoteExit()
{
    AddUniqueToList(Liste_NOTES, EditNote->text(), true);
    if (m_targets.stamp)
        m_targets.stamp->setText(EditNote->text());
}

void TForm_OPTIONS::Liste_NOTESClick()
{
    if (QListWidgetItem *entry = Liste_NOTES->currentItem())
        EditNote->setText(entry->text());
    Liste_NOTES->hide();
}

bool TForm_OPTIONS::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == EditNote) {
        // The window losing or regaining the activation is no leaving or
        // entering of the box.
        const bool byActivation = (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
            && static_cast<QFocusEvent *>(event)->reason() == Qt::ActiveWindowFocusReason;
        switch (byActivation ? QEvent::None : event->type()) {
        case QEvent::FocusIn:
            runGuarded([this] { EditNoteEnter(); });
            break;
        case QEvent::FocusOut:
            runGuarded([this] { EditNoteExit(); });
            break;
        case QEvent::MouseButtonRelease:
            if (m_targets.stamp)
                m_targets.stamp->setText(EditNote->text());
            break;
        default:
            break;
        }
    }
    return SideWindow::eventFilter(watched, event);
}

void TForm_OPTIONS::saveOwnSettings()
{
    INI_WriteInteger(QStringLiteral("OPTIONS"), QStringLiteral("X"), x());
    INI_WriteInteger(QStringLiteral("OPTIONS"), QStringLiteral("Y"), y());
    writeLineFile(stampListPath(), listEntries(Liste_NOTES));
}

void TForm_OPTIONS::FormClose()
{
    saveOwnSettings();
}

TForm_OPTIONS::~TForm_OPTIONS()
{
    disconnectHandlers();
}
