// The commands that change how the sheet fields look: one font for the text
// fields, the frame, the 3-D look, the label "orienté" and the masking of
// the name and the dates; what of it comes back after a restart.
#include "ScriptedDialogs.h"
#include "SheetTest.h"
#include "TiravonSession.h"

#include "widgets/SheetEdit.h"
#include "app/CareSheetWindow.h"
#include "widgets/DateEdit.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <gtest/gtest.h>

namespace {

class AppearanceTest : public SheetTest
{
protected:
    SheetEdit *addField()
    {
        actionOf(form, "addTextFieldAction")->trigger();
        return form->plainTextFields().last();
    }

    QList<DateEdit *> dates() const { return {dateField(form, "DATE"), dateField(form, "DATE_ACTE"), dateField(form, "DDN"), dateField(form, "DDG")}; }
};

// Name, size and every style, the things the font command hands over.
::testing::AssertionResult sameFont(const QFont &actual, const QFont &expected)
{
    if (actual.family() == expected.family() && actual.pointSize() == expected.pointSize()
        && actual.bold() == expected.bold() && actual.italic() == expected.italic()
        && actual.underline() == expected.underline() && actual.strikeOut() == expected.strikeOut())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << actual.toString().toStdString() << " instead of "
                                         << expected.toString().toStdString();
}

TEST_F(AppearanceTest, CancellingTheFontDialogGivesEveryPlainFieldTheFontOfNom)
{
    SheetEdit *added = addField();
    added->setFont(QFont(QStringLiteral("DejaVu Serif"), 9));
    QFont reference = textField(form, "NOM")->font();
    reference.setItalic(true);
    reference.setUnderline(true);
    textField(form, "NOM")->setFont(reference);
    QPalette red = textField(form, "ACTE_1")->palette();
    red.setColor(QPalette::Text, Qt::red);
    textField(form, "ACTE_1")->setPalette(red);
    QFont small = textField(form, "TARIF_3")->font();
    small.setPointSize(10);
    textField(form, "TARIF_3")->setFont(small);
    const QFont birth = dateField(form, "DDN")->font();

    QFont offered;
    testDialogs().fontAnswer = [&offered](const FontChoice &initial) {
        offered = initial.font;
        return initial;   // cancelled: the dialog still holds the font it was given
    };
    actionOf(form, "fieldsFontAction")->trigger();

    EXPECT_TRUE(sameFont(offered, reference));
    for (SheetEdit *edit : form->plainTextFields())
        EXPECT_TRUE(sameFont(edit->font(), reference)) << edit->objectName().toStdString();
    EXPECT_EQ(textField(form, "TARIF_3")->font().pointSize(), 12);
    EXPECT_EQ(textField(form, "TARIF_4")->font().pointSize(), 12);
    for (DateEdit *date : {dateField(form, "DATE"), dateField(form, "DATE_ACTE"), dateField(form, "DDG")})
        EXPECT_TRUE(sameFont(date->font(), reference)) << date->objectName().toStdString();
    EXPECT_TRUE(sameFont(dateField(form, "DDN")->font(), birth));
    // Colours are not the font's business.
    EXPECT_EQ(textField(form, "ACTE_1")->palette().color(QPalette::Text).name(), QColor(Qt::red).name());
}

TEST_F(AppearanceTest, AChosenFontSurvivesARestartForTheTextFieldsOnly)
{
    QFont chosen(QStringLiteral("DejaVu Serif"), 14);
    chosen.setBold(false);
    chosen.setItalic(true);
    chosen.setStrikeOut(true);
    testDialogs().fontAnswer = [chosen](const FontChoice &initial) {
        FontChoice answer = initial;
        answer.font = chosen;
        return answer;
    };
    SheetEdit *added = addField();
    added->setText(QStringLiteral("note"));   // listed at the saving, back after the restart
    actionOf(form, "fieldsFontAction")->trigger();
    for (SheetEdit *edit : form->plainTextFields())
        EXPECT_TRUE(sameFont(edit->font(), chosen)) << edit->objectName().toStdString();
    EXPECT_TRUE(sameFont(dateField(form, "DATE")->font(), chosen));
    EXPECT_EQ(dateField(form, "DDN")->font().family(), QStringLiteral("Verdana"));

    restart();
    // Name, size and the styles that were on; the designed fields keep the
    // bold they were made with, since the reading only adds styles.
    for (SheetEdit *edit : form->plainTextFields()) {
        const std::string name = edit->objectName().toStdString();
        EXPECT_EQ(edit->font().family(), chosen.family()) << name;
        EXPECT_EQ(edit->font().pointSize(), 14) << name;
        EXPECT_TRUE(edit->font().italic()) << name;
        EXPECT_TRUE(edit->font().strikeOut()) << name;
        EXPECT_FALSE(edit->font().underline()) << name;
    }
    EXPECT_NE(form->findChild<SheetEdit *>(QStringLiteral("NOUVEAU_1")), nullptr);
    // The dates' font is not kept.
    for (DateEdit *date : dates()) {
        EXPECT_EQ(date->font().family(), QStringLiteral("Verdana")) << date->objectName().toStdString();
        EXPECT_EQ(date->font().pointSize(), 12) << date->objectName().toStdString();
    }
}

TEST_F(AppearanceTest, FrameTakesTheDatesAlong3DLeavesThemAloneAndBothAreKept)
{
    SheetEdit *added = addField();
    ASSERT_TRUE(actionOf(form, "borderAction")->isChecked());
    ASSERT_FALSE(actionOf(form, "threeDAction")->isChecked());

    actionOf(form, "borderAction")->trigger();
    for (SheetEdit *edit : form->plainTextFields())
        EXPECT_FALSE(edit->isBordered()) << edit->objectName().toStdString();
    for (DateEdit *date : dates())
        EXPECT_FALSE(date->isFramed()) << date->objectName().toStdString();
    actionOf(form, "borderAction")->trigger();
    for (SheetEdit *edit : form->plainTextFields())
        EXPECT_TRUE(edit->isBordered()) << edit->objectName().toStdString();
    for (DateEdit *date : dates())
        EXPECT_TRUE(date->isFramed()) << date->objectName().toStdString();

    const QImage dateBefore = dateField(form, "DATE")->grab().toImage();
    actionOf(form, "threeDAction")->trigger();
    for (SheetEdit *edit : form->plainTextFields())
        EXPECT_TRUE(edit->is3D()) << edit->objectName().toStdString();
    EXPECT_TRUE(added->is3D());
    EXPECT_EQ(dateField(form, "DATE")->grab().toImage(), dateBefore);

    // Both looks are kept in the form configuration. (An added field comes
    // back flat and framed, as it is made, until the next command.)
    actionOf(form, "borderAction")->trigger();
    restart();
    EXPECT_FALSE(actionOf(form, "borderAction")->isChecked());
    EXPECT_TRUE(actionOf(form, "threeDAction")->isChecked());
    for (SheetEdit *edit : form->plainTextFields()) {
        if (edit->tag != 0)
            continue;
        EXPECT_FALSE(edit->isBordered()) << edit->objectName().toStdString();
        EXPECT_TRUE(edit->is3D()) << edit->objectName().toStdString();
    }
}

// The flat frame is one dark line; the 3-D edge is sunken, dark above and
// left, light below and right; unframed, the field is all background.
TEST_F(AppearanceTest, TheFrameIsDrawnAsAThinLineOrASunkenEdge)
{
    SheetEdit *edit = textField(form, "ACTE_1");
    edit->setText(QString());
    const auto lightness = [](const QImage &image, int x, int y) { return image.pixelColor(x, y).lightness(); };

    QImage flat = edit->grab().toImage();
    const int w = flat.width(), h = flat.height();
    for (QPoint corner : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1), QPoint(w / 2, 0),
                          QPoint(0, h / 2), QPoint(w - 1, h / 2), QPoint(w / 2, h - 1)})
        EXPECT_LT(lightness(flat, corner.x(), corner.y()), 64) << corner.x() << "," << corner.y();
    EXPECT_EQ(flat.pixelColor(1, 1).name(), QStringLiteral("#ffffff"));
    EXPECT_EQ(flat.pixelColor(w - 2, h - 2).name(), QStringLiteral("#ffffff"));

    edit->set3D(true);
    QImage sunken = edit->grab().toImage();
    const int outerTop = lightness(sunken, w / 2, 0), innerTop = lightness(sunken, w / 2, 1);
    const int outerLeft = lightness(sunken, 0, h / 2), innerLeft = lightness(sunken, 1, h / 2);
    const int outerBottom = lightness(sunken, w / 2, h - 1), innerBottom = lightness(sunken, w / 2, h - 2);
    const int outerRight = lightness(sunken, w - 1, h / 2), innerRight = lightness(sunken, w - 2, h / 2);
    EXPECT_LT(innerTop, outerTop);
    EXPECT_LT(innerLeft, outerLeft);
    EXPECT_LT(outerTop, 200);
    EXPECT_GT(outerBottom, outerTop);
    EXPECT_GT(outerRight, outerLeft);
    EXPECT_GT(innerBottom, innerTop);
    EXPECT_GT(innerRight, innerLeft);
    // Two pixels deep on every side, the lower and right lines included.
    const QString white = QColor(Qt::white).name();
    EXPECT_NE(sunken.pixelColor(w / 2, h - 2).name(), white);
    EXPECT_NE(sunken.pixelColor(w - 2, h / 2).name(), white);
    for (QPoint inside : {QPoint(2, 2), QPoint(w - 3, h - 3), QPoint(w / 2, h - 3), QPoint(w - 3, h / 2)})
        EXPECT_EQ(sunken.pixelColor(inside).name(), white) << inside.x() << "," << inside.y();

    edit->setBordered(false);
    const QImage bare = edit->grab().toImage();
    EXPECT_EQ(bare.pixelColor(0, 0).name(), QStringLiteral("#ffffff"));
    EXPECT_EQ(bare.pixelColor(w - 1, h - 1).name(), QStringLiteral("#ffffff"));
}

// Printing takes the frames away: the text must not move with them, or it
// lands off the place the user aligned it to.
TEST_F(AppearanceTest, TheTextKeepsItsPlaceWhateverTheLook)
{
    SheetEdit *edit = textField(form, "TARIF_1");
    edit->setText(QStringLiteral("123,45"));
    const auto inkBox = [edit] {
        const QImage image = edit->grab().toImage();
        QRect box;
        for (int y = 2; y < image.height() - 2; ++y)
            for (int x = 2; x < image.width() - 2; ++x)
                if (image.pixelColor(x, y).lightness() < 128)
                    box |= QRect(x, y, 1, 1);
        return box;
    };
    edit->setBordered(true);
    edit->set3D(false);
    const QRect framed = inkBox();
    ASSERT_FALSE(framed.isEmpty());
    edit->set3D(true);
    EXPECT_EQ(inkBox(), framed);
    edit->setBordered(false);
    EXPECT_EQ(inkBox(), framed);
}

// At the first show the tick follows the label's restored visibility, and a
// ticked label shows only beside a visible attending physician.
TEST_F(AppearanceTest, TheOrientedLabelFollowsItsTickAndTheAttendingPhysician)
{
    // First start: the label stored as shown, direct access ticked, so the
    // attending physician is hidden and the label with him.
    EXPECT_TRUE(actionOf(form, "showOrienteAction")->isChecked());
    EXPECT_TRUE(textField(form, "MEDECIN")->isHidden());
    EXPECT_TRUE(orienteOf(form)->isHidden());

    // Stored as shown: it shows exactly when the attending physician does.
    struct Row { const char *access; bool shown; };
    for (const Row &row : {Row{"", true}, Row{"X", false}}) {
        textField(form, "COCHE_ACCES")->setText(QString::fromLatin1(row.access));
        orienteOf(form)->show();
        restart();
        ASSERT_EQ(textField(form, "MEDECIN")->isHidden(), !row.shown) << row.access;
        EXPECT_TRUE(actionOf(form, "showOrienteAction")->isChecked()) << row.access;
        EXPECT_EQ(orienteOf(form)->isHidden(), !row.shown) << row.access;
    }

    // Stored as hidden: unticked, and hidden even beside the physician.
    textField(form, "COCHE_ACCES")->setText(QString());
    orienteOf(form)->show();
    actionOf(form, "showOrienteAction")->trigger();
    ASSERT_FALSE(actionOf(form, "showOrienteAction")->isChecked());
    EXPECT_TRUE(orienteOf(form)->isHidden());
    restart();
    EXPECT_FALSE(textField(form, "MEDECIN")->isHidden());
    EXPECT_FALSE(actionOf(form, "showOrienteAction")->isChecked());
    EXPECT_TRUE(orienteOf(form)->isHidden());
    actionOf(form, "showOrienteAction")->trigger();
    EXPECT_FALSE(orienteOf(form)->isHidden());
}

TEST_F(AppearanceTest, MaskingTheNameAndTheDatesLastsOnlyUntilTheNextStart)
{
    ASSERT_TRUE(textField(form, "COCHE_MATERNITE")->text().isEmpty());
    actionOf(form, "hideNameAction")->trigger();
    EXPECT_TRUE(textField(form, "NOM")->isHidden());
    actionOf(form, "hideNameAction")->trigger();
    EXPECT_FALSE(textField(form, "NOM")->isHidden());

    actionOf(form, "hideDatesAction")->trigger();
    for (DateEdit *date : dates())
        EXPECT_TRUE(date->isHidden()) << date->objectName().toStdString();
    // Unticking shows all four, the pregnancy date even with maternity empty.
    actionOf(form, "hideDatesAction")->trigger();
    for (DateEdit *date : dates())
        EXPECT_FALSE(date->isHidden()) << date->objectName().toStdString();

    actionOf(form, "hideNameAction")->trigger();
    actionOf(form, "hideDatesAction")->trigger();
    restart();
    EXPECT_FALSE(actionOf(form, "hideNameAction")->isChecked());
    EXPECT_FALSE(actionOf(form, "hideDatesAction")->isChecked());
    EXPECT_FALSE(textField(form, "NOM")->isHidden());
    for (DateEdit *date : {dateField(form, "DATE"), dateField(form, "DATE_ACTE"), dateField(form, "DDN")})
        EXPECT_FALSE(date->isHidden()) << date->objectName().toStdString();
    EXPECT_TRUE(dateField(form, "DDG")->isHidden());   // the maternity box decides again
}

} // namespace
