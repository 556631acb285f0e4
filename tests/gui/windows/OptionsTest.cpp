// The presentation options window: its boxes move and resize the image panel
// and scroll the care sheet, its preset, its stamp controls and list, its
// save, and its showing together with the shortcuts window.
#include "ScriptedDialogs.h"
#include "TiravonSession.h"

#include "app/CareSheetWindow.h"
#include "app/ProgramWindows.h"
#include "support/TextFile.h"
#include "support/SettingsStore.h"
#include "widgets/FormImage.h"
#include "widgets/ImagePanel.h"
#include "widgets/SheetEdit.h"
#include "widgets/StampLabel.h"
#include "windows/CcamViewerWindow.h"
#include "windows/ActShortcutsWindow.h"
#include "windows/PresentationWindow.h"
#include "widgets/ListBoxes.h"

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
        options = currentWindows().presentation();
        panel = imagePanelOf(form);
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
        options->stampTextEdit->setFocus(Qt::TabFocusReason);
    }
    void leaveNote() { options->saveButton->setFocus(Qt::TabFocusReason); }

    TiravonSession session;
    CareSheetWindow *form = nullptr;
    PresentationWindow *options = nullptr;
    ImagePanel *panel = nullptr;
};

TEST_F(OptionsTest, TheBoxesStartAtThePanelAndActOnItAtOnce)
{
    EXPECT_EQ(QRect(options->panelLeftBox->value(), options->panelTopBox->value(), options->panelWidthBox->value(),
                    options->panelHeightBox->value()),
              panel->geometry());
    const QPoint nom = textField(form, "NOM")->pos();
    type(options->panelLeftBox, QStringLiteral("12"));
    type(options->panelTopBox, QStringLiteral("-7"));
    type(options->panelWidthBox, QStringLiteral("700"));
    type(options->panelHeightBox, QStringLiteral("1000"));
    EXPECT_EQ(panel->geometry(), QRect(12, -7, 700, 1000));
    EXPECT_EQ(textField(form, "NOM")->pos(), nom);   // the fields ride on the panel
    EXPECT_EQ(formImageOf(form)->size(), QSize(698, 998));

    // A text that is not a number counts as 0.
    editOf(options->panelLeftBox)->setText(QStringLiteral("abc"));
    EXPECT_EQ(panel->x(), 0);

    // Double clicks set the table's values.
    doubleClick(options->panelWidthBox);
    doubleClick(options->panelHeightBox);
    doubleClick(options->panelTopBox);
    EXPECT_EQ(panel->geometry(), QRect(0, 0, 775, 1110));
}

TEST_F(OptionsTest, TheBrotherPresetAndTheScreenBox)
{
    panel->setGeometry(30, 30, 500, 500);   // changed elsewhere: the boxes keep their old values
    options->panelWidthBox->setValue(772);
    options->brotherPresetAction->trigger();
    EXPECT_EQ(panel->geometry(), QRect(0, 5, 772, 1100));

    type(options->screenTopBox, QStringLiteral("-50"));
    EXPECT_EQ(form->y(), -300);
    doubleClick(options->screenTopBox);
    EXPECT_EQ(form->y(), 0);
}

TEST_F(OptionsTest, ResetSizeShowsTheImageAtItsOwnSize)
{
    options->naturalSizeTick->click();
    EXPECT_FALSE(formImageOf(form)->isStretched());
    options->naturalSizeTick->click();
    EXPECT_TRUE(formImageOf(form)->isStretched());
}

TEST_F(OptionsTest, TheStampControls)
{
    StampLabel *stamp = stampOf(form);
    EXPECT_EQ(options->stampTextEdit->text(), stamp->text());
    EXPECT_EQ(options->stampSizeBox->value(), stamp->font().pointSize());

    actionOf(form, "showStampAction")->setChecked(false);
    stamp->hide();
    options->showStampTick->click();
    EXPECT_TRUE(stamp->isVisible());
    EXPECT_EQ(stamp->text(), QStringLiteral("DUPLICATA"));
    EXPECT_EQ(stamp->angle(), 10);
    EXPECT_EQ(options->showStampTick->text(), QStringLiteral("Cacher le Tampon"));
    EXPECT_TRUE(actionOf(form, "showStampAction")->isChecked());
    options->showStampTick->click();
    EXPECT_TRUE(stamp->isHidden());
    EXPECT_EQ(options->showStampTick->text(), QStringLiteral("Montrer le Tampon"));
    EXPECT_TRUE(actionOf(form, "showStampAction")->isChecked());

    type(options->stampAngleBox, QStringLiteral("-30"));
    EXPECT_EQ(stamp->angle(), 330);
    type(options->stampSizeBox, QStringLiteral("40"));
    EXPECT_EQ(stamp->font().pointSize(), 40);
    QTest::keyClicks(options->stampTextEdit, QStringLiteral(" !"));
    EXPECT_EQ(stamp->text(), options->stampTextEdit->text());
}

TEST_F(OptionsTest, TheStampListDropsDownAndLearnsNewTextsOnly)
{
    addUniqueEntry(options->stampTextList, QStringLiteral("Urgent"), false);
    enterNote();
    ASSERT_TRUE(options->stampTextEdit->hasFocus());
    EXPECT_TRUE(options->stampTextList->isVisible());
    EXPECT_EQ(options->stampTextList->geometry().topLeft(),
              options->stampTextEdit->mapTo(options, QPoint(2, options->stampTextEdit->height() + 2)));
    EXPECT_EQ(options->stampTextList->width(), options->stampTextEdit->width());

    options->stampTextEdit->setText(QStringLiteral("URGENT"));
    leaveNote();
    options->stampTextEdit->setText(QStringLiteral("Carte perdue"));
    enterNote();
    leaveNote();
    EXPECT_EQ(testDialogs().texts(QStringLiteral("information")),
              QStringList{QStringLiteral("\"Carte perdue\" ajouté à la liste")});
    EXPECT_EQ(listEntries(options->stampTextList), (QStringList{QStringLiteral("Carte perdue"), QStringLiteral("Urgent")}));

    // A click on an entry takes it and folds the list up.
    options->stampTextList->show();
    QListWidgetItem *urgent = options->stampTextList->item(1);
    QTest::mouseClick(options->stampTextList->viewport(), Qt::LeftButton, Qt::NoModifier,
                      options->stampTextList->visualItemRect(urgent).center());
    EXPECT_EQ(options->stampTextEdit->text(), QStringLiteral("Urgent"));
    EXPECT_EQ(stampOf(form)->text(), QStringLiteral("Urgent"));
    EXPECT_TRUE(options->stampTextList->isHidden());
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
        options = currentWindows().presentation();
        EXPECT_EQ(listEntries(options->stampTextList), (QStringList{QStringLiteral("bilan"), QStringLiteral("ÉCHO")}))
            << c.name;
        addUniqueEntry(options->stampTextList, QStringLiteral("Carte"), false);
        options->show();
        options->move(20, 30);
        options->close();
        EXPECT_TRUE(options->isHidden());
        EXPECT_EQ(readBytes(session.path(QStringLiteral("TAMPONS.TXT"))), c.saved) << c.name;
        EXPECT_EQ(readIntegerSetting(QStringLiteral("OPTIONS"), QStringLiteral("X"), -1), 20);
    }
}

TEST_F(OptionsTest, SavingWritesTheConfigurationThenTheList)
{
    panel->move(panel->x(), 17);
    addUniqueEntry(options->stampTextList, QStringLiteral("Carte"), false);
    options->saveButton->click();
    EXPECT_EQ(readIntegerSetting(QStringLiteral("IMAGE"), QStringLiteral("Y"), 0, session.configFile()), 17);
    EXPECT_EQ(readLineFile(session.path(QStringLiteral("TAMPONS.TXT"))), QStringList{QStringLiteral("Carte")});
    EXPECT_TRUE(testDialogs().texts(QStringLiteral("error")).isEmpty());
}

TEST_F(OptionsTest, OpenConfigTogglesThisWindowAndTheShortcutsTogetherWithoutSaving)
{
    options->show();
    actionOf(form, "togglePresentationAction")->trigger();
    EXPECT_TRUE(options->isHidden());
    EXPECT_TRUE(currentWindows().shortcuts()->isHidden());
    EXPECT_FALSE(QFile::exists(session.path(QStringLiteral("TAMPONS.TXT"))));
    actionOf(form, "togglePresentationAction")->trigger();
    EXPECT_TRUE(options->isVisible());
    EXPECT_TRUE(currentWindows().shortcuts()->isVisible());
}

TEST_F(OptionsTest, TheCcamButtonOpensTheReferenceText)
{
    ASSERT_TRUE(currentWindows().ccamViewer()->isHidden());
    options->ccamButton->click();
    EXPECT_TRUE(currentWindows().ccamViewer()->isVisible());
}

} // namespace
