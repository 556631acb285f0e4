#include "PresentationWindow.h"

#include "config/ProgramSettings.h"
#include "print/PresentationRules.h"
#include "support/ActionGuard.h"
#include "support/Dialogs.h"
#include "support/TextFile.h"
#include "support/DataFolder.h"
#include "support/SettingsStore.h"
#include "widgets/FormImage.h"
#include "widgets/StampLabel.h"
#include "widgets/ListBoxes.h"

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

QString stampListPath()
{
    return sideFilePath(SideFile::StampTexts);
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

PresentationWindow::PresentationWindow(const PresentationTargets &targets)
    : SideWindow(placementName(PlacedWindow::Presentation), QStringLiteral("Présentation"), QSize(259, 552),
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
    move(settingNumber(Setting::PresentationLeft), settingNumber(Setting::PresentationTop));
    connectHandlers();
    fillFromTargets();
}

void PresentationWindow::buildWindow()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    auto *menus = new QMenuBar(this);
    QMenu *fichier = menus->addMenu(QStringLiteral("&Fichier"));
    closeAction = fichier->addAction(QStringLiteral("Fermer"));
    closeAction->setObjectName(QStringLiteral("Fermer1"));
    QMenu *modeles = menus->addMenu(QStringLiteral("Modèles"));
    brotherPresetAction = modeles->addAction(QStringLiteral("Modèle 1 (Brother HL)"));
    brotherPresetAction->setObjectName(QStringLiteral("Modele1"));
    layout->setMenuBar(menus);

    // 1: the two notes about the mouse gestures.
    layout->addWidget(note(this, QStringLiteral("Pour déplacer un champ => CTRL + SOURIS"), 25));
    layout->addWidget(note(this, QStringLiteral("Pour Redimensionner => MAJ + SOURIS"), 24));

    // 2: the panel "Image" with its help button and the four panel boxes.
    auto *imagePanel = new QWidget(this);
    imagePanel->setObjectName(QStringLiteral("Panel_Image"));
    imagePanel->setFixedHeight(150);
    imageHelpButton = new QPushButton(QStringLiteral("?"));
    imageHelpButton->setObjectName(QStringLiteral("btn_AideImage"));
    imageHelpButton->setFixedSize(16, 14);
    QVBoxLayout *imageBoxes = titledPanel(imagePanel, QStringLiteral("Image"), imageHelpButton);
    auto *grid = new QGridLayout;
    grid->setSpacing(2);
    panelLeftBox = spinBox("SpinEditLeft");
    panelTopBox = spinBox("SpinEditTOP");
    panelWidthBox = spinBox("SpinEdit_W");
    panelHeightBox = spinBox("SpinEdit_H");
    grid->addWidget(boxGroup(imagePanel, QStringLiteral("Déplact.Horizontal"), panelLeftBox), 0, 0);
    grid->addWidget(boxGroup(imagePanel, QStringLiteral("Déplact.Vertical"), panelTopBox), 0, 1);
    grid->addWidget(boxGroup(imagePanel, QStringLiteral("Largeur"), panelWidthBox), 1, 0);
    grid->addWidget(boxGroup(imagePanel, QStringLiteral("&Hauteur"), panelHeightBox), 1, 1);
    imageBoxes->addLayout(grid);
    naturalSizeTick = new QCheckBox(QStringLiteral("Ré-initialiser la taille de l'Image"), imagePanel);
    naturalSizeTick->setObjectName(QStringLiteral("chk_INIT"));
    imageBoxes->addWidget(naturalSizeTick);
    layout->addWidget(imagePanel);

    // 3: the automatic import's controls, never shown.
    importPanel = new QWidget(this);
    importPanel->setObjectName(QStringLiteral("Panel_NAVELIS"));
    auto *importRow = new QHBoxLayout(importPanel);
    auto *led = new QLabel(importPanel);
    led->setObjectName(QStringLiteral("LED_NAVELIS"));
    led->setFixedSize(12, 12);
    importRow->addWidget(led);
    auto *automate = new QCheckBox(QStringLiteral("Automate"), importPanel);
    automate->setObjectName(QStringLiteral("chk_Automate"));
    importRow->addWidget(automate);
    auto *paste = new QPushButton(QStringLiteral("Co&ller Nom"), importPanel);
    paste->setObjectName(QStringLiteral("btn_CollerNom"));
    importRow->addWidget(paste);
    layout->addWidget(importPanel);
    importPanel->hide();

    // 4: the stamp.
    stampPanel = new QWidget(this);
    stampPanel->setObjectName(QStringLiteral("Panel_NOTE"));
    QVBoxLayout *stampArea = titledPanel(stampPanel, QStringLiteral("N"));
    stampGroup = new QGroupBox(QStringLiteral("Tampon"), stampPanel);
    stampGroup->setObjectName(QStringLiteral("GroupBox_NOTE"));
    auto *stampGrid = new QGridLayout(stampGroup);
    stampGrid->setContentsMargins(4, 2, 4, 4);
    stampGrid->setSpacing(2);
    stampTextEdit = new QLineEdit(stampGroup);
    stampTextEdit->setObjectName(QStringLiteral("EditNote"));
    stampGrid->addWidget(stampTextEdit, 0, 0, 1, 4);
    stampGrid->addWidget(new QLabel(QStringLiteral("Angle"), stampGroup), 1, 0);
    stampAngleBox = spinBox("SpinEdit_NOTE");
    stampGrid->addWidget(stampAngleBox, 1, 1);
    stampGrid->addWidget(new QLabel(QStringLiteral("Taille"), stampGroup), 1, 2);
    stampSizeBox = spinBox("JvSpinEdit_Size");
    stampGrid->addWidget(stampSizeBox, 1, 3);
    showStampTick = new QCheckBox(QStringLiteral("Montrer"), stampGroup);
    showStampTick->setObjectName(QStringLiteral("chk_NOTE"));
    stampGrid->addWidget(showStampTick, 2, 0, 1, 4);
    stampArea->addWidget(stampGroup);
    layout->addWidget(stampPanel);

    // 5: the position of the care-sheet window on a small screen.
    auto *screenPanel = new QWidget(this);
    screenPanel->setObjectName(QStringLiteral("Panel_Screen"));
    QVBoxLayout *screenArea = titledPanel(screenPanel, QStringLiteral("E"));
    screenTopBox = spinBox("SpinEdit_Screen");
    screenArea->addWidget(boxGroup(screenPanel, QStringLiteral("Positionnement sur lécran"), screenTopBox));
    layout->addWidget(screenPanel);

    layout->addStretch(1);

    // 6: the save and quit buttons.
    auto *buttons = new QHBoxLayout;
    saveButton = new QPushButton(QStringLiteral("Enregistrer la configuration"), this);
    saveButton->setObjectName(QStringLiteral("btn_Save"));
    buttons->addWidget(saveButton, 1);
    quitButton = new QPushButton(QStringLiteral("&Quitter"), this);
    quitButton->setObjectName(QStringLiteral("btn_quit"));
    buttons->addWidget(quitButton);
    layout->addLayout(buttons);

    // 7: the CCAM reference text.
    ccamButton = new QPushButton(QStringLiteral("CCAM"), this);
    ccamButton->setObjectName(QStringLiteral("btn_CCAM"));
    ccamButton->setFixedHeight(58);
    layout->addWidget(ccamButton);

    // The stamp text list drops down over the stamp's group.
    stampTextList = new QListWidget(this);
    stampTextList->setObjectName(QStringLiteral("Liste_NOTES"));
    makeSortedList(stampTextList);
    stampTextList->setFixedHeight(120);
    stampTextList->hide();
}

void PresentationWindow::connectHandlers()
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
        onBox(panelLeftBox, [panel](int v) { panel->move(v, panel->y()); }, PanelBoxDefaults::left);
        onBox(panelTopBox, [panel](int v) { panel->move(panel->x(), v); }, PanelBoxDefaults::top);
        onBox(panelWidthBox, [panel](int v) { panel->resize(v, panel->height()); }, PanelBoxDefaults::width);
        onBox(panelHeightBox, [panel](int v) { panel->resize(panel->width(), v); }, PanelBoxDefaults::height);
    }
    if (QWidget *sheet = m_targets.careSheet)
        onBox(screenTopBox, [sheet](int v) { sheet->move(sheet->x(), careSheetTopFor(v)); }, PanelBoxDefaults::screen);

    if (StampLabel *stamp = m_targets.stamp) {
        connect(stampAngleBox, qOverload<int>(&QSpinBox::valueChanged), this,
                [stamp](int angle) { stamp->setAngle(angle); });
        connect(stampSizeBox, qOverload<int>(&QSpinBox::valueChanged), this, [stamp](int size) {
            if (size <= 0)
                return;   // a font has no size of 0 or less: the stamp keeps its own
            QFont font = stamp->font();
            font.setPointSize(size);
            stamp->setStampFont(font);
        });
        connect(stampTextEdit, &QLineEdit::textChanged, this, [stamp](const QString &text) { stamp->setText(text); });
    }
    stampTextEdit->installEventFilter(this);
    connect(showStampTick, &QCheckBox::toggled, this, guarded([this] { applyShowStamp(); }));
    connect(naturalSizeTick, &QCheckBox::toggled, this, guarded([this] { applyNaturalSize(); }));
    connect(stampTextList, &QListWidget::itemClicked, this, guarded([this] { stampTextPicked(); }));
    connect(stampTextList, &QListWidget::itemDoubleClicked, stampTextList, &QWidget::hide);

    connect(closeAction, &QAction::triggered, this, &QWidget::close);
    connect(brotherPresetAction, &QAction::triggered, this, guarded([this] { applyBrotherPreset(); }));
    connect(imageHelpButton, &QPushButton::clicked, this, guarded([this] { showImageHelp(); }));
    connect(saveButton, &QPushButton::clicked, this, guarded([this] { saveConfigurationAndOwnSettings(); }));
    if (QAction *quit = m_targets.quit)
        connect(quitButton, &QPushButton::clicked, quit, &QAction::trigger);
    connect(ccamButton, &QPushButton::clicked, this, guarded([this] {
                if (m_targets.showCcamText)
                    m_targets.showCcamText();
            }));
}

void PresentationWindow::fillFromTargets()
{
    if (StampLabel *stamp = m_targets.stamp) {
        stampSizeBox->setValue(stamp->font().pointSize());
        stampTextEdit->setText(stamp->text());
    }
    if (QWidget *panel = m_targets.imagePanel) {
        const QRect geometry = panel->geometry();
        panelLeftBox->setValue(geometry.x());
        panelTopBox->setValue(geometry.y());
        panelWidthBox->setValue(geometry.width());
        panelHeightBox->setValue(geometry.height());
    }
    bool exists = false;
    const QStringList texts = readLineFile(stampListPath(), &exists);
    if (exists)
        setListEntries(stampTextList, texts);
}

// ---------------------------------------------------------------------------
// Handlers

void PresentationWindow::applyBrotherPreset()
{
    // Each box applies its value the moment it takes it, even one that held
    // it already while the panel was changed elsewhere.
    const PanelPreset preset = brotherHlPreset();
    QWidget *panel = m_targets.imagePanel;
    auto take = [](WholeSpinBox *box, int value, const std::function<void()> &apply) {
        box->setValue(value);
        apply();
    };
    take(panelWidthBox, preset.width, [&] { if (panel) panel->resize(preset.width, panel->height()); });
    take(panelHeightBox, preset.height, [&] { if (panel) panel->resize(panel->width(), preset.height); });
    take(panelLeftBox, preset.left, [&] { if (panel) panel->move(preset.left, panel->y()); });
    take(panelTopBox, preset.top, [&] { if (panel) panel->move(panel->x(), preset.top); });
}

void PresentationWindow::showImageHelp()
{
    dialogs().information(QStringLiteral("L'image du formulaire doit être\r\r-Une image JPG\r\r"
                                         "-Au Format A4 soit (Paramétrage \"XNVIEW\"): \r\r"
                                         "->Taille écran : 794 * 1101\r->Taille Impression : 21 * 29;7 cm\r"
                                         "->Unités : 96"));
}

void PresentationWindow::saveConfigurationAndOwnSettings()
{
    if (m_targets.saveConfiguration)
        m_targets.saveConfiguration();
    saveOwnSettings();
}

void PresentationWindow::applyNaturalSize()
{
    // Ticked, the form image shows at its own pixel size, centred.
    if (m_targets.image)
        m_targets.image->setStretched(!naturalSizeTick->isChecked());
}

void PresentationWindow::applyShowStamp()
{
    StampLabel *stamp = m_targets.stamp;
    if (showStampTick->isChecked()) {
        if (stamp) {
            stamp->show();
            stamp->setText(QStringLiteral("DUPLICATA"));
            stamp->resize(400, stamp->height());
        }
        showStampTick->setText(QStringLiteral("Cacher le Tampon"));
        if (m_targets.stampMenuTick)
            m_targets.stampMenuTick->setChecked(true);
    } else {
        if (stamp)
            stamp->hide();
        showStampTick->setText(QStringLiteral("Montrer le Tampon"));
    }
    stampAngleBox->setValue(10);
}

void PresentationWindow::stampTextEntered()
{
    // The list drops down just below the box, or folds up again.
    if (!stampTextList->isHidden()) {
        stampTextList->hide();
        return;
    }
    const QPoint below = stampTextEdit->mapTo(this, QPoint(2, stampTextEdit->height() + 2));
    stampTextList->setGeometry(below.x(), below.y(), stampTextEdit->width(), stampTextList->height());
    stampTextList->show();
    stampTextList->raise();
}

void PresentationWindow::stampTextLeft()
{
    addUniqueEntry(stampTextList, stampTextEdit->text(), true);
    if (m_targets.stamp)
        m_targets.stamp->setText(stampTextEdit->text());
}

void PresentationWindow::stampTextPicked()
{
    if (QListWidgetItem *entry = stampTextList->currentItem())
        stampTextEdit->setText(entry->text());
    stampTextList->hide();
}

bool PresentationWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == stampTextEdit) {
        // The window losing or regaining the activation is no leaving or
        // entering of the box.
        const bool byActivation = (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
            && static_cast<QFocusEvent *>(event)->reason() == Qt::ActiveWindowFocusReason;
        switch (byActivation ? QEvent::None : event->type()) {
        case QEvent::FocusIn:
            runGuarded([this] { stampTextEntered(); });
            break;
        case QEvent::FocusOut:
            runGuarded([this] { stampTextLeft(); });
            break;
        case QEvent::MouseButtonRelease:
            if (m_targets.stamp)
                m_targets.stamp->setText(stampTextEdit->text());
            break;
        default:
            break;
        }
    }
    return SideWindow::eventFilter(watched, event);
}

void PresentationWindow::saveOwnSettings()
{
    storeNumber(Setting::PresentationLeft, x());
    storeNumber(Setting::PresentationTop, y());
    writeLineFile(stampListPath(), listEntries(stampTextList));
}

void PresentationWindow::saveAtClose()
{
    saveOwnSettings();
}

PresentationWindow::~PresentationWindow()
{
    disconnectHandlers();
}
