// The text tables: arrival order, first match, and the add rule that
// splits the name out of the story for large task ids.
#include <gtest/gtest.h>

#include <string>

#include "tasks/TaskTables.h"

namespace {

std::string Text(const char* s)
{
    return s != nullptr ? s : "<null>";
}

TEST(TalkSentenceTable, FirstRecordOfAnIdWins)
{
    TalkSentenceTable table;
    EXPECT_EQ(table.Find(7), nullptr);
    table.Append(7, "first");
    table.Append(8, "other");
    table.Append(7, "second");
    EXPECT_EQ(Text(table.Find(7)), "first");
    EXPECT_EQ(table.Size(), 3u);
    table.Clear();
    EXPECT_EQ(table.Find(7), nullptr);
}

TEST(TaskLogTable, AddRule)
{
    const int32_t big = TaskLogTable::kSplitTaskID;
    struct Step {
        int32_t id;
        const char* name;
        const char* story;
    };
    struct Case {
        const char* what;
        std::vector<Step> steps;
        int32_t lookup;
        const char* name;   // expected FindName, null for none
        const char* story;  // expected FindStory
        size_t size;
    };
    const Case cases[] = {
        {"small ids keep both records, first found",
         {{5, "A", "S"}, {5, "B", "T"}},
         5,
         "A",
         "S",
         2},
        {"negative ids count as small", {{-3, "N", "S"}, {-3, "M", "T"}}, -3, "N", "S", 2},
        {"largest small id is kept as given",
         {{big - 1, "N", "a\r\n\r\n\r\nb"}},
         big - 1,
         "N",
         "a\r\n\r\n\r\nb",
         1},
        {"large id splits at the separator",
         {{big, "ignored", "desc\r\n\r\n\r\nName"}},
         big,
         "Name",
         "desc",
         1},
        {"large id replaces the earlier record",
         {{big, "", "old\r\n\r\n\r\nOld"}, {big, "", "new\r\n\r\n\r\nNew"}},
         big,
         "New",
         "new",
         1},
        {"no separator removes the earlier record and adds none",
         {{big, "", "old\r\n\r\n\r\nOld"}, {big, "", "no separator"}},
         big,
         nullptr,
         nullptr,
         0},
        {"two separators split at the first",
         {{big, "", "d\r\n\r\n\r\nn1\r\n\r\n\r\nn2"}},
         big,
         "n1\r\n\r\n\r\nn2",
         "d",
         1},
        {"only the first record of the id is removed",
         {{big, "", "a\r\n\r\n\r\nA"},
          {7, "x", "y"},
          {big + 1, "", "b\r\n\r\n\r\nB"},
          {big, "", "c\r\n\r\n\r\nC"}},
         big,
         "C",
         "c",
         3},
        {"two CR LF pairs are not a separator",
         {{big, "", "a\r\n\r\nb"}},
         big,
         nullptr,
         nullptr,
         0},
        {"separator at the very start gives an empty story",
         {{big, "", "\r\n\r\n\r\nN"}},
         big,
         "N",
         "",
         1},
    };
    for (const Case& c : cases) {
        TaskLogTable table;
        for (const Step& s : c.steps)
            table.Add(s.id, s.name, s.story);
        EXPECT_EQ(Text(table.FindName(c.lookup)), Text(c.name)) << c.what;
        EXPECT_EQ(Text(table.FindStory(c.lookup)), Text(c.story)) << c.what;
        EXPECT_EQ(table.Size(), c.size) << c.what;
    }
}

}  // namespace
