// The viewer's search: one position shared by every search, letters matched
// without regard to case, inside words too; a miss starts the next search
// from the top.
#include "acts/TextSearch.h"
#include "QtPrinting.h"

#include <gtest/gtest.h>

namespace {

TEST(TextSearchTest, EachSearchStartsWhereTheLastMatchEnded)
{
    const QString text = QStringLiteral("JKHD001\tPrélèvement zz\nJLQE002\tColposcopie ZZ\nJKHD001 bis");
    struct Step { const char *needle; int start; int next; };
    const Step steps[] = {
        {"zz", 20, 22},          // the first occurrence
        {"zz", 43, 45},          // then the second, in capitals
        {"jkhd001", 46, 53},     // another text continues after it, not from the top
        {"COLPO", -1, 0},        // behind the position: not found, back to the top
        {"COLPO", 31, 36},       // found from the top, inside a word
        {"", -1, 36},            // an empty text finds nothing and moves nothing
        {"PRÉLÈVEMENT", -1, 0},
        {"PRÉLÈVEMENT", 8, 19},  // accented capitals match too
    };
    TextSearch search;
    for (const Step &s : steps) {
        const auto match = search.next(text, QString::fromUtf8(s.needle));
        if (s.start < 0) {
            EXPECT_FALSE(match) << s.needle;
        } else {
            ASSERT_TRUE(match) << s.needle;
            EXPECT_EQ(match->start, s.start) << s.needle;
            EXPECT_EQ(match->length, int(QString::fromUtf8(s.needle).size())) << s.needle;
        }
        EXPECT_EQ(search.position(), s.next) << s.needle;
    }
}

TEST(TextSearchTest, APositionBeyondAShorterTextFindsNothingAndStartsAgain)
{
    TextSearch search;
    ASSERT_TRUE(search.next(QStringLiteral("aaaa bbbb cccc"), QStringLiteral("cccc")));
    EXPECT_FALSE(search.next(QStringLiteral("cccc"), QStringLiteral("cccc")));
    EXPECT_EQ(search.next(QStringLiteral("cccc"), QStringLiteral("cccc"))->start, 0);
}

} // namespace
