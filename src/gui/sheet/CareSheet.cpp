#include "CareSheet.h"

#include "SheetRules.h"
#include "config/FieldCatalogue.h"
#include "config/FormConfiguration.h"
#include "support/Dialogs.h"
#include "support/Platform.h"
#include "support/TiravonError.h"
#include "widgets/DateEdit.h"
#include "widgets/FormImage.h"
#include "widgets/ImagePanel.h"
#include "widgets/ListBoxes.h"
#include "widgets/MoveResizeController.h"
#include "widgets/SheetEdit.h"
#include "widgets/StampLabel.h"

#include <QDate>
#include <QLabel>
#include <QListWidget>
#include <algorithm>

namespace {

// The height of the page the window scrolls over.
const int kScrollRange = 1110;

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

// A stored style is added to the font; a style not stored removes nothing.
void addStyles(QFont &font, const FontLook &look)
{
    if (look.bold)
        font.setBold(true);
    if (look.italic)
        font.setItalic(true);
    if (look.underline)
        font.setUnderline(true);
    if (look.strikeOut)
        font.setStrikeOut(true);
}

FieldPlace placeOf(const QWidget *widget)
{
    FieldPlace place;
    place.name = widget->objectName();
    place.x = widget->x();
    place.y = widget->y();
    place.z = widget->width();
    return place;
}

QString sheetDate(const QDate &date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace

CareSheet::CareSheet(QWidget *window, MoveResizeController *moveResize)
    : m_moveResize(moveResize)
{
    setObjectName(QStringLiteral("sheetPage"));
    setMinimumHeight(kScrollRange);
    setAutoFillBackground(true);
    setPalette(window->palette());

    m_imagePanel = new ImagePanel(this);
    m_imagePanel->setObjectName(QStringLiteral("imagePanel"));
    m_imagePanel->setCaption(panelCaption());
    m_imagePanel->setGeometry(designPanelGeometry());
    m_formImage = new FormImage(m_imagePanel);
    m_formImage->setObjectName(QStringLiteral("formImage"));
    // No picture yet: the reading of the configuration, which follows at
    // once, puts the form image or the built-in picture in (decoding the
    // built-in one here as well cost a tenth of the start).
    connect(m_imagePanel, &ImagePanel::resized, this, [this] { placeImage(); });
    placeImage();

    for (const FieldDesign &field : fieldCatalogue())
        createField(field);
    // The plain text fields are walked in window order, not in Tab order.
    QList<SheetEdit *> ordered;
    for (const QString &name : plainFieldsInWindowOrder())
        ordered.append(static_cast<SheetEdit *>(m_fields.value(name)));
    m_plainFields = ordered;

    m_rules = new SheetRules(window, [this](const QString &name) { return m_fields.value(name); });
}

void CareSheet::placeImage()
{
    // The image fills the panel, one pixel in from each side.
    m_formImage->setGeometry(m_imagePanel->rect().adjusted(1, 1, -1, -1));
}

QWidget *CareSheet::createField(const FieldDesign &design)
{
    QWidget *parent = design.onWindow ? this : static_cast<QWidget *>(m_imagePanel);
    QWidget *widget = nullptr;
    switch (design.kind) {
    case FieldKind::PlainText:
    case FieldKind::ClaimBox: {
        auto *edit = new SheetEdit(parent);
        setPlainLook(edit);
        edit->setUpperCase(!design.mixedCase);
        edit->setText(QString::fromUtf8(design.text));
        edit->setDragCursor(design.handDragCursor ? Qt::PointingHandCursor : Qt::DragMoveCursor);
        m_plainFields.append(edit);
        widget = edit;
        break;
    }
    case FieldKind::Date: {
        auto *date = new DateEdit(parent);
        date->setText(QString::fromUtf8(design.text));
        widget = date;
        break;
    }
    case FieldKind::PickList: {
        auto *list = new QListWidget(parent);
        list->setFrameShape(QFrame::Box);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        QPalette pal = list->palette();
        pal.setColor(QPalette::Base, QColor(design.background));
        pal.setColor(QPalette::Text, Qt::black);
        list->setPalette(pal);
        makeSortedList(list);
        widget = list;
        break;
    }
    case FieldKind::Label: {
        auto *label = new QLabel(QString::fromUtf8(design.text), parent);
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
    widget->setObjectName(QString::fromLatin1(design.name));
    widget->setFont(fontOf(design.font));
    if (design.kind == FieldKind::Stamp) {
        auto *stamp = static_cast<StampLabel *>(widget);
        stamp->setStampFont(fontOf(design.font));
        stamp->setText(QString::fromUtf8(design.text));
    }
    widget->setGeometry(design.geometry);
    widget->setToolTip(QString::fromUtf8(design.hint));
    widget->setVisible(design.visible);
    m_fields.insert(widget->objectName(), widget);
    return widget;
}

void CareSheet::setTabOrder()
{
    QList<QWidget *> chain;
    chain.append(m_fields.value(QStringLiteral("ACTE_4")));
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

void CareSheet::bindMoveAndResize(QWidget *control)
{
    // The component watches the control's mouse events itself: a press moves
    // or resizes it, a move over it shows the resize zone, each run inside
    // the action guard.
    MoveResizeController::ControlHooks hooks;
    hooks.onPress = [this](QWidget *c) { m_moveResize->moveOrResize(c); };
    hooks.onMove = [this](QWidget *c) { m_moveResize->showResizeZone(c); };
    if (qobject_cast<DateEdit *>(control)) {
        // The text part of a date box is the box; its calendar button is not.
        if (auto *edit = control->findChild<QWidget *>(QStringLiteral("edit")))
            hooks.parts << edit;
    } else if (qobject_cast<StampLabel *>(control)) {
        hooks.doubleClickIsPress = true;
    } else if (qobject_cast<FormImage *>(control)) {
        hooks.doubleClickIsPress = true;
        hooks.onPress = [this](QWidget *c) {
            m_moveResize->moveOrResize(c);
            placeImage();   // the image fills its panel: a drag leaves no trace
        };
    }
    m_moveResize->bindControl(control, std::move(hooks));
}

void CareSheet::createAddedField(QWidget *parent, int n, const QString &prefix, int width, int top, int left,
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
        takeFontOf(edit, m_fields.value(QStringLiteral("NOM"))->font());
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

void CareSheet::setLocked(bool locked)
{
    for (SheetEdit *edit : m_plainFields)
        edit->setLocked(locked);
}

void CareSheet::apply(const FormConfiguration &config)
{
    const auto edit = [this](const char *name) { return static_cast<SheetEdit *>(field(QString::fromLatin1(name))); };
    const auto date = [this](const char *name) { return static_cast<DateEdit *>(field(QString::fromLatin1(name))); };
    auto *stamp = static_cast<StampLabel *>(field(QStringLiteral("NOTE")));
    auto *oriente = static_cast<QLabel *>(field(QStringLiteral("oriente")));

    // The image panel, with its image shown.
    m_imagePanel->setGeometry(config.panelX, config.panelY, config.panelWidth, config.panelHeight);
    m_formImage->show();

    // Every plain text field: place, emptied text (a claim box's rule runs),
    // the common font over the field's own, border and 3-D edge.
    for (const FieldPlace &place : config.fields) {
        auto *plain = qobject_cast<SheetEdit *>(field(place.name));
        if (!plain)
            continue;
        plain->move(place.x, place.y);
        plain->resize(place.z, plain->height());
        plain->setText(QString());
        QFont font = plain->font();
        font.setPointSize(config.textFont.size);
        font.setFamily(config.textFont.family);
        addStyles(font, config.textFont);
        plain->setFont(font);
        plain->setBordered(config.bordered);
        plain->set3D(config.threeD);
    }

    // The added fields listed, numbered from 1 whatever name they were
    // stored under.
    for (int i = 0; i < config.addedFields.size(); ++i) {
        const FieldPlace &added = config.addedFields.at(i);
        createAddedField(m_imagePanel, i + 1, QStringLiteral("NOUVEAU"), added.z, added.y, added.x, QString());
    }

    // The date fields.
    for (int i = 0; i < kDateFieldCount; ++i) {
        auto *dateField = qobject_cast<DateEdit *>(field(dateFieldNames()[i]));
        const DatePlace &place = config.dates[i];
        dateField->move(place.x, place.y);
        dateField->resize(place.z, dateField->height());
        dateField->setText(place.text);
    }

    // The stamp: its width last, once its text and font have sized it.
    stamp->setVisible(config.noteShown);
    stamp->move(config.noteX, config.noteY);
    stamp->setText(config.noteText);
    QFont stampFont = stamp->font();
    addStyles(stampFont, config.noteFont);
    stampFont.setPointSize(config.noteFont.size);
    stampFont.setFamily(config.noteFont.family);
    stamp->setStampFont(stampFont);
    stamp->setColor(colorFromStored(config.noteColor, stamp->color()));
    stamp->setAngle(config.noteAngle);
    stamp->resize(config.noteWidth, stamp->height());

    // The label "orienté".
    oriente->setVisible(config.orienteShown);
    oriente->move(config.orienteX, config.orienteY);
    oriente->setText(config.orienteText);

    // The pick lists whose files exist.
    if (config.cities)
        setListEntries(static_cast<QListWidget *>(field(QStringLiteral("LISTE_VILLES"))), *config.cities);
    if (config.funds)
        setListEntries(static_cast<QListWidget *>(field(QStringLiteral("Liste_CPAMS"))), *config.funds);

    // The identity; the two dates of the day show today whatever was stored.
    edit("NOM")->setText(config.nom);
    edit("MATRICULE")->setText(config.matricule);
    date("DDN")->setText(config.ddn);
    edit("ADRESSE")->setText(config.adresse);
    const QString today = sheetDate(platform().today());
    date("DATE")->setText(today);
    date("DATE_ACTE")->setText(today);

    // The acts, tariffs, total and boxes in their key order: each box's rule
    // runs before the next box is set, so the last box of a pair decides.
    // The total is taken as stored.
    for (int i = 0; i < kActKeyCount; ++i)
        if (auto *act = qobject_cast<SheetEdit *>(field(QString::fromLatin1(actKeys()[i].field))))
            act->setText(config.acts[i]);
}

void CareSheet::capture(FormConfiguration &config) const
{
    const auto text = [this](const char *name) { return static_cast<SheetEdit *>(field(QString::fromLatin1(name)))->text(); };
    const auto *stamp = static_cast<const StampLabel *>(field(QStringLiteral("NOTE")));
    const auto *oriente = static_cast<const QLabel *>(field(QStringLiteral("oriente")));

    config.nom = text("NOM");
    config.matricule = text("MATRICULE");
    config.ddn = static_cast<const DateEdit *>(field(QStringLiteral("DDN")))->text();
    config.adresse = text("ADRESSE");
    config.cities = listEntries(static_cast<const QListWidget *>(field(QStringLiteral("LISTE_VILLES"))));
    config.funds = listEntries(static_cast<const QListWidget *>(field(QStringLiteral("Liste_CPAMS"))));

    for (int i = 0; i < kActKeyCount; ++i)
        if (auto *act = qobject_cast<SheetEdit *>(field(QString::fromLatin1(actKeys()[i].field))))
            config.acts[i] = act->text();

    config.panelX = m_imagePanel->x();
    config.panelY = m_imagePanel->y();
    config.panelWidth = m_imagePanel->width();
    config.panelHeight = m_imagePanel->height();
    config.imageShown = !m_formImage->isHidden();

    // The font of NOM stands for every field's.
    config.textFont = fontLookOf(field(QStringLiteral("NOM"))->font());

    for (int i = 0; i < kDateFieldCount; ++i) {
        const QWidget *dateField = field(dateFieldNames()[i]);
        const FieldPlace place = placeOf(dateField);
        config.dates[i] = DatePlace{place.x, place.y, place.z, qobject_cast<const DateEdit *>(dateField)->text()};
    }

    config.noteShown = !stamp->isHidden();
    config.noteX = stamp->x();
    config.noteY = stamp->y();
    config.noteWidth = stamp->width();
    config.noteText = stamp->text();
    config.noteFont = fontLookOf(stamp->font());
    config.noteColor = storedColor(stamp->color());
    config.noteAngle = stamp->angle();

    config.orienteShown = !oriente->isHidden();
    config.orienteX = oriente->x();
    config.orienteY = oriente->y();
    config.orienteText = oriente->text();

    // Every plain text field; the added ones that hold text are listed.
    for (const SheetEdit *edit : m_plainFields) {
        const FieldPlace place = placeOf(edit);
        config.fields << place;
        if (place.name.contains(QLatin1String("NOUVEAU_")) && !edit->text().isEmpty())
            config.addedFields << place;
    }
}
