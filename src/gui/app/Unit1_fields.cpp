// The sheet fields of the care-sheet window, built from the field catalogue,
// and the text fields the user adds at run time.
#include "Unit1.h"

#include "config/FieldCatalogue.h"
#include "widgets/ImagePanel.h"
#include "widgets/SheetEdit.h"
#include "widgets/MRControl_32.h"
#include "widgets/DateEdit.h"
#include "widgets/FormImage.h"
#include "widgets/StampLabel.h"
#include "support/ActionGuard.h"
#include "support/PathRules.h"
#include "support/Dialogs.h"
#include "support/TiravonError.h"
#include "widgets/tq32_LISTES.h"
#include "support/tq32_ini.h"

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

template <typename Member>
struct NamedMember
{
    const char *name;
    Member TForm1::*member;
};

const NamedMember<SheetEdit *> kEdits[] = {
    {"ACTE_4", &TForm1::ACTE_4}, {"NOM", &TForm1::NOM}, {"MATRICULE", &TForm1::MATRICULE},
    {"ASSURE", &TForm1::ASSURE}, {"ASSURE_MATRICULE", &TForm1::ASSURE_MATRICULE},
    {"ADRESSE", &TForm1::ADRESSE}, {"VILLE", &TForm1::VILLE}, {"CPAM", &TForm1::CPAM},
    {"COCHE_MALADIE", &TForm1::COCHE_MALADIE}, {"COCHE_MATERNITE", &TForm1::COCHE_MATERNITE},
    {"COCHE_ALD_0", &TForm1::COCHE_ALD_0}, {"COCHE_ALD_1", &TForm1::COCHE_ALD_1},
    {"COCHE_ALD_TYPE", &TForm1::COCHE_ALD_TYPE}, {"COCHE_ACCES", &TForm1::COCHE_ACCES},
    {"MEDECIN", &TForm1::MEDECIN}, {"CCAM_1", &TForm1::CCAM_1}, {"CCAM_2", &TForm1::CCAM_2},
    {"ACTE_1", &TForm1::ACTE_1}, {"ACTE_2", &TForm1::ACTE_2}, {"ACTE_3", &TForm1::ACTE_3},
    {"TARIF_1", &TForm1::TARIF_1}, {"TARIF_2", &TForm1::TARIF_2}, {"TARIF_3", &TForm1::TARIF_3},
    {"TARIF_4", &TForm1::TARIF_4}, {"MONTANT_TOTAL", &TForm1::MONTANT_TOTAL},
    {"COCHE_NP_OBLIGAT", &TForm1::COCHE_NP_OBLIGAT}, {"COCHE_NP_COMP", &TForm1::COCHE_NP_COMP},
};
const NamedMember<DateEdit *> kDates[] = {
    {"DDN", &TForm1::DDN}, {"DDG", &TForm1::DDG}, {"DATE_ACTE", &TForm1::DATE_ACTE}, {"DATE", &TForm1::DATE},
};
const NamedMember<QListWidget *> kLists[] = {
    {"LISTE_VILLES", &TForm1::LISTE_VILLES}, {"Liste_CPAMS", &TForm1::Liste_CPAMS},
};

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

QWidget *TForm1::createField(const FieldDesign &field)
{
    QWidget *parent = field.onWindow ? Client : static_cast<QWidget *>(Panel_IMAGE);
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

void TForm1::buildFields()
{
    for (const FieldDesign &field : fieldCatalogue())
        createField(field);
    for (const auto &entry : kEdits)
        this->*entry.member = static_cast<SheetEdit *>(m_fields.value(QString::fromLatin1(entry.name)));
    for (const auto &entry : kDates)
        this->*entry.member = static_cast<DateEdit *>(m_fields.value(QString::fromLatin1(entry.name)));
    for (const auto &entry : kLists)
        this->*entry.member = static_cast<QListWidget *>(m_fields.value(QString::fromLatin1(entry.name)));
    oriente = static_cast<QLabel *>(m_fields.value(QStringLiteral("oriente")));
    NOTE = static_cast<StampLabel *>(m_fields.value(QStringLiteral("NOTE")));

    // The plain text fields are walked in window order, not in Tab order.
    QList<SheetEdit *> ordered;
    for (const QString &name : plainFieldsInWindowOrder())
        ordered.append(static_cast<SheetEdit *>(m_fields.value(name)));
    m_plainFields = ordered;
}

void TForm1::setTabOrder()
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

void TForm1::bindMoveAndResize(QWidget *control, MouseHandler downHandler, MouseHandler moveHandler)
{
    // The component watches the control's mouse events itself and hands
    // them to the handlers, each run inside the action guard.
    TMRControl::ControlHooks hooks;
    hooks.onPress = [this, downHandler](QWidget *c) { (this->*downHandler)(c); };
    hooks.onMove = [this, moveHandler](QWidget *c) { (this->*moveHandler)(c); };
    if (qobject_cast<DateEdit *>(control)) {
        // The text part of a date box is the box; its calendar button is not.
        if (auto *edit = control->findChild<QWidget *>(QStringLiteral("edit")))
            hooks.parts << edit;
    } else if (qobject_cast<StampLabel *>(control)) {
        hooks.doubleClickIsPress = true;
    } else if (qobject_cast<FormImage *>(control)) {
        hooks.doubleClickIsPress = true;
        hooks.onPress = [this, downHandler](QWidget *c) {
            (this->*downHandler)(c);
            placeImage();   // the image fills its panel: a drag leaves no trace
        };
    }
    MRControl1->bindControl(control, std::move(hooks));
}

QList<SheetEdit *> TForm1::claimBoxes() const
{
    QList<SheetEdit *> boxes;
    for (const QString &name : claimBoxNames())
        boxes << static_cast<SheetEdit *>(m_fields.value(name));
    return boxes;
}

void TForm1::Create_CompoEdit(QWidget *parent, int n, const QString &prefix, int width, int top, int left,
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
        bindMoveAndResize(edit, &TForm1::Edit_MouseDown, &TForm1::Edit_MouseMove);
        edit->show();
        m_plainFields.append(edit);
        m_fields.insert(name, edit);
    } catch (const TiravonError &e) {
        dialogs().message(QStringLiteral("ERR:Create_CompoEdit =>") + e.message());
    }
}

void TForm1::mnu_Add_CompoEditClick()
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
    int n = INI_ReadInteger(section, QStringLiteral("N"), 0, state.formConfigPath) + 1;
    while (findChild<QWidget *>(QStringLiteral("NOUVEAU_%1").arg(n)))
        ++n;
    // A third of the window's height and a quarter of its width, the window
    // taken whole, frame included where the platform draws one.
    const QRect whole = frameGeometry();
    Create_CompoEdit(Panel_IMAGE, n, QStringLiteral("NOUVEAU"), 100, whole.height() / 3, whole.width() / 4,
                     QStringLiteral("Nouveau_%1").arg(n));
    INI_WriteInteger(section, QStringLiteral("N"), n, state.formConfigPath);
}
