// The program driven through saves, for the crash-safety check: in the given
// program folder it starts the care-sheet window, changes the sheet, saves it
// (the menu entry of Ctrl+W), adds a town to the pick list and closes the
// window (which saves again), over and over.
//   crash_saver FOLDER ROUNDS

#include "FakePlatform.h"
#include "ScriptedDialogs.h"
#include "SheetAccess.h"
#include "app/ProgramEntry.h"
#include "app/CareSheetWindow.h"
#include "app/ProgramWindows.h"
#include "widgets/SheetEdit.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTest>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: crash_saver FOLDER ROUNDS\n");
        return 2;
    }
    QApplication app(argc, argv);
    prepareApplication(app);
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const int rounds = QString::fromLocal8Bit(argv[2]).toInt();

    FakePlatform fake;
    fake.programFilePath = folder + QStringLiteral("/Tiravon");
    QDir::setCurrent(folder);
    setPlatform(&fake);
    ScriptedDialogs dialogs;
    setDialogs(&dialogs);

    for (int round = 0; round < rounds; ++round) {
        std::unique_ptr<ProgramWindows> windows = ProgramWindows::open();
        CareSheetWindow *careSheet = windows->careSheet();
        QCoreApplication::processEvents();
        textField(careSheet, "NOM")->setText(QStringLiteral("PATIENT %1").arg(round));
        textField(careSheet, "ADRESSE")->setText(QStringLiteral("%1 RUE DES ÉCOLES").arg(round * 7));
        actionOf(careSheet, "saveConfigurationAction")->trigger();

        textField(careSheet, "VILLE")->setFocus();
        QTest::keyClicks(textField(careSheet, "VILLE"), QStringLiteral("VILLE %1").arg(round));
        QTest::keyClick(textField(careSheet, "VILLE"), Qt::Key_Tab);
        QCoreApplication::processEvents();
        careSheet->close();
        windows.reset();
        dialogs.clear();
    }
    setDialogs(nullptr);
    setPlatform(nullptr);
    return 0;
}
