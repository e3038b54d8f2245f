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

// Blocks of megabytes reuse freed storage; sizes and contents must still be
// exactly those asked for.
TEST(HandleHeap, LargeBlocksKeepTheirOwnSizesAndContents) {
  constexpr uint32_t kMiB = 1 << 20;
  HandleHeap heap;
  MHANDLE big = heap.AllocateForHost(std::string(3 * kMiB, 'a'));
  ASSERT_TRUE(heap.Free(big));

  MHANDLE smaller = heap.Allocate(2 * kMiB);  // may take the freed 3 MiB
  ASSERT_NE(smaller, 0);
  EXPECT_EQ(heap.Size(smaller), 2 * kMiB);
  std::memset(heap.Data(smaller), 'b', 2 * kMiB);
  EXPECT_EQ(heap.Bytes(smaller, 3 * kMiB), std::string(2 * kMiB, 'b')) << "never past the block's size";

  ASSERT_TRUE(heap.Resize(smaller, 5 * kMiB));
  EXPECT_EQ(heap.Bytes(smaller, 2 * kMiB), std::string(2 * kMiB, 'b'));
  ASSERT_TRUE(heap.Resize(smaller, 10));
  EXPECT_EQ(heap.Bytes(smaller, 100), std::string(10, 'b'));

  MHANDLE other = heap.AllocateForHost(std::string(2 * kMiB, 'c'));
  EXPECT_EQ(heap.Bytes(other, 2 * kMiB), std::string(2 * kMiB, 'c'));
  EXPECT_EQ(heap.Bytes(smaller, 100), std::string(10, 'b')) << "blocks never share storage";
}

}  // namespace
}  // namespace foxhost
