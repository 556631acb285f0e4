#include "ProgramEntry.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QMainWindow>
#include <QTranslator>

void prepareApplication(QApplication &app)
{
    app.setApplicationName(QStringLiteral("Tiravon"));
    app.setApplicationDisplayName(QStringLiteral("Tiravon"));

    // Qt's own dialogs speak French.
    static QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslator);

    // The fonts the care sheet was designed with, mapped to their metric twins.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Courrier"), QStringLiteral("Liberation Mono"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
    QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
}

int runTiravon(QApplication &app)
{
    prepareApplication(app);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Tiravon"));
    window.resize(820, 956);
    window.show();
    return app.exec();
}
