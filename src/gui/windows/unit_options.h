#pragma once

#include "widgets/SideWindow.h"

#include <QSpinBox>
#include <functional>

class FormImage;
class QAction;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class StampLabel;

// What the presentation options window acts on, handed over by the
// care-sheet window that owns it all.
struct PresentationTargets
{
    QWidget *imagePanel = nullptr;      // Panel_IMAGE, moved and resized by the boxes
    QWidget *careSheet = nullptr;       // the care-sheet window, scrolled by SpinEdit_Screen
    FormImage *image = nullptr;         // Image1, shown at its own size by chk_INIT
    StampLabel *stamp = nullptr;        // NOTE
    QAction *stampMenuTick = nullptr;   // "Tampon" of the main menu
    QAction *quit = nullptr;            // "&Quitter"
    std::function<void()> saveConfiguration;   // "Enregistrer la configuration" of the care sheet
    std::function<void()> showCcamText;        // "CCAM texte complet"
};

// A whole-number box with no limits; a text that is not a number reads as 0.
class WholeSpinBox : public QSpinBox
{
    Q_OBJECT
public:
    explicit WholeSpinBox(QWidget *parent = nullptr);

signals:
    void doubleClicked();

protected:
    QValidator::State validate(QString &input, int &pos) const override;
    int valueFromText(const QString &text) const override;
    bool eventFilter(QObject *watched, QEvent *event) override;
};

// The presentation options window "Présentation", beside the care sheet:
// registers the printed texts against the paper form by moving and resizing
// the image panel, dresses the stamp and saves the configuration.
class TForm_OPTIONS : public SideWindow
{
    Q_OBJECT
public:
    explicit TForm_OPTIONS(const PresentationTargets &targets = PresentationTargets());
    ~TForm_OPTIONS() override;

    WholeSpinBox *SpinEditLeft = nullptr, *SpinEditTOP = nullptr, *SpinEdit_W = nullptr, *SpinEdit_H = nullptr,
                 *SpinEdit_Screen = nullptr, *SpinEdit_NOTE = nullptr, *JvSpinEdit_Size = nullptr;
    QCheckBox *chk_INIT = nullptr, *chk_NOTE = nullptr;
    QLineEdit *EditNote = nullptr;
    QListWidget *Liste_NOTES = nullptr;
    QGroupBox *GroupBox_NOTE = nullptr;
    QWidget *Panel_NOTE = nullptr, *Panel_NAVELIS = nullptr;
    QPushButton *btn_Save = nullptr, *btn_quit = nullptr, *btn_CCAM = nullptr, *btn_AideImage = nullptr;
    QAction *Fermer1 = nullptr, *Modele1 = nullptr;

    // Handlers.
    void Modele1Click();
    void btn_AideImageClick();
    void btn_SaveClick();
    void chk_INITClick();
    void chk_NOTEClick();
    void EditNoteEnter();
    void EditNoteExit();
    void Liste_NOTESClick();
    // Its own save: its place, then the stamp text list.
    void saveOwnSettings();

protected:
    void FormClose() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWindow();
    void connectHandlers();
    void fillFromTargets();

    PresentationTargets m_targets;
};
