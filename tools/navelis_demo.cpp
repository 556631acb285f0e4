// Makes a demonstration copy of the external patient-record program's files
// in a folder: "navelis.ini" and the database it names, "NAVELIS.MDB" (an
// SQLite file, which the program recognises by its content). Point WINDIR at
// the folder and start Tiravon: ".N" imports the current patient.
//
//   navelis_demo <folder> [patient code]

#include "NavelisDemo.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: navelis_demo <folder> [patient code]\n");
        return 2;
    }
    const NavelisDemo demo = writeNavelisDemo(args.at(1), args.size() > 2 ? args.at(2).toInt() : 1234);
    if (!demo.failure.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(demo.failure));
        return 1;
    }
    std::printf("%s\n%s\n", qPrintable(demo.iniPath), qPrintable(demo.databasePath));
    return 0;
}
