// The library and machine information functions.
#include <cpuid.h>
#include <gtest/gtest.h>
#include <link.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include <winapi/windows.h>

#include "tests/support/test_host.h"

namespace foxhost {
namespace {

FoxValue C(std::string text) { return FoxValue::Character(std::move(text)); }
FoxValue I(int32_t value) { return FoxValue::Integer(value); }

// A POSIX path outside drive C: as the library sees it.
std::string DosPath(const std::filesystem::path& path) {
  std::string dos = "Z:" + std::filesystem::canonical(path).string();
  std::replace(dos.begin(), dos.end(), '/', '\\');
  return dos;
}

std::string SystemMessage(DWORD code) {
  char* text = nullptr;
  if (!FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS |
                          FORMAT_MESSAGE_FROM_SYSTEM,
                      nullptr, code, 0x0400, reinterpret_cast<LPSTR>(&text), 0, nullptr))
    return "";
  std::string message = text;
  LocalFree(text);
  return message;
}

class InformationTest : public ::testing::Test {
 protected:
  testing::TestHost host{MARLUNE_FLL};
};

TEST_F(InformationTest, GetFllInfoGivesThePathOrTheVersion) {
  EXPECT_EQ(host.Call("GetFllInfo", {I(1)}), C(DosPath(host.library_path())));
  EXPECT_EQ(host.Call("GetFllInfo", {I(0)}), C("1.01.0222"));
  EXPECT_EQ(host.Call("GetFllInfo", {I(2)}), C("1.01.0222"));
}

TEST_F(InformationTest, GetExeInfoGivesThePathOrTheProcessOrNothing) {
  EXPECT_EQ(host.Call("GetExeInfo", {I(1)}), C(DosPath("/proc/self/exe")));
  FoxValue pid = host.Call("GetExeInfo", {I(2)});
  EXPECT_EQ(pid, I(getpid()));
  EXPECT_EQ(pid.width, 10);
  EXPECT_EQ(host.Call("GetExeInfo", {I(3)}), FoxValue::Logical(true)) << "the host's default";
}

TEST_F(InformationTest, XTGetLastErrorMsgGivesTheSystemText) {
  std::string file_not_found = SystemMessage(2);
  ASSERT_TRUE(file_not_found.ends_with("\r\n"));
  EXPECT_EQ(host.Call("XTGetLastErrorMsg", {I(2)}), C(file_not_found));
  EXPECT_EQ(host.Call("XTGetLastErrorMsg"), C(SystemMessage(0))) << "no failure since loading";
  EXPECT_EQ(host.Call("XTGetLastErrorMsg", {I(0x7FFF1234)}), C(""));
}

TEST_F(InformationTest, GetCpuIDIsTheVendorAndFourGroups) {
  unsigned int eax, ebx, ecx, edx;
  __cpuid(0, eax, ebx, ecx, edx);
  char vendor[13] = {};
  std::memcpy(vendor, &ebx, 4);
  std::memcpy(vendor + 4, &edx, 4);
  std::memcpy(vendor + 8, &ecx, 4);

  FoxValue id = host.Call("GetCpuID");
  ASSERT_EQ(id.text.size(), 48u) << id.text;
  EXPECT_EQ(id.text.substr(0, 12), vendor);
  for (size_t dash : {12, 21, 30, 39}) EXPECT_EQ(id.text[dash], '-') << id.text;
  EXPECT_EQ(host.Call("GetCpuID"), id);
}

TEST_F(InformationTest, GetDefaultFontSizeIsNineWidthTwo) {
  FoxValue size = host.Call("GetDefaultFontSize");
  EXPECT_EQ(size, I(9));
  EXPECT_EQ(size.width, 2);
}

// Sets the locale variables the stand-in reads for the test's duration.
class LocaleOverride {
 public:
  explicit LocaleOverride(const char* lang) {
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
      const char* value = getenv(name);
      saved_.push_back({name, value ? std::optional<std::string>(value) : std::nullopt});
      unsetenv(name);
    }
    setenv("LANG", lang, 1);
  }
  ~LocaleOverride() {
    for (const auto& [name, value] : saved_) {
      if (value) setenv(name, value->c_str(), 1);
      else unsetenv(name);
    }
  }

 private:
  std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

TEST_F(InformationTest, DefaultFontAndLanguageFollowTheUserLanguage) {
  struct Case {
    const char* lang;
    std::string font;
    bool chinese;
  } cases[] = {
      {"zh_CN.GB2312", "\xCB\xCE\xCC\xE5", true},
      {"zh_TW.Big5", "Courier New", false},
      {"en_US.UTF-8", "Courier New", false},
  };
  for (const Case& c : cases) {
    LocaleOverride locale(c.lang);
    EXPECT_EQ(host.Call("GetDefaultFontName"), C(c.font)) << c.lang;
    EXPECT_EQ(host.Call("LangIsChinese"), FoxValue::Logical(c.chinese)) << c.lang;
  }
}

bool IsMapped(const std::string& file) {
  struct Search {
    const std::string* file;
    bool found = false;
  } search{&file};
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* data) {
        auto* s = static_cast<Search*>(data);
        if (info->dlpi_name && *s->file == info->dlpi_name) s->found = true;
        return 0;
      },
      &search);
  return search.found;
}

TEST(MarluneModule, EachHostLoadsItsOwnCopyAndReleaseUnloadsIt) {
  testing::TestHost first(MARLUNE_FLL);
  testing::TestHost second(MARLUNE_FLL);
  std::string copy = first.library_path().string();
  EXPECT_NE(copy, second.library_path().string());
  EXPECT_TRUE(IsMapped(copy));
  first.Unload();
  EXPECT_FALSE(IsMapped(copy));
  EXPECT_EQ(second.Call("GetFllInfo", {I(0)}), C("1.01.0222"));
}

}  // namespace
}  // namespace foxhost
