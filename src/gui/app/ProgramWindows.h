#pragma once

// The program's windows, made at start in this order and living until the
// program ends, owned by whoever starts the program (its entry, a test
// session, the benchmark). Each window is handed what it acts on: the
// care-sheet window gets links to the others, the presentation window the
// care sheet's parts, the shortcuts window the act models.

#include <memory>

class CareSheetWindow;
class NavelisDatabase;
class ActShortcutsWindow;
class PresentationWindow;
class CcamViewerWindow;
class ModifierCalculatorWindow;

class ProgramWindows
{
public:
    // Makes the six windows in their order; each runs its creation handler.
    ProgramWindows();
    // Destroys them without running any closing handler.
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows &) = delete;
    ProgramWindows &operator=(const ProgramWindows &) = delete;

    // The start: makes the windows and shows the care sheet (its first-show
    // steps run), as one settings session, so that each settings file is
    // read and parsed once however many keys the windows read; what the start
    // writes reaches the disk at its end. A file that cannot be written is
    // reported.
    static std::unique_ptr<ProgramWindows> open();

    CareSheetWindow *careSheet() const { return m_careSheet; }
    NavelisDatabase *patients() const { return m_patients; }
    ActShortcutsWindow *shortcuts() const { return m_shortcuts; }
    PresentationWindow *presentation() const { return m_presentation; }
    CcamViewerWindow *ccamViewer() const { return m_ccamViewer; }
    ModifierCalculatorWindow *calculator() const { return m_calculator; }

private:
    CareSheetWindow *m_careSheet = nullptr;
    NavelisDatabase *m_patients = nullptr;
    ActShortcutsWindow *m_shortcuts = nullptr;
    PresentationWindow *m_presentation = nullptr;
    CcamViewerWindow *m_ccamViewer = nullptr;
    ModifierCalculatorWindow *m_calculator = nullptr;
};
