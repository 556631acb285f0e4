#pragma once

// The care-sheet window: the page of the sheet (sheet/CareSheet.h, which
// owns the image, the fields and the rules of the totals, claim boxes and
// dates) in a scroll area, the main menu and the buttons of its menu bar, the
// form configuration and the placement. Its code is split by subject: the
// added fields and the lock (CareSheetWindowFields.cpp), the menus
// (CareSheetWindowMenus.cpp), the form configuration
// (CareSheetWindowConfig.cpp) and the form image (CareSheetWindowImage.cpp).
// What the sheet does has controllers of its own, made here and handed the
// parts they act on: the town and fund lists (sheet/PickListBinding.h), the
// stamp (sheet/StampController.h), the act models
// (sheet/ActModelCommands.h), the patient import
// (sheet/PatientImportBinding.h) and printing (print/SheetPrinter.h).

#include "config/FormInUse.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <QMainWindow>
#include <QPointer>
#include <QSet>
#include <functional>
#include <memory>

class DateEdit;
class FormImage;
class ImagePanel;
class QAction;
class QKeyEvent;
class QLabel;
class QListWidget;
class QMenu;
class QPrinter;
struct PrintedZone;
class QScrollArea;
class QToolButton;
class SheetEdit;
class StampLabel;
class MoveResizeController;
class PickListBinding;
class StampController;
class SheetRules;
class CareSheet;
class SheetPrinter;
class PatientImportBinding;
class ActModelCommands;
class NavelisDatabase;
struct FormConfiguration;
struct PresentationTargets;

// The program's other windows as the care-sheet window uses them, handed over
// by whoever makes them; none while they are not made.
struct SideWindowLinks
{
    QWidget *presentation = nullptr;       // "Présentation"
    QWidget *shortcuts = nullptr;          // the act shortcuts window
    QListWidget *shortcutList = nullptr;   // its list of acts
    QWidget *ccamViewer = nullptr;         // the CCAM reference text
    QWidget *calculator = nullptr;         // the modifier calculator
    NavelisDatabase *patients = nullptr;   // the external patient record
    // Shows the CCAM reference text at the code.
    std::function<void(const QString &code)> showCcamText;
};

class CareSheetWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit CareSheetWindow(QWidget *parent = nullptr);
    ~CareSheetWindow() override;

    // The form in use.
    const FormInUse &formInUse() const { return state; }
    // What the presentation options window acts on, all of this window's.
    PresentationTargets presentationTargets();
    // The other windows, once they are made.
    void setSideWindows(const SideWindowLinks &links) { m_sideWindows = links; }

    // The plain text fields in window order, the added ones last.
    const QList<SheetEdit *> &plainTextFields() const;
    // A sheet field by name (any kind), or nullptr.
    QWidget *field(const QString &name) const;

    // Start-up, first show and closing.
    void atFirstShow();
    void saveAtClose();

    // Form configuration.
    void readConfiguration();
    void saveConfiguration();
    // The next reading keeps the form image path set by a form image change.
    bool keepImagePathOnReading = false;
    // The form configuration put on the widgets, in the order the reading
    // has always followed, and read back from them.
    void apply(const FormConfiguration &config);
    FormConfiguration capture() const;

    // Added text fields.
    void addTextField();

    // Window handlers.
    // True when the key was the window's (Escape) and is not typed.
    bool handleWindowKey(QKeyEvent *event);
    void clearAll();

    // Applies the act model registered under the name of a shortcut.
    void openActShortcut(const QString &actName);

    // The form image (CareSheetWindowImage.cpp).
    void chooseFormImage();
    void dropFiles(const QStringList &paths);
    // Shows the picture at the path and reads that form's configuration; a
    // picture or a configuration that cannot be read changes nothing.
    void loadFormImage(const QString &path);

    // The lock of the fields.
    void applyLock();

    // The database file named by "navelis.ini" is missing.
    void patientDatabaseMissing();

signals:
    // The window has closed: the program ends.
    void closed();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The form in use.
    FormInUse state;

    // The client area that scrolls over the page of the sheet, which owns
    // the image panel, the image and the fields; the window keeps its own
    // pointers to the ones its commands act on.
    QScrollArea *scrollArea = nullptr;
    CareSheet *m_sheet = nullptr;
    ImagePanel *imagePanel = nullptr;
    FormImage *formImage = nullptr;
    SheetEdit *ACTE_4 = nullptr, *NOM = nullptr, *MATRICULE = nullptr, *ASSURE = nullptr,
              *ASSURE_MATRICULE = nullptr, *ADRESSE = nullptr, *VILLE = nullptr, *CPAM = nullptr,
              *COCHE_MALADIE = nullptr, *COCHE_MATERNITE = nullptr, *COCHE_ALD_0 = nullptr,
              *COCHE_ALD_1 = nullptr, *COCHE_ALD_TYPE = nullptr, *COCHE_ACCES = nullptr,
              *MEDECIN = nullptr, *CCAM_1 = nullptr, *CCAM_2 = nullptr, *ACTE_1 = nullptr,
              *ACTE_2 = nullptr, *ACTE_3 = nullptr, *TARIF_1 = nullptr, *TARIF_2 = nullptr,
              *TARIF_3 = nullptr, *TARIF_4 = nullptr, *MONTANT_TOTAL = nullptr,
              *COCHE_NP_OBLIGAT = nullptr, *COCHE_NP_COMP = nullptr;
    DateEdit *DDN = nullptr, *DDG = nullptr, *DATE_ACTE = nullptr, *DATE = nullptr;
    QListWidget *LISTE_VILLES = nullptr, *Liste_CPAMS = nullptr;
    QLabel *oriente = nullptr;
    StampLabel *NOTE = nullptr;

    MoveResizeController *moveResize = nullptr;

    // The menu items the window's code reads or changes after building them.
    QAction *loadFormImageAction = nullptr, *togglePresentationAction = nullptr, *editFormImageAction = nullptr,
            *saveConfigurationAction = nullptr, *clearAllAction = nullptr, *printAction = nullptr,
            *quitAction = nullptr, *openActModelAction = nullptr, *saveActModelAction = nullptr,
            *fieldsFontAction = nullptr, *borderAction = nullptr, *threeDAction = nullptr,
            *addTextFieldAction = nullptr, *lockFieldsAction = nullptr, *textOnlyAction = nullptr,
            *showStampAction = nullptr, *showOrienteAction = nullptr, *hideNameAction = nullptr,
            *hideDatesAction = nullptr, *fitScreenHeightAction = nullptr, *fullHeightAction = nullptr,
            *traceVariablesAction = nullptr, *chooseActAtStartAction = nullptr, *importAtStartAction = nullptr,
            *ccamTextAction = nullptr, *importPatientAction = nullptr, *onlineManualAction = nullptr,
            *pasteAction = nullptr;
    // Pop-up menus and their items.
    QMenu *imageMenu = nullptr;
    QAction *addTextZoneAction = nullptr, *popupShowStampAction = nullptr;
    // The town and fund lists, and the stamp.
    PickListBinding *m_towns = nullptr, *m_funds = nullptr;
    StampController *m_stamp = nullptr;
    // The total, claim-box and date rules bound to the fields.
    SheetRules *m_rules = nullptr;
    // The print, the calibration page, the offsets and the preview.
    SheetPrinter *m_printing = nullptr;
    // The import of the current patient.
    PatientImportBinding *m_patient = nullptr;
    // The act models.
    ActModelCommands *m_models = nullptr;

    void buildClientArea();
    void setUpFieldHandlers();
    void buildMenus();
    void buildPopupMenus();
    bool dropFilter(QObject *watched, QEvent *event);
    // The field being edited is committed before a saving: its exit handler
    // runs (the total of the tariffs, the town or fund offered to its list)
    // and it keeps the focus.
    void commitFieldBeingEdited();
    bool isWindowShortcut(const QKeyEvent *key) const;

    SideWindowLinks m_sideWindows;
    bool m_shownOnce = false;
    bool m_closing = false;
};
