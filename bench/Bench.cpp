// The benchmark program: each scenario of the program runs several times next
// to a floor, the least the same work could cost, measured in the same run on
// the same data; the figures are the scenario's times and its ratio to the
// floor. The first run of each is reported apart as "cold".
//   tiravon_bench [RESULTS.json] [RUNS]
// The start-up scenario starts this program again as a separate process:
//   tiravon_bench --start FOLDER      the care-sheet window with the folder's files
//   tiravon_bench --window W H        a bare window of that size
// Either prints "painted MS PEAK_KB W H" at its first paint and ends.

#include "CcamRtfWriter.h"
#include "NavelisDemo.h"
#include "acts/RtfReader.h"
#include "acts/TextSearch.h"
#include "app/ProgramEntry.h"
#include "app/CareSheetWindow.h"
#include "app/ProgramWindows.h"
#include "config/FormConfiguration.h"
#include "patient/NavelisDatabase.h"
#include "patient/PatientImport.h"
#include "print/JpegCodec.h"
#include "support/Dialogs.h"
#include "support/IniFile.h"
#include "support/Platform.h"
#include "support/TextFile.h"
#include "support/DataFolder.h"
#include "widgets/SheetEdit.h"
#include "widgets/ListBoxes.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTextDocument>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>

namespace {

// The program's windows while a scenario runs them.
std::unique_ptr<ProgramWindows> &benchWindows()
{
    static std::unique_ptr<ProgramWindows> windows;
    return windows;
}

CareSheetWindow *careSheet()
{
    return benchWindows()->careSheet();
}

// The care-sheet window's commands and its town list, by their object names.
QAction *command(const char *name)
{
    return careSheet()->findChild<QAction *>(QString::fromLatin1(name));
}

QListWidget *townList()
{
    return careSheet()->findChild<QListWidget *>(QStringLiteral("LISTE_VILLES"));
}


// The desktop, with the program file in the benchmark's folder, and the
// Windows folder the patient import looks in once the benchmark names one.
class BenchPlatform : public DesktopPlatform
{
public:
    QString programFilePath;
    QString windowsFolderPath;
    QString programFile() const override { return programFilePath; }
    QString windowsFolder() const override
    {
        return windowsFolderPath.isEmpty() ? DesktopPlatform::windowsFolder() : windowsFolderPath;
    }
};

// Every box answered at once; the print dialog sends the page to a PDF file.
class BenchDialogs : public Dialogs
{
public:
    QString pdfPath;
    void message(const QString &) override {}
    void information(const QString &) override {}
    bool confirm(const QString &) override { return true; }
    void error(const QString &text) override { std::fprintf(stderr, "bench: %s\n", qPrintable(text)); }
    bool errorReport(const QString &text) override { error(text); return false; }
    QString inputBox(const QString &, const QString &, const QString &preset) override { return preset; }
    QString openFile(const FileDialogRequest &) override { return QString(); }
    QString saveFile(const FileDialogRequest &) override { return QString(); }
    FontChoice chooseFont(const FontChoice &initial) override { return initial; }
    bool print(QPrinter &printer) override
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
        printer.setResolution(600);
        return true;
    }
};

double msSince(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

struct Series
{
    double cold = 0;
    QList<double> warm;
    double min() const { return *std::min_element(warm.begin(), warm.end()); }
    double max() const { return *std::max_element(warm.begin(), warm.end()); }
    double median() const
    {
        QList<double> sorted = warm;
        std::sort(sorted.begin(), sorted.end());
        const qsizetype n = sorted.size();
        return n % 2 ? sorted.at(n / 2) : (sorted.at(n / 2 - 1) + sorted.at(n / 2)) / 2;
    }
};

// Runs a measure `runs` times; a measure returns its own time in ms.
Series measure(int runs, const std::function<double()> &once)
{
    Series series;
    series.cold = once();
    for (int i = 1; i < runs; ++i)
        series.warm << once();
    return series;
}

Series timed(int runs, const std::function<void()> &work)
{
    return measure(runs, [&] {
        QElapsedTimer timer;
        timer.start();
        work();
        return msSince(timer);
    });
}

struct Result
{
    Result(const QString &scenarioName, const QString &floorText) : name(scenarioName), floorName(floorText) {}
    QString name;
    QString floorName;
    std::optional<Series> scenario;
    std::optional<Series> floor;
    QString goal;           // "—": measured without a goal
    bool met = true;
    QString note;   // "pending", or a unit other than ms
    double value = 0;   // for a scenario measured once (memory)
};

// ---- the child processes of the start-up scenario -------------------------

class FirstPaint : public QObject
{
public:
    QElapsedTimer sinceStart;
    QWidget *window = nullptr;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            long peakKb = 0;
            QFile status(QStringLiteral("/proc/self/status"));
            if (status.open(QIODevice::ReadOnly))
                for (const QByteArray &line : status.readAll().split('\n'))
                    if (line.startsWith("VmHWM:"))
                        peakKb = line.mid(6).trimmed().split(' ').value(0).toLong();
            std::printf("painted %.3f %ld %d %d\n", msSince(sinceStart), peakKb,
                        window ? window->width() : 0, window ? window->height() : 0);
            std::fflush(stdout);
            std::_Exit(0);
        }
        return false;
    }
};

int childStart(int argc, char *argv[], bool program)
{
    QApplication app(argc, argv);
    FirstPaint watch;
    watch.sinceStart.start();
    app.installEventFilter(&watch);
    if (program) {
        static BenchPlatform bench;
        bench.programFilePath = QString::fromLocal8Bit(argv[2]) + QStringLiteral("/Tiravon");
        setPlatform(&bench);
        static BenchDialogs dialogs;
        prepareApplication(app);
        setDialogs(&dialogs);
        QDir::setCurrent(QString::fromLocal8Bit(argv[2]));
        // As the program starts: the windows and the first show in one
        // settings session. The first paint comes later, in the event loop.
        benchWindows() = ProgramWindows::open();
        watch.window = careSheet();
    } else {
        static QWidget window;
        window.resize(atoi(argv[2]), atoi(argv[3]));
        watch.window = &window;
        window.show();
    }
    const int result = app.exec();
    // The child only paints: its windows end with the process, after the
    // application they belong to would already be gone.
    (void)benchWindows().release();
    return result;
}

// One start of a child: the wall time from its start to its first paint.
struct Start
{
    double ms = 0;
    long peakKb = 0;
    int width = 0, height = 0;
};

Start startChild(const QStringList &arguments)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    child.start(QCoreApplication::applicationFilePath(), arguments);
    Start start;
    QByteArray out;
    while (!out.contains('\n') && child.waitForReadyRead(30000))
        out += child.readAllStandardOutput();
    start.ms = msSince(timer);
    child.waitForFinished(30000);
    const QList<QByteArray> words = out.trimmed().split(' ');
    if (words.value(0) != "painted") {
        std::fprintf(stderr, "bench: the child %s did not paint\n", qPrintable(arguments.join(QLatin1Char(' '))));
        std::exit(1);
    }
    start.peakKb = words.value(2).toLong();
    start.width = words.value(3).toInt();
    start.height = words.value(4).toInt();
    return start;
}

// ---- the scenarios in this process ------------------------------------------

void fillSheet()
{
    int n = 0;
    for (SheetEdit *edit : careSheet()->findChildren<SheetEdit *>()) {
        const QString name = edit->objectName();
        if (name.startsWith(QStringLiteral("TARIF")))
            edit->setText(QStringLiteral("%1,50").arg(++n));
        else if (edit->text().isEmpty())
            edit->setText(QStringLiteral("TEXTE %1").arg(++n));
    }
}

QStringList filesChangedSince(const QString &folder, const QDateTime &since)
{
    QStringList files;
    for (const QFileInfo &info : QDir(folder).entryInfoList(QDir::Files))
        if (info.lastModified() >= since && info.suffix().compare(QStringLiteral("jpg"), Qt::CaseInsensitive) != 0)
            files << info.absoluteFilePath();
    return files;
}

QString fmt(double ms)
{
    return QString::number(ms, 'f', ms < 1 ? 3 : ms < 10 ? 2 : 1);
}

const QString kNoGoal = QStringLiteral("—");

// The CCAM reference of a number of acts, written by the sample's own
// generator from its table of acts: the table's acts over and over, each with
// a code of its own and its wording followed by another act's, so that the
// wordings are as long as those of the full reference.
QByteArray largeCcamReference(int actCount)
{
    QFile table(QStringLiteral(TIRAVON_CCAM_TABLE));
    const QList<QStringList> model =
        table.open(QIODevice::ReadOnly) ? ccamActsOfTable(QString::fromUtf8(table.readAll())) : QList<QStringList>();
    if (model.isEmpty()) {
        std::fprintf(stderr, "bench: the table of acts %s cannot be read\n", TIRAVON_CCAM_TABLE);
        std::exit(1);
    }
    const int n = int(model.size());
    QList<QStringList> acts;
    acts.reserve(actCount);
    for (int i = 0; i < actCount; ++i) {
        QStringList act = model.at(i % n);
        act[0] = act.at(0).left(4) + QStringLiteral("%1").arg(i / n % 1000, 3, 10, QLatin1Char('0'));
        act[1] += QStringLiteral(", ") + model.at((i * 7 + 5) % n).at(1).toLower();
        acts << act;
    }
    return ccamRtf(acts);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc >= 3 && qstrcmp(argv[1], "--start") == 0)
        return childStart(argc, argv, true);
    if (argc >= 4 && qstrcmp(argv[1], "--window") == 0)
        return childStart(argc, argv, false);

    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    prepareApplication(app);
    const QString resultsPath = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("results.json");
    const int runs = std::max(3, argc > 2 ? atoi(argv[2]) : 7);

    QTemporaryDir folder;
    BenchPlatform bench;
    bench.programFilePath = folder.filePath(QStringLiteral("Tiravon"));
    setPlatform(&bench);
    BenchDialogs dialogs;
    dialogs.pdfPath = folder.filePath(QStringLiteral("page.pdf"));
    setDialogs(&dialogs);
    QDir::setCurrent(folder.path());

    QList<Result> results;
    benchWindows() = ProgramWindows::open();
    QCoreApplication::processEvents();
    fillSheet();

    // The save of a full sheet, and its floor: one atomic write of each file
    // it produces, with the bytes it produced.
    const QDateTime beforeSave = QDateTime::currentDateTime().addSecs(-1);
    command("saveConfigurationAction")->trigger();
    const QStringList saved = filesChangedSince(folder.path(), beforeSave);
    {
        Result r{QStringLiteral("INI_SAVE (feuille remplie)"), QStringLiteral("une écriture atomique des fichiers")};
        r.scenario = timed(runs, [] { command("saveConfigurationAction")->trigger(); });
        QList<QByteArray> bytes;
        for (const QString &path : saved) {
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            bytes << file.readAll();
        }
        r.floor = timed(runs, [&] {
            for (qsizetype i = 0; i < saved.size(); ++i)
                writeFileAtomically(saved.at(i), bytes.at(i));
        });
        r.goal = QStringLiteral("≤ 5× plancher");
        r.met = r.scenario->median() <= 5 * r.floor->median();
        results << r;
    }
    {
        // The reading of the configuration's files as INI_GET reads them,
        // every key through the settings store, against reading and parsing
        // each file once.
        Result r{QStringLiteral("INI_GET (mêmes fichiers)"), QStringLiteral("lecture et analyse des fichiers")};
        const FormConfiguration shown = careSheet()->capture();
        const QString dataFolder = programFolder();
        r.scenario = timed(runs, [&] { (void)readFormConfiguration(shown, dataFolder); });
        r.floor = timed(runs, [&] {
            for (const QString &path : saved)
                (void)IniDocument::parse(readTextFile(path).text).value(QStringLiteral("x"), QStringLiteral("y"));
        });
        r.goal = QStringLiteral("≤ 5× plancher");
        r.met = r.scenario->median() <= 5 * r.floor->median();
        results << r;
    }
    {
        // The whole command besides: the form image decoded again and every
        // value put back into the window; no floor of its own.
        Result r{QStringLiteral("INI_GET complet (image décodée, fenêtre mise à jour)"), QString()};
        r.scenario = timed(runs, [] { command("readConfigurationAction")->trigger(); });
        r.goal = QStringLiteral("—");
        r.met = true;
        results << r;
    }
    {
        Result r{QStringLiteral("Impression (capture + page PDF 600 dpi)"), QStringLiteral("même image dessinée en PDF")};
        r.scenario = timed(runs, [] { command("printAction")->trigger(); });
        const QPixmap picture = QPixmap::fromImage(builtInFormPicture());
        r.floor = timed(runs, [&] {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(folder.filePath(QStringLiteral("floor.pdf")));
            printer.setResolution(600);
            QPainter painter(&printer);
            // Drawn as the print draws its capture: the pixels as they are,
            // stored without loss.
            painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
            painter.setRenderHint(QPainter::LosslessImageRendering, true);
            const double scale = 600.0 / 96.0;
            painter.drawPixmap(QRectF(0, 0, picture.width() * scale, picture.height() * scale), picture,
                               QRectF(picture.rect()));
        });
        r.goal = QStringLiteral("≤ 1,5× plancher, ≤ 400 ms");
        r.met = r.scenario->median() <= 1.5 * r.floor->median() && r.scenario->median() <= 400;
        results << r;
    }
    {
        // A pick list of 100,000 towns: read with the configuration, one town
        // added, saved; the floor reads and writes the same lines.
        Result r{QStringLiteral("Listes : VILLES.TXT de 100 000 lignes, ajout, enregistrement"),
                 QStringLiteral("lecture et écriture des mêmes lignes")};
        const QString towns = folder.filePath(QStringLiteral("VILLES.TXT"));
        QStringList lines;
        lines.reserve(100000);
        for (int i = 0; i < 100000; ++i)
            lines << QStringLiteral("VILLE %1").arg(i, 6, 10, QLatin1Char('0'));
        writeLineFile(towns, lines);
        int added = 0;
        r.scenario = timed(runs, [&] {
            command("readConfigurationAction")->trigger();
            addUniqueEntry(townList(), QStringLiteral("NOUVELLE VILLE %1").arg(++added), false);
            command("saveConfigurationAction")->trigger();
        });
        if (townList()->count() < 100000)
            r.note = QStringLiteral("la liste n'a pas été lue (%1 lignes)").arg(townList()->count());
        r.floor = timed(runs, [&] {
            QStringList read = readLineFile(towns);
            read << QStringLiteral("NOUVELLE VILLE");
            writeLineFile(towns + QStringLiteral(".plancher"), read);
        });
        r.goal = QStringLiteral("≤ 3× plancher");
        r.met = r.scenario->median() <= 3 * r.floor->median();
        results << r;
        writeLineFile(towns, QStringList{QStringLiteral("PARIS"), QStringLiteral("LYON")});
        command("readConfigurationAction")->trigger();
    }
    careSheet()->close();
    benchWindows().reset();

    // The start of the program, a separate process, with the configuration
    // stored above; the floor is a bare Qt window of the same size.
    {
        Result r{QStringLiteral("Démarrage jusqu'au premier affichage"), QStringLiteral("fenêtre Qt vide de même taille")};
        QList<Start> starts;
        r.scenario = measure(runs, [&] {
            starts << startChild({QStringLiteral("--start"), folder.path()});
            return starts.last().ms;
        });
        const Start &first = starts.first();
        r.floor = measure(runs, [&] {
            return startChild({QStringLiteral("--window"), QString::number(first.width), QString::number(first.height)}).ms;
        });
        r.goal = QStringLiteral("≤ 2× plancher, ≤ 300 ms");
        r.met = r.scenario->median() <= 2 * r.floor->median() && r.scenario->median() <= 300;
        results << r;

        long peak = 0;
        for (const Start &s : starts)
            peak = std::max(peak, s.peakKb);
        Result memory{QStringLiteral("Mémoire résidente maximale après démarrage"), QStringLiteral("—")};
        memory.value = peak / 1024.0;
        memory.note = QStringLiteral("MB");
        memory.goal = QStringLiteral("≤ 80 MB");
        memory.met = memory.value <= 80;
        results << memory;
    }
    // The CCAM viewer: its opening (the file read, its text and formats put
    // into a document of their own, the text the searches run on taken from
    // it) and a search for the next match, as the viewer's window does them;
    // handing the document to the view is left out. The floors: reading the
    // file's bytes, and the search of the same match with its case as found.
    {
        const int actCount = 8000;
        const QString path = folder.filePath(QStringLiteral("CCAM.RTF"));
        const QByteArray reference = largeCcamReference(actCount);
        writeFileAtomically(path, reference);
        const QString size = QString::number(reference.size() / 1e6, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(','));

        Result open{QStringLiteral("CCAM : ouverture de 8 000 actes (%1 Mo)").arg(size),
                    QStringLiteral("lecture des octets du fichier")};
        std::unique_ptr<QTextDocument> shown;
        QString shownText;
        open.scenario = measure(runs, [&] {
            QElapsedTimer timer;
            timer.start();
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly))
                return msSince(timer);
            const RtfText content = readRtf(file.readAll());
            auto document = std::make_unique<QTextDocument>();
            document->setUndoRedoEnabled(false);
            document->setDefaultFont(QApplication::font());
            fillTextDocument(document.get(), content);
            QString text = document->toPlainText();
            const double ms = msSince(timer);
            // The document shown before goes once the time is taken.
            shown = std::move(document);
            shownText = std::move(text);
            return ms;
        });
        open.floor = timed(runs, [&] {
            QFile file(path);
            if (file.open(QIODevice::ReadOnly))
                (void)file.readAll();
        });
        if (shownText.count(QLatin1Char('\n')) < actCount)
            open.note = QStringLiteral("le texte n'a que %1 lignes").arg(shownText.count(QLatin1Char('\n')));
        open.goal = QStringLiteral("≤ 300 ms");
        open.met = open.scenario->median() <= 300;
        results << open;

        // The tenth press of "search" for a word, the nine before it not timed.
        const QString word = QStringLiteral("amniocentèse");
        Result next{QStringLiteral("CCAM : occurrence suivante (10e de « %1 »)").arg(word),
                    QStringLiteral("même recherche, sensible à la casse")};
        std::optional<TextSearch::Match> tenth;
        int ninthEnd = 0;
        next.scenario = measure(runs, [&] {
            TextSearch search;
            for (int i = 0; i < 9; ++i)
                (void)search.next(shownText, word);
            ninthEnd = search.position();
            QElapsedTimer timer;
            timer.start();
            tenth = search.next(shownText, word);
            return msSince(timer);
        });
        if (!tenth) {
            next.note = QStringLiteral("le mot n'a pas dix occurrences");
            tenth = TextSearch::Match{0, 0};
        }
        const QString asFound = shownText.mid(tenth->start, tenth->length);
        next.floor = timed(runs, [&] { (void)shownText.indexOf(asFound, ninthEnd, Qt::CaseSensitive); });
        next.goal = QStringLiteral("≤ 5 ms");
        next.met = next.note.isEmpty() && next.scenario->median() <= 5;
        results << next;
    }

    // The import of the current patient from the demonstration copy of the
    // external patient record, through the program's data module: the INI
    // file read, the database opened and both tables opened, the patient's
    // two queries and the mapping onto the sheet (the confirmation answered
    // yes). The floor opens the database and runs the patient's query.
    {
        Result r{QStringLiteral("Import d'un patient NAVELIS (connexion, requêtes, champs)"),
                 QStringLiteral("ouverture de la base et même requête par QSqlQuery")};
        const QString windows = folder.filePath(QStringLiteral("windows"));
        const NavelisDemo demo = writeNavelisDemo(windows, 1234);
        if (!demo.failure.isEmpty()) {
            std::fprintf(stderr, "bench: %s\n", qPrintable(demo.failure));
            return 1;
        }
        bench.windowsFolderPath = windows;
        std::optional<ImportedPatient> imported;
        r.scenario = timed(runs, [&] {
            NavelisDatabase data;
            imported = data.importCurrentPatient();
        });
        if (!imported || imported->name != QStringLiteral("DURAND Marie"))
            r.note = QStringLiteral("le patient n'a pas été importé");
        const QString connection = QStringLiteral("bench_floor");
        r.floor = timed(runs, [&] {
            {
                QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
                db.setDatabaseName(demo.databasePath);
                if (db.open()) {
                    QSqlQuery query(db);
                    if (query.exec(patientQuery(1234)) && query.next())
                        (void)query.record();
                }
            }
            QSqlDatabase::removeDatabase(connection);
        });
        bench.windowsFolderPath.clear();
        r.goal = kNoGoal;
        results << r;
    }

    // The results file and the table.
    QJsonArray list;
    auto seriesJson = [](const Series &s) {
        return QJsonObject{{QStringLiteral("cold_ms"), s.cold}, {QStringLiteral("min_ms"), s.min()}, {QStringLiteral("median_ms"), s.median()}, {QStringLiteral("max_ms"), s.max()}};
    };
    for (const Result &r : results) {
        QJsonObject o{{QStringLiteral("scenario"), r.name}, {QStringLiteral("floor"), r.floorName}, {QStringLiteral("goal"), r.goal}};
        if (r.note == QLatin1String("pending")) {
            o.insert(QStringLiteral("status"), QStringLiteral("pending"));
        } else if (r.scenario) {
            o.insert(QStringLiteral("runs"), seriesJson(*r.scenario));
            if (r.floor) {
                o.insert(QStringLiteral("floor_runs"), seriesJson(*r.floor));
                o.insert(QStringLiteral("ratio"), r.scenario->median() / r.floor->median());
                o.insert(QStringLiteral("status"), r.goal == kNoGoal ? QStringLiteral("measured") : r.met ? QStringLiteral("met") : QStringLiteral("missed"));
            } else {
                o.insert(QStringLiteral("status"), QStringLiteral("measured"));
            }
            if (!r.note.isEmpty())
                o.insert(QStringLiteral("note"), r.note);
        } else {
            o.insert(QStringLiteral("value"), r.value);
            o.insert(QStringLiteral("unit"), r.note);
            o.insert(QStringLiteral("status"), r.met ? QStringLiteral("met") : QStringLiteral("missed"));
        }
        list.append(o);
    }
    QDir().mkpath(QFileInfo(resultsPath).absolutePath());
    QFile out(resultsPath);
    if (out.open(QIODevice::WriteOnly))
        out.write(QJsonDocument(QJsonObject{{QStringLiteral("runs"), runs}, {QStringLiteral("results"), list}}).toJson());

    std::printf("\n| Scénario | froid | min | médiane | max | plancher (médiane) | rapport | objectif | |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|\n");
    for (const Result &r : results) {
        if (r.note == QLatin1String("pending")) {
            std::printf("| %s | | | | | | | %s | pending |\n", qPrintable(r.name), qPrintable(r.goal));
        } else if (r.scenario && !r.floor) {
            const Series &s = *r.scenario;
            std::printf("| %s | %s | %s | %s | %s | — | — | %s | mesuré |\n", qPrintable(r.name),
                        qPrintable(fmt(s.cold)), qPrintable(fmt(s.min())), qPrintable(fmt(s.median())),
                        qPrintable(fmt(s.max())), qPrintable(r.goal));
        } else if (r.scenario) {
            const Series &s = *r.scenario;
            std::printf("| %s | %s | %s | %s | %s | %s ms | %.2f× | %s | %s |\n", qPrintable(r.name),
                        qPrintable(fmt(s.cold)), qPrintable(fmt(s.min())), qPrintable(fmt(s.median())),
                        qPrintable(fmt(s.max())), qPrintable(fmt(r.floor->median())),
                        s.median() / r.floor->median(), qPrintable(r.goal),
                        r.goal == kNoGoal ? "mesuré" : r.met ? "atteint" : "MANQUÉ");
            if (!r.note.isEmpty())
                std::fprintf(stderr, "bench: %s : %s\n", qPrintable(r.name), qPrintable(r.note));
        } else {
            std::printf("| %s | | | %.1f %s | | | | %s | %s |\n", qPrintable(r.name), r.value,
                        qPrintable(r.note), qPrintable(r.goal), r.met ? "atteint" : "MANQUÉ");
        }
    }
    std::printf("\n(temps en ms, %d passages par scénario, le premier compté à part comme « froid » ; résultats dans %s)\n",
                runs, qPrintable(resultsPath));
    setDialogs(nullptr);
    setPlatform(nullptr);
    return 0;
}
