#pragma once

// A window's placement as the program settings keep it: "left:top:width:height"
// under the program name's section, keyed by the window's name.

#include <QString>
#include <QStringList>

class QRect;

struct Placement { int left, top, width, height; };

void savePlacement(const QString &windowName, const Placement &placement, const QString &file = QString());
// The stored placement (the current one when none is stored), clamped to the
// work area; raises the list-index or integer error for a malformed value.
Placement restoredPlacement(const QString &windowName, const Placement &current, const QString &file = QString());
// The clamping of a restored placement, on its own.
Placement clampPlacement(const Placement &stored, int currentWidth, const QRect &workArea);

// The pieces of a text between the separators; an empty last piece is dropped.
QStringList splitString(const QString &text, const QString &separator);
