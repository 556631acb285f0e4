#include "frm_edit.h"

#include "acts/CcamReference.h"
#include "acts/RtfReader.h"
#include "support/ActionGuard.h"
#include "support/Dialogs.h"
#include "support/PathRules.h"
#include "support/Platform.h"
#include "support/TextFile.h"
#include "support/TiravonError.h"
#include "support/tq32_ini.h"
#include "widgets/tq32_LISTES.h"

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

const char *const kHistoryFiles[] = {
    "LISTE_RECHERCHE_CODES.TXT",
    "LISTE_RECHERCHE_TEXTES.TXT",
    "LISTE_RECHERCHE_TARIFS.TXT",
};

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

Tform_EDIT::Tform_EDIT()
    : SideWindow(QStringLiteral("form_EDIT"), QStringLiteral("CéCAM"), QSize(888, 673), Frame::Sizable)
{
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    QMenu *fichier = MainMenu1->addMenu(QStringLiteral("Fichier"));
    Fermer1 = fichier->addAction(QStringLiteral("Fermer"));
    Fermer1->setObjectName(QStringLiteral("Fermer1"));
    QMenu *edition = MainMenu1->addMenu(QStringLiteral("Edititon"));
    Chercher1 = edition->addAction(QStringLiteral("Chercher"));
    Chercher1->setObjectName(QStringLiteral("Chercher1"));
    Chercher1->setShortcut(QKeySequence(Qt::Key_F3));
    addAction(Fermer1);
    addAction(Chercher1);
    connect(Fermer1, &QAction::triggered, this, &QWidget::close);
    connect(Chercher1, &QAction::triggered, this, guarded([this] { Chercher1Click(); }));

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
    std::tie(ComboBox1, btn_Search) = group(QStringLiteral("Code"), "ComboBox1", QStringLiteral("Code"), "btn_Search");
    std::tie(ComboBox2, btn_search_texte) =
        group(QStringLiteral("Texte"), "ComboBox2", QStringLiteral("entrez un texte"), "btn_search_texte");
    std::tie(ComboBox3, btn_search_tarif) =
        group(QStringLiteral("Tarif"), "ComboBox3", QStringLiteral("0,00"), "btn_search_tarif");
    bar->addStretch();
    connect(btn_Search, &QPushButton::clicked, this, guarded([this] { btn_SearchClick(); }));
    connect(btn_search_texte, &QPushButton::clicked, this, guarded([this] { btn_search_texteClick(); }));
    connect(btn_search_tarif, &QPushButton::clicked, this, guarded([this] { btn_search_tarifClick(); }));

    JvRichEdit1 = new QTextEdit(this);
    JvRichEdit1->setObjectName(QStringLiteral("JvRichEdit1"));
    JvRichEdit1->setReadOnly(true);
    JvRichEdit1->setUndoRedoEnabled(false);
    JvRichEdit1->setLineWrapMode(QTextEdit::NoWrap);
    QPalette navy = JvRichEdit1->palette();
    navy.setColor(QPalette::Base, QColor(0, 0, 128));
    navy.setColor(QPalette::Text, Qt::white);
    JvRichEdit1->setPalette(navy);

    const QString tab = QStringLiteral("\t");
    Label_Colonnes = new ColumnHeader(QStringLiteral("Code") + tab + tab + QStringLiteral("Texte") + tab
                                          + QStringLiteral("Activité") + tab + QStringLiteral("Phase") + tab
                                          + QStringLiteral("\"Tarif (en euro)\"") + tab
                                          + QStringLiteral("Rembt. ss Cdtions") + tab
                                          + QStringLiteral("Accord Préalable") + tab + QStringLiteral("Exo. TM")
                                          + tab + QStringLiteral("Regroupement"),
                                      JvRichEdit1, this);
    Label_Colonnes->setObjectName(QStringLiteral("Label_Colonnes"));

    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(MainMenu1);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(bar);
    layout->addWidget(Label_Colonnes);
    layout->addWidget(JvRichEdit1, 1);

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
                runGuarded([this, combo] { ComboBoxExit(combo); });
        }
    });

    move(120, 80);
    restorePlacement();
    loadHistories();
}

QList<QComboBox *> Tform_EDIT::combos() const
{
    return {ComboBox1, ComboBox2, ComboBox3};
}

QString Tform_EDIT::historyFile(int index)
{
    return Program_Folder() + QString::fromLatin1(kHistoryFiles[index]);
}

void Tform_EDIT::loadHistories()
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
        Error_Report(QStringLiteral("procedure Tform_EDIT.FormCreate"), QStringLiteral("create"));
    }
}

void Tform_EDIT::FormClose()
{
    SideWindow::FormClose();
    for (int i = 0; i < 3; ++i) {
        QStringList entries;
        for (int row = 0; row < combos().at(i)->count(); ++row)
            entries << combos().at(i)->itemText(row);
        writeLineFile(historyFile(i), entries);
    }
}

void Tform_EDIT::closeEvent(QCloseEvent *event)
{
    // A list that cannot be written is reported and the window stays open.
    bool saved = false;
    runGuarded([this, &saved] {
        FormClose();
        saved = true;
    });
    if (saved)
        event->accept();
    else
        event->ignore();
}

void Tform_EDIT::showEvent(QShowEvent *event)
{
    SideWindow::showEvent(event);
    if (!event->spontaneous())
        runGuarded([this] { FormShow(); });
}

void Tform_EDIT::FormShow()
{
    const QString path = CcamReference::locate(CcamReference::searchFolders(
        QDir::currentPath(), Program_Folder(), programFolderFor(platform().programFile())));
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
    auto *document = new QTextDocument(JvRichEdit1);
    document->setUndoRedoEnabled(false);
    document->setDefaultFont(JvRichEdit1->font());
    fillTextDocument(document, content);
    JvRichEdit1->setDocument(document);
    m_shownText = document->toPlainText();
}

void Tform_EDIT::showForCode(const QString &code)
{
    ComboBox1->setEditText(code);
    show();
    raise();
    activateWindow();
}

void Tform_EDIT::search(const QString &text)
{
    const std::optional<TextSearch::Match> match = m_search.next(m_shownText, text);
    if (!match)
        return;
    QTextCursor cursor(JvRichEdit1->document());
    cursor.setPosition(match->start);
    cursor.setPosition(match->start + match->length, QTextCursor::KeepAnchor);
    JvRichEdit1->setTextCursor(cursor);
    JvRichEdit1->ensureCursorVisible();
    JvRichEdit1->setFocus();
}

void Tform_EDIT::btn_SearchClick()
{
    search(ComboBox1->currentText());
}

void Tform_EDIT::btn_search_texteClick()
{
    search(ComboBox2->currentText());
}

void Tform_EDIT::btn_search_tarifClick()
{
    search(ComboBox3->currentText());
}

void Tform_EDIT::Chercher1Click()
{
    btn_Search->click();
}

void Tform_EDIT::ComboBoxExit(QComboBox *combo)
{
    AddUniqueToCombo(combo, QStringLiteral("DEFAULT"));
}

bool Tform_EDIT::FormKeyPress(QObject *target, QKeyEvent *key)
{
    if (key->key() == Qt::Key_Escape) {
        ComboBox1->setEditText(QString());
        ComboBox1->setFocus();
        return true;
    }
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        // A focused button takes Enter itself; anywhere else it is the first one's.
        if (qobject_cast<QPushButton *>(target))
            return false;
        btn_Search->click();
        return true;
    }
    return false;
}

void Tform_EDIT::keyPressEvent(QKeyEvent *event)
{
    if (!FormKeyPress(this, event))
        SideWindow::keyPressEvent(event);
}

bool Tform_EDIT::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && FormKeyPress(watched, static_cast<QKeyEvent *>(event)))
        return true;
    return SideWindow::eventFilter(watched, event);
}

Tform_EDIT::~Tform_EDIT()
{
    disconnectHandlers();
}
