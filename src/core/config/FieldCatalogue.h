#pragma once

// The catalogue of the sheet fields as they stand before any configuration is
// read: names, kinds, places and sizes on the image panel (ACTE_4 on the
// window), fonts, letter case, design texts, hints, Tab order. The care-sheet
// window builds its fields from this one table, and the drawing of the blank
// form puts its boxes where the table puts the fields.

#include <QColor>
#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

enum class FieldKind {
    PlainText,   // one-line edit box
    ClaimBox,    // a plain text field 17 pixels wide holding "X" or nothing
    Date,        // date edit box with a calendar button
    PickList,    // sorted list box, hidden at start
    Label,       // static text
    Stamp,       // turned text label
};

struct FieldFont
{
    const char *family;
    int pointSize;
    bool bold;
};

struct FieldDesign
{
    const char *name;
    FieldKind kind;
    int tab;                 // Tab position on the panel; -1 for none
    QRect geometry;          // on the panel (on the window for ACTE_4)
    FieldFont font;
    bool mixedCase;          // typed letters stay as typed
    const char *text;        // design text (UTF-8)
    const char *hint;        // UTF-8; empty for none
    bool visible;
    bool onWindow;           // ACTE_4 lies on the window, not on the panel
    bool handDragCursor;     // drag pointer while the locked field is dragged
    QRgb background;         // 0: the window colour
};

// The whole catalogue, in Tab order (ACTE_4 first).
const std::vector<FieldDesign> &fieldCatalogue();
// One entry by name, or nullptr.
const FieldDesign *findFieldDesign(const QString &name);

// The plain text fields in window order: the order in which commands that
// act on all fields walk them, and the order of the form configuration.
const QStringList &plainFieldsInWindowOrder();
// The eight claim boxes.
const QStringList &claimBoxNames();

// The name a user knows a field by, for the messages that name fields: its
// hint where the hint names it ("Tarif1", "Date de l'acte"), else the words
// the form prints beside it ("Maladie", "ALD : non"); an added field keeps
// its own name.
QString fieldLabel(const QString &name);

// The image panel at design: left 0, top -10, 772 by 1110.
QRect designPanelGeometry();
// The caption of the panel where no image covers it.
QString panelCaption();
// The sample patient name of the design text of NOM.
QString samplePatientName();
