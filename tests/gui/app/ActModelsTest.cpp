// The act models as the care-sheet window works them: saving the sheet,
// opening a model through the dialog, the shortcuts of "Raccourcis", and the
// choice of an act at start.
#include "ScriptedDialogs.h"
#include "SheetTest.h"
#include "TiravonSession.h"

#include "acts/ActModel.h"
#include "app/CareSheetWindow.h"
#include "app/ProgramWindows.h"
#include "support/SettingsStore.h"
#include "widgets/DateEdit.h"
#include "widgets/SheetEdit.h"
#include "widgets/StampLabel.h"
#include "widgets/ListBoxes.h"
#include "windows/ActShortcutsWindow.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

const QString kX = QStringLiteral("X");

class ActModelsTest : public SheetTest
{
protected:
    void SetUp() override
    {
        SheetTest::SetUp();
        testDialogs().clear();
    }

    QString modelsFolder() const { return form->formInUse().modelsFolder; }

    QStringList billing() const
    {
        QStringList all;
        for (const ActModelKey &k : actModelKeys())
            if (k.text)
                all << (k.field ? textField(form, k.field)->text() : QString());
        const StampLabel *stamp = stampOf(form);
        return all << QString::number(!stamp->isHidden()) << QString::number(stamp->x())
                   << QString::number(stamp->y());
    }
};

TEST_F(ActModelsTest, AModelSavedElsewhereChangesNothingUntilItIsOpenedWhichAppliesRegistersAndListsIt)
{
    textField(form, "ACTE_1")->setText(QStringLiteral("C"));
    textField(form, "TARIF_1")->setText(QStringLiteral("23"));
    textField(form, "MONTANT_TOTAL")->setText(QStringLiteral("99,00"));   // not the sum: kept as stored
    stampOf(form)->move(120, 340);
    const QString caption = form->windowTitle();
    ASSERT_TRUE(QDir().mkpath(session.path(QStringLiteral("m"))));
    const QString file = QDir::toNativeSeparators(session.path(QStringLiteral("m/ECHO.TXT")));
    testDialogs().fileAnswers << file;
    buttonOf(form, "saveModelButton")->click();
    ASSERT_EQ(testDialogs().fileRequests.size(), 1);
    const FileDialogRequest asked = testDialogs().fileRequests.first();
    EXPECT_EQ(asked.title, QStringLiteral("Enregistrer le modèle d'acte sous ..."));
    EXPECT_EQ(asked.fileName, QStringLiteral("CS.TXT"));
    EXPECT_EQ(form->windowTitle(), caption);
    EXPECT_EQ(form->formInUse().currentActName, QStringLiteral("CS"));
    EXPECT_EQ(currentWindows().shortcuts()->actList->count(), 0);
    EXPECT_EQ(registeredActModel(QStringLiteral("ECHO")), QString());

    const QStringList saved = billing();
    actionOf(form, "clearAllAction")->trigger();
    stampOf(form)->move(5, 5);
    testDialogs().clear();
    testDialogs().fileAnswers << file << file;
    buttonOf(form, "openModelButton")->click();
    EXPECT_EQ(billing(), saved);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("M@ECHO"));
    EXPECT_EQ(form->formInUse().currentActName, QStringLiteral("ECHO"));
    EXPECT_EQ(form->formInUse().modelsFolder, modelsFolderOfChosenFile(file));
    EXPECT_EQ(readSetting(QStringLiteral("ACTES"), QStringLiteral("ECHO"), QString()), file);
    EXPECT_EQ(listEntries(currentWindows().shortcuts()->actList), QStringList{QStringLiteral("ECHO")});
    // Told the first time only; the dialog offers the file again.
    actionOf(form, "openActModelAction")->trigger();
    EXPECT_EQ(testDialogs().texts(), (QStringList{QStringLiteral("Choisir un Modèle d'Acte pour ce formulaire ..."),
                                                  QStringLiteral("\"ECHO\" ajouté à la liste"),
                                                  QStringLiteral("Choisir un Modèle d'Acte pour ce formulaire ...")}));
    EXPECT_EQ(testDialogs().fileRequests.last().fileName, QStringLiteral("ECHO.TXT"));
}

// A name typed in a folder that does not exist: the opening changes nothing
// on the sheet, in the caption or among the acts, the saving writes nothing.
TEST_F(ActModelsTest, AModelInAFolderThatIsNotThereIsRefusedWithAWord)
{
    textField(form, "ACTE_1")->setText(QStringLiteral("C"));
    textField(form, "TARIF_1")->setText(QStringLiteral("23"));
    const QStringList sheet = billing();
    const QString caption = form->windowTitle();
    const QString folder = QDir::toNativeSeparators(session.path(QStringLiteral("nonexistent_dir")));
    const QString file = folder + QDir::separator() + QStringLiteral("X.TXT");

    testDialogs().fileAnswers << file;
    actionOf(form, "openActModelAction")->trigger();
    EXPECT_EQ(testDialogs().texts(QStringLiteral("error")),
              QStringList{QStringLiteral("Le dossier \"%1\" n'existe pas : vérifiez le nom du fichier à ouvrir.").arg(folder)});
    EXPECT_EQ(billing(), sheet);
    EXPECT_EQ(form->windowTitle(), caption);
    EXPECT_EQ(form->formInUse().currentActName, QStringLiteral("CS"));
    EXPECT_EQ(currentWindows().shortcuts()->actList->count(), 0);
    EXPECT_EQ(registeredActModel(QStringLiteral("X")), QString());

    testDialogs().clear();
    testDialogs().fileAnswers << file;
    const QString modelsBefore = modelsFolder();
    actionOf(form, "saveActModelAction")->trigger();
    EXPECT_EQ(testDialogs().texts(QStringLiteral("error")),
              QStringList{QStringLiteral("Le dossier \"%1\" n'existe pas : le fichier ne peut pas y être enregistré.")
                              .arg(folder)});
    EXPECT_EQ(modelsFolder(), modelsBefore);
    EXPECT_FALSE(QFileInfo::exists(folder));
}

TEST_F(ActModelsTest, AShortcutAppliesItsRegisteredModelOrSaysWhyItCannot)
{
    QListWidget *list = currentWindows().shortcuts()->actList;
    const QString echo = modelsFolder() + QStringLiteral("echo.txt");
    // Each claim box's rule runs before the next box is set: the second of a
    // ticked pair wins, the first of an empty one.
    writeBytes(echo, "[ACTES]\r\nACTE_1=ECHO\r\n[COCHES]\r\nCOCHE_MALADIE=X\r\nCOCHE_MATERNITE=X\r\n");
    const QString gone = modelsFolder() + QStringLiteral("FROTTIS.TXT");
    registerActModel(QStringLiteral("ECHO"), echo);
    registerActModel(QStringLiteral("FROTTIS"), gone);
    for (const char *name : {"BILAN", "ECHO", "FROTTIS"})
        addUniqueEntry(list, QString::fromLatin1(name), false);
    const QString caption = form->windowTitle();
    const QStringList sheet = billing();
    auto use = [&](const char *name) {
        testDialogs().clear();
        list->setCurrentItem(list->findItems(QString::fromLatin1(name), Qt::MatchExactly).first());
        currentWindows().shortcuts()->openAction->trigger();
    };

    // Never opened through the dialog: the box, then the dialog, cancelled.
    use("BILAN");
    EXPECT_EQ(testDialogs().texts(), (QStringList{unregisteredActMessage(),
                                                  QStringLiteral("Choisir un Modèle d'Acte pour ce formulaire ...")}));
    EXPECT_EQ(billing(), sheet);
    EXPECT_EQ(form->formInUse().currentActName, QStringLiteral("BILAN"));

    // Its file has gone: said, naming it, and the sheet and the act stay.
    use("FROTTIS");
    EXPECT_EQ(testDialogs().texts(QStringLiteral("information")), QStringList{missingModelFileMessage(gone)});
    EXPECT_TRUE(missingModelFileMessage(gone).contains(gone));
    EXPECT_EQ(billing(), sheet);
    EXPECT_EQ(form->formInUse().currentActName, QStringLiteral("BILAN"));
    EXPECT_EQ(form->windowTitle(), caption);

    use("ECHO");
    EXPECT_EQ(testDialogs().texts(), QStringList());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("ECHO.TXT@ECHO"));
    EXPECT_EQ(textField(form, "ACTE_1")->text(), QStringLiteral("ECHO"));
    const QStringList boxes{textField(form, "COCHE_MALADIE")->text(), textField(form, "COCHE_MATERNITE")->text(), textField(form, "COCHE_ALD_0")->text(),
                            textField(form, "COCHE_ALD_1")->text()};
    EXPECT_EQ(boxes, (QStringList{QString(), kX, kX, QString()}));
    EXPECT_FALSE(dateField(form, "DDG")->isHidden());
    EXPECT_EQ(list->count(), 3);
}

TEST_F(ActModelsTest, TheActChoiceAtStartIsStoredAtOnceAndOpensTheDialogAtTheNextStart)
{
    actionOf(form, "chooseActAtStartAction")->trigger();
    EXPECT_TRUE(readBoolSetting(QStringLiteral("OPTIONS"), QStringLiteral("AUTO_ACTE"), false));

    session.restart();
    form = session.form();
    EXPECT_TRUE(actionOf(form, "chooseActAtStartAction")->isChecked());
    EXPECT_EQ(testDialogs().texts(QStringLiteral("openFile")),
              QStringList{QStringLiteral("Choisir un Modèle d'Acte pour ce formulaire ...")});

    actionOf(form, "chooseActAtStartAction")->trigger();
    EXPECT_FALSE(readBoolSetting(QStringLiteral("OPTIONS"), QStringLiteral("AUTO_ACTE"), true));
}

} // namespace
