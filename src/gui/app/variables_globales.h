#pragma once

// The program's windows, created at start in this order and living until the
// program ends. The care-sheet window is the hub: the other windows write
// into its fields through these pointers.

class TForm1;
class TDATA_NAVELIS;
class Tform_historique;
class TForm_OPTIONS;
class Tform_EDIT;
class Tform_CALC;

extern TForm1 *Form1;
extern TDATA_NAVELIS *DATA_NAVELIS;
extern Tform_historique *form_historique;
extern TForm_OPTIONS *Form_OPTIONS;
extern Tform_EDIT *form_EDIT;
extern Tform_CALC *form_CALC;

// Creates the six windows in their order; each runs its creation handler.
void createTiravonWindows();
// The start: creates the windows and shows the care sheet (its first-show
// steps run), as one settings session, so that each settings file is read and
// parsed once however many keys the windows read; what the start writes
// reaches the disk at its end. A file that cannot be written is reported.
void openTiravonWindows();
// Destroys them without running any closing handler.
void destroyTiravonWindows();
