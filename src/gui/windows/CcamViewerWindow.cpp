#include "CcamViewerWindow.h"

#include "config/ProgramSettings.h"
#include "acts/CcamReference.h"
#include "acts/RtfReader.h"
#include "support/ActionGuard.h"
#include "support/Dialogs.h"
#include "support/PathRules.h"
#include "support/Platform.h"
#include "support/TextFile.h"
#include "support/TiravonError.h"
#include "support/DataFolder.h"
#include "support/Desktop.h"
#include "widgets/ListBoxes.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

#include <tuple>
#include <utility>

namespace {

const SideFile kHistoryFiles[] = {SideFile::CodeSearches, SideFile::TextSearches, SideFile::TariffSearches};

// The column titles over the view, at the view's own tab stops.
class ColumnHeader : public QLabel
{
public:
    ColumnHeader(const QString &text, QTextEdit *view, QWidget *parent)
        : QLabel(text, parent), m_view(view)
    {
        setTextFormat(Qt::PlainText);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        QTextOption option(Qt::AlignLeft | Qt::AlignVCenter);
        option.setWrapMode(QTextOption::NoWrap);
        option.setTabStopDistance(m_view->tabStopDistance());
        painter.drawText(QRectF(contentsRect()).adjusted(m_view->frameWidth() + 4, 0, 0, 0), text(), option);
    }

private:
    QTextEdit *m_view;
};

} // namespace

CcamViewerWindow::CcamViewerWindow()
    : SideWindow(placementName(PlacedWindow::CcamViewer), QStringLiteral("CéCAM"), QSize(888, 673), Frame::Sizable)
{
    menus = new QMenuBar(this);
    menus->setObjectName(QStringLiteral("MainMenu1"));
    QMenu *fichier = menus->addMenu(QStringLiteral("Fichier"));
    closeAction = fichier->addAction(QStringLiteral("Fermer"));
    closeAction->setObjectName(QStringLiteral("Fermer1"));
    QMenu *edition = menus->addMenu(QStringLiteral("Edititon"));
    searchAction = edition->addAction(QStringLiteral("Chercher"));
    searchAction->setObjectName(QStringLiteral("Chercher1"));
    searchAction->setShortcut(QKeySequence(Qt::Key_F3));
    addAction(closeAction);
    addAction(searchAction);
    connect(closeAction, &QAction::triggered, this, &QWidget::close);
    connect(searchAction, &QAction::triggered, this, guarded([this] { searchAgain(); }));

    // The search bar: three groups of a caption, a field and a button.
    auto *bar = new QHBoxLayout;
    auto group = [this, bar](const QString &caption, const char *comboName, const QString &initial,
                             const char *buttonName) {
        auto *label = new QLabel(caption, this);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        auto *combo = new QComboBox(this);
        combo->setObjectName(QString::fromLatin1(comboName));
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setMinimumWidth(120);
        combo->setEditText(initial);
        auto *button = new QPushButton(QStringLiteral("Ok"), this);
        button->setObjectName(QString::fromLatin1(buttonName));
        button->setDefault(true);
        button->setAutoDefault(true);
        bar->addWidget(label);
        bar->addWidget(combo);
        bar->addWidget(button);
        bar->addSpacing(12);
        return std::make_pair(combo, button);
    };
    std::tie(codeBox, searchCodeButton) = group(QStringLiteral("Code"), "ComboBox1", QStringLiteral("Code"), "btn_Search");
    std::tie(textBox, searchTextButton) =
        group(QStringLiteral("Texte"), "ComboBox2", QStringLiteral("entrez un texte"), "btn_search_texte");
    std::tie(tariffBox, searchTariffButton) =
        group(QStringLiteral("Tarif"), "ComboBox3", QStringLiteral("0,00"), "btn_search_tarif");
    bar->addStretch();
    connect(searchCodeButton, &QPushButton::clicked, this, guarded([this] { searchCode(); }));
    connect(searchTextButton, &QPushButton::clicked, this, guarded([this] { searchText(); }));
    connect(searchTariffButton, &QPushButton::clicked, this, guarded([this] { searchTariff(); }));

    referenceView = new QTextEdit(this);
    referenceView->setObjectName(QStringLiteral("JvRichEdit1"));
    referenceView->setReadOnly(true);
    referenceView->setUndoRedoEnabled(false);
    referenceView->setLineWrapMode(QTextEdit::NoWrap);
    QPalette navy = referenceView->palette();
    navy.setColor(QPalette::Base, QColor(0, 0, 128));
    navy.setColor(QPalette::Text, Qt::white);
    referenceView->setPalette(navy);

    const QString tab = QStringLiteral("\t");
    columnsLabel = new ColumnHeader(QStringLiteral("Code") + tab + tab + QStringLiteral("Texte") + tab
                                          + QStringLiteral("Activité") + tab + QStringLiteral("Phase") + tab
                                          + QStringLiteral("\"Tarif (en euro)\"") + tab
                                          + QStringLiteral("Rembt. ss Cdtions") + tab
                                          + QStringLiteral("Accord Préalable") + tab + QStringLiteral("Exo. TM")
                                          + tab + QStringLiteral("Regroupement"),
                                      referenceView, this);
    columnsLabel->setObjectName(QStringLiteral("Label_Colonnes"));

    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(menus);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(bar);
    layout->addWidget(columnsLabel);
    layout->addWidget(referenceView, 1);

    // The window sees the keys before its controls, and each field's exit.
    for (QWidget *child : findChildren<QWidget *>())
        if (child->window() == this)        // not the drop-down lists, which take their own Enter
            child->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *old, QWidget *now) {
        for (QComboBox *combo : combos()) {
            const bool wasIn = old && (old == combo || combo->isAncestorOf(old));
            // Only a move to another control of this window is an exit.
            const bool isIn = !now || now->window() != this || now == combo || combo->isAncestorOf(now);
            if (wasIn && !isIn)
                runGuarded([this, combo] { searchFieldLeft(combo); });
        }
    });

    move(120, 80);
    restorePlacement();
    loadHistories();
}

QList<QComboBox *> CcamViewerWindow::combos() const
{
    return {codeBox, textBox, tariffBox};
}

QString CcamViewerWindow::historyFile(int index)
{
    return sideFilePath(kHistoryFiles[index]);
}

void CcamViewerWindow::loadHistories()
{
    try {
        for (int i = 0; i < 3; ++i) {
            const QString path = historyFile(i);
            if (!QFile::exists(path))
                continue;
            bool exists = false;
            const QStringList lines = readLineFile(path, &exists);
            if (!exists)
                throw TiravonError(QStringLiteral("Impossible de lire %1").arg(path));
            QComboBox *combo = combos().at(i);
            const QString shown = combo->currentText();
            combo->clear();
            combo->addItems(lines);
            combo->setEditText(shown);
        }
    } catch (const std::exception &) {
        showErrorReport(QStringLiteral("procedure Tform_EDIT.FormCreate"), QStringLiteral("create"));
    }
}

void CcamViewerWindow::saveAtClose()
{
    SideWindow::saveAtClose();
    for (int i = 0; i < 3; ++i) {
        QStringList entries;
        for (int row = 0; row < combos().at(i)->count(); ++row)
            entries << combos().at(i)->itemText(row);
        writeLineFile(historyFile(i), entries);
    }
}

void CcamViewerWindow::closeEvent(QCloseEvent *event)
{
    // A list that cannot be written is reported and the window stays open.
    bool saved = false;
    runGuarded([this, &saved] {
        saveAtClose();
        saved = true;
    });
    if (saved)
        event->accept();
    else
        event->ignore();
}

void CcamViewerWindow::showEvent(QShowEvent *event)
{
    SideWindow::showEvent(event);
    if (!event->spontaneous())
        runGuarded([this] { loadReference(); });
}

void CcamViewerWindow::loadReference()
{
    const QString path = CcamReference::locate(CcamReference::searchFolders(
        QDir::currentPath(), programFolder(), programFolderFor(platform().programFile())));
    if (path.isEmpty()) {
        dialogs().message(QStringLiteral("Fichier \"CCAM.RTF\" non trouvé"));
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        dialogs().message(QStringLiteral("Fichier \"CCAM.RTF\" illisible"));
        return;
    }
    // A file no real CCAM reaches would hold the window for minutes.
    if (const QString refusal = CcamReference::sizeRefusal(file.size()); !refusal.isEmpty()) {
        dialogs().message(refusal);
        return;
    }
    RtfText content;
    try {
        content = readRtf(file.readAll());
    } catch (const TiravonError &error) {
        dialogs().message(QStringLiteral("Fichier \"CCAM.RTF\" illisible : ") + error.message());
        return;
    }
    // Filled away from the view, then handed to it: four times faster than
    // filling the view's own document, which lays out at every insertion.
    // The previous document, a child of the view, goes with the change.
    auto *document = new QTextDocument(referenceView);
    document->setUndoRedoEnabled(false);
    document->setDefaultFont(referenceView->font());
    fillTextDocument(document, content);
    referenceView->setDocument(document);
    m_shownText = document->toPlainText();
}

void CcamViewerWindow::showForCode(const QString &code)
{
    codeBox->setEditText(code);
    show();
    raise();
    activateWindow();
}

void CcamViewerWindow::search(const QString &text)
{
    const std::optional<TextSearch::Match> match = m_search.next(m_shownText, text);
    if (!match)
        return;
    QTextCursor cursor(referenceView->document());
    cursor.setPosition(match->start);
    cursor.setPosition(match->start + match->length, QTextCursor::KeepAnchor);
    referenceView->setTextCursor(cursor);
    referenceView->ensureCursorVisible();
    referenceView->setFocus();
}

void CcamViewerWindow::searchCode()
{
    search(codeBox->currentText());
}

void CcamViewerWindow::searchText()
{
    search(textBox->currentText());
}

void CcamViewerWindow::searchTariff()
{
    search(tariffBox->currentText());
}

void CcamViewerWindow::searchAgain()
{
    searchCodeButton->click();
}

void CcamViewerWindow::searchFieldLeft(QComboBox *combo)
{
    addUniqueComboEntry(combo, QStringLiteral("DEFAULT"));
}

bool CcamViewerWindow::handleWindowKey(QObject *target, QKeyEvent *key)
{
    if (key->key() == Qt::Key_Escape) {
        codeBox->setEditText(QString());
        codeBox->setFocus();
        return true;
    }
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        // A focused button takes Enter itself; anywhere else it is the first one's.
        if (qobject_cast<QPushButton *>(target))
            return false;
        searchCodeButton->click();
        return true;
    }
    return false;
}

void CcamViewerWindow::keyPressEvent(QKeyEvent *event)
{
    if (!handleWindowKey(this, event))
        SideWindow::keyPressEvent(event);
}

bool CcamViewerWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && handleWindowKey(watched, static_cast<QKeyEvent *>(event)))
        return true;
    return SideWindow::eventFilter(watched, event);
}

CcamViewerWindow::~CcamViewerWindow()
{
    disconnectHandlers();
}
