#include "core/waiter_list.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvan {
namespace {

using List = WaiterList<int>;

std::vector<int> HandlesOf(const List::Snapshot& snapshot) {
  std::vector<int> handles;
  for (const List::Waiter& waiter : snapshot.waiters) handles.push_back(waiter.handle);
  return handles;
}

TEST(WaiterList, TheSnapshotIsCopiedOnlyAfterAChange) {
  enum class Op { None, Add, Remove, Timer };
  struct Row {
    Op op;
    int handle;
    bool copied;
    std::vector<int> handles;
    uint32_t timeoutMs;  // what the snapshot's timer answers; 0 when it has none
    const char* what;
  };
  const Row rows[] = {
      {Op::None,   0, true,  {},        0,  "a fresh snapshot is always copied"},
      {Op::None,   0, false, {},        0,  "nothing changed: nothing copied"},
      {Op::Add,    1, true,  {1},       0,  "an added waiter"},
      {Op::None,   0, false, {1},       0,  "and it stays without another copy"},
      {Op::Add,    2, true,  {1, 2},    0,  "in the order they came"},
      {Op::Timer,  0, true,  {1, 2},    25, "a timer is a change"},
      {Op::None,   0, false, {1, 2},    25, ""},
      {Op::Remove, 1, true,  {2},       25, "a removed waiter goes"},
      {Op::Add,    1, true,  {2, 1},    25, "and may come back"},
      {Op::None,   0, false, {2, 1},    25, ""},
  };
  List list(62);
  List::Snapshot snapshot;
  for (const Row& r : rows) {
    switch (r.op) {
      case Op::None: break;
      case Op::Add: ASSERT_TRUE(list.Add(r.handle, [] {})) << r.what; break;
      case Op::Remove: list.Remove(r.handle); break;
      case Op::Timer: list.SetTimer([] { return 25u; }, [] {}); break;
    }
    EXPECT_EQ(list.CopyIfChanged(snapshot), r.copied) << r.what;
    EXPECT_EQ(HandlesOf(snapshot), r.handles) << r.what;
    EXPECT_EQ(snapshot.timeout ? snapshot.timeout() : 0u, r.timeoutMs) << r.what;
  }
}

TEST(WaiterList, HoldsAtMostItsCapacityAndARefusedAddIsNoChange) {
  // 62: one wait watches 64 handles, two of them the waiting thread's own stop and change events.
  for (const size_t capacity : {size_t{1}, size_t{8}, size_t{62}}) {
    List list(capacity);
    List::Snapshot snapshot;
    for (size_t i = 0; i < capacity; ++i) ASSERT_TRUE(list.Add(static_cast<int>(i), [] {})) << capacity;
    ASSERT_TRUE(list.CopyIfChanged(snapshot));
    EXPECT_FALSE(list.Add(-1, [] {})) << capacity << ": one more than the capacity";
    EXPECT_FALSE(list.CopyIfChanged(snapshot)) << capacity << ": the refusal changed nothing";
    EXPECT_EQ(snapshot.waiters.size(), capacity);
    list.Remove(0);
    EXPECT_TRUE(list.Add(-1, [] {})) << capacity << ": a removal makes room";
    ASSERT_TRUE(list.CopyIfChanged(snapshot));
    EXPECT_EQ(snapshot.waiters.size(), capacity);
    EXPECT_EQ(snapshot.waiters.back().handle, -1);
  }
}

TEST(WaiterList, AHandlerMayRemoveItsOwnHandleAndTheNextSnapshotLacksIt) {
  List list(62);
  List::Snapshot snapshot;
  int runs = 0;
  list.Add(1, [&] {
    ++runs;
    list.Remove(1);
  });
  list.Add(2, [&] { ++runs; });
  ASSERT_TRUE(list.CopyIfChanged(snapshot));
  for (const List::Waiter& waiter : snapshot.waiters) waiter.handler();
  EXPECT_EQ(runs, 2) << "the snapshot being worked through keeps what it had";
  ASSERT_TRUE(list.CopyIfChanged(snapshot));
  EXPECT_EQ(HandlesOf(snapshot), std::vector<int>{2});
}

}  // namespace
}  // namespace corvan
