#include "PatientImportBinding.h"

#include "config/ProgramSettings.h"
#include "patient/NavelisDatabase.h"
#include "support/ActionGuard.h"
#include "widgets/DateEdit.h"
#include "widgets/SheetEdit.h"

#include <QAction>

PatientImportBinding::PatientImportBinding(QWidget *window, const std::function<QWidget *(const QString &)> &fieldNamed,
                                           const std::function<NavelisDatabase *()> &database, QAction *importCommand,
                                           QAction *importAtStartTick)
    : QObject(window), m_window(window), m_fieldNamed(fieldNamed), m_database(database),
      m_importCommand(importCommand), m_importAtStartTick(importAtStartTick)
{
    connect(importCommand, &QAction::triggered, this, guarded([this] { importPatient(); }));
    connect(importAtStartTick, &QAction::triggered, this,
            guarded([this] { storeFlag(Setting::ImportAtStart, m_importAtStartTick->isChecked()); }));
    // Another name in NOM is another patient: the imported one's record is
    // no longer the sheet's.
    connect(static_cast<QLineEdit *>(fieldNamed(QStringLiteral("NOM"))), &QLineEdit::textChanged, this,
            [this](const QString &name) {
                if (NavelisDatabase *record = m_database())
                    record->nameOnSheetChanged(name);
            });
}

QString PatientImportBinding::text(const char *name) const
{
    return static_cast<SheetEdit *>(m_fieldNamed(QString::fromLatin1(name)))->text();
}

void PatientImportBinding::databaseMissing()
{
    m_window->setWindowTitle(QStringLiteral("NAVELIS.MDB non trouvé"));
    m_importCommand->setEnabled(false);
}

void PatientImportBinding::importPatient()
{
    NavelisDatabase *database = m_database();
    if (!database)
        return;
    if (const std::optional<ImportedPatient> patient = database->importCurrentPatient())
        apply(*patient);
}

void PatientImportBinding::apply(const ImportedPatient &patient)
{
    const auto set = [this](const char *name, const QString &value) {
        QWidget *field = m_fieldNamed(QString::fromLatin1(name));
        if (auto *date = qobject_cast<DateEdit *>(field))
            date->setText(value);
        else
            static_cast<SheetEdit *>(field)->setText(value);
    };
    set("NOM", patient.name);
    set("DDN", patient.birthDate);
    set("MATRICULE", patient.number);
    set("ADRESSE", patient.address);
    set("VILLE", patient.town);
    set("ASSURE", patient.insured);
    set("ASSURE_MATRICULE", patient.insuredNumber);
}

void PatientImportBinding::importAtFirstShow()
{
    m_importAtStartTick->setChecked(settingFlag(Setting::ImportAtStart));
    if (m_importAtStartTick->isChecked() && m_importCommand->isEnabled())
        runGuarded([this] { importPatient(); });
}

void PatientImportBinding::writeBackAtClose()
{
    NavelisDatabase *database = m_database();
    if (m_importCommand->isEnabled() && database)
        runGuarded([this, database] { database->writeBackNumber(text("NOM"), text("MATRICULE")); });
}

void PatientImportBinding::forgetImportedPatient()
{
    if (NavelisDatabase *database = m_database())
        database->forgetImportedPatient();
}
