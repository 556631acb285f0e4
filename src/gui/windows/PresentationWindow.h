#pragma once

#include "PresentationTargets.h"
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
class PresentationWindow : public SideWindow
{
    Q_OBJECT
public:
    explicit PresentationWindow(const PresentationTargets &targets = PresentationTargets());
    ~PresentationWindow() override;

    WholeSpinBox *panelLeftBox = nullptr, *panelTopBox = nullptr, *panelWidthBox = nullptr, *panelHeightBox = nullptr,
                 *screenTopBox = nullptr, *stampAngleBox = nullptr, *stampSizeBox = nullptr;
    QCheckBox *naturalSizeTick = nullptr, *showStampTick = nullptr;
    QLineEdit *stampTextEdit = nullptr;
    QListWidget *stampTextList = nullptr;
    QGroupBox *stampGroup = nullptr;
    QWidget *stampPanel = nullptr, *importPanel = nullptr;
    QPushButton *saveButton = nullptr, *quitButton = nullptr, *ccamButton = nullptr, *imageHelpButton = nullptr;
    QAction *closeAction = nullptr, *brotherPresetAction = nullptr;

    // Handlers.
    void applyBrotherPreset();
    void showImageHelp();
    void saveConfigurationAndOwnSettings();
    void applyNaturalSize();
    void applyShowStamp();
    void stampTextEntered();
    void stampTextLeft();
    void stampTextPicked();
    // Its own save: its place, then the stamp text list.
    void saveOwnSettings();

protected:
    void saveAtClose() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWindow();
    void connectHandlers();
    void fillFromTargets();

    PresentationTargets m_targets;
};
