#pragma once

// The care-sheet window: the form image with the sheet fields laid over it,
// the main menu, and the state it shares with the program's other windows.
// Its handlers are split by subject: the fields and the added fields
// (Unit1_fields.cpp), the menus (Unit1_menus.cpp), the form configuration
// (Unit1_config.cpp), the appearance commands (Unit1_appearance.cpp), the
// totals and claim boxes (acts/Unit1_boxes.cpp), printing
// (print/Unit1_print.cpp), the pick lists and the dates (patient/Unit1_lists.cpp,
// patient/Unit1_dates.cpp).

#include "config/SharedState.h"

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
class TMRControl;
struct ActModel;
struct FieldDesign;
struct FormConfiguration;
struct ImportedPatient;

class TForm1 : public QMainWindow
{
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // Shared state.
    SharedState state;

    // The client area that scrolls over the page, the image panel and the image.
    QScrollArea *ScrollBox = nullptr;
    QWidget *Client = nullptr;
    ImagePanel *Panel_IMAGE = nullptr;
    FormImage *Image1 = nullptr;

    // Sheet fields.
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

    TMRControl *MRControl1 = nullptr;

    // Actions and menu items, by the names the program gives them.
    QAction *form_OPEN = nullptr, *OPEN_CONFIG = nullptr, *EDIT_IMAGE = nullptr, *INI_SAVE = nullptr,
            *INI_GET = nullptr, *mnu_ToutEffacer = nullptr, *btn_IMPRIMER = nullptr, *Quitter1 = nullptr,
            *OPEN_Modele = nullptr, *SAVE_MODELE = nullptr, *mnu_POLICE = nullptr, *mnu_Border = nullptr,
            *mnu_3D = nullptr, *mnu_Add_CompoEdit = nullptr, *mnu_VERROU = nullptr,
            *mnu_CacheImage = nullptr, *mnu_Note_Show = nullptr, *mnu_Oriente_Show = nullptr,
            *Hide_NAME = nullptr, *Hide_DATES = nullptr, *Ajusterlahauteurdelcran1 = nullptr,
            *MAxi1 = nullptr, *Historique1 = nullptr, *Co1 = nullptr, *Explorer = nullptr,
            *VariablesProgramme1 = nullptr, *chk_OpenActe = nullptr, *chk_AutoNavelis = nullptr,
            *Aideaucodage1 = nullptr, *Amli1 = nullptr, *mnu_Modificateurs = nullptr,
            *JORFn0124du31mai2013page90081 = nullptr, *mnu_CCAM = nullptr, *modif_1 = nullptr,
            *mnu_NAVELIS = nullptr, *Lafeuilledesoins1 = nullptr, *mnu_AideEnLigne = nullptr,
            *Dplacerleschamps1 = nullptr, *Merci1 = nullptr, *Rechercher1 = nullptr,
            *mnu_Notes = nullptr, *EditPaste1 = nullptr, *Calcule_Total = nullptr;
    // Pop-up menus and their items.
    QMenu *PopupMenu_X = nullptr, *PopupMenu_note = nullptr, *PopupMenu_VILLES = nullptr,
          *PopupMenu_CPAM = nullptr, *PopupMenu_IMAGE = nullptr;
    QAction *Cocher1 = nullptr, *Dcocher1 = nullptr, *mnu_VilleDelete = nullptr, *Fermer1 = nullptr,
            *Supprimer1 = nullptr, *Fermer2 = nullptr, *Ajouterunezonedetexte1 = nullptr,
            *mnuPoP_ShowTampon = nullptr;
    // The buttons at the right end of the menu bar.
    QToolButton *capBtn_OPEN = nullptr, *capBtn_SAVE = nullptr, *capBTN_PRINT = nullptr,
                *capBtn_OPTIONS = nullptr, *capBtn_AIDE = nullptr;

    // The plain text fields in window order, the added ones last.
    const QList<SheetEdit *> &plainTextFields() const { return m_plainFields; }
    // The eight claim boxes.
    QList<SheetEdit *> claimBoxes() const;
    // A sheet field by name (any kind), or nullptr.
    QWidget *field(const QString &name) const { return m_fields.value(name); }

    // Start-up, first show and closing.
    void FormCreate();
    void FormShow();
    void FormClose();

    // Form configuration.
    void INI_GETExecute();
    void INI_SAVEExecute();
    // The next reading keeps the form image path set by a form image change.
    bool keepImagePathOnReading = false;
    // The form configuration put on the widgets, in the order the reading
    // has always followed, and read back from them.
    void apply(const FormConfiguration &config);
    FormConfiguration capture() const;

    // Added text fields.
    void Create_CompoEdit(QWidget *parent, int n, const QString &prefix, int width, int top, int left,
                          const QString &text);
    void mnu_Add_CompoEditClick();

    // Window handlers.
    // True when the key was the window's (Escape) and is not typed.
    bool FormKeyPress(QKeyEvent *event);
    void mnu_ToutEffacerClick();
    void Co1Click();
    void OPEN_CONFIGExecute();
    void Historique1Click();
    void ExplorerClick();
    void mnu_NotesClick();
    void mnu_AideEnLigneClick();
    void Lafeuilledesoins1Click();
    void CapBtn_HELPClick();
    void Merci1Click();
    void VariablesProgramme1Click();
    void EditPaste1Execute();

    // The C.C.A.M menu: the reference viewer, the web look-ups of CCAM_1 and
    // the modifier calculator with its documents.
    void mnu_CCAMClick();
    void Aideaucodage1Click();
    void Amli1Click();
    void modif_1Click();
    void mnu_ModificateursClick();
    void JORFn0124du31mai2013page90081Click();

    // Totals and claim boxes.
    void Calcule_TotalExecute();
    void toggleClaimBox(SheetEdit *box);
    void Cocher1Click();
    void Dcocher1Click();
    void applyMaternityRule();

    // Act models (Unit1_models.cpp).
    void SAVE_MODELEExecute();
    void OPEN_ModeleExecute();
    void chk_OpenActeClick();
    // Applies the act model registered under the name of a shortcut.
    void openActShortcut(const QString &actName);
    // The "Choisir un acte à l'ouverture" step of the first show.
    void openActAtStart();
    ActModel captureActModel() const;
    void applyActModel(const ActModel &model);

    // Printing.
    void btn_IMPRIMERExecute();
    // The calibration page, the printers' offsets and the print preview
    // (Unit1_calibration.cpp).
    void mnu_CalibrageClick();
    void mnu_DecalageClick();
    void mnu_ApercuClick();

    // The form image (Unit1_image.cpp).
    void form_OPENExecute();
    void FormDropFiles(const QStringList &paths);
    void EDIT_IMAGEExecute();
    void mnu_CacheImageClick();
    void Ajusterlahauteurdelcran1Click();
    void MAxi1Click();
    // Shows the picture at the path and reads that form's configuration; a
    // picture or a configuration that cannot be read changes nothing.
    void loadFormImage(const QString &path);

    // The stamp (Unit1_stamp.cpp).
    void CAcher1Click();
    void NOTEDblClick();
    void stampTextClick(QAction *item);
    void Textelibre1Click();
    void Police1Click();

    // Move, resize and lock.
    void NOMMouseDown(QWidget *control);
    void NOMMouseMove(QWidget *control);
    void Edit_MouseDown(QWidget *control);
    void Edit_MouseMove(QWidget *control);
    void NOTEMouseDown(QWidget *control);
    void NOTEMouseMove(QWidget *control);
    void mnu_VERROUClick();

    // Appearance.
    void mnu_POLICEClick();
    void mnu_BorderClick();
    void mnu_3DClick();
    void mnu_Oriente_ShowClick();
    void Hide_NAMEClick();
    void Hide_DATESClick();

    // Pick lists.
    void VILLEEnter();
    void VILLEExit();
    void LISTE_VILLESClick();
    void LISTE_VILLESDblClick();
    void mnu_VilleDeleteClick();
    void CPAMEnter();
    void CPAMExit();
    void Liste_CPAMSClick();
    void Liste_CPAMSDblClick();
    void Supprimer1Click();

    // Dates.
    void DATE_ACTEKeyDown(DateEdit *field, QKeyEvent *event);
    void DATE_ACTEDblClick();
    void DDNAcceptDate(const QDate &picked);
    void MATRICULEDblClick();

    // Import of the current patient from the external patient record.
    void mnu_NAVELISClick();
    void chk_AutoNavelisClick();
    void applyImportedPatient(const ImportedPatient &patient);
    // The database file named by "navelis.ini" is missing.
    void NAVELIS_DatabaseMissing();

signals:
    // The window has closed: the program ends.
    void closed();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildClientArea();
    void buildFields();
    QWidget *createField(const FieldDesign &field);
    void setUpFieldHandlers();
    void buildMenus();
    void buildPopupMenus();
    void buildTitleBarButtons();
    void bindImageCommands();
    void buildStampMenu();
    bool dropFilter(QObject *watched, QEvent *event);
    void setTabOrder();
    void applyClaimBoxRule(SheetEdit *box);
    void showPickList(QListWidget *list, SheetEdit *fieldBelow);
    void leaveFieldForPrint();
    // The field being edited is committed before a saving: its exit handler
    // runs (the total of the tariffs, the town or fund offered to its list)
    // and it keeps the focus.
    void commitFieldBeingEdited();
    void restoreAfterPrint(bool succeeded, int heightBefore);
    // The page of the sheet for the paper, asking about zones outside the
    // printable area first; or for the preview, with those zones outlined,
    // the margins the printer cannot print on shaded and, when asked, the
    // form image faintly behind the texts.
    enum class SheetPage { Paper, Preview, PreviewOverForm };
    void printSheet(QPrinter &printer, SheetPage page);
    // Puts the sheet as it prints (the window at its capture height, no
    // frames, lists or form image), runs the step with the part of the page
    // captured, and puts the window back, even when the step raises.
    void withSheetAsPrinted(const std::function<void(const QRect &area)> &step);
    // The same for the preview, which is drawn again while the user works
    // on the sheet: everything changed for the capture is put back exactly
    // as it was, and the focus, the window's size and place stay.
    void withSheetAsPreviewed(const std::function<void(const QRect &area)> &step);
    // The chosen printer's offset in its dots; a stored offset that cannot be
    // read gives none, and says so once per printer when told to.
    QPoint printerShift(const QPrinter &printer, bool tellUnreadable = false);
    QList<PrintedZone> zonesOutsidePrintableArea(const QPrinter &printer, const QRect &area, const QPoint &shift) const;
    using MouseHandler = void (TForm1::*)(QWidget *);
    void bindMoveAndResize(QWidget *control, MouseHandler down = &TForm1::NOMMouseDown,
                           MouseHandler move = &TForm1::NOMMouseMove);
    bool isWindowShortcut(const QKeyEvent *key) const;
    void placeImage();
    void setCaptionFor(const QString &modelName, const QString &actName);
    void navelisAtFirstShow();
    void navelisAtClose();
    void bindNavelis();
    // The identity has been cleared: the write-back touches no record.
    void forgetImportedPatient();

    QHash<QString, QWidget *> m_fields;
    QList<SheetEdit *> m_plainFields;
    std::unique_ptr<QPrinter> m_printer;
    // The printer of the run, made at the first asking: the one the print
    // dialog chose last, or the default printer.
    QPrinter &runPrinter();
    // The printers whose unreadable stored offset the user has been told of.
    QSet<QString> m_toldUnreadableOffset;
    // The preview's window, while it lives.
    QPointer<QWidget> m_preview;
    // The file name the act model open dialog offers again.
    QString m_lastActModelName;
    bool m_shownOnce = false;
    // The claim-box rules are setting the texts of their chain.
    bool m_applyingClaimRules = false;
    bool m_closing = false;
};
