#pragma once

#include <QFont>

// The program names its fonts as the Windows program did ("MS Sans Serif",
// "Courrier", "Verdana"); each platform draws them in the family it maps
// them to. A font dialog knows only the installed families, so it is opened
// on the family actually drawn and its answer mapped back.

// The font as it is drawn: the installed family that stands for the font's
// family, with the font's size and styles, and the name the family gives
// that style ("Bold", "Regular").
QFont fontAsDrawn(const QFont &font);

// The font chosen in a dialog opened on fontAsDrawn(own): when the user left
// the family as it was drawn, the program's own family name is kept, so that
// OK without a change changes nothing.
QFont fontKeepingOwnName(const QFont &own, const QFont &chosen);
