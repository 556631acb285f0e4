#pragma once

// A demonstration copy of the external patient-record program's files, shared
// by navelis_demo and the benchmark: "navelis.ini" and the database it names,
// "NAVELIS.MDB" (an SQLite file, which the program recognises by its content),
// with three patients (1, 1234 and 1500; 1234 has a pregnancy).

#include <QString>

struct NavelisDemo
{
    QString iniPath;
    QString databasePath;
    QString failure;            // empty when both files were written
};

// Writes both files into the folder (made when missing, earlier copies
// replaced); the INI file names the given patient as the current one.
NavelisDemo writeNavelisDemo(const QString &folder, int patientCode);
