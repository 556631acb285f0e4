#include "ProgramEntry.h"

#include "QtDialogs.h"
#include "CareSheetWindow.h"
#include "support/DataFolderLock.h"
#include "support/Dialogs.h"
#include "support/DataFolder.h"
#include "ProgramWindows.h"
#include "widgets/DrawnIcon.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QTranslator>

namespace {

// The application's style, with one icon of the program's own: the menu
// bar's extension button ("»"), which the menu bar asks for as it is made.
// The style would read it from an image file, and the first image file read
// loads every image format plug-in, a tenth of the start before the care
// sheet shows (the form image has a reader of its own).
class ProgramStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option, const QWidget *widget) const override
    {
        if (icon != SP_ToolBarHorizontalExtensionButton)
            return QProxyStyle::standardIcon(icon, option, widget);
        if (m_chevron.isNull())
            m_chevron = drawnIcon([](QPainter &painter) {
                for (const double x : {4.5, 8.5})
                    painter.drawPolyline(QPolygonF({{x, 4.5}, {x + 3, 8}, {x, 11.5}}));
            });
        return m_chevron;
    }

private:
    // Made at the first asking, freed with the style, while the
    // application still runs.
    mutable QIcon m_chevron;
};

} // namespace

void prepareApplication(QApplication &app)
{
    // The application's title. It is not given as a display name: the
    // platform would add " — Tiravon" to every window's caption, and the
    // captions are the program's own ("FEUILLE_DE_SOIN_MEDECIN@CS",
    // "Raccourcis"); the message boxes take it as their title.
    app.setApplicationName(QStringLiteral("Tiravon"));
    if (!dynamic_cast<ProgramStyle *>(QApplication::style()))
        QApplication::setStyle(new ProgramStyle(QStyleFactory::create(QApplication::style()->name())));
    static QtDialogs qtDialogs;
    setDefaultDialogs(&qtDialogs);

    // Qt's own dialogs speak French.
    static QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslator);

    // "Courrier" names no font: Windows draws it in Arial, whose metrics the
    // stamp's design size (170 by 44 for "Duplicata") was made with.
#ifdef Q_OS_WIN
    QFont::insertSubstitution(QStringLiteral("Courrier"), QStringLiteral("Arial"));
#endif
    // The fonts the care sheet was designed with, where they are missing (on
    // Windows they are installed), drawn in their metric twins.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Courrier"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
    QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
}

std::unique_ptr<DataFolderLock> lockDataFolder()
{
    const QString folder = programFolder();
    auto lock = std::make_unique<DataFolderLock>(folder);
    if (lock->outcome() == DataFolderLock::Outcome::HeldByAnotherCopy) {
        dialogs().error(anotherCopyMessage(folder, lock->otherComputer()));
        return nullptr;
    }
    return lock;
}

int runTiravon(QApplication &app)
{
    prepareApplication(app);
    // The desktop entry and icon an installation puts in place name the
    // windows in the desktop's menus and task bar.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.tiravon.Tiravon"));
    app.setWindowIcon(QIcon::fromTheme(QStringLiteral("example.tiravon.Tiravon")));
    // Where the files go is decided before any is read. In the per-user folder
    // the program also works there, so that the version log and "CCAM.RTF",
    // taken from the current directory, never land in (or are looked for in)
    // whatever folder the desktop started it from.
    const QString dataFolder = decideDataFolder();
    if (!dataFolder.isEmpty())
        QDir::setCurrent(dataFolder);
    // One copy per data folder, before any file of it is read.
    const std::unique_ptr<DataFolderLock> lock = lockDataFolder();
    if (!lock)
        return 1;
    // The care-sheet window is the main window: the program ends when it has
    // closed, and the other windows go with it without their closing steps.
    app.setQuitOnLastWindowClosed(false);
    const std::unique_ptr<ProgramWindows> windows = ProgramWindows::open();
    QObject::connect(windows->careSheet(), &CareSheetWindow::closed, &app, [] { QCoreApplication::exit(0); });
    return app.exec();
}
