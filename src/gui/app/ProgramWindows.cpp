#include "ProgramWindows.h"

#include "CareSheetWindow.h"
#include "windows/ModifierCalculatorWindow.h"
#include "windows/CcamViewerWindow.h"
#include "windows/ActShortcutsWindow.h"
#include "patient/NavelisDatabase.h"
#include "windows/PresentationWindow.h"
#include "support/ActionGuard.h"
#include "support/IniFile.h"
#include "widgets/FormImage.h"
#include "widgets/ImagePanel.h"
#include "widgets/StampLabel.h"

#include <QAction>

CareSheetWindow *careSheetWindow = nullptr;
NavelisDatabase *navelisDatabase = nullptr;
ActShortcutsWindow *actShortcutsWindow = nullptr;
PresentationWindow *presentationWindow = nullptr;
CcamViewerWindow *ccamViewerWindow = nullptr;
ModifierCalculatorWindow *modifierCalculatorWindow = nullptr;

void createProgramWindows()
{
    careSheetWindow = new CareSheetWindow;
    navelisDatabase = new NavelisDatabase([] { careSheetWindow->patientDatabaseMissing(); });
    actShortcutsWindow = new ActShortcutsWindow;
    actShortcutsWindow->openAct = [form = careSheetWindow](const QString &actName) { form->openActShortcut(actName); };
    presentationWindow = new PresentationWindow(careSheetWindow->presentationTargets());
    ccamViewerWindow = new CcamViewerWindow;
    modifierCalculatorWindow = new ModifierCalculatorWindow;
    SideWindowLinks links;
    links.presentation = presentationWindow;
    links.shortcuts = actShortcutsWindow;
    links.shortcutList = actShortcutsWindow->actList;
    links.ccamViewer = ccamViewerWindow;
    links.calculator = modifierCalculatorWindow;
    links.patients = navelisDatabase;
    links.showCcamText = [viewer = ccamViewerWindow](const QString &code) { viewer->showForCode(code); };
    careSheetWindow->setSideWindows(links);
}

void openProgramWindows()
{
    IniSession session;
    createProgramWindows();
    careSheetWindow->show();
    runGuarded([&session] { session.writeFiles(); });
}

void destroyProgramWindows()
{
    delete modifierCalculatorWindow;
    modifierCalculatorWindow = nullptr;
    delete ccamViewerWindow;
    ccamViewerWindow = nullptr;
    delete presentationWindow;
    presentationWindow = nullptr;
    delete actShortcutsWindow;
    actShortcutsWindow = nullptr;
    delete navelisDatabase;
    navelisDatabase = nullptr;
    delete careSheetWindow;
    careSheetWindow = nullptr;
}
