// The presentation options window: its boxes move and resize the image panel
// and scroll the care sheet, its preset, its stamp controls and list, its
// save, and its showing together with the shortcuts window.
#include "ScriptedDialogs.h"
#include "TiravonSession.h"

#include "app/Unit1.h"
#include "app/variables_globales.h"
#include "support/TextFile.h"
#include "support/tq32_ini.h"
#include "widgets/FormImage.h"
#include "widgets/ImagePanel.h"
#include "widgets/SheetEdit.h"
#include "widgets/StampLabel.h"
#include "windows/frm_edit.h"
#include "windows/unit_HISTORIQUE.h"
#include "windows/unit_options.h"
#include "widgets/tq32_LISTES.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QLineEdit *editOf(QSpinBox *box)
{
    return box->findChild<QLineEdit *>();
}

class OptionsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        session.start();
        form = session.form();
        options = Form_OPTIONS;
        panel = form->Panel_IMAGE;
    }

    // Types a text over a box's own, as a user does.
    void type(QSpinBox *box, const QString &text)
    {
        editOf(box)->selectAll();
        QTest::keyClicks(editOf(box), text);
    }

    void doubleClick(QSpinBox *box)
    {
        QTest::mouseDClick(editOf(box), Qt::LeftButton, Qt::NoModifier, editOf(box)->rect().center());
    }

    // The box gets and loses the focus as a user's Tab does.
    void enterNote()
    {
        QApplication::setActiveWindow(options);
        options->EditNote->setFocus(Qt::TabFocusReason);
    }
    void leaveNote() { options->btn_Save->setFocus(Qt::TabFocusReason); }

    TiravonSession session;
    TForm1 *form = nullptr;
    TForm_OPTIONS *options = nullptr;
    ImagePanel *panel = nullptr;
};

TEST_F(OptionsTest, TheBoxesStartAtThePanelAndActOnItAtOnce)
{
    EXPECT_EQ(QRect(options->SpinEditLeft->value(), options->SpinEditTOP->value(), options->SpinEdit_W->value(),
                    options->SpinEdit_H->value()),
              panel->geometry());
    const QPoint nom = form->NOM->pos();
    type(options->SpinEditLeft, QStringLiteral("12"));
    type(options->SpinEditTOP, QStringLiteral("-7"));
    type(options->SpinEdit_W, QStringLiteral("700"));
    type(options->SpinEdit_H, QStringLiteral("1000"));
    EXPECT_EQ(panel->geometry(), QRect(12, -7, 700, 1000));
    EXPECT_EQ(form->NOM->pos(), nom);   // the fields ride on the panel
    EXPECT_EQ(form->Image1->size(), QSize(698, 998));

    // A text that is not a number counts as 0.
    editOf(options->SpinEditLeft)->setText(QStringLiteral("abc"));
    EXPECT_EQ(panel->x(), 0);

    // Double clicks set the table's values.
    doubleClick(options->SpinEdit_W);
    doubleClick(options->SpinEdit_H);
    doubleClick(options->SpinEditTOP);
    EXPECT_EQ(panel->geometry(), QRect(0, 0, 775, 1110));
}

TEST_F(OptionsTest, TheBrotherPresetAndTheScreenBox)
{
    panel->setGeometry(30, 30, 500, 500);   // changed elsewhere: the boxes keep their old values
    options->SpinEdit_W->setValue(772);
    options->Modele1->trigger();
    EXPECT_EQ(panel->geometry(), QRect(0, 5, 772, 1100));

    type(options->SpinEdit_Screen, QStringLiteral("-50"));
    EXPECT_EQ(form->y(), -300);
    doubleClick(options->SpinEdit_Screen);
    EXPECT_EQ(form->y(), 0);
}

TEST_F(OptionsTest, ResetSizeShowsTheImageAtItsOwnSize)
{
    options->chk_INIT->click();
    EXPECT_FALSE(form->Image1->isStretched());
    options->chk_INIT->click();
    EXPECT_TRUE(form->Image1->isStretched());
}

TEST_F(OptionsTest, TheStampControls)
{
    StampLabel *stamp = form->NOTE;
    EXPECT_EQ(options->EditNote->text(), stamp->text());
    EXPECT_EQ(options->JvSpinEdit_Size->value(), stamp->font().pointSize());

    form->mnu_Note_Show->setChecked(false);
    stamp->hide();
    options->chk_NOTE->click();
    EXPECT_TRUE(stamp->isVisible());
    EXPECT_EQ(stamp->text(), QStringLiteral("DUPLICATA"));
    EXPECT_EQ(stamp->angle(), 10);
    EXPECT_EQ(options->chk_NOTE->text(), QStringLiteral("Cacher le Tampon"));
    EXPECT_TRUE(form->mnu_Note_Show->isChecked());
    options->chk_NOTE->click();
    EXPECT_TRUE(stamp->isHidden());
    EXPECT_EQ(options->chk_NOTE->text(), QStringLiteral("Montrer le Tampon"));
    EXPECT_TRUE(form->mnu_Note_Show->isChecked());

    type(options->SpinEdit_NOTE, QStringLiteral("-30"));
    EXPECT_EQ(stamp->angle(), 330);
    type(options->JvSpinEdit_Size, QStringLiteral("40"));
    EXPECT_EQ(stamp->font().pointSize(), 40);
    QTest::keyClicks(options->EditNote, QStringLiteral(" !"));
    EXPECT_EQ(stamp->text(), options->EditNote->text());
}

TEST_F(OptionsTest, TheStampListDropsDownAndLearnsNewTextsOnly)
{
    AddUniqueToList(options->Liste_NOTES, QStringLiteral("Urgent"), false);
    enterNote();
    ASSERT_TRUE(options->EditNote->hasFocus());
    EXPECT_TRUE(options->Liste_NOTES->isVisible());
    EXPECT_EQ(options->Liste_NOTES->geometry().topLeft(),
              options->EditNote->mapTo(options, QPoint(2, options->EditNote->height() + 2)));
    EXPECT_EQ(options->Liste_NOTES->width(), options->EditNote->width());

    options->EditNote->setText(QStringLiteral("URGENT"));
    leaveNote();
    options->EditNote->setText(QStringLiteral("Carte perdue"));
    enterNote();
    leaveNote();
    EXPECT_EQ(testDialogs().texts(QStringLiteral("information")),
              QStringList{QStringLiteral("\"Carte perdue\" ajouté à la liste")});
    EXPECT_EQ(listEntries(options->Liste_NOTES), (QStringList{QStringLiteral("Carte perdue"), QStringLiteral("Urgent")}));

    // A click on an entry takes it and folds the list up.
    options->Liste_NOTES->show();
    QListWidgetItem *urgent = options->Liste_NOTES->item(1);
    QTest::mouseClick(options->Liste_NOTES->viewport(), Qt::LeftButton, Qt::NoModifier,
                      options->Liste_NOTES->visualItemRect(urgent).center());
    EXPECT_EQ(options->EditNote->text(), QStringLiteral("Urgent"));
    EXPECT_EQ(form->NOTE->text(), QStringLiteral("Urgent"));
    EXPECT_TRUE(options->Liste_NOTES->isHidden());
}

TEST_F(OptionsTest, TheStampListKeepsItsFilesEncodingThroughTheWindowsSave)
{
    struct Case { const char *name; QByteArray bytes; QByteArray saved; };
    const Case cases[] = {
        {"Windows-1252", QByteArray("\xC9" "CHO\r\nbilan\r\n"), QByteArray("bilan\r\nCarte\r\n\xC9" "CHO\r\n")},
        {"UTF-8", QByteArray("\xEF\xBB\xBF\xC3\x89" "CHO\r\nbilan\r\n"),
         QByteArray("\xEF\xBB\xBF" "bilan\r\nCarte\r\n\xC3\x89" "CHO\r\n")},
    };
    for (const Case &c : cases) {
        session.stop();
        writeBytes(session.path(QStringLiteral("TAMPONS.TXT")), c.bytes);
        session.start();
        options = Form_OPTIONS;
        EXPECT_EQ(listEntries(options->Liste_NOTES), (QStringList{QStringLiteral("bilan"), QStringLiteral("ÉCHO")}))
            << c.name;
        AddUniqueToList(options->Liste_NOTES, QStringLiteral("Carte"), false);
        options->show();
        options->move(20, 30);
        options->close();
        EXPECT_TRUE(options->isHidden());
        EXPECT_EQ(readBytes(session.path(QStringLiteral("TAMPONS.TXT"))), c.saved) << c.name;
        EXPECT_EQ(INI_ReadInteger(QStringLiteral("OPTIONS"), QStringLiteral("X"), -1), 20);
    }
}

TEST_F(OptionsTest, SavingWritesTheConfigurationThenTheList)
{
    panel->move(panel->x(), 17);
    AddUniqueToList(options->Liste_NOTES, QStringLiteral("Carte"), false);
    options->btn_Save->click();
    EXPECT_EQ(INI_ReadInteger(QStringLiteral("IMAGE"), QStringLiteral("Y"), 0, session.configFile()), 17);
    EXPECT_EQ(readLineFile(session.path(QStringLiteral("TAMPONS.TXT"))), QStringList{QStringLiteral("Carte")});
    EXPECT_TRUE(testDialogs().texts(QStringLiteral("error")).isEmpty());
}

TEST_F(OptionsTest, OpenConfigTogglesThisWindowAndTheShortcutsTogetherWithoutSaving)
{
    options->show();
    form->OPEN_CONFIG->trigger();
    EXPECT_TRUE(options->isHidden());
    EXPECT_TRUE(form_historique->isHidden());
    EXPECT_FALSE(QFile::exists(session.path(QStringLiteral("TAMPONS.TXT"))));
    form->OPEN_CONFIG->trigger();
    EXPECT_TRUE(options->isVisible());
    EXPECT_TRUE(form_historique->isVisible());
}

TEST_F(OptionsTest, TheCcamButtonOpensTheReferenceText)
{
    ASSERT_TRUE(form_EDIT->isHidden());
    options->btn_CCAM->click();
    EXPECT_TRUE(form_EDIT->isVisible());
}

} // namespace
