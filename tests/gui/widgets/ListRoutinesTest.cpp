// The list routines: the equality rule, unique additions to lists and combo
// boxes, and the order of sorted lists.

#include "SupportFixture.h"

#include "widgets/ListBoxes.h"

#include <QComboBox>
#include <QListWidget>

TEST(ListRoutines, EqualityFoldsOnlyTheLettersAToZ)
{
    const struct
    {
        const char *a, *b;
        bool same;
    } cases[] = {
        {"75011 paris", "75011 PARIS", true},
        {"Code", "code", true},
        {"75011 Évry", "75011 éVRY", false},
        {"é", "É", false},
        {"paris", "paris ", false},
        {"straße", "STRASSE", false},
        {"", "", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.a) + " / " + c.b);
        EXPECT_EQ(sameListEntry(QString::fromUtf8(c.a), QString::fromUtf8(c.b)), c.same);
    }
}

TEST(ListRoutines, AddUniqueToListAddsNewTextsOnlyAndTellsWhenAsked)
{
    QListWidget list;
    addUniqueEntry(&list, QStringLiteral("75011 PARIS"), false);
    addUniqueEntry(&list, QStringLiteral("75011 éVRY"), false);
    addUniqueEntry(&list, QStringLiteral("75011 paris"), true);   // equal: nothing added, nothing shown
    addUniqueEntry(&list, QString(), true);                       // empty: ignored
    EXPECT_TRUE(testDialogs().shown.isEmpty());

    addUniqueEntry(&list, QStringLiteral("75011 Évry"), true);
    EXPECT_EQ(testDialogs().texts(QStringLiteral("information")),
              QStringList{QStringLiteral("\"75011 Évry\" ajouté à la liste")});
    EXPECT_EQ(testDialogs().shown.size(), 1);
    // An unsorted list takes new texts at the end.
    EXPECT_EQ(listEntries(&list),
              QStringList({QStringLiteral("75011 PARIS"), QStringLiteral("75011 éVRY"), QStringLiteral("75011 Évry")}));
}

TEST(ListRoutines, ASortedListKeepsAlphabeticalOrderWithoutRegardToCase)
{
    const QStringList sorted{QStringLiteral("Angers"),  QStringLiteral("brest"),   QStringLiteral("Eaubonne"),
                             QStringLiteral("évian"),   QStringLiteral("Évry"),    QStringLiteral("Fresnes"),
                             QStringLiteral("paris"),   QStringLiteral("PARIS 11")};
    QListWidget list;
    makeSortedList(&list);
    setListEntries(&list, {QStringLiteral("paris"), QStringLiteral("Évry"), QStringLiteral("Angers")});
    EXPECT_EQ(listEntries(&list),
              QStringList({QStringLiteral("Angers"), QStringLiteral("Évry"), QStringLiteral("paris")}));
    for (const QString &text : {QStringLiteral("Fresnes"), QStringLiteral("évian"), QStringLiteral("PARIS 11"),
                                QStringLiteral("brest"), QStringLiteral("Eaubonne"), QStringLiteral("PARIS")})
        addUniqueEntry(&list, text, false);
    EXPECT_EQ(listEntries(&list), sorted);

    // Replacing every entry keeps the order too.
    QStringList reversed = sorted;
    std::reverse(reversed.begin(), reversed.end());
    setListEntries(&list, reversed);
    EXPECT_EQ(listEntries(&list), sorted);
}

// Entries equal for the collator (letter case, blanks, duplicates) keep the
// order the rule's tie-break gives them, and a list loaded whole is in the
// order a sorting of the list itself leaves.
TEST(ListRoutines, AListLoadedWholeIsInTheOrderOfTheListRule)
{
    const QStringList entries{QStringLiteral("paris"),  QStringLiteral("PARIS"),  QStringLiteral("Paris"),
                              QStringLiteral("évry"),   QStringLiteral("Evry"),   QStringLiteral("evry"),
                              QStringLiteral("Évry"),   QStringLiteral("paris"),  QStringLiteral(" paris"),
                              QStringLiteral("75011"),  QStringLiteral("7501"),   QStringLiteral("Œuf"),
                              QStringLiteral("oeuf"),   QStringLiteral("l'Haÿ"),  QStringLiteral("L HAY"),
                              QString(),                QStringLiteral("Zèbre"),  QStringLiteral("zebre")};
    QStringList expected = entries;
    std::stable_sort(expected.begin(), expected.end(), listOrderLess);
    EXPECT_EQ(sortedListEntries(entries), expected);
    EXPECT_EQ(sortedListEntries(expected), expected);
    QStringList oneOut = expected;
    oneOut.move(oneOut.size() - 1, 1);
    EXPECT_EQ(sortedListEntries(oneOut), expected);

    QListWidget loaded;
    makeSortedList(&loaded);
    setListEntries(&loaded, entries);
    QListWidget sortedByTheList;
    for (const QString &entry : entries)
        addListEntry(&sortedByTheList, entry);
    makeSortedList(&sortedByTheList);
    EXPECT_EQ(listEntries(&loaded), listEntries(&sortedByTheList));
    EXPECT_TRUE(loaded.isSortingEnabled());

    // An entry whose text is changed afterwards is read with its new text.
    QListWidgetItem *first = loaded.item(0);
    QListWidgetItem *second = loaded.item(1);
    first->setText(QStringLiteral("Zzz"));
    second->setData(Qt::EditRole, QStringLiteral("Yyy"));
    const QStringList changed = listEntries(&loaded);
    EXPECT_TRUE(changed.contains(QStringLiteral("Zzz")) && changed.contains(QStringLiteral("Yyy")));
    EXPECT_FALSE(changed.contains(QStringLiteral(" paris")) || changed.contains(QString()));
    addUniqueEntry(&loaded, QStringLiteral("zzz"), false);
    EXPECT_EQ(loaded.count(), entries.size());
}

TEST(ListRoutines, AddUniqueToComboAddsTheTextOnceAndLeavesTheFieldAsItIs)
{
    QComboBox combo;
    combo.setEditable(true);
    combo.setEditText(QStringLiteral("Code"));
    EXPECT_TRUE(addUniqueComboEntry(&combo, QStringLiteral("DEFAULT")));
    EXPECT_FALSE(addUniqueComboEntry(&combo, QStringLiteral("DEFAULT")));
    EXPECT_FALSE(addUniqueComboEntry(&combo, QStringLiteral("code")));
    EXPECT_TRUE(addUniqueComboEntry(&combo, QStringLiteral("Libellé"), true));
    EXPECT_FALSE(addUniqueComboEntry(&combo, QString()));
    EXPECT_EQ(combo.count(), 2);
    EXPECT_EQ(combo.itemText(0), QStringLiteral("Code"));
    EXPECT_EQ(combo.itemText(1), QStringLiteral("Libellé"));
    EXPECT_EQ(combo.currentText(), QStringLiteral("Code"));

    combo.setEditText(QString());
    EXPECT_FALSE(addUniqueComboEntry(&combo, QStringLiteral("DEFAULT")));
    EXPECT_EQ(combo.count(), 2);
    EXPECT_TRUE(testDialogs().shown.isEmpty());
}

TEST(ListRoutines, AddUniqueToComboDoesNotChangeWhatAFixedComboShows)
{
    QComboBox empty;
    EXPECT_TRUE(addUniqueComboEntry(&empty, QStringLiteral("JCJD001")));
    EXPECT_EQ(empty.count(), 1);
    EXPECT_EQ(empty.currentText(), QString());

    QComboBox filled;
    filled.addItems({QStringLiteral("A"), QStringLiteral("B")});
    filled.setCurrentIndex(1);
    EXPECT_TRUE(addUniqueComboEntry(&filled, QStringLiteral("C")));
    EXPECT_EQ(filled.currentText(), QStringLiteral("B"));
}
