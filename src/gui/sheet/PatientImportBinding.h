#pragma once

// The import of the current patient from the external patient record, on the
// sheet's side: the ".N" item, the import when the window is first shown, the
// write-back of the number when it closes, and the imported patient
// forgotten when the identity is cleared or another name is typed.

#include <QObject>
#include <functional>

class NavelisDatabase;
class QAction;
class QWidget;
struct ImportedPatient;

class PatientImportBinding : public QObject
{
    Q_OBJECT
public:
    // The database is asked for each time: it is made after the window.
    PatientImportBinding(QWidget *window, const std::function<QWidget *(const QString &)> &fieldNamed,
                         const std::function<NavelisDatabase *()> &database, QAction *importCommand,
                         QAction *importAtStartTick);

    // The database file named by "navelis.ini" is missing: said in the
    // caption, and the import, the import at start and the write-back are off.
    void databaseMissing();
    void importPatient();
    // The tick read from the settings; a failed import is told and the
    // remaining first-show steps still run.
    void importAtFirstShow();
    // Its own guard: a failure is told and never keeps the window open.
    void writeBackAtClose();
    // The identity has been cleared: the write-back touches no record.
    void forgetImportedPatient();

private:
    void apply(const ImportedPatient &patient);
    QString text(const char *name) const;

    QWidget *m_window;
    std::function<QWidget *(const QString &)> m_fieldNamed;
    std::function<NavelisDatabase *()> m_database;
    QAction *m_importCommand;
    QAction *m_importAtStartTick;
};
