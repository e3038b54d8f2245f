#include "foxhost/runtime/handle_heap.h"

#include <gtest/gtest.h>

#include <cstring>

namespace foxhost {
namespace {

TEST(HandleHeap, ResizeKeepsContentsAndLockedBlocksStayPut) {
  HandleHeap heap;
  MHANDLE handle = heap.AllocateForHost("abc");
  ASSERT_TRUE(heap.Resize(handle, 5));
  EXPECT_EQ(heap.Bytes(handle, 3), "abc");

  ASSERT_TRUE(heap.Lock(handle));
  char* pinned = heap.Data(handle);
  EXPECT_TRUE(heap.Resize(handle, 4)) << "shrinking a locked block happens in place";
  EXPECT_FALSE(heap.Resize(handle, 64)) << "a locked block cannot move";
  EXPECT_EQ(heap.Data(handle), pinned);
  EXPECT_EQ(heap.Size(handle), 4u);
  EXPECT_TRUE(heap.Unlock(handle));
  EXPECT_FALSE(heap.Unlock(handle)) << "unlocked more often than locked";
}

TEST(HandleHeap, RefusesOneAllocationOnDemand) {
  HandleHeap heap;
  heap.RefuseAllocation(1);
  MHANDLE first = heap.Allocate(4);
  EXPECT_NE(first, 0);
  EXPECT_EQ(heap.Allocate(4), 0);
  EXPECT_NE(heap.Allocate(4), 0) << "only one is refused";

  heap.RefuseAllocation();
  EXPECT_TRUE(heap.Resize(first, 2)) << "shrinking is never refused";
  EXPECT_FALSE(heap.Resize(first, 8));
  EXPECT_NE(heap.AllocateForHost("x"), 0);
}

TEST(HandleHeap, FreedHandlesAreNeverReused) {
  HandleHeap heap;
  MHANDLE first = heap.Allocate(1);
  ASSERT_TRUE(heap.Free(first));
  EXPECT_FALSE(heap.Free(first));
  EXPECT_NE(heap.Allocate(1), first);
  EXPECT_EQ(heap.Data(first), nullptr);
}

}  // namespace
}  // namespace foxhost
