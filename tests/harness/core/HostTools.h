#pragma once

// The tools of the machine the tests run on (pdftoppm, the SQLite ODBC
// driver), reached the same way from the Linux test programs and from the
// Windows ones under Wine, which can start the host's programs and name the
// host's path of a file.

#include <QString>

// True when the test program is a Windows program running under Wine.
bool runningUnderWine();
// The host's path of a file: the path itself, except under Wine, where a
// Windows path becomes the Linux path of the same file (what a host program
// is given).
QString hostPath(const QString &path);
// A program of the host by name; empty when missing.
QString hostProgram(const QString &name);
// Runs a program of the host (hostProgram) to its end and gives its exit
// code, -1 when it could not run; what it wrote on its error output goes to
// errors, what it wrote on its output to output. Its arguments are given as
// the host takes them (hostPath).
int runHostProgram(const QString &program, const QStringList &arguments, QString *errors = nullptr,
                   QByteArray *output = nullptr);

// Mounts a small memory file system of the host on an empty folder, with
// the mount options given ("size=256k", "ro"): needs the administrator, on
// Linux and under Wine alike. False, with the reason, when it cannot.
bool mountSmallDisk(const QString &folder, const QString &options, QString *why);
void unmountSmallDisk(const QString &folder);
