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
    void OnRowsAboutToBeAppended(int first, int last) override {
        Note("before append " + std::to_string(first) + "-" + std::to_string(last));
    }
    void OnRowsAppended(int first, int last) override {
        Note("append " + std::to_string(first) + "-" + std::to_string(last));
    }
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
    list.AppendAll({Named("b"), Named("c")});
    list.AppendAll({});
    list.Remove(1);
    list.Clear();
    list.RemoveObserver(&rec);
    list.Append(Named("c"));
    EXPECT_EQ(rec.events, (std::vector<std::string>{"before append 1-1 #0", "append 1-1 #1",
                                                    "field 1.4 #1", "before append 2-3 #1",
                                                    "append 2-3 #3", "before remove 1 #3",
                                                    "remove 1 #2", "before clear #2", "clear #0"}));
}

TEST(TaskList, IdsOutliveMovesAndTheTypedReadingFollowsTheTexts) {
    TaskList list;
    list.AppendAll({Named("a"), Named("b"), Named("c")});
    const TaskId b = list.IdOf(2);
    const TaskId c = list.IdOf(3);
    list.Remove(1);
    EXPECT_EQ(list.RowOf(b), 1);
    EXPECT_EQ(list.RowOf(c), 2);
    EXPECT_EQ(list.RowOf(list.IdOf(1) + 100), 0);
    list.Replace(2, Named("d"));
    EXPECT_EQ(list.RowOf(c), 2) << "an edited task keeps its id";
    EXPECT_GT(list.Append(Named("e")), 0);
    EXPECT_GT(list.IdOf(3), c) << "ids are never reused";

    EXPECT_EQ(list.IdleTaskCount(), 0);
    list.SetField(1, Field::Type, "Run - AfterNoMouseMoving 00-00-01-00");
    list.SetField(1, Field::After, "Hibernate - Q");
    EXPECT_EQ(list.IdleTaskCount(), 1);
    EXPECT_EQ(list.PlanOf(1).period, "00-00-01-00");
    EXPECT_EQ(list.PlanOf(1).power, PowerAction::Hibernate);
    EXPECT_TRUE(list.PlanOf(1).quit);
    list.SetField(1, Field::CloseTime, "2026/12/07 10:00:00");
    EXPECT_EQ(list.PlanOf(1).due, (DateTime{2026, 12, 7, 10, 0, 0}));
    list.Remove(1);
    EXPECT_EQ(list.IdleTaskCount(), 0);
}
