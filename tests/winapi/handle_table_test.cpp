#include "posix/handle_table.h"

#include <gtest/gtest.h>

namespace winapi::posix {
namespace {

struct Thing : KernelObject {};
struct Other : KernelObject {};

TEST(HandleTable, StaleForeignAndWrongKindHandlesAreRefused) {
  HANDLE h = insert_handle(std::make_shared<Thing>());
  ASSERT_NE(h, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_NE(lookup_handle_as<Thing>(h), nullptr);
  EXPECT_EQ(lookup_handle_as<Other>(h), nullptr);

  ASSERT_NE(remove_handle(h), nullptr);
  EXPECT_EQ(lookup_handle(h), nullptr) << "closed handle still resolves";
  EXPECT_EQ(remove_handle(h), nullptr) << "double close accepted";

  // The slot is reused with a new generation: the old value stays dead.
  HANDLE again = insert_handle(std::make_shared<Thing>());
  EXPECT_NE(again, h);
  EXPECT_EQ(lookup_handle(h), nullptr);
  EXPECT_NE(lookup_handle(again), nullptr);
  remove_handle(again);

  for (HANDLE foreign : {HANDLE(nullptr), INVALID_HANDLE_VALUE, HANDLE(uintptr_t{0x1234567}),
                         HANDLE(uintptr_t{0x7fff0000})}) {
    EXPECT_EQ(lookup_handle(foreign), nullptr) << foreign;
  }
}

}  // namespace
}  // namespace winapi::posix
