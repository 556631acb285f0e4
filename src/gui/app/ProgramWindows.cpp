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

namespace {

// What the presentation options window acts on, all of the care sheet's.
PresentationTargets presentationTargets()
{
    PresentationTargets targets;
    targets.imagePanel = careSheetWindow->imagePanel;
    targets.careSheet = careSheetWindow;
    targets.image = careSheetWindow->formImage;
    targets.stamp = careSheetWindow->NOTE;
    targets.stampMenuTick = careSheetWindow->showStampAction;
    targets.quit = careSheetWindow->quitAction;
    targets.saveConfiguration = [] { careSheetWindow->saveConfiguration(); };
    // "CCAM texte complet"; while that item is not there yet, the viewer.
    targets.showCcamText = [] {
        if (careSheetWindow->ccamTextAction->isEnabled())
            careSheetWindow->ccamTextAction->trigger();
        else if (ccamViewerWindow)
            ccamViewerWindow->show();
    };
    return targets;
}

} // namespace

void createProgramWindows()
{
    careSheetWindow = new CareSheetWindow;
    navelisDatabase = new NavelisDatabase([] { careSheetWindow->patientDatabaseMissing(); });
    actShortcutsWindow = new ActShortcutsWindow;
    actShortcutsWindow->openAct = [form = careSheetWindow](const QString &actName) { form->openActShortcut(actName); };
    presentationWindow = new PresentationWindow(presentationTargets());
    ccamViewerWindow = new CcamViewerWindow;
    modifierCalculatorWindow = new ModifierCalculatorWindow;
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
