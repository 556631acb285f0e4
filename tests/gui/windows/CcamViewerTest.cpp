// The CCAM viewer as the user meets it: opened from the care sheet with the
// sheet's code, searched with Enter and F3, its lists kept between runs, and
// the web look-ups of the C.C.A.M menu.
#include "ScriptedDialogs.h"
#include "TiravonSession.h"

#include "app/CareSheetWindow.h"
#include "app/ProgramWindows.h"
#include "widgets/SheetEdit.h"
#include "windows/CcamViewerWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QTest>
#include <QAbstractTextDocumentLayout>
#include <QLabel>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The viewer of the program running now.
CcamViewerWindow *viewer()
{
    return currentWindows().ccamViewer();
}

const QByteArray kReference =
    R"({\rtf1\ansi{\colortbl;\red255\green255\blue0;}{\b\cf1 JKHD001}\tab\tab Pr\'e9l\'e8vement cervicovaginal\tab 12,73\par)"
    R"({\b\cf1 JLQE002}\tab\tab Colposcopie\tab 49,82\par voir aussi JKHD001\par})";

QString selected()
{
    return viewer()->referenceView->textCursor().selectedText();
}

int selectionStart()
{
    return viewer()->referenceView->textCursor().selectionStart();
}

TEST(CcamViewerTest, CcamTexteCompletShowsTheReferenceWithTheCodeAndEnterAndF3FindIt)
{
    TiravonSession session;
    writeBytes(session.path(QStringLiteral("CCAM.RTF")), kReference);
    session.start();
    testDialogs().clear();
    textField(session.form(), "CCAM_1")->setText(QStringLiteral("JKHD001"));
    actionOf(session.form(), "ccamTextAction")->trigger();
    ASSERT_TRUE(viewer()->isVisible());
    EXPECT_EQ(viewer()->codeBox->currentText(), QStringLiteral("JKHD001"));
    EXPECT_FALSE(viewer()->referenceView->textCursor().hasSelection());     // no search yet
    EXPECT_TRUE(viewer()->referenceView->toPlainText().startsWith(QStringLiteral("JKHD001\t\tPrélèvement")));

    // Enter from any field is the code search; F3 goes on to the next one.
    QTest::keyClick(viewer()->tariffBox, Qt::Key_Return);
    EXPECT_EQ(selected(), QStringLiteral("JKHD001"));
    EXPECT_EQ(selectionStart(), 0);
    viewer()->searchAction->trigger();
    EXPECT_EQ(selected(), QStringLiteral("JKHD001"));
    EXPECT_GT(selectionStart(), 0);
    // Past the last one: the selection stays, and the next search starts again at the top.
    viewer()->searchAction->trigger();
    EXPECT_GT(selectionStart(), 0);
    viewer()->searchAction->trigger();
    EXPECT_EQ(selectionStart(), 0);

    // Escape empties the code field.
    QTest::keyClick(viewer()->referenceView, Qt::Key_Escape);
    EXPECT_EQ(viewer()->codeBox->currentText(), QString());
    EXPECT_TRUE(testDialogs().texts().isEmpty());
}

// Where the texts of a line start, as the line is laid out with the tab
// stops: one entry per run of text after a run of tabs.
struct Cell
{
    QString text;
    qreal x;
};
QList<Cell> cellsOf(const QString &text, const QTextLine &line)
{
    QList<Cell> cells;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('\t') || (i > 0 && text.at(i - 1) != QLatin1Char('\t')))
            continue;
        const int end = text.indexOf(QLatin1Char('\t'), i);
        cells.append({text.mid(i, end < 0 ? -1 : end - i), line.cursorToX(i)});
    }
    return cells;
}

// The sample shipped with the program, in the viewer: each act's texts start
// exactly where their titles in the header do.
TEST(CcamViewerTest, TheShippedSampleLinesUpWithTheHeader)
{
    TiravonSession session;
    QFile::copy(QStringLiteral(TIRAVON_TEST_DATA "/../../resources/CCAM.RTF"), session.path(QStringLiteral("CCAM.RTF")));
    session.start();
    actionOf(session.form(), "ccamTextAction")->trigger();
    QCoreApplication::processEvents();
    QTextEdit *view = viewer()->referenceView;

    // The header as it draws itself.
    const QString header = viewer()->columnsLabel->text();
    QTextLayout headerLayout(header, viewer()->columnsLabel->font());
    QTextOption option(Qt::AlignLeft | Qt::AlignVCenter);
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabStopDistance(view->tabStopDistance());
    headerLayout.setTextOption(option);
    headerLayout.beginLayout();
    QTextLine headerLine = headerLayout.createLine();
    headerLine.setLineWidth(100000);
    headerLayout.endLayout();
    QList<qreal> titles;
    for (const Cell &title : cellsOf(header, headerLine))
        titles << title.x;
    ASSERT_EQ(titles.size(), 9);

    // Each act: its code and wording under Code and Texte, then its
    // activity, phase and tariff under theirs (the sample has no flags).
    const QRegularExpression code(QStringLiteral("^[A-Z]{4}[0-9]{3}$"));
    int acts = 0;
    view->document()->documentLayout()->documentSize();
    for (QTextBlock block = view->document()->begin(); block.isValid(); block = block.next()) {
        const QList<Cell> first = cellsOf(block.text(), block.layout()->lineAt(0));
        if (first.isEmpty() || !code.match(first.first().text).hasMatch())
            continue;
        ++acts;
        SCOPED_TRACE(first.first().text.toStdString());
        ASSERT_EQ(first.size(), 2);
        EXPECT_NEAR(first.at(0).x, titles.at(0), 0.5);
        EXPECT_NEAR(first.at(1).x, titles.at(1), 0.5);
        const QTextBlock values = block.next();
        ASSERT_TRUE(values.isValid());
        const QList<Cell> second = cellsOf(values.text(), values.layout()->lineAt(0));
        ASSERT_GE(second.size(), 2);
        for (int i = 0; i < second.size(); ++i)
            EXPECT_NEAR(second.at(i).x, titles.at(2 + i), 0.5) << second.at(i).text.toStdString();
    }
    EXPECT_EQ(acts, 48);
}

TEST(CcamViewerTest, AReferenceTooLargeIsRefusedWithoutBeingRead)
{
    TiravonSession session;
    // 200 MB that take no room: the file is sparse.
    QFile huge(session.path(QStringLiteral("CCAM.RTF")));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.write(kReference) == kReference.size() && huge.resize(qint64(200) * 1024 * 1024));
    huge.close();
    session.start();
    testDialogs().clear();
    actionOf(session.form(), "ccamTextAction")->trigger();
    EXPECT_EQ(testDialogs().texts(), QStringList{QStringLiteral("Fichier \"CCAM.RTF\" trop volumineux (200 Mo) : un "
                                                                "texte de la CCAM ne dépasse pas 64 Mo. Il n'est pas ouvert.")});
    EXPECT_TRUE(viewer()->referenceView->toPlainText().isEmpty());
}

// The viewer alone, in a session's folder: the rest of the program is not
// made.
TEST(CcamViewerTest, TheReferenceIsLookedForBesideTheProgramWhenTheCurrentDirectoryHasNone)
{
    TiravonSession session;
    CcamViewerWindow alone;
    CcamViewerWindow *viewer = &alone;
    testDialogs().clear();
    viewer->show();
    EXPECT_EQ(testDialogs().texts(QStringLiteral("message")),
              QStringList{QStringLiteral("Fichier \"CCAM.RTF\" non trouvé")});
    viewer->hide();

    // Started from a desktop menu: the current directory is elsewhere.
    QTemporaryDir elsewhere;
    QDir::setCurrent(elsewhere.path());
    writeBytes(session.path(QStringLiteral("CCAM.RTF")), kReference);
    viewer->show();
    EXPECT_EQ(testDialogs().texts(QStringLiteral("message")).size(), 1);
    EXPECT_TRUE(viewer->referenceView->toPlainText().contains(QStringLiteral("Colposcopie")));
    viewer->hide();

    // A file that is not rich text says so, and the view keeps what it had.
    writeBytes(QDir(elsewhere.path()).filePath(QStringLiteral("CCAM.RTF")), QByteArray("\x00\x01junk", 6));
    viewer->show();
    EXPECT_EQ(testDialogs().texts(QStringLiteral("message")).value(1),
              QStringLiteral("Fichier \"CCAM.RTF\" illisible : ce n'est pas un texte RTF"));
    EXPECT_TRUE(viewer->referenceView->toPlainText().contains(QStringLiteral("Colposcopie")));
}

TEST(CcamViewerTest, ALeftFieldAddsItsTextOnceAndTheListsSurviveARestart)
{
    TiravonSession session;
    auto alone = std::make_unique<CcamViewerWindow>();
    CcamViewerWindow *viewer = alone.get();
    testDialogs().clear();
    viewer->show();
    viewer->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(viewer));
    auto leave = [viewer](QComboBox *combo) {
        combo->setFocus();
        viewer->referenceView->setFocus();
    };
    leave(viewer->codeBox);                    // its initial text is ordinary text
    leave(viewer->codeBox);
    viewer->codeBox->setEditText(QStringLiteral("code"));
    leave(viewer->codeBox);
    viewer->textBox->setEditText(QStringLiteral("biopsie"));
    leave(viewer->textBox);
    ASSERT_EQ(viewer->codeBox->count(), 1);
    EXPECT_EQ(viewer->codeBox->itemText(0), QStringLiteral("Code"));

    viewer->close();
    EXPECT_EQ(readBytes(session.path(QStringLiteral("LISTE_RECHERCHE_CODES.TXT"))), QByteArray("Code\r\n"));
    EXPECT_EQ(readBytes(session.path(QStringLiteral("LISTE_RECHERCHE_TEXTES.TXT"))), QByteArray("biopsie\r\n"));
    EXPECT_EQ(readBytes(session.path(QStringLiteral("LISTE_RECHERCHE_TARIFS.TXT"))), QByteArray());

    // Made again, as at the next start.
    alone = std::make_unique<CcamViewerWindow>();
    viewer = alone.get();
    EXPECT_EQ(viewer->textBox->count(), 1);
    EXPECT_EQ(viewer->textBox->itemText(0), QStringLiteral("biopsie"));
    EXPECT_EQ(viewer->textBox->currentText(), QStringLiteral("entrez un texte"));
}

TEST(CcamViewerTest, AListThatCannotBeReadOrWrittenIsReported)
{
    TiravonSession session;
    // A folder where the list of texts belongs can be neither read nor written.
    ASSERT_TRUE(QDir(session.folder()).mkdir(QStringLiteral("LISTE_RECHERCHE_TEXTES.TXT")));
    writeBytes(session.path(QStringLiteral("LISTE_RECHERCHE_CODES.TXT")), "JKHD001\r\n");
    writeBytes(session.path(QStringLiteral("LISTE_RECHERCHE_TARIFS.TXT")), "12,73\r\n");
    testDialogs().errorReportAnswers << false;      // Ignore
    CcamViewerWindow alone;
    CcamViewerWindow *viewer = &alone;
    const QStringList reports = testDialogs().texts(QStringLiteral("errorReport"));
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports.at(0).contains(QStringLiteral("=>procedure Tform_EDIT.FormCreate")));
    EXPECT_TRUE(reports.at(0).endsWith(QStringLiteral("=>create")));
    EXPECT_EQ(viewer->codeBox->count(), 1);    // read before the failure
    EXPECT_EQ(viewer->tariffBox->count(), 0);    // not read after it

    viewer->show();
    testDialogs().clear();
    viewer->close();
    const QStringList errors = testDialogs().texts(QStringLiteral("error"));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.at(0).startsWith(QStringLiteral("Impossible d'écrire dans ")));
    EXPECT_TRUE(errors.at(0).contains(QStringLiteral("LISTE_RECHERCHE_TEXTES.TXT")));
    EXPECT_TRUE(viewer->isVisible());            // it stays open
    EXPECT_EQ(readBytes(session.path(QStringLiteral("LISTE_RECHERCHE_TARIFS.TXT"))), QByteArray("12,73\r\n"));
}

TEST(CcamViewerTest, TheMenuLooksTheFirstCodeUpOnTheWebAndCopiesItForTheModifierDocuments)
{
    TiravonSession session;
    session.start();
    testDialogs().clear();
    CareSheetWindow *form = session.form();
    struct Case { QAction *item; const char *code; const char *address; const char *clipboard; };
    const Case cases[] = {
        {actionOf(form, "codingHelpAction"), "JKHD001", "https://www.aideaucodage.fr/ccam-JKHD001", nullptr},
        {actionOf(form, "ameliAction"), "JKHD001", "https://www.ameli.fr/accueil-de-la-ccam/trouver-un-acte/fiche-abregee.php?code=JKHD001", nullptr},
        {actionOf(form, "ameliAction"), "", "https://www.ameli.fr/accueil-de-la-ccam/trouver-un-acte/fiche-abregee.php?code=", nullptr},
        {actionOf(form, "modifiersNoteAction"), "JLQE002", "https://www.ameli.fr/fileadmin/user_upload/documents/ccamnote_V31.pdf", "JLQE002"},
        {actionOf(form, "modifiersNoteAction"), "", "https://www.ameli.fr/fileadmin/user_upload/documents/ccamnote_V31.pdf", ""},
        {actionOf(form, "officialJournalAction"), "JKHA001",
         "https://www.legifrance.gouv.fr/affichTexte.do?cidTexte=JORFTEXT000027478395", "JKHA001"},
    };
    for (const Case &c : cases) {
        QApplication::clipboard()->setText(QStringLiteral("before"));
        textField(form, "CCAM_1")->setText(QString::fromLatin1(c.code));
        ASSERT_TRUE(c.item->isEnabled()) << c.address;
        c.item->trigger();
        EXPECT_EQ(session.fake.opened.value(session.fake.opened.size() - 1), QString::fromLatin1(c.address));
        EXPECT_EQ(QApplication::clipboard()->text(),
                  c.clipboard ? QString::fromLatin1(c.clipboard) : QStringLiteral("before")) << c.address;
    }
}

} // namespace
