// The object pool: capacity, the two lists, and what PoolUpdate does when moves free,
// allocate, or both.
#include "common/pool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// What the callbacks saw, in order; work[0] names a record.
std::vector<int> g_moved;
std::vector<int> g_freed;
std::vector<int> g_drawn;
std::vector<int> g_freeCountInOnFree;
int g_nextName = 0;

bool KeepMoving(Task* task) {
    g_moved.push_back(task->work[0]);
    return true;
}
bool StopMoving(Task* task) {
    g_moved.push_back(task->work[0]);
    return false;
}
void RecordFree(Task* task) {
    g_freed.push_back(task->work[0]);
    g_freeCountInOnFree.push_back(PoolFreeCount());
}
void RecordDraw(Task* task) { g_drawn.push_back(task->work[0]); }

Task* Spawn(TaskMoveFn move, TaskFn draw = nullptr) {
    Task* task = PoolAlloc();
    if (!task) return nullptr;
    task->move = move;
    task->draw = draw;
    task->onFree = RecordFree;
    task->work[0] = g_nextName++;
    return task;
}

bool SpawnFour(Task* task) {
    g_moved.push_back(task->work[0]);
    for (int i = 0; i < 4; ++i) Spawn(KeepMoving);
    return true;
}
bool SpawnFourAndStop(Task* task) {
    SpawnFour(task);
    return false;
}

class PoolTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_moved.clear();
        g_freed.clear();
        g_drawn.clear();
        g_freeCountInOnFree.clear();
        g_nextName = 0;
        PoolInit();
    }
    void TearDown() override { PoolTerm(); }

    static void ExpectCounts(int active) {
        EXPECT_EQ(PoolActiveCount(), active);
        EXPECT_EQ(PoolFreeCount(), kPoolTaskCount - active);
    }
};

TEST_F(PoolTest, HandsOutEveryRecordOfOneBlockThenRefuses) {
    std::vector<Task*> seen;
    for (int i = 0; i < kPoolTaskCount; ++i) {
        Task* task = PoolAlloc();
        ASSERT_NE(task, nullptr) << "allocation " << i;
        seen.push_back(task);
    }
    EXPECT_EQ(PoolAlloc(), nullptr);
    ExpectCounts(kPoolTaskCount);

    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end());
    EXPECT_EQ(seen.back() - seen.front(), kPoolTaskCount - 1);  // one contiguous block
}

TEST_F(PoolTest, ExhaustedPoolGivesOneRecordAgainPerRecordFreed) {
    Task* stopper = Spawn(StopMoving);
    while (Spawn(KeepMoving)) {
    }
    ExpectCounts(kPoolTaskCount);

    PoolUpdate();
    EXPECT_EQ(g_freed, std::vector<int>{stopper->work[0]});
    ExpectCounts(kPoolTaskCount - 1);
    EXPECT_EQ(PoolAlloc(), stopper);  // the freed record heads the free list
    EXPECT_EQ(PoolAlloc(), nullptr);
}

TEST_F(PoolTest, FreeUnlinksThroughTheGivenLinkThenCallsOnFree) {
    Task* older = Spawn(KeepMoving);
    Task* newer = Spawn(KeepMoving);
    ASSERT_EQ(newer->next, older);

    PoolFree(&newer->next);  // the link that leads to the older record
    EXPECT_EQ(newer->next, nullptr);
    EXPECT_EQ(g_freed, std::vector<int>{older->work[0]});
    // onFree runs once the record is back on the free list.
    EXPECT_EQ(g_freeCountInOnFree, std::vector<int>{kPoolTaskCount - 1});
    ExpectCounts(1);
}

TEST_F(PoolTest, UpdateMovesNewestFirstAndFreesEachRecordThatStops) {
    Spawn(KeepMoving);  // 0
    Spawn(StopMoving);  // 1
    Spawn(KeepMoving);  // 2
    Spawn(StopMoving);  // 3, the head

    PoolUpdate();
    EXPECT_EQ(g_moved, (std::vector<int>{3, 2, 1, 0}));
    EXPECT_EQ(g_freed, (std::vector<int>{3, 1}));
    ExpectCounts(2);

    g_moved.clear();
    PoolUpdate();
    EXPECT_EQ(g_moved, (std::vector<int>{2, 0}));
    EXPECT_EQ(g_freed.size(), 2u);  // each onFree ran exactly once
}

TEST_F(PoolTest, RecordsAllocatedByAMoveWaitForTheNextPass) {
    Spawn(KeepMoving);  // 0
    Spawn(SpawnFour);   // 1, creates 2..5

    PoolUpdate();
    EXPECT_EQ(g_moved, (std::vector<int>{1, 0}));
    ExpectCounts(6);

    g_moved.clear();
    PoolUpdate();
    // The first pass's children now move, newest first; the second pass's wait.
    EXPECT_EQ(g_moved, (std::vector<int>{5, 4, 3, 2, 1, 0}));
}

TEST_F(PoolTest, HeadThatAllocatesAndStopsIsTheRecordFreed) {
    Spawn(KeepMoving);        // 0
    Spawn(SpawnFourAndStop);  // 1, the head; creates 2..5 in front of itself

    PoolUpdate();
    EXPECT_EQ(g_moved, (std::vector<int>{1, 0}));
    EXPECT_EQ(g_freed, std::vector<int>{1});
    ExpectCounts(5);

    g_moved.clear();
    PoolUpdate();
    EXPECT_EQ(g_moved, (std::vector<int>{5, 4, 3, 2, 0}));
}

TEST_F(PoolTest, DrawVisitsNewestFirstAndSkipsRecordsWithoutDraw) {
    Spawn(KeepMoving, RecordDraw);  // 0
    Spawn(KeepMoving);              // 1
    Spawn(KeepMoving, RecordDraw);  // 2

    PoolDraw();
    EXPECT_EQ(g_drawn, (std::vector<int>{2, 0}));
    EXPECT_TRUE(g_moved.empty());
}

TEST_F(PoolTest, ChurnKeepsTheListsConsistent) {
    // Every record stops on its third move; new ones keep arriving each pass.
    auto stopOnThird = [](Task* task) {
        g_moved.push_back(task->work[0]);
        return ++task->work[1] < 3;
    };
    for (int pass = 0; pass < 50; ++pass) {
        for (int i = 0; i < 100; ++i) {
            Task* task = Spawn(stopOnThird);
            if (task) task->work[1] = 0;
        }
        PoolUpdate();
        const int active = PoolActiveCount();
        ASSERT_EQ(active + PoolFreeCount(), kPoolTaskCount);
        ASSERT_EQ(active, pass < 2 ? 100 * (pass + 1) : 200);
    }
    EXPECT_EQ(static_cast<int>(g_freed.size()), g_nextName - 200);
}

TEST_F(PoolTest, TermDropsActiveRecordsSilentlyAndInitStartsAfresh) {
    for (int i = 0; i < 10; ++i) Spawn(KeepMoving);
    PoolTerm();
    EXPECT_TRUE(g_freed.empty());
    EXPECT_EQ(PoolAlloc(), nullptr);
    EXPECT_EQ(PoolActiveCount(), 0);
    EXPECT_EQ(PoolFreeCount(), 0);
    PoolUpdate();  // an empty pool moves and draws nothing
    PoolDraw();

    PoolInit();
    ExpectCounts(0);
    PoolInit();  // again without PoolTerm: the first block is released, not leaked
    ExpectCounts(0);
    EXPECT_NE(PoolAlloc(), nullptr);
}

}  // namespace
