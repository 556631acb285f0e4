// The act models as the care-sheet window works them: saving the sheet,
// opening a model through the dialog, the shortcuts of "Raccourcis", and the
// choice of an act at start.
#include "ScriptedDialogs.h"
#include "TiravonSession.h"

#include "acts/ActModel.h"
#include "app/Unit1.h"
#include "app/variables_globales.h"
#include "support/tq32_ini.h"
#include "widgets/DateEdit.h"
#include "widgets/SheetEdit.h"
#include "widgets/StampLabel.h"
#include "widgets/tq32_LISTES.h"
#include "windows/unit_HISTORIQUE.h"

#include <QAction>
#include <QDir>
#include <QListWidget>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

const QString kX = QStringLiteral("X");

class ActModelsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        session.start();
        form = session.form();
        testDialogs().clear();
    }

    QString modelsFolder() const { return form->state.modelsFolder; }

    // A folder of models beside the usual one.
    QString otherFolder(const QString &name) const
    {
        EXPECT_TRUE(QDir().mkpath(session.path(name)));
        return QDir::toNativeSeparators(session.path(name)) + QDir::separator();
    }

    QStringList billing() const
    {
        const ActModel m = form->captureActModel();
        QStringList all;
        for (const ActModelKey &k : actModelKeys())
            if (k.text)
                all << m.*k.text;
        return all << QString::number(m.stampVisible) << QString::number(m.stampLeft)
                   << QString::number(m.stampTop);
    }

    TiravonSession session;
    TForm1 *form = nullptr;
};

TEST_F(ActModelsTest, SavingProposesTheActsNameAndChangesNothingButTheFile)
{
    form->ACTE_1->setText(QStringLiteral("C"));
    form->TARIF_1->setText(QStringLiteral("23"));
    form->MONTANT_TOTAL->setText(QStringLiteral("23,00"));
    form->NOTE->move(120, 340);
    const QString caption = form->windowTitle();
    const QString file = modelsFolder() + QStringLiteral("ECHO.TXT");
    testDialogs().fileAnswers << file;
    ASSERT_TRUE(form->capBtn_SAVE->isEnabled());
    form->capBtn_SAVE->click();

    ASSERT_EQ(testDialogs().fileRequests.size(), 1);
    const FileDialogRequest asked = testDialogs().fileRequests.first();
    EXPECT_EQ(testDialogs().texts(), QStringList{QStringLiteral("Enregistrer le modèle d'acte sous ...")});
    EXPECT_EQ(asked.folder, modelsFolder());
    EXPECT_EQ(asked.fileName, QStringLiteral("CS.TXT"));
    EXPECT_EQ(asked.filter, QStringLiteral("texte|*.txt|ini|*.ini|Tous |*.*"));
    EXPECT_EQ(asked.defaultSuffix, QStringLiteral("TXT"));
    EXPECT_TRUE(asked.overwritePrompt);

    const ActModel saved = readActModel(file, QPoint());
    EXPECT_EQ(saved.ACTE_1, QStringLiteral("C"));
    EXPECT_EQ(saved.MONTANT_TOTAL, QStringLiteral("23,00"));
    EXPECT_EQ(QPoint(saved.stampLeft, saved.stampTop), QPoint(120, 340));
    EXPECT_EQ(form->windowTitle(), caption);
    EXPECT_EQ(form->state.currentActName, QStringLiteral("CS"));
    EXPECT_EQ(form_historique->ListBox1->count(), 0);
    EXPECT_EQ(registeredActModel(QStringLiteral("ECHO")), QString());

    // A file that cannot be written is reported, in the default error box.
    const QString nowhere = session.path(QStringLiteral("absent")) + QDir::separator() + QStringLiteral("X.TXT");
    testDialogs().fileAnswers << nowhere;
    form->SAVE_MODELE->trigger();
    EXPECT_EQ(testDialogs().texts(QStringLiteral("error")),
              QStringList{QStringLiteral("Impossible d'écrire dans %1").arg(nowhere)});
}

TEST_F(ActModelsTest, OpeningAModelAppliesItRegistersItAndListsItOnce)
{
    const QString file = otherFolder(QStringLiteral("m")) + QStringLiteral("ECHO.TXT");
    writeBytes(file, "[ACTES]\r\nACTE_1=CS\r\nCCAM_1=JQQM010\r\n[TARIFS]\r\nTARIF_1=23\r\nTARIF_2=10\r\n"
                     "TOTAL=99,00\r\n[NOTE]\r\nVISIBLE=1\r\nTEXTE=ACQUITTE\r\nTOP=100\r\nLEFT=200\r\n");
    form->TARIF_3->setText(QStringLiteral("5"));
    form->NOTE->hide();
    testDialogs().fileAnswers << file;
    form->capBtn_OPEN->click();

    EXPECT_EQ(testDialogs().texts(QStringLiteral("openFile")),
              QStringList{QStringLiteral("Choisir un Modèle d'Acte pour ce formulaire ...")});
    EXPECT_EQ(testDialogs().fileRequests.first().fileName, QString());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("M@ECHO"));
    EXPECT_EQ(form->state.currentActName, QStringLiteral("ECHO"));
    EXPECT_EQ(form->state.modelsFolder, modelsFolderOfChosenFile(file));
    EXPECT_EQ(form->ACTE_1->text(), QStringLiteral("CS"));
    EXPECT_EQ(form->CCAM_1->text(), QStringLiteral("JQQM010"));
    EXPECT_EQ(form->TARIF_3->text(), QString());
    // The total as stored, not the sum of the tariffs.
    EXPECT_EQ(form->MONTANT_TOTAL->text(), QStringLiteral("99,00"));
    EXPECT_FALSE(form->NOTE->isHidden());
    EXPECT_EQ(form->NOTE->text(), QStringLiteral("ACQUITTE"));
    EXPECT_EQ(form->NOTE->pos(), QPoint(200, 100));
    EXPECT_EQ(testDialogs().texts(QStringLiteral("information")),
              QStringList{QStringLiteral("\"ECHO\" ajouté à la liste")});
    EXPECT_EQ(listEntries(form_historique->ListBox1), QStringList{QStringLiteral("ECHO")});
    EXPECT_EQ(INI_ReadString(QStringLiteral("ACTES"), QStringLiteral("ECHO"), QString()), file);

    // Again: the dialog offers the file again, and the list says nothing.
    testDialogs().clear();
    testDialogs().fileAnswers << file;
    form->OPEN_Modele->trigger();
    EXPECT_EQ(testDialogs().fileRequests.first().fileName, QStringLiteral("ECHO.TXT"));
    EXPECT_EQ(testDialogs().texts(QStringLiteral("information")), QStringList());
    EXPECT_EQ(form_historique->ListBox1->count(), 1);

    // A typed name of a file that is not there: the defaults, still listed and registered.
    testDialogs().clear();
    const QString typed = modelsFolder() + QStringLiteral("NOUVEAU.TXT");
    testDialogs().fileAnswers << typed;
    form->OPEN_Modele->trigger();
    EXPECT_EQ(form->ACTE_1->text(), QString());
    EXPECT_EQ(form->NOTE->text(), QStringLiteral("DUPLICATA"));
    EXPECT_TRUE(form->NOTE->isHidden());
    EXPECT_EQ(form->NOTE->pos(), QPoint(200, 100));
    EXPECT_EQ(registeredActModel(QStringLiteral("NOUVEAU")), typed);
    EXPECT_EQ(form_historique->ListBox1->count(), 2);

    // Cancelling changes nothing.
    testDialogs().clear();
    const QStringList before = billing();
    form->OPEN_Modele->trigger();
    form->SAVE_MODELE->trigger();
    EXPECT_EQ(billing(), before);
    EXPECT_EQ(form->state.currentActName, QStringLiteral("NOUVEAU"));
}

TEST_F(ActModelsTest, TheClaimBoxRulesRunAfterEachBoxAsAModelIsApplied)
{
    struct Case { const char *stored[4]; const char *shown[4]; };
    // COCHE_MALADIE, COCHE_MATERNITE, COCHE_ALD_0, COCHE_ALD_1.
    const Case cases[] = {
        {{"", "", "", ""}, {"X", "", "X", ""}},
        {{"X", "X", "X", "X"}, {"", "X", "", "X"}},
        {{"", "X", "X", ""}, {"", "X", "X", ""}},
        {{"X", "", "", "X"}, {"X", "", "", "X"}},
    };
    const char *keys[] = {"COCHE_MALADIE", "COCHE_MATERNITE", "COCHE_ALD_0", "COCHE_ALD_1"};
    const QString file = modelsFolder() + QStringLiteral("BOX.TXT");
    for (const Case &c : cases) {
        QByteArray content = "[COCHES]\r\n";
        for (int i = 0; i < 4; ++i)
            content += QByteArray(keys[i]) + '=' + c.stored[i] + "\r\n";
        writeBytes(file, content);
        testDialogs().fileAnswers << file;
        form->OPEN_Modele->trigger();
        const QStringList shown{form->COCHE_MALADIE->text(), form->COCHE_MATERNITE->text(),
                                form->COCHE_ALD_0->text(), form->COCHE_ALD_1->text()};
        EXPECT_EQ(shown, (QStringList{c.shown[0], c.shown[1], c.shown[2], c.shown[3]})) << content.constData();
        EXPECT_EQ(form->DDG->isHidden(), form->COCHE_MATERNITE->text() != kX);
    }
}

TEST_F(ActModelsTest, AShortcutAppliesItsRegisteredModelOrSaysWhyItCannot)
{
    QListWidget *list = form_historique->ListBox1;
    const QString echo = modelsFolder() + QStringLiteral("echo.txt");
    writeBytes(echo, "[ACTES]\r\nACTE_1=ECHO\r\n[TARIFS]\r\nTOTAL=52,00\r\n");
    const QString gone = modelsFolder() + QStringLiteral("FROTTIS.TXT");
    registerActModel(QStringLiteral("ECHO"), echo);
    registerActModel(QStringLiteral("FROTTIS"), gone);
    for (const char *name : {"BILAN", "ECHO", "FROTTIS"})
        AddUniqueToList(list, QString::fromLatin1(name), false);
    const QString folder = modelsFolder();
    form->ACTE_1->setText(QStringLiteral("C"));
    const QString caption = form->windowTitle();
    const QStringList sheet = billing();
    auto use = [&](const char *name) {
        testDialogs().clear();
        list->setCurrentItem(list->findItems(QString::fromLatin1(name), Qt::MatchExactly).first());
        form_historique->Acte_Ouvre->trigger();
    };

    // Never opened through the dialog: the box, then the dialog; cancelled.
    use("BILAN");
    EXPECT_EQ(testDialogs().texts(), (QStringList{unregisteredActMessage(),
                                                  QStringLiteral("Choisir un Modèle d'Acte pour ce formulaire ...")}));
    EXPECT_EQ(billing(), sheet);
    EXPECT_EQ(form->state.currentActName, QStringLiteral("BILAN"));

    // Its file has gone: said, and the sheet and the act stay.
    use("FROTTIS");
    EXPECT_EQ(testDialogs().texts(QStringLiteral("information")), QStringList{missingModelFileMessage(gone)});
    EXPECT_TRUE(missingModelFileMessage(gone).contains(gone));
    EXPECT_EQ(billing(), sheet);
    EXPECT_EQ(form->state.currentActName, QStringLiteral("BILAN"));
    EXPECT_EQ(form->windowTitle(), caption);

    // Registered: applied at once, with the file's name in the caption.
    use("ECHO");
    EXPECT_EQ(testDialogs().texts(), QStringList());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("ECHO.TXT@ECHO"));
    EXPECT_EQ(form->state.currentActName, QStringLiteral("ECHO"));
    EXPECT_EQ(form->ACTE_1->text(), QStringLiteral("ECHO"));
    EXPECT_EQ(form->MONTANT_TOTAL->text(), QStringLiteral("52,00"));
    EXPECT_EQ(form->state.modelsFolder, folder);
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(registeredActModel(QStringLiteral("ECHO")), echo);
}

TEST_F(ActModelsTest, TheActChoiceAtStartIsStoredAtOnceAndOpensTheDialogAtTheNextStart)
{
    form->chk_OpenActe->trigger();
    EXPECT_TRUE(INI_ReadBool(QStringLiteral("OPTIONS"), QStringLiteral("AUTO_ACTE"), false));

    session.restart();
    form = session.form();
    EXPECT_TRUE(form->chk_OpenActe->isChecked());
    EXPECT_EQ(testDialogs().texts(QStringLiteral("openFile")),
              QStringList{QStringLiteral("Choisir un Modèle d'Acte pour ce formulaire ...")});

    form->chk_OpenActe->trigger();
    EXPECT_FALSE(INI_ReadBool(QStringLiteral("OPTIONS"), QStringLiteral("AUTO_ACTE"), true));
}

} // namespace
