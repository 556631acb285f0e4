#pragma once

// The program's windows, created at start in this order and living until the
// program ends. The care-sheet window is the hub: the other windows write
// into its fields through these pointers.

class CareSheetWindow;
class NavelisDatabase;
class ActShortcutsWindow;
class PresentationWindow;
class CcamViewerWindow;
class ModifierCalculatorWindow;

extern CareSheetWindow *careSheetWindow;
extern NavelisDatabase *navelisDatabase;
extern ActShortcutsWindow *actShortcutsWindow;
extern PresentationWindow *presentationWindow;
extern CcamViewerWindow *ccamViewerWindow;
extern ModifierCalculatorWindow *modifierCalculatorWindow;

// Creates the six windows in their order; each runs its creation handler.
void createProgramWindows();
// The start: creates the windows and shows the care sheet (its first-show
// steps run), as one settings session, so that each settings file is read and
// parsed once however many keys the windows read; what the start writes
// reaches the disk at its end. A file that cannot be written is reported.
void openProgramWindows();
// Destroys them without running any closing handler.
void destroyProgramWindows();
