#include "variables_globales.h"

#include "Unit1.h"
#include "windows/frm_CALC.h"
#include "windows/frm_edit.h"
#include "windows/unit_HISTORIQUE.h"
#include "patient/DataModule_navelis.h"
#include "windows/unit_options.h"
#include "support/ActionGuard.h"
#include "support/IniFile.h"
#include "widgets/FormImage.h"
#include "widgets/ImagePanel.h"
#include "widgets/StampLabel.h"

#include <QAction>

TForm1 *Form1 = nullptr;
TDATA_NAVELIS *DATA_NAVELIS = nullptr;
Tform_historique *form_historique = nullptr;
TForm_OPTIONS *Form_OPTIONS = nullptr;
Tform_EDIT *form_EDIT = nullptr;
Tform_CALC *form_CALC = nullptr;

namespace {

// What the presentation options window acts on, all of the care sheet's.
PresentationTargets presentationTargets()
{
    PresentationTargets targets;
    targets.imagePanel = Form1->Panel_IMAGE;
    targets.careSheet = Form1;
    targets.image = Form1->Image1;
    targets.stamp = Form1->NOTE;
    targets.stampMenuTick = Form1->mnu_Note_Show;
    targets.quit = Form1->Quitter1;
    targets.saveConfiguration = [] { Form1->INI_SAVEExecute(); };
    // "CCAM texte complet"; while that item is not there yet, the viewer.
    targets.showCcamText = [] {
        if (Form1->mnu_CCAM->isEnabled())
            Form1->mnu_CCAM->trigger();
        else if (form_EDIT)
            form_EDIT->show();
    };
    return targets;
}

} // namespace

void createTiravonWindows()
{
    Form1 = new TForm1;
    DATA_NAVELIS = new TDATA_NAVELIS([] { Form1->NAVELIS_DatabaseMissing(); });
    form_historique = new Tform_historique;
    form_historique->openAct = [form = Form1](const QString &actName) { form->openActShortcut(actName); };
    Form_OPTIONS = new TForm_OPTIONS(presentationTargets());
    form_EDIT = new Tform_EDIT;
    form_CALC = new Tform_CALC;
}

void openTiravonWindows()
{
    IniSession session;
    createTiravonWindows();
    Form1->show();
    runGuarded([&session] { session.writeFiles(); });
}

void destroyTiravonWindows()
{
    delete form_CALC;
    form_CALC = nullptr;
    delete form_EDIT;
    form_EDIT = nullptr;
    delete Form_OPTIONS;
    Form_OPTIONS = nullptr;
    delete form_historique;
    form_historique = nullptr;
    delete DATA_NAVELIS;
    DATA_NAVELIS = nullptr;
    delete Form1;
    Form1 = nullptr;
}
