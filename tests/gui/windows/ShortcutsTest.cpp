// The "Raccourcis" window: a double click on a name hands that name to the
// care-sheet window; with nothing selected it is the list's index error.
// The window is tested alone.
#include "ScriptedDialogs.h"
#include "TiravonSession.h"

#include "widgets/ListBoxes.h"
#include "windows/ActShortcutsWindow.h"

#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(Shortcuts, ADoubleClickOpensTheEntryUnderItAndBelowTheEntriesNothingIsChosen)
{
    // The window alone, in a session's folder.
    TiravonSession session;
    ActShortcutsWindow window;
    window.show();
    QListWidget *list = window.actList;
    QStringList opened;
    window.openAct = [&opened](const QString &name) { opened << name; };
    testDialogs().clear();

    // Nothing in the list, then nothing selected.
    QWidget *area = list->viewport();
    // A double click arrives as a click followed by the double click.
    auto doubleClick = [area](const QPoint &at) {
        QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(area, Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, at);
    };
    const QPoint below(area->width() / 2, area->height() - 3);
    doubleClick(below);
    for (const char *name : {"echo", "BILAN", "Cs"})
        addUniqueEntry(list, QString::fromLatin1(name), false);
    doubleClick(below);
    EXPECT_EQ(testDialogs().texts(QStringLiteral("error")),
              QStringList(2, QStringLiteral("Index de liste hors limites (-1)")));
    EXPECT_EQ(opened, QStringList());

    // Sorted without regard to case: BILAN, Cs, echo.
    doubleClick(list->visualItemRect(list->item(1)).center());
    EXPECT_EQ(opened, QStringList{QStringLiteral("Cs")});
    EXPECT_EQ(testDialogs().texts(QStringLiteral("error")).size(), 2);

    // Deleting the chosen entry asks nothing and leaves the others.
    window.deleteAction->trigger();
    EXPECT_EQ(listEntries(list), (QStringList{QStringLiteral("BILAN"), QStringLiteral("echo")}));
    EXPECT_EQ(testDialogs().texts(QStringLiteral("confirm")), QStringList());
}

} // namespace
