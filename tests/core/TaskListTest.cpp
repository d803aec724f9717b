#include "core/tasks/TaskList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace morvane;

namespace {

struct Recorder final : TaskListObserver {
    void OnRowAppended(int row) override { events.push_back("append " + std::to_string(row)); }
    void OnRowRemoved(int row) override { events.push_back("remove " + std::to_string(row)); }
    void OnFieldChanged(int row, Field f) override {
        events.push_back("field " + std::to_string(row) + "." +
                         std::to_string(static_cast<int>(f)));
    }
    void OnCleared() override { events.push_back("clear"); }
    std::vector<std::string> events;
};

Task Named(const std::string& name) {
    Task t;
    t.program = name;
    return t;
}

} // namespace

TEST(TaskList, RowsAreOneBasedAndShiftUpOnRemove) {
    TaskList list;
    list.Append(Named("a"));
    list.Append(Named("b"));
    EXPECT_EQ(list.Append(Named("c")), 3);
    EXPECT_TRUE(list.Remove(2));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.FieldOf(2, Field::Program), "c");
}

TEST(TaskList, MissingRowsChangeNothing) {
    TaskList list;
    list.Append(Named("a"));
    EXPECT_FALSE(list.Remove(0));
    EXPECT_FALSE(list.Remove(2));
    EXPECT_FALSE(list.SetField(5, Field::Loop, "None"));
    EXPECT_EQ(list.FieldOf(9, Field::Program), "");
    EXPECT_EQ(list.Count(), 1);
}

TEST(TaskList, ObserversHearEveryChangeButNotNoOpWrites) {
    TaskList list;
    Recorder rec;
    list.AddObserver(&rec);
    list.Append(Named("a"));
    list.SetField(1, Field::CloseTime, "2026/12/07 10:00:00");
    list.SetField(1, Field::CloseTime, "2026/12/07 10:00:00");
    list.Remove(1);
    list.Append(Named("b"));
    list.Clear();
    list.RemoveObserver(&rec);
    list.Append(Named("c"));
    EXPECT_EQ(rec.events,
              (std::vector<std::string>{"append 1", "field 1.4", "remove 1", "append 1", "clear"}));
}
