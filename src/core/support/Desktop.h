#pragma once

// What the program hands to the desktop or asks of the user outside its
// windows: opening a document, and the error report.

#include <QString>

// Hands a document, folder or web address to the desktop.
void openDocument(const QString &document);

// Shows the error report (Abort / Ignore); Abort ends the program without
// saving anything.
void showErrorReport(const QString &module, const QString &message);
