#include "core/tasks/TaskList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace morvane;

namespace {

// Records each notice with the row count the list has while the observer hears it.
struct Recorder final : TaskListObserver {
    explicit Recorder(const TaskList& l) : list(l) {}
    void Note(const std::string& what) {
        events.push_back(what + " #" + std::to_string(list.Count()));
    }
    void OnRowAboutToBeAppended(int row) override { Note("before append " + std::to_string(row)); }
    void OnRowAppended(int row) override { Note("append " + std::to_string(row)); }
    void OnRowAboutToBeRemoved(int row) override { Note("before remove " + std::to_string(row)); }
    void OnRowRemoved(int row) override { Note("remove " + std::to_string(row)); }
    void OnFieldChanged(int row, Field f) override {
        Note("field " + std::to_string(row) + "." + std::to_string(static_cast<int>(f)));
    }
    void OnAboutToClear() override { Note("before clear"); }
    void OnCleared() override { Note("clear"); }
    const TaskList& list;
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
    list.SetLastFailure(3, "cannot start c");
    EXPECT_TRUE(list.Remove(2));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.FieldOf(2, Field::Program), "c");
    EXPECT_EQ(list.LastFailureOf(2), "cannot start c") << "a failure moves with its row";
    EXPECT_EQ(list.LastFailureOf(1), "");
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

TEST(TaskList, ObserversHearEveryChangeBeforeAndAfterButNotNoOpWrites) {
    TaskList list;
    Recorder rec(list);
    list.AddObserver(&rec);
    list.Append(Named("a"));
    list.SetField(1, Field::CloseTime, "2026/12/07 10:00:00");
    list.SetField(1, Field::CloseTime, "2026/12/07 10:00:00");
    list.Append(Named("b"));
    list.Remove(1);
    list.Clear();
    list.RemoveObserver(&rec);
    list.Append(Named("c"));
    EXPECT_EQ(rec.events,
              (std::vector<std::string>{"before append 1 #0", "append 1 #1", "field 1.4 #1",
                                        "before append 2 #1", "append 2 #2", "before remove 1 #2",
                                        "remove 1 #1", "before clear #1", "clear #0"}));
}
