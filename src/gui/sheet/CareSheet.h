#pragma once

// The page of the care sheet: the image panel with the form image, and the
// sheet fields of the catalogue laid over it in their tab order, kept by
// their names (which are their keys in the files); the text fields the user
// adds; the rules of the totals, claim boxes and dates bound to them; and the
// sheet's part of the form configuration, put on the fields and read back.

#include <QHash>
#include <QList>
#include <QString>
#include <QWidget>

class FormImage;
class ImagePanel;
class MoveResizeController;
class SheetEdit;
class SheetRules;
struct FieldDesign;
struct FormConfiguration;

class CareSheet : public QWidget
{
    Q_OBJECT
public:
    // The window the sheet is shown in owns the pop-up menus of its rules;
    // the controller moves and resizes its fields with the mouse.
    CareSheet(QWidget *window, MoveResizeController *moveResize);

    // A sheet field by name (any kind), or nullptr.
    QWidget *field(const QString &name) const { return m_fields.value(name); }
    // The plain text fields in window order, the added ones last.
    const QList<SheetEdit *> &plainTextFields() const { return m_plainFields; }
    ImagePanel *imagePanel() const { return m_imagePanel; }
    FormImage *formImage() const { return m_formImage; }
    SheetRules *rules() const { return m_rules; }

    // The field moves and resizes with the mouse (Ctrl and Shift + left button).
    void bindMoveAndResize(QWidget *control);
    // An added text field named <prefix>_<n>; a name already taken is said
    // with "ERR:Create_CompoEdit =>" and no field is made.
    void createAddedField(QWidget *parent, int n, const QString &prefix, int width, int top, int left,
                          const QString &text);
    // Locked plain text fields take a left press as an empty drag gesture;
    // the dates, the stamp, the label and the image stay movable. A field
    // added later stays movable until the lock is applied again.
    void setLocked(bool locked);

    // The sheet's part of the form configuration, put on the fields in the
    // order the reading has always followed, and read back from them.
    void apply(const FormConfiguration &config);
    void capture(FormConfiguration &config) const;

private:
    QWidget *createField(const FieldDesign &design);
    void setTabOrder();
    void placeImage();

    MoveResizeController *m_moveResize;
    ImagePanel *m_imagePanel = nullptr;
    FormImage *m_formImage = nullptr;
    SheetRules *m_rules = nullptr;
    QHash<QString, QWidget *> m_fields;
    QList<SheetEdit *> m_plainFields;
};
