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
        openProgramWindows();
        QCoreApplication::processEvents();
        textField(careSheetWindow, "NOM")->setText(QStringLiteral("PATIENT %1").arg(round));
        textField(careSheetWindow, "ADRESSE")->setText(QStringLiteral("%1 RUE DES ÉCOLES").arg(round * 7));
        actionOf(careSheetWindow, "saveConfigurationAction")->trigger();

        textField(careSheetWindow, "VILLE")->setFocus();
        QTest::keyClicks(textField(careSheetWindow, "VILLE"), QStringLiteral("VILLE %1").arg(round));
        QTest::keyClick(textField(careSheetWindow, "VILLE"), Qt::Key_Tab);
        QCoreApplication::processEvents();
        careSheetWindow->close();
        destroyProgramWindows();
        dialogs.clear();
    }
    setDialogs(nullptr);
    setPlatform(nullptr);
    return 0;
}
