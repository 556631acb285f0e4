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

ProgramWindows::ProgramWindows()
{
    m_careSheet = new CareSheetWindow;
    CareSheetWindow *careSheet = m_careSheet;
    m_patients = new NavelisDatabase([careSheet] { careSheet->patientDatabaseMissing(); });
    m_shortcuts = new ActShortcutsWindow;
    m_shortcuts->openAct = [careSheet](const QString &actName) { careSheet->openActShortcut(actName); };
    m_presentation = new PresentationWindow(careSheet->presentationTargets());
    m_ccamViewer = new CcamViewerWindow;
    m_calculator = new ModifierCalculatorWindow;
    SideWindowLinks links;
    links.presentation = m_presentation;
    links.shortcuts = m_shortcuts;
    links.shortcutList = m_shortcuts->actList;
    links.ccamViewer = m_ccamViewer;
    links.calculator = m_calculator;
    links.patients = m_patients;
    links.showCcamText = [viewer = m_ccamViewer](const QString &code) { viewer->showForCode(code); };
    careSheet->setSideWindows(links);
}

std::unique_ptr<ProgramWindows> ProgramWindows::open()
{
    IniSession session;
    auto windows = std::make_unique<ProgramWindows>();
    windows->careSheet()->show();
    runGuarded([&session] { session.writeFiles(); });
    return windows;
}

ProgramWindows::~ProgramWindows()
{
    delete m_calculator;
    delete m_ccamViewer;
    delete m_presentation;
    delete m_shortcuts;
    delete m_patients;
    delete m_careSheet;
}
