#pragma once

#include <QIcon>
#include <functional>

class QPainter;

// A small icon drawn on a 16-unit grid, at one and two pixels a unit, with a
// black pen one unit wide. The style's own icons are read from image files,
// and the first image file read loads every image format plug-in: a tenth of
// the program's start, before the sheet is shown.
QIcon drawnIcon(const std::function<void(QPainter &)> &draw);
