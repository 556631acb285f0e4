// The sheet fields of the care-sheet window, built from the field catalogue,
// and the text fields the user adds at run time.
#include "CareSheetWindow.h"

#include "config/FieldCatalogue.h"
#include "widgets/ImagePanel.h"
#include "widgets/SheetEdit.h"
#include "widgets/MoveResizeController.h"
#include "widgets/DateEdit.h"
#include "widgets/FormImage.h"
#include "widgets/StampLabel.h"
#include "support/ActionGuard.h"
#include "support/PathRules.h"
#include "support/Dialogs.h"
#include "support/TiravonError.h"
#include "widgets/ListBoxes.h"
#include "support/SettingsStore.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>

namespace {

QFont fontOf(const FieldFont &field)
{
    QFont font(QString::fromLatin1(field.family), field.pointSize);
    font.setBold(field.bold);
    return font;
}

// Gives a plain text field the common look: flat, single border, white.
void setPlainLook(SheetEdit *edit)
{
    edit->setBordered(true);
    edit->set3D(false);
    QPalette pal = edit->palette();
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Text, Qt::black);
    edit->setPalette(pal);
}

} // namespace

QWidget *CareSheetWindow::createField(const FieldDesign &field)
{
    QWidget *parent = field.onWindow ? sheetPage : static_cast<QWidget *>(imagePanel);
    QWidget *widget = nullptr;
    switch (field.kind) {
    case FieldKind::PlainText:
    case FieldKind::ClaimBox: {
        auto *edit = new SheetEdit(parent);
        setPlainLook(edit);
        edit->setUpperCase(!field.mixedCase);
        edit->setText(QString::fromUtf8(field.text));
        edit->setDragCursor(field.handDragCursor ? Qt::PointingHandCursor : Qt::DragMoveCursor);
        m_plainFields.append(edit);
        widget = edit;
        break;
    }
    case FieldKind::Date: {
        auto *date = new DateEdit(parent);
        date->setText(QString::fromUtf8(field.text));
        widget = date;
        break;
    }
    case FieldKind::PickList: {
        auto *list = new QListWidget(parent);
        list->setFrameShape(QFrame::Box);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        QPalette pal = list->palette();
        pal.setColor(QPalette::Base, QColor(field.background));
        pal.setColor(QPalette::Text, Qt::black);
        list->setPalette(pal);
        makeSortedList(list);
        widget = list;
        break;
    }
    case FieldKind::Label: {
        auto *label = new QLabel(QString::fromUtf8(field.text), parent);
        label->setAttribute(Qt::WA_TranslucentBackground);
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(pal);
        widget = label;
        break;
    }
    case FieldKind::Stamp: {
        auto *stamp = new StampLabel(parent);
        widget = stamp;
        break;
    }
    }
    widget->setObjectName(QString::fromLatin1(field.name));
    widget->setFont(fontOf(field.font));
    if (field.kind == FieldKind::Stamp) {
        auto *stamp = static_cast<StampLabel *>(widget);
        stamp->setStampFont(fontOf(field.font));
        stamp->setText(QString::fromUtf8(field.text));
    }
    widget->setGeometry(field.geometry);
    widget->setToolTip(QString::fromUtf8(field.hint));
    widget->setVisible(field.visible);
    m_fields.insert(widget->objectName(), widget);
    return widget;
}

void CareSheetWindow::buildFields()
{
    for (const FieldDesign &field : fieldCatalogue())
        createField(field);
    const auto named = [this](const char *name) { return m_fields.value(QString::fromLatin1(name)); };
    ACTE_4 = static_cast<SheetEdit *>(named("ACTE_4"));
    NOM = static_cast<SheetEdit *>(named("NOM"));
    MATRICULE = static_cast<SheetEdit *>(named("MATRICULE"));
    ASSURE = static_cast<SheetEdit *>(named("ASSURE"));
    ASSURE_MATRICULE = static_cast<SheetEdit *>(named("ASSURE_MATRICULE"));
    ADRESSE = static_cast<SheetEdit *>(named("ADRESSE"));
    VILLE = static_cast<SheetEdit *>(named("VILLE"));
    CPAM = static_cast<SheetEdit *>(named("CPAM"));
    COCHE_MALADIE = static_cast<SheetEdit *>(named("COCHE_MALADIE"));
    COCHE_MATERNITE = static_cast<SheetEdit *>(named("COCHE_MATERNITE"));
    COCHE_ALD_0 = static_cast<SheetEdit *>(named("COCHE_ALD_0"));
    COCHE_ALD_1 = static_cast<SheetEdit *>(named("COCHE_ALD_1"));
    COCHE_ALD_TYPE = static_cast<SheetEdit *>(named("COCHE_ALD_TYPE"));
    COCHE_ACCES = static_cast<SheetEdit *>(named("COCHE_ACCES"));
    MEDECIN = static_cast<SheetEdit *>(named("MEDECIN"));
    CCAM_1 = static_cast<SheetEdit *>(named("CCAM_1"));
    CCAM_2 = static_cast<SheetEdit *>(named("CCAM_2"));
    ACTE_1 = static_cast<SheetEdit *>(named("ACTE_1"));
    ACTE_2 = static_cast<SheetEdit *>(named("ACTE_2"));
    ACTE_3 = static_cast<SheetEdit *>(named("ACTE_3"));
    TARIF_1 = static_cast<SheetEdit *>(named("TARIF_1"));
    TARIF_2 = static_cast<SheetEdit *>(named("TARIF_2"));
    TARIF_3 = static_cast<SheetEdit *>(named("TARIF_3"));
    TARIF_4 = static_cast<SheetEdit *>(named("TARIF_4"));
    MONTANT_TOTAL = static_cast<SheetEdit *>(named("MONTANT_TOTAL"));
    COCHE_NP_OBLIGAT = static_cast<SheetEdit *>(named("COCHE_NP_OBLIGAT"));
    COCHE_NP_COMP = static_cast<SheetEdit *>(named("COCHE_NP_COMP"));
    DDN = static_cast<DateEdit *>(named("DDN"));
    DDG = static_cast<DateEdit *>(named("DDG"));
    DATE_ACTE = static_cast<DateEdit *>(named("DATE_ACTE"));
    DATE = static_cast<DateEdit *>(named("DATE"));
    LISTE_VILLES = static_cast<QListWidget *>(named("LISTE_VILLES"));
    Liste_CPAMS = static_cast<QListWidget *>(named("Liste_CPAMS"));
    oriente = static_cast<QLabel *>(m_fields.value(QStringLiteral("oriente")));
    NOTE = static_cast<StampLabel *>(m_fields.value(QStringLiteral("NOTE")));

    // The plain text fields are walked in window order, not in Tab order.
    QList<SheetEdit *> ordered;
    for (const QString &name : plainFieldsInWindowOrder())
        ordered.append(static_cast<SheetEdit *>(m_fields.value(name)));
    m_plainFields = ordered;
}

void CareSheetWindow::setTabOrder()
{
    QList<QWidget *> chain;
    chain.append(ACTE_4);
    QList<const FieldDesign *> onPanel;
    for (const FieldDesign &field : fieldCatalogue())
        if (field.tab >= 0)
            onPanel.append(&field);
    std::sort(onPanel.begin(), onPanel.end(),
              [](const FieldDesign *a, const FieldDesign *b) { return a->tab < b->tab; });
    for (const FieldDesign *field : onPanel)
        chain.append(m_fields.value(QString::fromLatin1(field->name)));
    for (int i = 0; i + 1 < chain.size(); ++i)
        QWidget::setTabOrder(chain.at(i), chain.at(i + 1));
}

void CareSheetWindow::bindMoveAndResize(QWidget *control)
{
    // The component watches the control's mouse events itself: a press moves
    // or resizes it, a move over it shows the resize zone, each run inside
    // the action guard.
    MoveResizeController::ControlHooks hooks;
    hooks.onPress = [this](QWidget *c) { moveResize->moveOrResize(c); };
    hooks.onMove = [this](QWidget *c) { moveResize->showResizeZone(c); };
    if (qobject_cast<DateEdit *>(control)) {
        // The text part of a date box is the box; its calendar button is not.
        if (auto *edit = control->findChild<QWidget *>(QStringLiteral("edit")))
            hooks.parts << edit;
    } else if (qobject_cast<StampLabel *>(control)) {
        hooks.doubleClickIsPress = true;
    } else if (qobject_cast<FormImage *>(control)) {
        hooks.doubleClickIsPress = true;
        hooks.onPress = [this](QWidget *c) {
            moveResize->moveOrResize(c);
            placeImage();   // the image fills its panel: a drag leaves no trace
        };
    }
    moveResize->bindControl(control, std::move(hooks));
}

void CareSheetWindow::createAddedField(QWidget *parent, int n, const QString &prefix, int width, int top, int left,
                              const QString &text)
{
    try {
        const QString name = QStringLiteral("%1_%2").arg(prefix).arg(n);
        if (findChild<QWidget *>(name))
            throw TiravonError(QStringLiteral("Un composant nommé %1 existe déjà").arg(name));
        auto *edit = new SheetEdit(parent);
        edit->setObjectName(name);
        edit->setToolTip(name);
        edit->tag = n;
        edit->setUpperCase(false);
        edit->setText(text);
        takeFontOf(edit, NOM->font());
        setPlainLook(edit);
        edit->setGeometry(left, top, width, edit->sizeHint().height());
        bindMoveAndResize(edit);
        edit->show();
        m_plainFields.append(edit);
        m_fields.insert(name, edit);
    } catch (const TiravonError &e) {
        dialogs().message(QStringLiteral("ERR:Create_CompoEdit =>") + e.message());
    }
}

void CareSheetWindow::addTextField()
{
    // The count lives in the form configuration; a reading that failed
    // before its path was known leaves none to keep it in.
    if (!QDir(extractFilePath(state.formConfigPath)).exists() || extractFilePath(state.formConfigPath).isEmpty()) {
        dialogs().message(QStringLiteral("STOP: Fichier de sauvegarde \"%1\" Inacessible !!!").arg(state.formConfigPath));
        return;
    }
    const QString section = QStringLiteral("NOUVEAUX");
    // After the count, the first number no field has: a saving lists only
    // the added fields holding text, so the count can fall below the
    // numbers still on the sheet.
    int n = readIntegerSetting(section, QStringLiteral("N"), 0, state.formConfigPath) + 1;
    while (findChild<QWidget *>(QStringLiteral("NOUVEAU_%1").arg(n)))
        ++n;
    // A third of the window's height and a quarter of its width, the window
    // taken whole, frame included where the platform draws one.
    const QRect whole = frameGeometry();
    createAddedField(imagePanel, n, QStringLiteral("NOUVEAU"), 100, whole.height() / 3, whole.width() / 4,
                     QStringLiteral("Nouveau_%1").arg(n));
    writeIntegerSetting(section, QStringLiteral("N"), n, state.formConfigPath);
}

void CareSheetWindow::applyLock()
{
    // Locked plain text fields take a left press as an empty drag gesture;
    // the dates, the stamp, the label and the image stay movable. A field
    // added later stays movable until the lock is applied again.
    const bool locked = lockFieldsAction->isChecked();
    for (SheetEdit *edit : m_plainFields)
        edit->setLocked(locked);
}

void CareSheetWindow::commitFieldBeingEdited()
{
    if (auto *editing = qobject_cast<SheetEdit *>(focusWidget()))
        emit editing->exited(editing);
}
