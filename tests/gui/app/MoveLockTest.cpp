// Moving and resizing the sheet fields with the mouse, as a user does it
// through the care-sheet window, and the lock that keeps the text fields in
// place.
#include "ScriptedDialogs.h"
#include "TiravonSession.h"

#include "widgets/SheetEdit.h"
#include "app/CareSheetWindow.h"
#include "widgets/MoveResizeController.h"
#include "widgets/DateEdit.h"
#include "widgets/FormImage.h"
#include "widgets/StampLabel.h"
#include "support/TiravonError.h"
#include "support/SettingsStore.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVector>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

class MoveLockTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        failsafe.setSingleShot(true);
        failsafe.setInterval(10000);
        QObject::connect(&failsafe, &QTimer::timeout, [this] {
            if (form && moveResizeOf(form)->isDragging()) {
                ADD_FAILURE() << "the drag did not end on the release";
                moveResizeOf(form)->endDrag();
            }
        });
        session.start();
        prepareWindow();
    }

    void TearDown() override
    {
        session.stop();
    }

    // The whole page in view, the keys held read from `input`.
    void prepareWindow()
    {
        form = session.form();
        form->resize(form->width(), 1250);
        QApplication::setActiveWindow(form);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
        moveResizeOf(form)->setInputStateReader([this] { return input; });
        QTest::mouseMove(handle(), QPoint(5, 5));
    }

    void restart()
    {
        session.restart();
        prepareWindow();
    }

    QWindow *handle() { return form->windowHandle(); }
    QPoint inWindow(QPoint global) { return handle()->mapFromGlobal(global); }
    QWidget *control(const char *name) { return form->findChild<QWidget *>(QString::fromLatin1(name)); }

    // The press at `at` (control coordinates) lands on the control itself.
    void expectUnderPointer(QWidget *target, QPoint at, const char *name)
    {
        QWidget *under = form->childAt(form->mapFromGlobal(target->mapToGlobal(at)));
        EXPECT_TRUE(under == target || target->isAncestorOf(under))
            << name << " is covered by " << (under ? under->objectName().toStdString() : "nothing");
    }

    // Presses the left button over `target` at `at` with `keys` held; once
    // inside the drag the pointer goes to each offset of `path` from the
    // press, and the button is released at the last one. Returns whether a
    // drag ran.
    bool drag(QWidget *target, QPoint at, Qt::KeyboardModifiers keys, const QVector<QPoint> &path)
    {
        expectUnderPointer(target, at, qPrintable(target->objectName()));
        const QPoint start = target->mapToGlobal(at);
        input = {start, keys, Qt::LeftButton};
        bool dragged = false;
        QTimer script;
        script.setSingleShot(true);
        QObject::connect(&script, &QTimer::timeout, [&] {
            dragged = moveResizeOf(form)->isDragging();
            QPoint p = start;
            for (const QPoint &offset : path) {
                p = start + offset;
                input.pointer = p;
                QTest::mouseMove(handle(), inWindow(p));
            }
            QTest::mouseRelease(handle(), Qt::LeftButton, keys, inWindow(p));
        });
        script.start(0);
        failsafe.start();
        QTest::mousePress(handle(), Qt::LeftButton, keys, inWindow(start));
        failsafe.stop();
        if (script.isActive()) {   // no drag: the release follows at once
            script.stop();
            QTest::mouseRelease(handle(), Qt::LeftButton, keys, inWindow(start));
        }
        input.buttons = Qt::NoButton;
        return dragged;
    }

    QPoint centre(QWidget *w) { return QPoint(w->width() / 2, w->height() / 2); }

    TiravonSession session;
    CareSheetWindow *form = nullptr;
    MoveResizeController::InputState input{QPoint(), Qt::NoModifier, Qt::NoButton};
    QTimer failsafe;
};

TEST_F(MoveLockTest, CtrlDragMovesTheNameKeepingItsGrabPoint)
{
    SheetEdit *nom = textField(form, "NOM");
    const QPoint before = nom->pos();
    const QPoint grab(60, 13);
    ASSERT_TRUE(drag(nom, grab, Qt::ControlModifier, {{12, 3}, {30, -20}, {-41, 57}}));
    EXPECT_EQ(nom->pos(), before + QPoint(-41, 57));
    EXPECT_EQ(nom->mapFromGlobal(input.pointer), grab);
    EXPECT_EQ(nom->size(), QSize(569, 26));
    EXPECT_TRUE(testDialogs().texts(QStringLiteral("error")).isEmpty());
}

TEST_F(MoveLockTest, ShiftDragOnAnEdgeResizesFromThatEdgeAndCtrlThereDoesNothing)
{
    SheetEdit *tarif = textField(form, "TARIF_1");
    const QRect before = tarif->geometry();
    // Ctrl alone in the 7-pixel border: no move, no resize.
    EXPECT_FALSE(drag(tarif, QPoint(3, 13), Qt::ControlModifier, {{10, 0}}));
    EXPECT_EQ(tarif->geometry(), before);

    // The left edge 10 pixels to the right: narrower, further right, the
    // right edge where it was.
    ASSERT_TRUE(drag(tarif, QPoint(3, 13), Qt::ShiftModifier, {{4, 0}, {10, 0}}));
    EXPECT_EQ(tarif->geometry(), QRect(before.x() + 10, before.y(), before.width() - 10, before.height()));
    EXPECT_EQ(tarif->geometry().right(), before.right());

    // The bottom edge 6 pixels down.
    const QRect widened = tarif->geometry();
    ASSERT_TRUE(drag(tarif, QPoint(40, tarif->height() - 2), Qt::ShiftModifier, {{0, 6}}));
    EXPECT_EQ(tarif->geometry(), widened.adjusted(0, 0, 0, 6));
}

// The zones start inside a field's frame: with Ctrl, a claim box moves from
// a press at outer X 8 to 11 and Y 8 to 20; one pixel further out is a zone.
TEST_F(MoveLockTest, ACtrlPressMovesAClaimBoxOnlyInsideTheZonesWithinItsFrame)
{
    SheetEdit *box = textField(form, "COCHE_MALADIE");
    ASSERT_EQ(box->size(), QSize(17, 26));
    ASSERT_TRUE(box->isBordered());
    struct Row { QPoint at; bool moves; };
    const Row rows[] = {
        {{7, 13}, false}, {{8, 13}, true}, {{11, 13}, true}, {{12, 13}, false},
        {{9, 7}, false}, {{9, 8}, true}, {{9, 20}, true}, {{9, 21}, false},
    };
    for (const Row &row : rows) {
        const QPoint before = box->pos();
        EXPECT_EQ(drag(box, row.at, Qt::ControlModifier, {{3, 2}}), row.moves) << row.at.x() << "," << row.at.y();
        EXPECT_EQ(box->pos(), row.moves ? before + QPoint(3, 2) : before) << row.at.x() << "," << row.at.y();
    }
}

// Every text and date field on the panel, the claim boxes, the image, the
// label and the stamp move with Ctrl and show the sizing pointer with Shift;
// ACTE_4 and the two pick lists take no part.
TEST_F(MoveLockTest, ExactlyThePanelFieldsTheImageTheLabelAndTheStampAreBound)
{
    const char *bound[] = {
        "NOM", "MATRICULE", "ASSURE", "ASSURE_MATRICULE", "ADRESSE", "VILLE", "CPAM", "MEDECIN",
        "DDN", "DDG", "DATE", "DATE_ACTE", "ACTE_1", "ACTE_2", "ACTE_3", "CCAM_1", "CCAM_2",
        "TARIF_1", "TARIF_2", "TARIF_3", "TARIF_4", "MONTANT_TOTAL", "COCHE_MALADIE", "COCHE_MATERNITE",
        "COCHE_ACCES", "COCHE_NP_COMP", "COCHE_NP_OBLIGAT", "COCHE_ALD_0", "COCHE_ALD_1", "COCHE_ALD_TYPE",
        "oriente", "NOTE", "formImage",
    };
    for (QWidget *hidden : {control("MEDECIN"), control("DDG"), control("oriente")})
        hidden->show();
    // ACTE_4, on the window, covers the inner part of COCHE_NP_OBLIGAT.
    textField(form, "ACTE_4")->move(776, 1000);
    for (const char *name : bound) {
        QWidget *w = control(name);
        ASSERT_NE(w, nullptr) << name;
        // Shift over the left edge: the horizontal double arrow on the next move.
        const QPoint edge = w->mapToGlobal(QPoint(2, w->height() / 2));
        input = {edge, Qt::ShiftModifier, Qt::NoButton};
        QTest::mouseMove(handle(), inWindow(edge));
        EXPECT_EQ(w->cursor().shape(), Qt::SizeHorCursor) << name;
        input.modifiers = Qt::NoModifier;
        QTest::mouseMove(handle(), inWindow(edge + QPoint(1, 0)));
        EXPECT_NE(w->cursor().shape(), Qt::SizeHorCursor) << name;

        const QPoint before = w->pos();
        EXPECT_TRUE(drag(w, centre(w), Qt::ControlModifier, {{5, 4}})) << name;
        if (w == formImageOf(form))   // the image fills its panel whatever is done to it
            EXPECT_EQ(w->pos(), before) << name;
        else
            EXPECT_EQ(w->pos(), before + QPoint(5, 4)) << name;
    }

    for (QWidget *list : {control("LISTE_VILLES"), control("Liste_CPAMS")})
        list->show();
    for (const char *name : {"ACTE_4", "LISTE_VILLES", "Liste_CPAMS"}) {
        QWidget *w = control(name);
        const QRect before = w->geometry();
        EXPECT_FALSE(drag(w, centre(w), Qt::ControlModifier, {{5, 4}})) << name;
        EXPECT_FALSE(drag(w, QPoint(2, w->height() / 2), Qt::ShiftModifier, {{5, 0}})) << name;
        EXPECT_EQ(w->geometry(), before) << name;
    }
}

TEST_F(MoveLockTest, AnErrorDuringADragIsShownAndTheWindowGoesOn)
{
    moveResizeOf(form)->setOnMove([](QWidget *, QPoint) {
        throw TiravonError(QStringLiteral("Déplacement impossible"));
    });
    drag(textField(form, "NOM"), QPoint(60, 13), Qt::ControlModifier, {{5, 5}, {9, 9}});
    EXPECT_EQ(testDialogs().texts(QStringLiteral("error")), QStringList{QStringLiteral("Déplacement impossible")});
    EXPECT_FALSE(moveResizeOf(form)->isDragging());

    moveResizeOf(form)->setOnMove(nullptr);
    const QPoint before = textField(form, "NOM")->pos();
    ASSERT_TRUE(drag(textField(form, "NOM"), QPoint(60, 13), Qt::ControlModifier, {{7, 2}}));
    EXPECT_EQ(textField(form, "NOM")->pos(), before + QPoint(7, 2));
}

TEST_F(MoveLockTest, LockedTextFieldsStayPutWhileDatesStampLabelAndImageStillMove)
{
    textField(form, "MEDECIN")->show();
    orienteOf(form)->show();
    actionOf(form, "lockFieldsAction")->trigger();
    ASSERT_TRUE(actionOf(form, "lockFieldsAction")->isChecked());

    struct Row { const char *name; bool moves; };
    const Row rows[] = {
        {"NOM", false}, {"COCHE_MALADIE", false}, {"MEDECIN", false}, {"VILLE", false},
        {"DDN", true}, {"DATE", true}, {"NOTE", true}, {"oriente", true},
    };
    for (const Row &row : rows) {
        QWidget *w = control(row.name);
        const QRect before = w->geometry();
        EXPECT_EQ(drag(w, centre(w), Qt::ControlModifier, {{6, 8}}), row.moves) << row.name;
        EXPECT_EQ(w->pos(), row.moves ? before.topLeft() + QPoint(6, 8) : before.topLeft()) << row.name;
    }
    // Nor are they resized.
    for (QWidget *w : std::initializer_list<QWidget *>{textField(form, "NOM"), dateField(form, "DDN")}) {
        const int width = w->width();
        drag(w, QPoint(2, w->height() / 2), Qt::ShiftModifier, {{4, 0}});
        EXPECT_EQ(w->width() != width, w == dateField(form, "DDN")) << w->objectName().toStdString();
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// While the button is held over a locked field the drag pointer shows; the
// press takes no focus and places no caret; the release does nothing.
TEST_F(MoveLockTest, HoldingALockedFieldShowsItsDragPointerAndNothingElse)
{
    textField(form, "MEDECIN")->show();
    actionOf(form, "addTextFieldAction")->trigger();
    auto *added = form->findChild<SheetEdit *>(QStringLiteral("NOUVEAU_1"));
    ASSERT_NE(added, nullptr);
    actionOf(form, "lockFieldsAction")->trigger();
    // Added while unlocked but locked since: the lock was applied after it.
    ASSERT_TRUE(added->isLocked());

    textField(form, "MATRICULE")->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), textField(form, "MATRICULE"));
    struct Row { SheetEdit *field; Qt::CursorShape pointer; };
    const Row rows[] = {
        {textField(form, "NOM"), Qt::PointingHandCursor}, {textField(form, "TARIF_2"), Qt::PointingHandCursor},
        {textField(form, "COCHE_ACCES"), Qt::PointingHandCursor}, {textField(form, "ACTE_4"), Qt::PointingHandCursor},
        {textField(form, "MONTANT_TOTAL"), Qt::DragMoveCursor}, {textField(form, "COCHE_MALADIE"), Qt::DragMoveCursor},
        {textField(form, "VILLE"), Qt::DragMoveCursor}, {textField(form, "MEDECIN"), Qt::DragMoveCursor}, {added, Qt::DragMoveCursor},
    };
    for (const Row &row : rows) {
        const std::string name = row.field->objectName().toStdString();
        const QString text = row.field->text();
        const QPoint place = row.field->pos();
        const QPoint at = row.field->mapToGlobal(centre(row.field));
        QTest::mousePress(handle(), Qt::LeftButton, Qt::NoModifier, inWindow(at));
        ASSERT_NE(QApplication::overrideCursor(), nullptr) << name;
        EXPECT_EQ(QApplication::overrideCursor()->shape(), row.pointer) << name;
        QTest::mouseMove(handle(), inWindow(at + QPoint(30, 10)));
        QTest::mouseRelease(handle(), Qt::LeftButton, Qt::NoModifier, inWindow(at + QPoint(30, 10)));
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << name;
        EXPECT_EQ(QApplication::focusWidget(), textField(form, "MATRICULE")) << name;
        EXPECT_FALSE(row.field->hasSelectedText()) << name;
        EXPECT_EQ(row.field->text(), text) << name;
        EXPECT_EQ(row.field->pos(), place) << name;
    }

    // A double click reaches neither the field nor its handlers: the empty
    // claim box stays empty.
    textField(form, "COCHE_ALD_1")->setText(QString());
    QSignalSpy doubleClicks(textField(form, "COCHE_ALD_1"), &SheetEdit::doubleClicked);
    QTest::mouseDClick(handle(), Qt::LeftButton, Qt::NoModifier,
                       inWindow(textField(form, "COCHE_ALD_1")->mapToGlobal(centre(textField(form, "COCHE_ALD_1")))));
    EXPECT_EQ(doubleClicks.count(), 0);
    EXPECT_EQ(textField(form, "COCHE_ALD_1")->text(), QString());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), textField(form, "MATRICULE"));
}

TEST_F(MoveLockTest, KeysAndPopUpMenusStillReachALockedField)
{
    actionOf(form, "lockFieldsAction")->trigger();
    // Tab reaches a locked field and what is typed goes in.
    textField(form, "ACTE_4")->setFocus();
    QTest::keyClick(textField(form, "ACTE_4"), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), textField(form, "NOM"));
    textField(form, "NOM")->clear();
    QTest::keyClicks(textField(form, "NOM"), QStringLiteral("durand"));
    EXPECT_EQ(textField(form, "NOM")->text(), QStringLiteral("DURAND"));
    // The space bar still ticks a locked claim box.
    textField(form, "COCHE_ALD_TYPE")->setFocus();
    textField(form, "COCHE_ALD_TYPE")->setText(QString());
    QTest::keyClick(textField(form, "COCHE_ALD_TYPE"), Qt::Key_Space);
    EXPECT_EQ(textField(form, "COCHE_ALD_TYPE")->text(), QStringLiteral("X"));

    // A right click opens the claim box's pop-up menu.
    QSignalSpy requests(textField(form, "COCHE_MATERNITE"), &QWidget::customContextMenuRequested);
    const QPoint at = textField(form, "COCHE_MATERNITE")->mapToGlobal(centre(textField(form, "COCHE_MATERNITE")));
    QTest::mouseClick(handle(), Qt::RightButton, Qt::NoModifier, inWindow(at));
    EXPECT_EQ(requests.count(), 1);
    menuOf(form, "claimBoxMenu")->hide();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(MoveLockTest, AFieldAddedWhileLockedMovesUntilTheLockIsAppliedAgain)
{
    actionOf(form, "lockFieldsAction")->trigger();
    actionOf(form, "addTextFieldAction")->trigger();
    auto *added = form->findChild<SheetEdit *>(QStringLiteral("NOUVEAU_1"));
    ASSERT_NE(added, nullptr);
    QPoint before = added->pos();
    EXPECT_TRUE(drag(added, centre(added), Qt::ControlModifier, {{10, 10}}));
    EXPECT_EQ(added->pos(), before + QPoint(10, 10));

    // Unlocking and locking again takes it in.
    actionOf(form, "lockFieldsAction")->trigger();
    actionOf(form, "lockFieldsAction")->trigger();
    ASSERT_TRUE(actionOf(form, "lockFieldsAction")->isChecked());
    before = added->pos();
    EXPECT_FALSE(drag(added, centre(added), Qt::ControlModifier, {{10, 10}}));
    EXPECT_EQ(added->pos(), before);
}

TEST_F(MoveLockTest, TheLockIsKeptInTheProgramSettingsAndBackAfterARestart)
{
    actionOf(form, "lockFieldsAction")->trigger();
    restart();
    EXPECT_EQ(readSetting(QStringLiteral("OPTIONS"), QStringLiteral("VERROU"), QString(), session.settingsFile()),
              QStringLiteral("1"));
    EXPECT_TRUE(actionOf(form, "lockFieldsAction")->isChecked());
    const QPoint before = textField(form, "NOM")->pos();
    EXPECT_FALSE(drag(textField(form, "NOM"), QPoint(60, 13), Qt::ControlModifier, {{10, 10}}));
    EXPECT_EQ(textField(form, "NOM")->pos(), before);
    // Not in the form configuration.
    EXPECT_EQ(readSetting(QStringLiteral("OPTIONS"), QStringLiteral("VERROU"), QStringLiteral("absent"),
                             session.configFile()),
              QStringLiteral("absent"));

    actionOf(form, "lockFieldsAction")->trigger();
    restart();
    EXPECT_FALSE(actionOf(form, "lockFieldsAction")->isChecked());
    EXPECT_TRUE(drag(textField(form, "NOM"), QPoint(60, 13), Qt::ControlModifier, {{10, 10}}));
}

TEST_F(MoveLockTest, AMoveAndAWidthChangeSurviveARestartButAHeightChangeDoesNot)
{
    struct Row { const char *name; QPoint move; };
    for (const Row &row : {Row{"CCAM_1", {-13, -21}}, Row{"DDN", {0, -3}}}) {
        QWidget *w = control(row.name);
        const QRect before = w->geometry();
        ASSERT_TRUE(drag(w, centre(w), Qt::ControlModifier, {row.move})) << row.name;
        ASSERT_TRUE(drag(w, QPoint(3, w->height() / 2), Qt::ShiftModifier, {{-15, 0}})) << row.name;
        ASSERT_TRUE(drag(w, QPoint(w->width() / 2, w->height() - 2), Qt::ShiftModifier, {{0, 9}})) << row.name;
        ASSERT_EQ(w->geometry(), QRect(before.topLeft() + row.move - QPoint(15, 0),
                                       QSize(before.width() + 15, before.height() + 9)))
            << row.name;
    }
    const QRect ccam = textField(form, "CCAM_1")->geometry();
    const QRect ddn = dateField(form, "DDN")->geometry();
    restart();
    EXPECT_EQ(textField(form, "CCAM_1")->geometry(), ccam.adjusted(0, 0, 0, -9));
    EXPECT_EQ(dateField(form, "DDN")->geometry(), ddn.adjusted(0, 0, 0, -9));
}

} // namespace
