// The care-sheet window at start: the first start in an empty program
// folder, the fields as designed, the menus, the window's own commands.
#include "ScriptedDialogs.h"
#include "TiravonSession.h"

#include "config/FieldCatalogue.h"
#include "widgets/ImagePanel.h"
#include "widgets/SheetEdit.h"
#include "app/ProgramEntry.h"
#include "app/CareSheetWindow.h"
#include "support/DataFolderLock.h"
#include "app/ProgramWindows.h"
#include "windows/ActShortcutsWindow.h"
#include "widgets/DateEdit.h"
#include "windows/PresentationWindow.h"
#include "support/SettingsStore.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QLockFile>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QSysInfo>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#ifdef Q_OS_LINUX
#include <sys/inotify.h>
#include <unistd.h>
#endif

namespace {

class StartupTest : public ::testing::Test
{
protected:
    TiravonSession session;
};

TEST_F(StartupTest, FirstStartInAnEmptyFolderWritesTheDefaultImageAndModelsFolder)
{
    session.start();
    CareSheetWindow *form = session.form();

    const QString image = session.path(QStringLiteral("feuille_de_soin_medecin.jpg"));
    EXPECT_TRUE(QFileInfo::exists(image));
    EXPECT_TRUE(QFileInfo(session.path(QStringLiteral("feuille_de_soin_medecin"))).isDir());
    EXPECT_EQ(form->formInUse().formImagePath, image);
    EXPECT_EQ(form->formInUse().modelsFolder, session.path(QStringLiteral("feuille_de_soin_medecin/")));
    EXPECT_EQ(form->formInUse().formModelName, QStringLiteral("FEUILLE_DE_SOIN_MEDECIN"));
    EXPECT_EQ(form->formInUse().currentActName, QStringLiteral("CS"));
    EXPECT_EQ(form->formInUse().formConfigPath, session.configFile());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("FEUILLE_DE_SOIN_MEDECIN@CS"));
    EXPECT_EQ(testDialogs().texts(QStringLiteral("message")),
              QStringList{QStringLiteral("Création du Dossier des Modèles TIRAVON en \"%1\"")
                              .arg(form->formInUse().modelsFolder)});

    // The side windows shown, the options window at the top left corner.
    EXPECT_TRUE(currentWindows().presentation()->isVisible());
    EXPECT_EQ(currentWindows().presentation()->pos(), QPoint(0, 0));
    EXPECT_TRUE(currentWindows().shortcuts()->isVisible());
    // The version log beside the current directory.
    EXPECT_TRUE(QFileInfo::exists(session.path(QStringLiteral("tiravon.version"))));
}

TEST_F(StartupTest, ExistingFileAtTheDefaultImagePathIsUsedNotOverwritten)
{
    // A default image the user edited must survive a missing stored image.
    writeSetting(QStringLiteral("DEFAUT"), QStringLiteral("IMAGE"), session.path(QStringLiteral("ailleurs.jpg")));
    const QString image = session.path(QStringLiteral("feuille_de_soin_medecin.jpg"));
    session.start(false);
    const QByteArray written = readBytes(image);
    session.stop();
    ASSERT_FALSE(written.isEmpty());
    writeBytes(image, written + QByteArray("\xFF\xD9", 2));   // a changed but valid file
    const QByteArray edited = readBytes(image);
    session.start(false);
    EXPECT_EQ(readBytes(image), edited);
}

TEST_F(StartupTest, FieldsStandWhereTheCatalogueSaysWithTheirLook)
{
    session.start();
    for (const FieldDesign &design : fieldCatalogue()) {
        QWidget *field = session.form()->field(QString::fromLatin1(design.name));
        ASSERT_NE(field, nullptr) << design.name;
        EXPECT_EQ(field->pos(), design.geometry.topLeft()) << design.name;
        if (design.kind != FieldKind::Stamp) {
            EXPECT_EQ(field->width(), design.geometry.width()) << design.name;
            EXPECT_EQ(field->height(), design.geometry.height()) << design.name;
        }
        EXPECT_EQ(field->toolTip(), QString::fromUtf8(design.hint)) << design.name;
        // The reading gives every plain text field the name and size of
        // NOM's font (their own styles stay); the others keep their own.
        const bool plain = session.form()->plainTextFields().contains(qobject_cast<SheetEdit *>(field));
        const FieldFont font = plain ? findFieldDesign(QStringLiteral("NOM"))->font : design.font;
        EXPECT_EQ(field->font().family(), QString::fromLatin1(font.family)) << design.name;
        EXPECT_EQ(field->font().pointSize(), font.pointSize) << design.name;
        EXPECT_EQ(field->font().bold(), design.font.bold) << design.name;
        EXPECT_EQ(field->parentWidget() == imagePanelOf(session.form()), !design.onWindow) << design.name;
    }
    CareSheetWindow *form = session.form();
    // Hidden at start: the pick lists, the attending physician while direct
    // access is ticked, the pregnancy date while maternity is not.
    EXPECT_TRUE(pickList(form, "LISTE_VILLES")->isHidden());
    EXPECT_TRUE(pickList(form, "Liste_CPAMS")->isHidden());
    EXPECT_TRUE(textField(form, "MEDECIN")->isHidden());
    EXPECT_TRUE(dateField(form, "DDG")->isHidden());
    EXPECT_EQ(pickList(form, "LISTE_VILLES")->palette().color(QPalette::Base), QColor(255, 255, 128));
    EXPECT_EQ(pickList(form, "Liste_CPAMS")->palette().color(QPalette::Base), QColor(128, 255, 255));
    // The window: white, scrolling over the whole page with the bar shown.
    EXPECT_EQ(scrollAreaOf(form)->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(sheetPageOf(form)->minimumHeight(), 1110);
    EXPECT_EQ(imagePanelOf(form)->geometry(), QRect(0, -10, 772, 1110));
    EXPECT_EQ(scrollAreaOf(form)->size(), QSize(820, 956));
    // The sheet opens at its top, on the patient's name.
    QCoreApplication::processEvents();
    EXPECT_EQ(scrollAreaOf(form)->verticalScrollBar()->value(), 0);
    EXPECT_EQ(QApplication::focusWidget(), textField(form, "NOM"));
}

TEST_F(StartupTest, TypedLettersBecomeCapitalsUnlessTheFieldKeepsMixedCase)
{
    session.start();
    struct Case { const char *field; const char *shown; };
    const Case cases[] = {
        {"NOM", "DUPONT-ÉLODIE"}, {"CPAM", "DUPONT-ÉLODIE"}, {"ACTE_1", "DUPONT-ÉLODIE"},
        {"COCHE_ALD_TYPE", "DUPONT-ÉLODIE"}, {"VILLE", "dupont-Élodie"}, {"MEDECIN", "dupont-Élodie"},
        {"MONTANT_TOTAL", "dupont-Élodie"}, {"COCHE_NP_OBLIGAT", "dupont-Élodie"},
        {"COCHE_NP_COMP", "dupont-Élodie"},
    };
    for (const Case &c : cases) {
        auto *edit = session.find<SheetEdit>(QString::fromLatin1(c.field));
        edit->show();
        edit->setText(QString());
        QTest::keyClicks(edit, QStringLiteral("dupont-Élodie"));
        EXPECT_EQ(edit->text(), QString::fromUtf8(c.shown)) << c.field;
    }
}

TEST_F(StartupTest, TabWalksTheFieldsInTheirOrder)
{
    session.start();
    QApplication::setActiveWindow(session.form());
    textField(session.form(), "ACTE_4")->setFocus();
    const QStringList expected = {QStringLiteral("NOM"), QStringLiteral("MATRICULE"), QStringLiteral("DDN"),
                                  QStringLiteral("ASSURE"), QStringLiteral("ASSURE_MATRICULE"),
                                  QStringLiteral("ADRESSE"), QStringLiteral("VILLE"), QStringLiteral("CPAM")};
    QStringList walked;
    for (int i = 0; i < expected.size(); ++i) {
        QWidget *focus = QApplication::focusWidget();
        QTest::keyClick(focus, Qt::Key_Tab);
        QWidget *now = QApplication::focusWidget();
        while (now && now->objectName().isEmpty())
            now = now->parentWidget();
        if (now && qobject_cast<DateEdit *>(now->parentWidget()))
            now = now->parentWidget();
        walked << (now ? now->objectName() : QString());
    }
    EXPECT_EQ(walked, expected);
}

TEST_F(StartupTest, MenusCarryTheirCaptionsShortcutsAndTicks)
{
    session.start();
    CareSheetWindow *form = session.form();
    struct Item { QAction *action; const char *caption; QKeySequence shortcut; bool ticks; };
    const Item items[] = {
        {actionOf(form, "togglePresentationAction"), "Cadrer l'image", QKeySequence(Qt::CTRL | Qt::Key_I), false},
        {actionOf(form, "saveConfigurationAction"), "Enregistrer la configuration", QKeySequence(Qt::CTRL | Qt::Key_W), false},
        {actionOf(form, "clearAllAction"), "Tout effacer", QKeySequence(Qt::CTRL | Qt::Key_Y), false},
        {actionOf(form, "printAction"), "&Imprimer", QKeySequence(Qt::CTRL | Qt::Key_P), false},
        {actionOf(form, "quitAction"), "&Quitter", QKeySequence(Qt::CTRL | Qt::Key_Q), false},
        {actionOf(form, "openActModelAction"), "&Choisir un modèle d'Acte pour ce formulaire", QKeySequence(Qt::CTRL | Qt::Key_O), false},
        {actionOf(form, "saveActModelAction"), "&Enregistrer le modèle", QKeySequence(Qt::CTRL | Qt::Key_S), false},
        {actionOf(form, "borderAction"), "&Encadrer", QKeySequence(), true},
        {actionOf(form, "threeDAction"), "3D", QKeySequence(), true},
        {actionOf(form, "addTextFieldAction"), "&Ajouter un champ texte", QKeySequence(Qt::CTRL | Qt::Key_T), false},
        {actionOf(form, "lockFieldsAction"), "Verrouiller/déverrouiller les champs", QKeySequence(), true},
        {actionOf(form, "showOrienteAction"), "MT: Remplacer \"envoyé\" par \"orienté\"", QKeySequence(), true},
        {actionOf(form, "hideNameAction"), "Masquer le &Nom", QKeySequence(), true},
        {actionOf(form, "hideDatesAction"), "Masquer les &Dates", QKeySequence(), true},
        {actionOf(form, "onlineManualAction"), "&Manuel en ligne", QKeySequence(Qt::CTRL | Qt::Key_F1), false},
        {actionOf(form, "movingFieldsHelpAction"), "Déplacer les champs", QKeySequence(Qt::Key_F1), false},
        {actionOf(form, "officialJournalAction"), "JORF n°0124 du 31 mai 2013 page 9008 ", QKeySequence(), false},
    };
    for (const Item &item : items) {
        EXPECT_EQ(item.action->text(), QString::fromUtf8(item.caption));
        EXPECT_EQ(item.action->shortcut(), item.shortcut) << item.caption;
        EXPECT_EQ(item.action->isCheckable(), item.ticks) << item.caption;
    }
    EXPECT_FALSE(actionOf(form, "fullHeightAction")->isVisible());
    EXPECT_FALSE(actionOf(form, "traceVariablesAction")->isVisible());
    EXPECT_TRUE(actionOf(form, "fieldsFontAction")->font().bold());

    QStringList menus;
    for (QAction *top : form->menuBar()->actions())
        menus << top->text();
    EXPECT_EQ(menus, (QStringList{QStringLiteral("&Fichier"), QStringLiteral("&Acte"), QStringLiteral("&Editer"),
                                  QStringLiteral("&Afficher"), QStringLiteral("Outils"), QStringLiteral("C.C.A.M"),
                                  QStringLiteral(".N"), QStringLiteral("?")}));

    // The buttons at the right end of the menu bar, right-most last.
    QStringList hints;
    for (QToolButton *button : form->menuBar()->cornerWidget()->findChildren<QToolButton *>())
        hints << button->toolTip();
    EXPECT_EQ(hints, (QStringList{QStringLiteral("Ouvrir un modèle de formulaire (CTRL+O)"),
                                  QStringLiteral("Enregistrer le modèle (CTRL+S)"),
                                  QStringLiteral("Lancer l'impression (CTRL+P)"),
                                  QStringLiteral("Paramètres de présentation"), QStringLiteral("Aide en ligne")}));
}

TEST_F(StartupTest, EscapeAsksBeforeClearingTheSevenIdentityFields)
{
    session.start();
    CareSheetWindow *form = session.form();
    QApplication::setActiveWindow(form);
    for (SheetEdit *edit : form->plainTextFields())
        edit->setText(QStringLiteral("X"));
    dateField(form, "DDN")->setText(QStringLiteral("15/01/1955"));
    const auto snapshot = [form] {
        QStringList texts;
        for (SheetEdit *edit : form->plainTextFields())
            texts << edit->text();
        return texts << dateField(form, "DDN")->text();
    };
    const QStringList before = snapshot();

    textField(form, "TARIF_1")->setFocus();
    testDialogs().confirmAnswers = {false};
    QTest::keyClick(textField(form, "TARIF_1"), Qt::Key_Escape);
    EXPECT_EQ(testDialogs().texts(QStringLiteral("confirm")), QStringList{QStringLiteral("Initialiser les champs ?")});
    EXPECT_EQ(snapshot(), before);

    testDialogs().confirmAnswers = {true};
    QTest::keyClick(textField(form, "TARIF_1"), Qt::Key_Escape);
    for (QWidget *cleared : std::initializer_list<QWidget *>{textField(form, "NOM"), textField(form, "MATRICULE"), textField(form, "ASSURE"),
                                                             textField(form, "ASSURE_MATRICULE"), textField(form, "ADRESSE"), textField(form, "VILLE")})
        EXPECT_TRUE(static_cast<SheetEdit *>(cleared)->text().isEmpty()) << cleared->objectName().toStdString();
    EXPECT_TRUE(dateField(form, "DDN")->text().isEmpty());
    EXPECT_EQ(textField(form, "TARIF_1")->text(), QStringLiteral("X"));
    EXPECT_EQ(textField(form, "ACTE_1")->text(), QStringLiteral("X"));
    EXPECT_EQ(textField(form, "COCHE_ACCES")->text(), QStringLiteral("X"));
    EXPECT_EQ(QApplication::focusWidget(), textField(form, "NOM"));
}

TEST_F(StartupTest, ClearingEverythingEmptiesTextFieldsAndKeepsTheBoxPairsConsistent)
{
    session.start();
    CareSheetWindow *form = session.form();
    for (SheetEdit *edit : form->plainTextFields())
        if (!edit->objectName().startsWith(QLatin1String("COCHE_")))
            edit->setText(QStringLiteral("texte"));
    form->addTextField();
    const QString today = dateField(form, "DATE")->text();
    actionOf(form, "clearAllAction")->trigger();

    for (SheetEdit *edit : form->plainTextFields()) {
        const QString name = edit->objectName();
        if (name == QLatin1String("COCHE_MALADIE") || name == QLatin1String("COCHE_MATERNITE")
            || name == QLatin1String("COCHE_ALD_0") || name == QLatin1String("COCHE_ALD_1"))
            continue;
        EXPECT_TRUE(edit->text().isEmpty()) << name.toStdString();
    }
    // Each pair ends with exactly one box ticked.
    EXPECT_NE(textField(form, "COCHE_MALADIE")->text() == QLatin1String("X"), textField(form, "COCHE_MATERNITE")->text() == QLatin1String("X"));
    EXPECT_NE(textField(form, "COCHE_ALD_0")->text() == QLatin1String("X"), textField(form, "COCHE_ALD_1")->text() == QLatin1String("X"));
    EXPECT_EQ(dateField(form, "DDG")->isHidden(), textField(form, "COCHE_MATERNITE")->text() != QLatin1String("X"));
    EXPECT_FALSE(textField(form, "MEDECIN")->isHidden());   // direct access cleared
    EXPECT_EQ(dateField(form, "DATE")->text(), today);      // dates untouched
}

TEST_F(StartupTest, AddedTextFieldsAreNumberedFromTheCountInTheConfiguration)
{
    session.start();
    CareSheetWindow *form = session.form();
    actionOf(form, "addTextFieldAction")->trigger();
    auto *first = session.find<SheetEdit>(QStringLiteral("NOUVEAU_1"));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->text(), QStringLiteral("Nouveau_1"));
    EXPECT_EQ(first->toolTip(), QStringLiteral("NOUVEAU_1"));
    EXPECT_EQ(first->tag, 1);
    EXPECT_EQ(first->parentWidget(), imagePanelOf(form));
    // A quarter of the width and a third of the height of the whole window,
    // its frame included.
    const QSize whole = form->frameGeometry().size();
    EXPECT_EQ(first->geometry().topLeft(), QPoint(whole.width() / 4, whole.height() / 3));
    EXPECT_EQ(first->width(), 100);
    EXPECT_EQ(first->font().family(), textField(form, "NOM")->font().family());
    EXPECT_EQ(first->font().pointSize(), textField(form, "NOM")->font().pointSize());
    EXPECT_FALSE(first->upperCase());
    EXPECT_EQ(readIntegerSetting(QStringLiteral("NOUVEAUX"), QStringLiteral("N"), 0, session.configFile()), 1);

    actionOf(form, "addTextFieldAction")->trigger();
    EXPECT_NE(session.find<SheetEdit>(QStringLiteral("NOUVEAU_2")), nullptr);
    EXPECT_EQ(form->plainTextFields().constLast()->objectName(), QStringLiteral("NOUVEAU_2"));

    // A name already taken is refused with its message; no second field.
    sheetOf(form)->createAddedField(imagePanelOf(form), 1, QStringLiteral("NOUVEAU"), 100, 10, 10, QString());
    EXPECT_EQ(testDialogs().texts(QStringLiteral("message")).constLast(),
              QStringLiteral("ERR:Create_CompoEdit =>Un composant nommé NOUVEAU_1 existe déjà"));
    EXPECT_EQ(imagePanelOf(form)->findChildren<SheetEdit *>(QStringLiteral("NOUVEAU_1")).size(), 1);
}

// A saving lists only the added fields that hold text, so its count can fall
// below the numbers still on the sheet: the next field takes the first free
// number after the count.
TEST_F(StartupTest, AFieldAddedAfterASavingThatShrankTheCountTakesTheNextFreeNumber)
{
    session.start();
    CareSheetWindow *form = session.form();
    actionOf(form, "addTextFieldAction")->trigger();
    actionOf(form, "addTextFieldAction")->trigger();
    session.find<SheetEdit>(QStringLiteral("NOUVEAU_1"))->setText(QString());
    actionOf(form, "saveConfigurationAction")->trigger();
    ASSERT_EQ(readIntegerSetting(QStringLiteral("NOUVEAUX"), QStringLiteral("N"), 0, session.configFile()), 1);

    testDialogs().clear();
    QApplication::setActiveWindow(form);
    textField(form, "NOM")->setFocus();
    QTest::keyClick(textField(form, "NOM"), Qt::Key_T, Qt::ControlModifier);
    EXPECT_TRUE(testDialogs().texts(QStringLiteral("message")).isEmpty());
    auto *third = session.find<SheetEdit>(QStringLiteral("NOUVEAU_3"));
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->text(), QStringLiteral("Nouveau_3"));
    EXPECT_EQ(readIntegerSetting(QStringLiteral("NOUVEAUX"), QStringLiteral("N"), 0, session.configFile()), 3);
}

TEST_F(StartupTest, SmallCommandsShowTheirTextsAndOpenTheirPages)
{
    session.start();
    CareSheetWindow *form = session.form();
    testDialogs().clear();
    actionOf(form, "movingFieldsHelpAction")->trigger();
    actionOf(form, "traceVariablesAction")->trigger();
    const QStringList shown = testDialogs().texts(QStringLiteral("information"));
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown.at(0), QStringLiteral("POSITIONNEMENT DES CHAMPS\r\rDEPLACER ==> TOUCHE \"CTRL\" + BOUTON GAUCHE"
                                          "\r\rREDIMENSIONNER ==> TOUCHE \"MAJ\" + BOUTON GAUCHE"));
    EXPECT_EQ(shown.at(1), QStringLiteral("FORM INI = %1\rIMAGE = %2\rACTE = CS\rDOSSIER MODELES = %3\r"
                                          "MODELE = FEUILLE_DE_SOIN_MEDECIN\r")
                               .arg(session.configFile(), session.path(QStringLiteral("feuille_de_soin_medecin.jpg")),
                                    session.path(QStringLiteral("feuille_de_soin_medecin/"))));

    actionOf(form, "exploreModelsAction")->trigger();
    actionOf(form, "onlineManualAction")->trigger();
    actionOf(form, "careSheetInfoAction")->trigger();
    ASSERT_EQ(session.fake.opened.size(), 3);
    EXPECT_EQ(session.fake.opened.at(0), form->formInUse().modelsFolder);
    EXPECT_TRUE(session.fake.opened.at(1).endsWith(QLatin1String("/tiravon/aide/")));
    EXPECT_TRUE(session.fake.opened.at(2).endsWith(
        QLatin1String("/assures/soins-et-remboursements/comment-etre-rembourse/la-feuille-de-soins.php")));

    actionOf(form, "personalNotesAction")->trigger();
    EXPECT_EQ(session.fake.edited, QStringList{session.path(QStringLiteral("_NOTES.TXT"))});
    EXPECT_TRUE(QFileInfo::exists(session.path(QStringLiteral("_NOTES.TXT"))));

    currentWindows().presentation()->move(300, 200);
    currentWindows().presentation()->hide();
    actionOf(form, "showPresentationAction")->trigger();
    EXPECT_EQ(currentWindows().presentation()->pos(), QPoint(0, 0));
    EXPECT_TRUE(currentWindows().presentation()->isVisible());
}

TEST_F(StartupTest, TheMenuKeysWorkWhileAFieldHasTheFocus)
{
    // An edit box claims Ctrl+Y ("redo") for itself; the menu's key wins.
    session.start();
    CareSheetWindow *form = session.form();
    QApplication::setActiveWindow(form);
    textField(form, "ACTE_1")->setText(QStringLiteral("C"));
    textField(form, "NOM")->setFocus();
    QTest::keyClick(textField(form, "NOM"), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(textField(form, "ACTE_1")->text().isEmpty());
    EXPECT_TRUE(textField(form, "NOM")->text().isEmpty());

    textField(form, "TARIF_1")->setFocus();
    QTest::keyClick(textField(form, "TARIF_1"), Qt::Key_W, Qt::ControlModifier);
    EXPECT_TRUE(QFileInfo::exists(session.configFile()));
}

TEST_F(StartupTest, AddingAFieldWithoutAConfigurationFileToCountInIsRefused)
{
    // A reading that failed before the configuration path was known (a
    // malformed placement) must not keep the count in the program settings.
    writeSetting(QStringLiteral("Tiravon"), QStringLiteral("Form1"), QStringLiteral("a:b:c:d"));
    session.start();
    CareSheetWindow *form = session.form();
    ASSERT_TRUE(form->formInUse().formConfigPath.isEmpty());
    testDialogs().clear();
    actionOf(form, "addTextFieldAction")->trigger();
    EXPECT_EQ(form->findChild<SheetEdit *>(QStringLiteral("NOUVEAU_1")), nullptr);
    EXPECT_EQ(testDialogs().texts(QStringLiteral("message")),
              QStringList{QStringLiteral("STOP: Fichier de sauvegarde \"\" Inacessible !!!")});
    EXPECT_EQ(readSetting(QStringLiteral("NOUVEAUX"), QStringLiteral("N"), QStringLiteral("absent")),
              QStringLiteral("absent"));
}

TEST_F(StartupTest, PasteInsertsTheClipboardIntoTheFocusedField)
{
    session.start();
    CareSheetWindow *form = session.form();
    QApplication::setActiveWindow(form);
    QGuiApplication::clipboard()->setText(QStringLiteral("durand paul"));
    textField(form, "ADRESSE")->setText(QString());
    textField(form, "ADRESSE")->setFocus();
    actionOf(form, "pasteAction")->trigger();
    EXPECT_EQ(textField(form, "ADRESSE")->text(), QStringLiteral("DURAND PAUL"));
    EXPECT_EQ(actionOf(form, "pasteAction")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_V));
}

TEST_F(StartupTest, StoredOptionsDecideWhichSideWindowsShow)
{
    writeBoolSetting(QStringLiteral("OPTIONS"), QStringLiteral("AFFICHE"), false);
    writeIntegerSetting(QStringLiteral("OPTIONS"), QStringLiteral("X"), 40);
    writeIntegerSetting(QStringLiteral("OPTIONS"), QStringLiteral("Y"), 50);
    writeBoolSetting(QStringLiteral("HISTORIQUE"), QStringLiteral("AFFICHE"), false);
    writeBytes(session.path(QStringLiteral("HISTORIQUE.TXT")), "ECHO\r\ncs\r\nBILAN\r\n");
    session.start();
    EXPECT_TRUE(currentWindows().presentation()->isHidden());
    EXPECT_EQ(currentWindows().presentation()->pos(), QPoint(40, 50));
    EXPECT_TRUE(currentWindows().shortcuts()->isHidden());
    QStringList entries;
    for (int i = 0; i < currentWindows().shortcuts()->actList->count(); ++i)
        entries << currentWindows().shortcuts()->actList->item(i)->text();
    EXPECT_EQ(entries, (QStringList{QStringLiteral("BILAN"), QStringLiteral("cs"), QStringLiteral("ECHO")}));
}

TEST_F(StartupTest, ClosingSavesThePlacementAndAWindowTallerThanTheScreenIsShortened)
{
    session.fake.area = QRect(0, 0, 1280, 700);
    session.start();
    CareSheetWindow *form = session.form();
    EXPECT_EQ(form->height(), 700);
    form->move(100, 20);
    session.close();
    const QStringList placement = readSetting(QStringLiteral("Tiravon"), QStringLiteral("Form1"), QString()).split(QLatin1Char(':'));
    ASSERT_EQ(placement.size(), 4);
    EXPECT_EQ(placement.at(0), QStringLiteral("100"));
    EXPECT_EQ(placement.at(1), QStringLiteral("20"));
    EXPECT_EQ(placement.at(3), QStringLiteral("700"));
}

} // namespace

namespace {

// The computer a lock file names (Windows writes its name in capitals).
QString lockingComputer(const QString &lockFile)
{
    qint64 pid = 0;
    QString computer;
    QString application;
    QLockFile(lockFile).getLockInfo(&pid, &computer, &application);
    return computer;
}

// The program entry's lock: a second copy on the same folder says so and
// quits before it reads or writes a file there.
TEST_F(StartupTest, ASecondCopyOnTheSameFolderSaysSoAndTouchesNothing)
{
    const QString folder = QDir::toNativeSeparators(session.folder());
    const std::unique_ptr<DataFolderLock> first = lockDataFolder();
    ASSERT_TRUE(first);
    EXPECT_TRUE(testDialogs().shown.isEmpty());
    const QStringList before = QDir(session.folder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

    EXPECT_FALSE(lockDataFolder());
    EXPECT_EQ(testDialogs().texts(QStringLiteral("error")),
              QStringList{QStringLiteral("Tiravon est déjà ouvert sur le poste \"%1\" avec le dossier \"%2\".\r\r"
                                         "Deux Tiravon ouverts sur le même dossier effaceraient le travail l'un de "
                                         "l'autre : fermez l'autre avant de rouvrir celui-ci. Celui-ci se ferme sans "
                                         "rien modifier.")
                              .arg(lockingComputer(DataFolderLock::lockFileIn(session.folder())), folder)});
    EXPECT_EQ(QDir(session.folder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
}

} // namespace

#ifdef Q_OS_LINUX
namespace {

// How many times each file of a folder was opened, from the system's own
// notices (inotify), since the watch began. The folder is watched rather
// than the files, whose saving replaces them with new ones.
class OpenCounter
{
public:
    explicit OpenCounter(const QString &folder) : m_fd(inotify_init1(IN_NONBLOCK))
    {
        // The closings are watched too: the system merges an event with the
        // one before it when they are the same, as two openings in a row are.
        inotify_add_watch(m_fd, QFile::encodeName(folder).constData(), IN_OPEN | IN_CLOSE);
    }
    ~OpenCounter() { ::close(m_fd); }

    // By file name.
    QHash<QString, int> opens() const
    {
        QHash<QString, int> counts;
        alignas(inotify_event) char buffer[4096];
        for (ssize_t got; (got = ::read(m_fd, buffer, sizeof buffer)) > 0;)
            for (char *at = buffer; at < buffer + got;) {
                const auto *event = reinterpret_cast<const inotify_event *>(at);
                if (event->len > 0 && (event->mask & IN_OPEN))
                    ++counts[QFile::decodeName(event->name)];
                at += sizeof(inotify_event) + event->len;
            }
        return counts;
    }

private:
    int m_fd;
};

} // namespace

TEST_F(StartupTest, TheStartReadsEachSettingsFileOnce)
{
    session.start();
    actionOf(session.form(), "saveConfigurationAction")->trigger();
    session.close();
    ASSERT_TRUE(QFileInfo::exists(session.settingsFile()) && QFileInfo::exists(session.configFile()));

    const OpenCounter counter(session.folder());
    session.start();
    const QHash<QString, int> opens = counter.opens();
    EXPECT_EQ(opens.value(QFileInfo(session.settingsFile()).fileName()), 1);
    EXPECT_EQ(opens.value(QFileInfo(session.configFile()).fileName()), 1);
}
#endif
