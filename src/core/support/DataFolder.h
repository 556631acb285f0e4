#pragma once

// Where the program keeps the files it would keep beside itself: the
// settings file, the lists, the default form image and the models.

#include <QString>

// Decides, once at start, where the program keeps the files it would keep
// beside itself (settings, lists, default form image, models): its own folder
// when that folder already holds the settings file or can be written (a copied
// or portable installation, every existing practice folder); otherwise, as in
// a system-wide installation, the user's application data folder, created
// here. Returns that folder, or empty when the program folder is kept.
QString decideDataFolder();

// The folder every file the program keeps beside itself is put in: the
// per-user folder when one was decided, else the program file's folder.
QString programFolder();

// The program settings file: the program file with the extension ".INI"
// (in the per-user folder when the program keeps its files there); empty if
// it cannot be worked out.
QString programSettingsFile();
