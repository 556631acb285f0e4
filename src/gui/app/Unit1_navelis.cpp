// The import of the current patient from the external patient record, on the
// window's side: the ".N" item, the automatic import when the window is first
// shown, the write-back of the number when it closes.
#include "Unit1.h"

#include "patient/DataModule_navelis.h"
#include "support/ActionGuard.h"
#include "support/tq32_ini.h"
#include "variables_globales.h"
#include "widgets/DateEdit.h"
#include "widgets/SheetEdit.h"

#include <QAction>

void TForm1::NAVELIS_DatabaseMissing()
{
    setWindowTitle(QStringLiteral("NAVELIS.MDB non trouvé"));
    // Also turns off the import at start and the write-back at closing.
    mnu_NAVELIS->setEnabled(false);
}

void TForm1::mnu_NAVELISClick()
{
    if (!DATA_NAVELIS)
        return;
    if (const std::optional<ImportedPatient> patient = DATA_NAVELIS->NAVELIS_MAJExecute())
        applyImportedPatient(*patient);
}

void TForm1::applyImportedPatient(const ImportedPatient &patient)
{
    NOM->setText(patient.NOM);
    DDN->setText(patient.DDN);
    MATRICULE->setText(patient.MATRICULE);
    ADRESSE->setText(patient.ADRESSE);
    VILLE->setText(patient.VILLE);
    ASSURE->setText(patient.ASSURE);
    ASSURE_MATRICULE->setText(patient.ASSURE_MATRICULE);
}

void TForm1::chk_AutoNavelisClick()
{
    INI_WriteBool(QStringLiteral("OPTIONS"), QStringLiteral("AUTO_NAVELIS"), chk_AutoNavelis->isChecked());
}

void TForm1::navelisAtFirstShow()
{
    chk_AutoNavelis->setChecked(INI_ReadBool(QStringLiteral("OPTIONS"), QStringLiteral("AUTO_NAVELIS"), false));
    // A failed import is told and the remaining first-show steps still run.
    if (chk_AutoNavelis->isChecked() && mnu_NAVELIS->isEnabled())
        runGuarded([this] { mnu_NAVELISClick(); });
}

void TForm1::navelisAtClose()
{
    // Its own guard: a failure is told and never keeps the window open.
    if (mnu_NAVELIS->isEnabled() && DATA_NAVELIS)
        runGuarded([this] { DATA_NAVELIS->NAVELIS_SAVEExecute(NOM->text(), MATRICULE->text()); });
}

void TForm1::bindNavelis()
{
    // Another name in NOM is another patient: the imported one's record is
    // no longer the sheet's.
    connect(NOM, &QLineEdit::textChanged, this, [](const QString &text) {
        if (DATA_NAVELIS)
            DATA_NAVELIS->nameOnSheetChanged(text);
    });
}

void TForm1::forgetImportedPatient()
{
    if (DATA_NAVELIS)
        DATA_NAVELIS->forgetImportedPatient();
}
