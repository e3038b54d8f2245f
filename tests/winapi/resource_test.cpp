// Resources a module declares, and MessageBoxA without a display.
#include <winapi/windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "posix/resources.h"

namespace {

const unsigned char kBytes[] = {1, 2, 3, 4, 5};
const winapi::posix::ResourceDeclaration kDeclared("DATA", 7, kBytes, sizeof kBytes);

TEST(Resource, DeclaredResourceIsFoundByIdAndTypeInItsModule) {
  HMODULE self = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(self, MAKEINTRESOURCEA(7), "DATA");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(SizeofResource(self, found), sizeof kBytes);
  const void* bytes = LockResource(LoadResource(self, found));
  ASSERT_NE(bytes, nullptr);
  EXPECT_EQ(memcmp(bytes, kBytes, sizeof kBytes), 0);

  struct Miss {
    LPCSTR name;
    LPCSTR type;
  };
  for (Miss miss : {Miss{MAKEINTRESOURCEA(8), "DATA"}, Miss{MAKEINTRESOURCEA(7), "MYRES"},
                    Miss{MAKEINTRESOURCEA(7), MAKEINTRESOURCEA(10)}, Miss{"DATA", "DATA"}}) {
    SetLastError(0);
    EXPECT_EQ(FindResourceA(self, miss.name, miss.type), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  }
  EXPECT_EQ(SizeofResource(self, nullptr), 0u);
  EXPECT_EQ(LoadResource(self, nullptr), nullptr);
}

TEST(Resource, MessageBoxWritesToStandardErrorAndAnswersOk) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(MessageBoxA(nullptr, "Some text", "Caption", MB_OK), IDOK);
  std::string written = testing::internal::GetCapturedStderr();
  EXPECT_NE(written.find("Caption"), std::string::npos);
  EXPECT_NE(written.find("Some text"), std::string::npos);
}

}  // namespace
