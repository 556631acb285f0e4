#pragma once

#include <QString>

class QWidget;

// A window's placement, kept in the program settings under the window's
// object name: its left, top, width and height.
void saveWindowPlacement(QWidget *window, const QString &file = QString());
// Puts the stored placement back (clamped to the work area); raises the
// settings store's error for a malformed value and then leaves the window as
// it was.
void restoreWindowPlacement(QWidget *window, const QString &file = QString());
