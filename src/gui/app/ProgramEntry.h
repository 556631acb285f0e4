#pragma once

class QApplication;

// Prepares the application (title, French translations, font substitutions).
// Used by the program and by the tests.
void prepareApplication(QApplication &app);

// The program entry: prepares the application, creates the windows in their
// order, runs the event loop until the care-sheet window has closed.
int runTiravon(QApplication &app);
