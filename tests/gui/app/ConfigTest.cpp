// The form configuration of the care-sheet window, run as the user meets it:
// a first start in an empty program folder, a layout saved and found again
// at the next start, the added fields, the users of one program copy, and
// the failures of the reading and of the saving.
#include "ScriptedDialogs.h"
#include "TiravonSession.h"

#include "config/FieldCatalogue.h"
#include "widgets/ImagePanel.h"
#include "widgets/SheetEdit.h"
#include "app/CareSheetWindow.h"
#include "app/ProgramWindows.h"
#include "windows/ActShortcutsWindow.h"
#include "widgets/DateEdit.h"
#include "widgets/FormImage.h"
#include "print/JpegCodec.h"
#include "widgets/StampLabel.h"
#include "windows/PresentationWindow.h"
#include "support/TiravonError.h"
#include "widgets/ListBoxes.h"
#include "support/SettingsStore.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString kToday = QStringLiteral("09/12/2026");
const QString kTicked = QStringLiteral("X");

// Left, top and width: what the configuration keeps of a field's place.
QRect placeAndWidth(const QWidget *widget)
{
    return QRect(widget->x(), widget->y(), widget->width(), 0);
}

QMap<QString, QRect> plainFieldPlaces(const CareSheetWindow *form)
{
    QMap<QString, QRect> places;
    for (const SheetEdit *edit : form->plainTextFields())
        places.insert(edit->objectName(), placeAndWidth(edit));
    return places;
}

// Dialogs that also note, for each plain message, whether a folder existed
// at the moment the message was shown.
class FolderWatchingDialogs : public ScriptedDialogs
{
public:
    QString watched;
    QList<bool> folderExistedAtMessage;

    void message(const QString &text) override
    {
        folderExistedAtMessage << QFileInfo(watched).isDir();
        ScriptedDialogs::message(text);
    }
};

class ConfigTest : public ::testing::Test
{
protected:
    TiravonSession session;

    CareSheetWindow *form() const { return session.form(); }

    QString stored(const QString &section, const QString &key) const
    {
        return readSetting(section, key, QStringLiteral("<absent>"), session.configFile());
    }
    QString storedSetting(const QString &section, const QString &key) const
    {
        return readSetting(section, key, QStringLiteral("<absent>"));
    }
    void store(const QString &section, const QString &key, const QString &value)
    {
        writeSetting(section, key, value, session.configFile());
    }
    QStringList shown(const QString &kind) const { return testDialogs().texts(kind); }

    // Saves through the window as a user does: its shortcut Ctrl+W.
    void pressCtrlW()
    {
        QApplication::setActiveWindow(form());
        textField(form(), "NOM")->setFocus();
        QTest::keyClick(textField(form(), "NOM"), Qt::Key_W, Qt::ControlModifier);
    }

    // A picture the program can read, at a path of the test's choosing.
    void writeFormPicture(const QString &path)
    {
        QDir().mkpath(QFileInfo(path).path());
        writeBytes(path, encodeJpeg(builtInFormPicture()));
    }

    QMap<QString, QRect> savedPlaces;

    // What a user changes in one session.
    void changeEverything()
    {
        CareSheetWindow *f = form();
        // Places and widths; the height of NOM changes too.
        textField(f, "NOM")->setGeometry(200, 90, 500, 40);
        textField(f, "TARIF_3")->setGeometry(470, 860, 90, 22);
        textField(f, "COCHE_ALD_TYPE")->move(190, 495);
        textField(f, "ACTE_4")->setGeometry(300, 960, 50, 26);   // on the window, not on the panel
        // The font of NOM: it becomes the font of every field.
        QFont font(QStringLiteral("DejaVu Sans"), 14);
        font.setBold(true);
        font.setItalic(true);
        font.setUnderline(true);
        textField(f, "NOM")->setFont(font);
        // Borders off, 3-D on, fields locked.
        actionOf(f, "borderAction")->trigger();
        actionOf(f, "threeDAction")->trigger();
        actionOf(f, "lockFieldsAction")->trigger();
        // The stamp: hidden, moved, with its own text, font, colour, angle and width.
        stampOf(f)->setText(QStringLiteral("Carte vitale oubliée"));
        QFont stampFont(QStringLiteral("DejaVu Sans"), 20);
        stampFont.setUnderline(true);
        stampOf(f)->setStampFont(stampFont);
        stampOf(f)->setColor(QColor(200, 10, 20));
        stampOf(f)->setAngle(30);
        stampOf(f)->move(50, 300);
        stampOf(f)->resize(400, stampOf(f)->height());
        stampOf(f)->hide();
        // The label "orienté", shown because the attending physician is.
        textField(f, "COCHE_ACCES")->setText(QString());
        orienteOf(f)->show();
        orienteOf(f)->move(95, 641);
        orienteOf(f)->setText(QStringLiteral("orienté MT"));
        // The date fields.
        dateField(f, "DATE")->setGeometry(600, 30, 150, 24);
        dateField(f, "DATE_ACTE")->setGeometry(10, 790, 140, 24);
        dateField(f, "DDN")->setGeometry(190, 145, 150, 24);
        dateField(f, "DDG")->setGeometry(610, 560, 130, 24);
        dateField(f, "DATE")->setText(QStringLiteral("01/01/2020"));
        dateField(f, "DATE_ACTE")->setText(QStringLiteral("02/01/2020"));
        dateField(f, "DDG")->setText(QStringLiteral("01/05/2026"));
        // The image panel.
        imagePanelOf(f)->setGeometry(5, -4, 780, 1120);
        // Acts, codes, tariffs and a total that does not match them.
        textField(f, "ACTE_1")->setText(QStringLiteral("CS"));
        textField(f, "ACTE_2")->setText(QStringLiteral("MCS"));
        textField(f, "ACTE_4")->setText(QStringLiteral("K"));
        textField(f, "CCAM_1")->setText(QStringLiteral("JKHD001"));
        textField(f, "CCAM_2")->setText(QStringLiteral("JQQM010"));
        textField(f, "TARIF_1")->setText(QStringLiteral("30"));
        textField(f, "TARIF_2")->setText(QStringLiteral("5,5"));
        textField(f, "TARIF_4")->setText(QStringLiteral("2"));
        textField(f, "MONTANT_TOTAL")->setText(QStringLiteral("99,99"));
        // Claim boxes: maternity and the second ALD box; the pair rules clear their partners.
        textField(f, "COCHE_MATERNITE")->setText(kTicked);
        textField(f, "COCHE_ALD_1")->setText(kTicked);
        textField(f, "COCHE_NP_COMP")->setText(kTicked);
        textField(f, "COCHE_NP_OBLIGAT")->setText(kTicked);
        textField(f, "COCHE_ALD_TYPE")->setText(kTicked);   // not kept
        // Identity.
        textField(f, "NOM")->setText(QStringLiteral("MARTIN JEANNE"));
        textField(f, "MATRICULE")->setText(QStringLiteral("2 80 05 75 111 222   33"));
        dateField(f, "DDN")->setText(QStringLiteral("15/01/1980"));
        textField(f, "ADRESSE")->setText(QStringLiteral("3 RUE DES LILAS"));
        textField(f, "ASSURE")->setText(QStringLiteral("MARTIN PAUL"));   // not kept
        // The side windows and the lists.
        currentWindows().presentation()->move(120, 80);
        currentWindows().presentation()->hide();
        currentWindows().shortcuts()->hide();
        addListEntry(pickList(f, "LISTE_VILLES"), QStringLiteral("PARIS"));
        addListEntry(pickList(f, "LISTE_VILLES"), QStringLiteral("LYON"));
        addListEntry(pickList(f, "Liste_CPAMS"), QStringLiteral("CPAM DE PARIS"));
        addListEntry(currentWindows().shortcuts()->actList, QStringLiteral("ECHO"));
        addListEntry(currentWindows().shortcuts()->actList, QStringLiteral("CS"));

        savedPlaces = plainFieldPlaces(f);
    }
};

// ---------------------------------------------------------------------------
// First start

TEST_F(ConfigTest, FirstStartWithNoFilesShowsTheDesignLayoutWithTheStartingTexts)
{
    FolderWatchingDialogs watching;
    watching.watched = session.path(QStringLiteral("feuille_de_soin_medecin"));
    setDialogs(&watching);
    session.start();
    setDialogs(&testDialogs());
    CareSheetWindow *f = form();

    // The built-in picture is written out as the default image and shown.
    const QString image = session.path(QStringLiteral("feuille_de_soin_medecin.jpg"));
    ASSERT_TRUE(QFileInfo(image).isFile());
    EXPECT_EQ(loadFormPicture(image).size(), QSize(746, 1096));
    EXPECT_EQ(formImageOf(f)->picture().size(), QSize(746, 1096));
    EXPECT_FALSE(formImageOf(f)->isHidden());
    EXPECT_FALSE(actionOf(f, "textOnlyAction")->isChecked());

    // The models folder is created after its message, not before.
    EXPECT_EQ(watching.texts(QStringLiteral("message")),
              QStringList{QStringLiteral("Création du Dossier des Modèles TIRAVON en \"%1\"")
                              .arg(session.path(QStringLiteral("feuille_de_soin_medecin/")))});
    EXPECT_EQ(watching.folderExistedAtMessage, QList<bool>{false});
    EXPECT_TRUE(QFileInfo(watching.watched).isDir());
    EXPECT_TRUE(watching.texts(QStringLiteral("error")).isEmpty());
    EXPECT_EQ(f->formInUse().currentActName, QStringLiteral("CS"));
    EXPECT_EQ(f->windowTitle(), QStringLiteral("FEUILLE_DE_SOIN_MEDECIN@CS"));
    // Reading writes no configuration.
    EXPECT_FALSE(QFileInfo::exists(session.configFile()));

    // Every plain text field is emptied; the name takes the sample patient,
    // the two boxes their stored default, and the pair rules do the rest.
    for (SheetEdit *edit : f->plainTextFields()) {
        const QString name = edit->objectName();
        QString expected;
        if (name == QLatin1String("NOM"))
            expected = samplePatientName();
        else if (name == QLatin1String("COCHE_MALADIE") || name == QLatin1String("COCHE_ACCES")
                 || name == QLatin1String("COCHE_ALD_0"))
            expected = kTicked;
        EXPECT_EQ(edit->text(), expected) << name.toStdString();
    }
    EXPECT_TRUE(dateField(f, "DDG")->isHidden());
    EXPECT_TRUE(textField(f, "MEDECIN")->isHidden());
    EXPECT_EQ(dateField(f, "DATE")->text(), kToday);
    EXPECT_EQ(dateField(f, "DATE_ACTE")->text(), kToday);
    EXPECT_TRUE(dateField(f, "DDN")->text().isEmpty());

    // Borders on, 3-D off, the design font of NOM on every field (the
    // smaller tariffs and the fields designed in Arial included).
    for (SheetEdit *edit : f->plainTextFields()) {
        EXPECT_TRUE(edit->isBordered()) << edit->objectName().toStdString();
        EXPECT_FALSE(edit->is3D()) << edit->objectName().toStdString();
        EXPECT_EQ(edit->font().pointSize(), 12) << edit->objectName().toStdString();
        EXPECT_EQ(edit->font().family(), textField(f, "NOM")->font().family()) << edit->objectName().toStdString();
    }
    EXPECT_TRUE(actionOf(f, "borderAction")->isChecked());
    EXPECT_FALSE(actionOf(f, "threeDAction")->isChecked());

    // The stamp shown at its design place, not turned.
    const FieldDesign *stamp = findFieldDesign(QStringLiteral("NOTE"));
    EXPECT_FALSE(stampOf(f)->isHidden());
    EXPECT_EQ(stampOf(f)->pos(), stamp->geometry.topLeft());
    EXPECT_EQ(stampOf(f)->angle(), 0);
    EXPECT_EQ(stampOf(f)->text(), QStringLiteral("Duplicata"));
    EXPECT_EQ(imagePanelOf(f)->geometry(), designPanelGeometry());
}

TEST_F(ConfigTest, TheFirstStartAlreadyShowsTheFontsOfEveryLaterStart)
{
    auto fonts = [this] {
        QStringList looks;
        for (const SheetEdit *edit : form()->plainTextFields())
            looks << QStringLiteral("%1 %2 %3").arg(edit->objectName(), edit->font().family()).arg(edit->font().pointSize());
        return looks;
    };
    session.start();
    const QStringList first = fonts();
    session.restart();
    EXPECT_EQ(fonts(), first);
}

TEST_F(ConfigTest, StoredBoxesRunTheirPairRulesAsEachIsRead)
{
    struct Case
    {
        const char *maladie, *maternite, *ald0, *ald1, *acces;
        const char *wantMaladie, *wantMaternite, *wantAld0, *wantAld1;
        bool ddgShown, medecinShown;
    };
    const Case cases[] = {
        // A pair stored both empty ends with its first box ticked.
        {"", "", "", "", "X", "X", "", "X", "", false, false},
        // Both ticked: the last one read decides.
        {"X", "X", "X", "X", "X", "", "X", "", "X", true, false},
        {"", "X", "", "X", "", "", "X", "", "X", true, true},
        // Any other text counts as not ticked; any text hides the physician.
        {"Y", "", "X", "", "Y", "X", "", "X", "", false, false},
    };
    for (const Case &c : cases) {
        store(QStringLiteral("COCHES"), QStringLiteral("COCHE_MALADIE"), QString::fromLatin1(c.maladie));
        store(QStringLiteral("COCHES"), QStringLiteral("COCHE_MATERNITE"), QString::fromLatin1(c.maternite));
        store(QStringLiteral("COCHES"), QStringLiteral("COCHE_ALD_0"), QString::fromLatin1(c.ald0));
        store(QStringLiteral("COCHES"), QStringLiteral("COCHE_ALD_1"), QString::fromLatin1(c.ald1));
        store(QStringLiteral("COCHES"), QStringLiteral("COCHE_ACCES"), QString::fromLatin1(c.acces));
        session.start();
        const std::string at = std::string(c.maladie) + "|" + c.maternite + "|" + c.ald0 + "|" + c.ald1 + "|" + c.acces;
        EXPECT_EQ(textField(form(), "COCHE_MALADIE")->text(), QString::fromLatin1(c.wantMaladie)) << at;
        EXPECT_EQ(textField(form(), "COCHE_MATERNITE")->text(), QString::fromLatin1(c.wantMaternite)) << at;
        EXPECT_EQ(textField(form(), "COCHE_ALD_0")->text(), QString::fromLatin1(c.wantAld0)) << at;
        EXPECT_EQ(textField(form(), "COCHE_ALD_1")->text(), QString::fromLatin1(c.wantAld1)) << at;
        EXPECT_EQ(dateField(form(), "DDG")->isHidden(), !c.ddgShown) << at;
        EXPECT_EQ(textField(form(), "MEDECIN")->isHidden(), !c.medecinShown) << at;
        session.stop();
    }
}

// ---------------------------------------------------------------------------
// A layout saved and found again

enum class SaveWay { CtrlW, Closing };

void PrintTo(SaveWay way, std::ostream *os)
{
    *os << (way == SaveWay::CtrlW ? "Ctrl+W" : "closing");
}

class SavedLayoutTest : public ConfigTest, public ::testing::WithParamInterface<SaveWay>
{
protected:
    void saveAndStartAgain()
    {
        if (GetParam() == SaveWay::CtrlW) {
            pressCtrlW();
            session.stop();   // ended without its closing: only Ctrl+W saved
        } else {
            session.close();
        }
        session.start();
    }
};

TEST_P(SavedLayoutTest, TheNextStartGetsBackTheLayoutLookAndTexts)
{
    session.start();
    // Saved while scrolled: places are kept as at the top of the sheet.
    scrollAreaOf(form())->verticalScrollBar()->setValue(120);
    ASSERT_EQ(scrollAreaOf(form())->verticalScrollBar()->value(), 120);
    changeEverything();
    testDialogs().clear();
    saveAndStartAgain();
    CareSheetWindow *f = form();
    EXPECT_TRUE(shown(QStringLiteral("error")).isEmpty()) << shown(QStringLiteral("error")).join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(shown(QStringLiteral("message")).isEmpty()) << shown(QStringLiteral("message")).join(QLatin1Char('|')).toStdString();

    // Places and widths of every plain text field, not the heights.
    EXPECT_EQ(plainFieldPlaces(f), savedPlaces);
    EXPECT_EQ(textField(f, "NOM")->geometry(), QRect(200, 90, 500, 26));
    EXPECT_EQ(textField(f, "ACTE_4")->geometry(), QRect(300, 960, 50, 26));
    EXPECT_EQ(textField(f, "ACTE_4")->parentWidget(), sheetPageOf(f));

    // The font of NOM on every field, the tariffs included; borders and 3-D.
    for (SheetEdit *edit : f->plainTextFields()) {
        const std::string name = edit->objectName().toStdString();
        EXPECT_EQ(edit->font().family(), QStringLiteral("DejaVu Sans")) << name;
        EXPECT_EQ(edit->font().pointSize(), 14) << name;
        EXPECT_TRUE(edit->font().bold()) << name;
        EXPECT_TRUE(edit->font().italic()) << name;
        EXPECT_TRUE(edit->font().underline()) << name;
        EXPECT_FALSE(edit->font().strikeOut()) << name;
        EXPECT_FALSE(edit->isBordered()) << name;
        EXPECT_TRUE(edit->is3D()) << name;
        EXPECT_TRUE(edit->isLocked()) << name;
    }
    EXPECT_FALSE(actionOf(f, "borderAction")->isChecked());
    EXPECT_TRUE(actionOf(f, "threeDAction")->isChecked());
    EXPECT_TRUE(actionOf(f, "lockFieldsAction")->isChecked());

    // The stamp.
    EXPECT_TRUE(stampOf(f)->isHidden());
    EXPECT_EQ(stampOf(f)->pos(), QPoint(50, 300));
    EXPECT_EQ(stampOf(f)->width(), 400);
    EXPECT_EQ(stampOf(f)->text(), QStringLiteral("Carte vitale oubliée"));
    EXPECT_EQ(stampOf(f)->font().family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(stampOf(f)->font().pointSize(), 20);
    EXPECT_TRUE(stampOf(f)->font().underline());
    EXPECT_EQ(stampOf(f)->color(), QColor(200, 10, 20));
    EXPECT_EQ(stampOf(f)->angle(), 30);

    // The label "orienté".
    EXPECT_FALSE(orienteOf(f)->isHidden());
    EXPECT_TRUE(actionOf(f, "showOrienteAction")->isChecked());
    EXPECT_EQ(orienteOf(f)->pos(), QPoint(95, 641));
    EXPECT_EQ(orienteOf(f)->text(), QStringLiteral("orienté MT"));

    // The date fields: places, widths; the two dates of the day are today's.
    EXPECT_EQ(placeAndWidth(dateField(f, "DATE")), QRect(600, 30, 150, 0));
    EXPECT_EQ(placeAndWidth(dateField(f, "DATE_ACTE")), QRect(10, 790, 140, 0));
    EXPECT_EQ(placeAndWidth(dateField(f, "DDN")), QRect(190, 145, 150, 0));
    EXPECT_EQ(placeAndWidth(dateField(f, "DDG")), QRect(610, 560, 130, 0));
    EXPECT_EQ(dateField(f, "DATE")->text(), kToday);
    EXPECT_EQ(dateField(f, "DATE_ACTE")->text(), kToday);
    EXPECT_EQ(dateField(f, "DDG")->text(), QStringLiteral("01/05/2026"));

    // The image panel, shown.
    EXPECT_EQ(imagePanelOf(f)->geometry(), QRect(5, -4, 780, 1120));
    EXPECT_FALSE(formImageOf(f)->isHidden());

    // Acts, codes, tariffs, the total as stored (not recomputed), the boxes.
    const QList<QPair<SheetEdit *, QString>> texts = {
        {textField(f, "ACTE_1"), QStringLiteral("CS")},        {textField(f, "ACTE_2"), QStringLiteral("MCS")},
        {textField(f, "ACTE_3"), QString()},                   {textField(f, "ACTE_4"), QStringLiteral("K")},
        {textField(f, "CCAM_1"), QStringLiteral("JKHD001")},   {textField(f, "CCAM_2"), QStringLiteral("JQQM010")},
        {textField(f, "TARIF_1"), QStringLiteral("30")},       {textField(f, "TARIF_2"), QStringLiteral("5,5")},
        {textField(f, "TARIF_3"), QString()},                  {textField(f, "TARIF_4"), QStringLiteral("2")},
        {textField(f, "MONTANT_TOTAL"), QStringLiteral("99,99")},
        {textField(f, "COCHE_MALADIE"), QString()},            {textField(f, "COCHE_MATERNITE"), kTicked},
        {textField(f, "COCHE_ACCES"), QString()},              {textField(f, "COCHE_NP_COMP"), kTicked},
        {textField(f, "COCHE_NP_OBLIGAT"), kTicked},           {textField(f, "COCHE_ALD_0"), QString()},
        {textField(f, "COCHE_ALD_1"), kTicked},                {textField(f, "COCHE_ALD_TYPE"), QString()},
        {textField(f, "NOM"), QStringLiteral("MARTIN JEANNE")}, {textField(f, "MATRICULE"), QStringLiteral("2 80 05 75 111 222   33")},
        {textField(f, "ADRESSE"), QStringLiteral("3 RUE DES LILAS")}, {textField(f, "ASSURE"), QString()},
    };
    for (const auto &[edit, text] : texts)
        EXPECT_EQ(edit->text(), text) << edit->objectName().toStdString();
    EXPECT_EQ(dateField(f, "DDN")->text(), QStringLiteral("15/01/1980"));
    EXPECT_FALSE(dateField(f, "DDG")->isHidden());
    EXPECT_FALSE(textField(f, "MEDECIN")->isHidden());

    // The side windows and the lists.
    EXPECT_TRUE(currentWindows().presentation()->isHidden());
    EXPECT_EQ(currentWindows().presentation()->pos(), QPoint(120, 80));
    EXPECT_TRUE(currentWindows().shortcuts()->isHidden());
    EXPECT_EQ(listEntries(pickList(f, "LISTE_VILLES")), (QStringList{QStringLiteral("LYON"), QStringLiteral("PARIS")}));
    EXPECT_EQ(listEntries(pickList(f, "Liste_CPAMS")), QStringList{QStringLiteral("CPAM DE PARIS")});
    EXPECT_EQ(listEntries(currentWindows().shortcuts()->actList), (QStringList{QStringLiteral("CS"), QStringLiteral("ECHO")}));

    // The program settings name the image and its configuration.
    EXPECT_EQ(storedSetting(QStringLiteral("DEFAUT"), QStringLiteral("IMAGE")),
              session.path(QStringLiteral("feuille_de_soin_medecin.jpg")));
    EXPECT_EQ(storedSetting(QStringLiteral("DEFAUT"), QStringLiteral("INI")), session.configFile());
    EXPECT_EQ(storedSetting(QStringLiteral("ACTE"), f->formInUse().modelsFolder), QStringLiteral("CS"));
    EXPECT_EQ(storedSetting(QStringLiteral("OPTIONS"), QStringLiteral("TAMPON")), QStringLiteral("0"));
    EXPECT_EQ(stored(QStringLiteral("IMAGE"), QStringLiteral("VISIBLE")), QStringLiteral("1"));
}

INSTANTIATE_TEST_SUITE_P(ConfigTest, SavedLayoutTest, ::testing::Values(SaveWay::CtrlW, SaveWay::Closing),
                         [](const ::testing::TestParamInfo<SaveWay> &way) {
                             return way.param == SaveWay::CtrlW ? std::string("SavedWithCtrlW")
                                                                 : std::string("SavedAtClosing");
                         });

// The bytes a saving writes for a filled sheet, against the files kept in
// tests/data/config, where the session's folder reads "<DOSSIER>/" and the
// window's placement (the screen's business) "<PLACE>". Both savings write
// the same bytes; the closing adds the window's placement.
class SavedBytesTest : public ConfigTest
{
protected:
    QByteArray savedFile(const QString &path) const
    {
        QString text = QString::fromLatin1(readBytes(path));
        text.replace(session.folder(), QStringLiteral("<DOSSIER>/"));
#ifdef Q_OS_WIN
        // The models folder, a key, ends with the system's separator.
        text.replace(QStringLiteral("feuille_de_soin_medecin\\="), QStringLiteral("feuille_de_soin_medecin/="));
#endif
        text.replace(QRegularExpression(QStringLiteral("\\nForm1=[-0-9:]*\\r")), QStringLiteral("\nForm1=<PLACE>\r"));
        return text.toLatin1();
    }
    static QByteArray keptFile(const char *name)
    {
        return readBytes(QStringLiteral(TIRAVON_TEST_DATA "/config/") + QString::fromLatin1(name));
    }
    void expectKeptFiles(const char *configuration, const char *settings)
    {
        const QByteArray config = savedFile(session.configFile());
        const QByteArray program = savedFile(session.settingsFile());
        EXPECT_EQ(config, keptFile(configuration)) << configuration;
        EXPECT_EQ(program, keptFile(settings)) << settings;
    }
};

TEST_F(SavedBytesTest, AFilledSheetIsSavedAsTheKeptFiles)
{
    session.start();
    changeEverything();
    // Two added fields; only the one that holds text is listed.
    actionOf(form(), "addTextFieldAction")->trigger();
    actionOf(form(), "addTextFieldAction")->trigger();
    auto *first = session.find<SheetEdit>(QStringLiteral("NOUVEAU_1"));
    auto *second = session.find<SheetEdit>(QStringLiteral("NOUVEAU_2"));
    ASSERT_TRUE(first && second);
    first->setGeometry(40, 50, 160, first->height());
    first->setText(QString());
    second->setGeometry(60, 70, 180, second->height());
    second->setText(QStringLiteral("Hors nomenclature"));

    pressCtrlW();
    expectKeptFiles("filled_sheet@user1.INI", "filled_sheet_Tiravon.INI");
    EXPECT_EQ(readBytes(session.path(QStringLiteral("VILLES.TXT"))), QByteArray("LYON\r\nPARIS\r\n"));
    EXPECT_EQ(readBytes(session.path(QStringLiteral("CPAMS.TXT"))), QByteArray("CPAM DE PARIS\r\n"));
    EXPECT_EQ(readBytes(session.path(QStringLiteral("HISTORIQUE.TXT"))), QByteArray("CS\r\nECHO\r\n"));

    session.close();
    expectKeptFiles("filled_sheet@user1.INI", "filled_sheet_Tiravon_closed.INI");
}

TEST_F(ConfigTest, PlacesAreStoredAsAtTheTopOfTheSheetWhateverTheScroll)
{
    session.start();
    QScrollBar *bar = scrollAreaOf(form())->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 100);
    bar->setValue(bar->maximum());
    ASSERT_EQ(bar->value(), bar->maximum());
    actionOf(form(), "saveConfigurationAction")->trigger();
    EXPECT_EQ(stored(QStringLiteral("IMAGE"), QStringLiteral("X")), QStringLiteral("0"));
    EXPECT_EQ(stored(QStringLiteral("IMAGE"), QStringLiteral("Y")), QStringLiteral("-10"));
    EXPECT_EQ(stored(QStringLiteral("ACTE_4"), QStringLiteral("Y")), QStringLiteral("951"));
    EXPECT_EQ(stored(QStringLiteral("NOM"), QStringLiteral("Y")), QStringLiteral("78"));
    EXPECT_EQ(stored(QStringLiteral("DATE_ACTE"), QStringLiteral("Y")), QStringLiteral("784"));
}

TEST_F(ConfigTest, StoredStylesOnlyAddAndBordersOffStayOff)
{
    store(QStringLiteral("TEXTES"), QStringLiteral("BOLD"), QStringLiteral("0"));
    store(QStringLiteral("TEXTES"), QStringLiteral("ITALIC"), QStringLiteral("1"));
    store(QStringLiteral("TEXTES"), QStringLiteral("ENCADRE"), QStringLiteral("0"));
    store(QStringLiteral("TEXTES"), QStringLiteral("FONT"), QStringLiteral("DejaVu Sans"));
    store(QStringLiteral("TEXTES"), QStringLiteral("SIZE"), QStringLiteral("11"));
    session.start();
    for (SheetEdit *edit : form()->plainTextFields()) {
        const std::string name = edit->objectName().toStdString();
        EXPECT_TRUE(edit->font().bold()) << name;   // as designed: a stored 0 removes nothing
        EXPECT_TRUE(edit->font().italic()) << name;
        EXPECT_EQ(edit->font().family(), QStringLiteral("DejaVu Sans")) << name;
        EXPECT_EQ(edit->font().pointSize(), 11) << name;
        EXPECT_FALSE(edit->isBordered()) << name;
        EXPECT_FALSE(edit->is3D()) << name;
    }
    EXPECT_FALSE(actionOf(form(), "borderAction")->isChecked());
    EXPECT_FALSE(actionOf(form(), "threeDAction")->isChecked());

    actionOf(form(), "saveConfigurationAction")->trigger();
    EXPECT_EQ(stored(QStringLiteral("TEXTES"), QStringLiteral("ENCADRE")), QStringLiteral("0"));
    EXPECT_EQ(stored(QStringLiteral("TEXTES"), QStringLiteral("BOLD")), QStringLiteral("1"));
    EXPECT_EQ(stored(QStringLiteral("TEXTES"), QStringLiteral("SIZE")), QStringLiteral("11"));
}

// ---------------------------------------------------------------------------
// Added text fields

TEST_F(ConfigTest, AddedFieldsHoldingTextAreListedAgainFromOneAtEachSaving)
{
    session.start();
    actionOf(form(), "addTextFieldAction")->trigger();
    actionOf(form(), "addTextFieldAction")->trigger();
    actionOf(form(), "addTextFieldAction")->trigger();
    auto *first = session.find<SheetEdit>(QStringLiteral("NOUVEAU_1"));
    auto *second = session.find<SheetEdit>(QStringLiteral("NOUVEAU_2"));
    auto *third = session.find<SheetEdit>(QStringLiteral("NOUVEAU_3"));
    ASSERT_TRUE(first && second && third);
    first->setGeometry(10, 20, 120, first->height());
    second->setGeometry(30, 40, 130, second->height());
    third->setText(QString());   // never holds text at a saving: not listed
    session.close();
    EXPECT_EQ(stored(QStringLiteral("NOUVEAUX"), QStringLiteral("N")), QStringLiteral("2"));
    EXPECT_EQ(stored(QStringLiteral("NOUVEAUX"), QStringLiteral("1")), QStringLiteral("NOUVEAU_1"));
    EXPECT_EQ(stored(QStringLiteral("NOUVEAUX"), QStringLiteral("2")), QStringLiteral("NOUVEAU_2"));

    // Both come back empty at their places; the third does not come back.
    session.start();
    first = session.find<SheetEdit>(QStringLiteral("NOUVEAU_1"));
    second = session.find<SheetEdit>(QStringLiteral("NOUVEAU_2"));
    ASSERT_TRUE(first && second);
    EXPECT_EQ(session.find<SheetEdit>(QStringLiteral("NOUVEAU_3")), nullptr);
    EXPECT_EQ(placeAndWidth(first), QRect(10, 20, 120, 0));
    EXPECT_EQ(placeAndWidth(second), QRect(30, 40, 130, 0));
    EXPECT_TRUE(first->text().isEmpty());
    EXPECT_TRUE(second->text().isEmpty());
    EXPECT_EQ(first->parentWidget(), imagePanelOf(form()));
    EXPECT_EQ(form()->plainTextFields().mid(form()->plainTextFields().size() - 2),
              (QList<SheetEdit *>{first, second}));

    // None holds text: the list stays as it was.
    session.restart();
    EXPECT_EQ(stored(QStringLiteral("NOUVEAUX"), QStringLiteral("N")), QStringLiteral("2"));
    ASSERT_NE(session.find<SheetEdit>(QStringLiteral("NOUVEAU_2")), nullptr);

    // Only the second holds text: it is listed first and comes back as
    // NOUVEAU_1, at the place stored for its old name.
    second = session.find<SheetEdit>(QStringLiteral("NOUVEAU_2"));
    second->setText(QStringLiteral("Hors nomenclature"));
    second->setGeometry(50, 60, 140, second->height());
    session.close();
    EXPECT_EQ(stored(QStringLiteral("NOUVEAUX"), QStringLiteral("N")), QStringLiteral("1"));
    EXPECT_EQ(stored(QStringLiteral("NOUVEAUX"), QStringLiteral("1")), QStringLiteral("NOUVEAU_2"));
    session.start();
    first = session.find<SheetEdit>(QStringLiteral("NOUVEAU_1"));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(session.find<SheetEdit>(QStringLiteral("NOUVEAU_2")), nullptr);
    EXPECT_EQ(placeAndWidth(first), QRect(50, 60, 140, 0));
    EXPECT_TRUE(first->text().isEmpty());
    EXPECT_TRUE(shown(QStringLiteral("message")).filter(QStringLiteral("ERR:")).isEmpty());
}

TEST_F(ConfigTest, TheAddedFieldsListedAreMadeAgainNumberedFromOne)
{
    // Where the list ends and the places it finds are the reading's rules
    // (tests/core/config); here the window makes the fields it names.
    store(QStringLiteral("NOUVEAUX"), QStringLiteral("N"), QStringLiteral("5"));
    store(QStringLiteral("NOUVEAUX"), QStringLiteral("1"), QStringLiteral("A"));
    store(QStringLiteral("NOUVEAUX"), QStringLiteral("2"), QStringLiteral("B"));
    store(QStringLiteral("NOUVEAUX"), QStringLiteral("4"), QStringLiteral("D"));
    store(QStringLiteral("A"), QStringLiteral("X"), QStringLiteral("11"));
    store(QStringLiteral("A"), QStringLiteral("Y"), QStringLiteral("22"));
    store(QStringLiteral("A"), QStringLiteral("Z"), QStringLiteral("33"));
    session.start();
    QStringList made;
    for (SheetEdit *edit : form()->plainTextFields())
        if (edit->objectName().startsWith(QLatin1String("NOUVEAU_")))
            made << edit->objectName();
    EXPECT_EQ(made, (QStringList{QStringLiteral("NOUVEAU_1"), QStringLiteral("NOUVEAU_2")}));
    auto *a = session.find<SheetEdit>(QStringLiteral("NOUVEAU_1"));
    auto *b = session.find<SheetEdit>(QStringLiteral("NOUVEAU_2"));
    ASSERT_TRUE(a && b);
    EXPECT_EQ(placeAndWidth(a), QRect(11, 22, 33, 0));
    // An entry without stored place takes 100 for each.
    EXPECT_EQ(placeAndWidth(b), QRect(100, 100, 100, 0));
}

// ---------------------------------------------------------------------------
// Users of one program copy

TEST_F(ConfigTest, EachLoginHasItsOwnConfigurationWhileIdentityAndImageAreShared)
{
    session.start();
    const QString firstFile = session.configFile();
    textField(form(), "NOM")->setText(QStringLiteral("DURAND MARIE"));
    textField(form(), "NOM")->move(190, 80);
    textField(form(), "ACTE_1")->setText(QStringLiteral("CS"));
    session.close();

    session.fake.login = QStringLiteral("user2");
    session.start();
    const QString secondFile = session.configFile();
    EXPECT_NE(secondFile, firstFile);
    EXPECT_EQ(form()->formInUse().formConfigPath, secondFile);
    EXPECT_EQ(form()->formInUse().formImagePath, session.path(QStringLiteral("feuille_de_soin_medecin.jpg")));
    EXPECT_EQ(textField(form(), "NOM")->text(), QStringLiteral("DURAND MARIE"));   // shared identity
    EXPECT_EQ(textField(form(), "NOM")->pos(), findFieldDesign(QStringLiteral("NOM"))->geometry.topLeft());
    EXPECT_TRUE(textField(form(), "ACTE_1")->text().isEmpty());
    textField(form(), "NOM")->move(250, 70);
    textField(form(), "ACTE_1")->setText(QStringLiteral("V"));
    textField(form(), "MATRICULE")->setText(QStringLiteral("1 23"));
    session.close();
    EXPECT_TRUE(QFileInfo::exists(secondFile));
    EXPECT_EQ(readSetting(QStringLiteral("ACTES"), QStringLiteral("ACTE_1"), QString(), firstFile),
              QStringLiteral("CS"));
    EXPECT_EQ(storedSetting(QStringLiteral("DEFAUT"), QStringLiteral("INI")), secondFile);

    session.fake.login = QStringLiteral("user1");
    session.start();
    EXPECT_EQ(textField(form(), "NOM")->pos(), QPoint(190, 80));
    EXPECT_EQ(textField(form(), "ACTE_1")->text(), QStringLiteral("CS"));
    EXPECT_EQ(textField(form(), "MATRICULE")->text(), QStringLiteral("1 23"));   // as the other user left it
}

// ---------------------------------------------------------------------------
// Failures of the saving

TEST_F(ConfigTest, AReadOnlyFileAtClosingIsReportedAndTheWindowStillCloses)
{
    struct Case
    {
        const char *readOnly;   // "settings" or "configuration"
        bool identityWritten;   // an earlier write of the saving stays
    };
    const Case cases[] = {{"configuration", true}, {"settings", false}};
    for (const Case &c : cases) {
        session.start();
        session.close();   // both files exist now
        session.start();
        const QString name = QStringLiteral("LEROY ") + QString::fromLatin1(c.readOnly).toUpper();
        textField(form(), "NOM")->setText(name);
        textField(form(), "ACTE_1")->setText(QStringLiteral("C2"));
        addListEntry(pickList(form(), "LISTE_VILLES"), QStringLiteral("NANTES"));
        const bool settings = QLatin1String(c.readOnly) == QLatin1String("settings");
        const QString locked = settings ? session.settingsFile() : session.configFile();
        const QByteArray lockedBefore = readBytes(locked);
        const QByteArray configBefore = readBytes(session.configFile());
        ASSERT_TRUE(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        testDialogs().clear();

        EXPECT_TRUE(form()->close()) << c.readOnly;
        EXPECT_FALSE(form()->isVisible()) << c.readOnly;
        EXPECT_EQ(testDialogs().shown.size(), 1) << c.readOnly;
        EXPECT_EQ(shown(QStringLiteral("error")),
                  QStringList{QStringLiteral("Impossible d'écrire dans %1").arg(locked)}) << c.readOnly;
        EXPECT_EQ(readBytes(locked), lockedBefore) << c.readOnly;
        // The saving stopped at that write: the configuration kept its acts
        // and the lists their file.
        EXPECT_EQ(readBytes(session.configFile()), configBefore) << c.readOnly;
        EXPECT_FALSE(readBytes(session.path(QStringLiteral("VILLES.TXT"))).contains("NANTES")) << c.readOnly;
        EXPECT_EQ(readSetting(QStringLiteral("IDENTITE"), QStringLiteral("NOM"), QString()) == name,
                  c.identityWritten)
            << c.readOnly;

        session.stop();
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    }
}

TEST_F(ConfigTest, AConfigurationFolderGoneBeforeSavingStopsEveryWrite)
{
    const QString image = session.path(QStringLiteral("formes/feuille.jpg"));
    writeFormPicture(image);
    writeSetting(QStringLiteral("DEFAUT"), QStringLiteral("IMAGE"), image);
    session.start();
    const QString cfg = session.path(QStringLiteral("formes/feuille@user1.INI"));
    ASSERT_EQ(form()->formInUse().formConfigPath, cfg);
    ASSERT_TRUE(QDir(session.path(QStringLiteral("formes"))).removeRecursively());
    textField(form(), "NOM")->setText(QStringLiteral("PETIT LUC"));
    addListEntry(pickList(form(), "LISTE_VILLES"), QStringLiteral("NANTES"));
    const QByteArray settingsBefore = readBytes(session.settingsFile());
    testDialogs().clear();

    const QString stop = QStringLiteral("STOP: Fichier de sauvegarde \"%1\" Inacessible !!!").arg(cfg);
    pressCtrlW();
    EXPECT_EQ(testDialogs().texts(), QStringList{stop});
    EXPECT_EQ(shown(QStringLiteral("message")), QStringList{stop});
    EXPECT_EQ(readBytes(session.settingsFile()), settingsBefore);
    for (const char *side : {"HISTORIQUE.TXT", "VILLES.TXT", "CPAMS.TXT"})
        EXPECT_FALSE(QFileInfo::exists(session.path(QString::fromLatin1(side)))) << side;
    EXPECT_FALSE(QFileInfo::exists(session.path(QStringLiteral("formes"))));

    // At closing too; only the window's placement, saved first, is written.
    testDialogs().clear();
    EXPECT_TRUE(form()->close());
    EXPECT_EQ(testDialogs().texts(), QStringList{stop});
    EXPECT_NE(storedSetting(QStringLiteral("IDENTITE"), QStringLiteral("NOM")), QStringLiteral("PETIT LUC"));
    EXPECT_NE(storedSetting(QStringLiteral("Tiravon"), QStringLiteral("Form1")), QStringLiteral("<absent>"));
    EXPECT_FALSE(QFileInfo::exists(session.path(QStringLiteral("VILLES.TXT"))));
}

// ---------------------------------------------------------------------------
// Failures of the reading

TEST_F(ConfigTest, AMalformedPlacementEndsTheReadingAndLeavesTheConfigurationIntact)
{
    writeSetting(QStringLiteral("Tiravon"), QStringLiteral("Form1"), QStringLiteral("a:b:c:d"));
    store(QStringLiteral("NOM"), QStringLiteral("X"), QStringLiteral("300"));
    store(QStringLiteral("ACTES"), QStringLiteral("ACTE_1"), QStringLiteral("CS"));
    const QByteArray configBefore = readBytes(session.configFile());
    session.start();
    CareSheetWindow *f = form();

    EXPECT_EQ(testDialogs().texts(),
              QStringList{QStringLiteral("ERR:INI_GETExecute => 'a' n'est pas une valeur entière correcte")});
    // The design state: nothing of the configuration was read.
    const FieldDesign *nom = findFieldDesign(QStringLiteral("NOM"));
    EXPECT_EQ(textField(f, "NOM")->pos(), nom->geometry.topLeft());
    EXPECT_EQ(textField(f, "NOM")->text(), samplePatientName());
    EXPECT_EQ(textField(f, "MATRICULE")->text(), QStringLiteral("2 55 01 56 121 345   19"));
    EXPECT_EQ(textField(f, "TARIF_1")->text(), QStringLiteral("23"));
    EXPECT_EQ(textField(f, "MONTANT_TOTAL")->text(), QStringLiteral("28,00"));
    EXPECT_TRUE(textField(f, "ACTE_1")->text().isEmpty());
    EXPECT_TRUE(dateField(f, "DATE")->text().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(session.path(QStringLiteral("feuille_de_soin_medecin"))));
    EXPECT_EQ(formImageOf(f)->picture(), builtInFormPicture());
    // The program goes on: the window is shown with its first-show steps.
    EXPECT_TRUE(f->isVisible());
    EXPECT_TRUE(currentWindows().presentation()->isVisible());

    // With no configuration read there is none to save to: the stored one
    // is left as it was and the program settings keep their keys.
    testDialogs().clear();
    session.close();
    EXPECT_EQ(testDialogs().texts(), QStringList{QStringLiteral("STOP: Fichier de sauvegarde \"\" Inacessible !!!")});
    EXPECT_EQ(readBytes(session.configFile()), configBefore);
    EXPECT_EQ(storedSetting(QStringLiteral("DEFAUT"), QStringLiteral("IMAGE")), QStringLiteral("<absent>"));
    EXPECT_EQ(storedSetting(QStringLiteral("ACTES"), QStringLiteral("ACTE_1")), QStringLiteral("<absent>"));

    // The placement saved at closing mends the start after.
    testDialogs().clear();
    session.start();
    EXPECT_TRUE(testDialogs().texts().filter(QStringLiteral("ERR:")).isEmpty());
    EXPECT_EQ(textField(form(), "NOM")->x(), 300);
    EXPECT_EQ(textField(form(), "ACTE_1")->text(), QStringLiteral("CS"));
}

TEST_F(ConfigTest, ACorruptFormImageIsReportedAndTheUsersLayoutStillLoadsAndSurvives)
{
    // A damaged picture on disk must not cost the user the layout kept
    // beside it: the reading reports it, shows the built-in picture and goes
    // on, so that the saving at closing writes back the user's own layout.
    const QString image = session.path(QStringLiteral("abime.jpg"));
    writeBytes(image, QByteArray("\xFF\xD8\xFF\xE0 ceci n'est pas une image") + QByteArray(200, 'Z'));
    writeSetting(QStringLiteral("DEFAUT"), QStringLiteral("IMAGE"), image);
    const QString config = session.path(QStringLiteral("abime@user1.INI"));
    writeIntegerSetting(QStringLiteral("NOM"), QStringLiteral("X"), 300, config);
    writeSetting(QStringLiteral("ACTES"), QStringLiteral("ACTE_1"), QStringLiteral("CS"), config);
    QString decoderMessage;
    try {
        loadFormPicture(image);
    } catch (const TiravonError &e) {
        decoderMessage = e.message();
    }
    ASSERT_FALSE(decoderMessage.isEmpty());

    session.start();
    CareSheetWindow *f = form();
    const QStringList messages = shown(QStringLiteral("message"));
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages.at(0), QStringLiteral("Création du Dossier des Modèles TIRAVON en \"%1\"")
                                  .arg(session.path(QStringLiteral("abime/"))));
    EXPECT_EQ(messages.at(1), QStringLiteral("ERR:INI_GETExecute => ") + decoderMessage);
    EXPECT_EQ(f->formInUse().formImagePath, image);
    EXPECT_EQ(f->formInUse().formConfigPath, config);
    EXPECT_EQ(formImageOf(f)->picture(), builtInFormPicture());
    EXPECT_EQ(f->windowTitle(), QStringLiteral("ABIME@CS"));
    EXPECT_EQ(textField(f, "NOM")->x(), 300);
    EXPECT_EQ(textField(f, "ACTE_1")->text(), QStringLiteral("CS"));
    EXPECT_EQ(dateField(f, "DATE")->text(), QStringLiteral("09/12/2026"));
    EXPECT_FALSE(QFileInfo::exists(session.path(QStringLiteral("feuille_de_soin_medecin.jpg"))));

    session.close();
    EXPECT_EQ(readIntegerSetting(QStringLiteral("NOM"), QStringLiteral("X"), -1, config), 300);
    EXPECT_EQ(readSetting(QStringLiteral("ACTES"), QStringLiteral("ACTE_1"), QString(), config), QStringLiteral("CS"));
    // The damaged file is left as it was.
    EXPECT_TRUE(readBytes(image).contains("ceci n'est pas une image"));
}

TEST_F(ConfigTest, AStoredImageThatNamesNoFileFallsBackToTheDefaultImage)
{
    const QString defaultImage = session.path(QStringLiteral("feuille_de_soin_medecin.jpg"));
    struct Case
    {
        const char *stored;
    };
    // A file that is gone, a file in a folder that is gone, and a folder.
    const Case cases[] = {{"parti.jpg"}, {"nulle_part/feuille.jpg"}, {""}};
    for (const Case &c : cases) {
        const QString stored = QString::fromLatin1(c.stored).isEmpty() ? session.folder()
                                                                        : session.path(QString::fromLatin1(c.stored));
        writeSetting(QStringLiteral("DEFAUT"), QStringLiteral("IMAGE"), stored);
        testDialogs().clear();
        session.start();
        EXPECT_EQ(form()->formInUse().formImagePath, defaultImage) << c.stored;
        EXPECT_TRUE(QFileInfo(defaultImage).isFile()) << c.stored;
        EXPECT_EQ(formImageOf(form())->picture().size(), QSize(746, 1096)) << c.stored;
        EXPECT_TRUE(testDialogs().texts().filter(QStringLiteral("ERR:")).isEmpty()) << c.stored;
        session.stop();
    }
}

TEST_F(ConfigTest, AModelsFolderThatCannotBeMadeIsReportedAndTheReadingGoesOn)
{
    // The stored image lies "in" a plain file: no folder can be made there.
    writeBytes(session.path(QStringLiteral("fichier")), "pas un dossier");
    writeSetting(QStringLiteral("DEFAUT"), QStringLiteral("IMAGE"), session.path(QStringLiteral("fichier/feuille.jpg")));
    session.start();
    const QString models = session.path(QStringLiteral("fichier/feuille/"));
    EXPECT_EQ(testDialogs().texts(),
              (QStringList{QStringLiteral("Création du Dossier des Modèles TIRAVON en \"%1\"").arg(models),
                           QStringLiteral("Erreur de création du dossier des modèles\r\r\"%1\"").arg(models)}));
    EXPECT_EQ(shown(QStringLiteral("information")).size(), 1);
    // The reading went on: the default image, the names of the missing one.
    EXPECT_EQ(form()->formInUse().formImagePath, session.path(QStringLiteral("feuille_de_soin_medecin.jpg")));
    EXPECT_EQ(form()->windowTitle(), QStringLiteral("FEUILLE@CS"));
    EXPECT_EQ(dateField(form(), "DATE")->text(), kToday);

    // Its configuration has no folder either: the closing saves nothing of it.
    testDialogs().clear();
    session.close();
    EXPECT_EQ(testDialogs().texts(),
              QStringList{QStringLiteral("STOP: Fichier de sauvegarde \"%1\" Inacessible !!!")
                              .arg(session.path(QStringLiteral("fichier/feuille@user1.INI")))});
    EXPECT_EQ(readBytes(session.path(QStringLiteral("fichier"))), QByteArray("pas un dossier"));
}

// ---------------------------------------------------------------------------
// Side files

TEST_F(ConfigTest, PickListsComeFromTheProgramFolderWhateverTheCurrentDirectory)
{
    writeBytes(session.path(QStringLiteral("VILLES.TXT")), "PARIS\r\nLYON\r\n");
    writeBytes(session.path(QStringLiteral("CPAMS.TXT")), "CPAM DE LYON\r\n");
    QTemporaryDir elsewhere;
    writeBytes(elsewhere.filePath(QStringLiteral("VILLES.TXT")), "AILLEURS\r\n");
    writeBytes(elsewhere.filePath(QStringLiteral("CPAMS.TXT")), "AILLEURS\r\n");
    QDir::setCurrent(elsewhere.path());

    session.start();
    EXPECT_EQ(listEntries(pickList(form(), "LISTE_VILLES")), (QStringList{QStringLiteral("LYON"), QStringLiteral("PARIS")}));
    EXPECT_EQ(listEntries(pickList(form(), "Liste_CPAMS")), QStringList{QStringLiteral("CPAM DE LYON")});

    // Saved back there too, and nothing goes to the current directory.
    addListEntry(pickList(form(), "LISTE_VILLES"), QStringLiteral("NANTES"));
    session.close();
    EXPECT_EQ(readBytes(session.path(QStringLiteral("VILLES.TXT"))), QByteArray("LYON\r\nNANTES\r\nPARIS\r\n"));
    EXPECT_EQ(readBytes(elsewhere.filePath(QStringLiteral("VILLES.TXT"))), QByteArray("AILLEURS\r\n"));
    EXPECT_FALSE(QFileInfo::exists(elsewhere.filePath(QStringLiteral("HISTORIQUE.TXT"))));
    EXPECT_TRUE(QFileInfo::exists(session.path(QStringLiteral("HISTORIQUE.TXT"))));
}

} // namespace
