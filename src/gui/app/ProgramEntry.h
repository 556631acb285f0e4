#pragma once

#include <memory>

class DataFolderLock;
class QApplication;

// Prepares the application (title, French translations, font substitutions).
// Used by the program and by the tests.
void prepareApplication(QApplication &app);

// Takes the lock of the program's data folder (decided already), to be kept
// for the program's life. When another running copy holds the folder, says so
// through the dialogs and gives nothing: the program then quits without
// touching a file. A folder where no lock can be made does not stop the
// program (its savings will say that they cannot write there).
std::unique_ptr<DataFolderLock> lockDataFolder();

// The program entry: prepares the application, creates the windows in their
// order, runs the event loop until the care-sheet window has closed.
int runTiravon(QApplication &app);
