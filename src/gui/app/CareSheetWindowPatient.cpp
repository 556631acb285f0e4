// The import of the current patient from the external patient record, on the
// window's side: the ".N" item, the automatic import when the window is first
// shown, the write-back of the number when it closes.
#include "CareSheetWindow.h"

#include "config/ProgramSettings.h"
#include "patient/NavelisDatabase.h"
#include "support/ActionGuard.h"
#include "support/SettingsStore.h"
#include "ProgramWindows.h"
#include "widgets/DateEdit.h"
#include "widgets/SheetEdit.h"

#include <QAction>

void CareSheetWindow::patientDatabaseMissing()
{
    setWindowTitle(QStringLiteral("NAVELIS.MDB non trouvé"));
    // Also turns off the import at start and the write-back at closing.
    importPatientAction->setEnabled(false);
}

void CareSheetWindow::importPatient()
{
    if (!navelisDatabase)
        return;
    if (const std::optional<ImportedPatient> patient = navelisDatabase->importCurrentPatient())
        applyImportedPatient(*patient);
}

void CareSheetWindow::applyImportedPatient(const ImportedPatient &patient)
{
    NOM->setText(patient.name);
    DDN->setText(patient.birthDate);
    MATRICULE->setText(patient.number);
    ADRESSE->setText(patient.address);
    VILLE->setText(patient.town);
    ASSURE->setText(patient.insured);
    ASSURE_MATRICULE->setText(patient.insuredNumber);
}

void CareSheetWindow::storeImportAtStart()
{
    storeFlag(Setting::ImportAtStart, importAtStartAction->isChecked());
}

void CareSheetWindow::importAtFirstShow()
{
    importAtStartAction->setChecked(settingFlag(Setting::ImportAtStart));
    // A failed import is told and the remaining first-show steps still run.
    if (importAtStartAction->isChecked() && importPatientAction->isEnabled())
        runGuarded([this] { importPatient(); });
}

void CareSheetWindow::writeBackAtClose()
{
    // Its own guard: a failure is told and never keeps the window open.
    if (importPatientAction->isEnabled() && navelisDatabase)
        runGuarded([this] { navelisDatabase->writeBackNumber(NOM->text(), MATRICULE->text()); });
}

void CareSheetWindow::bindPatientImport()
{
    // Another name in NOM is another patient: the imported one's record is
    // no longer the sheet's.
    connect(NOM, &QLineEdit::textChanged, this, [](const QString &text) {
        if (navelisDatabase)
            navelisDatabase->nameOnSheetChanged(text);
    });
}

void CareSheetWindow::forgetImportedPatient()
{
    if (navelisDatabase)
        navelisDatabase->forgetImportedPatient();
}
