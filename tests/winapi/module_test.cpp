#include <winapi/windows.h>

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "posix/path_map.h"

namespace {

namespace fs = std::filesystem;

std::string read_file(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string handle_text(HINSTANCE h) {
  char text[64];
  std::snprintf(text, sizeof text, "%p", static_cast<void*>(h));
  return text;
}

class ModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("module_test_" + std::to_string(getpid()));
    fs::create_directories(dir_);
    setenv("MARLUNE_PREFIX", (dir_ / "prefix").c_str(), 1);
    log_ = dir_ / "probe.log";
    setenv("DLL_PROBE_LOG", log_.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("DLL_PROBE_LOG");
    unsetenv("DLL_PROBE_REFUSE");
    fs::remove_all(dir_);
  }

  fs::path dir_;
  fs::path log_;
};

TEST_F(ModuleTest, AttachAndDetachFollowLoadAndLastUnload) {
  void* lib = dlopen(DLL_PROBE_PATH, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(lib, nullptr) << dlerror();
  auto instance = reinterpret_cast<HINSTANCE (*)()>(dlsym(lib, "probe_instance"))();

  // The handle is the module's load base, and it names the module's file.
  Dl_info info;
  ASSERT_NE(dladdr(dlsym(lib, "probe_instance"), &info), 0);
  EXPECT_EQ(static_cast<void*>(instance), info.dli_fbase);
  EXPECT_EQ(read_file(log_), "attach " + handle_text(instance) + "\n");

  char name[MAX_PATH];
  DWORD n = GetModuleFileNameA(reinterpret_cast<HMODULE>(instance), name, sizeof name);
  char real[PATH_MAX];
  ASSERT_NE(realpath(DLL_PROBE_PATH, real), nullptr);
  EXPECT_EQ(std::string(name, n), winapi::posix::to_windows_path(real));
  EXPECT_EQ(GetModuleHandleA("dll_probe"), reinterpret_cast<HMODULE>(instance));

  // Converting a non-ASCII name leaves nothing behind that pins the module.
  auto probe_open = reinterpret_cast<bool (*)(const char*)>(dlsym(lib, "probe_open"));
  EXPECT_TRUE(probe_open((dir_ / "caf\xE9.txt").c_str()));

  // A second reference keeps it loaded; the last one unloads it for real.
  void* again = dlopen(DLL_PROBE_PATH, RTLD_NOW | RTLD_LOCAL);
  ASSERT_EQ(again, lib);
  dlclose(again);
  EXPECT_EQ(read_file(log_), "attach " + handle_text(instance) + "\n");
  dlclose(lib);
  EXPECT_EQ(read_file(log_),
            "attach " + handle_text(instance) + "\ndetach " + handle_text(instance) + "\n");

  SetLastError(0xDEADBEEF);
  EXPECT_EQ(GetModuleFileNameA(reinterpret_cast<HMODULE>(instance), name, sizeof name), 0u)
      << "unloaded module still found";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

// The files of the process's open descriptors whose name contains `part`.
int open_files_named(const std::string& part) {
  int count = 0;
  for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
    std::error_code ignored;
    count += fs::read_symlink(entry.path(), ignored).string().find(part) != std::string::npos;
  }
  return count;
}

TEST_F(ModuleTest, UnloadingClosesTheRegistryDatabase) {
  void* lib = dlopen(DLL_PROBE_PATH, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(lib, nullptr) << dlerror();
  ASSERT_TRUE(reinterpret_cast<bool (*)()>(dlsym(lib, "probe_registry"))());
  EXPECT_GT(open_files_named((dir_ / "prefix" / "registry.db").string()), 0);
  dlclose(lib);
  EXPECT_EQ(open_files_named((dir_ / "prefix" / "registry.db").string()), 0)
      << "the database (or its WAL) stays open after the module is gone";
}

TEST_F(ModuleTest, RefusedAttachIsDetachedAtOnceAndOnlyOnce) {
  setenv("DLL_PROBE_REFUSE", "1", 1);
  void* lib = dlopen(DLL_PROBE_PATH, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(lib, nullptr) << dlerror();
  std::string h = handle_text(reinterpret_cast<HINSTANCE (*)()>(dlsym(lib, "probe_instance"))());
  EXPECT_EQ(read_file(log_), "attach " + h + "\ndetach " + h + "\n");
  dlclose(lib);
  EXPECT_EQ(read_file(log_), "attach " + h + "\ndetach " + h + "\n");
}

TEST_F(ModuleTest, ExecutableFileName) {
  char exe[PATH_MAX];
  ssize_t len = readlink("/proc/self/exe", exe, sizeof exe - 1);
  ASSERT_GT(len, 0);
  std::string expected = winapi::posix::to_windows_path(std::string(exe, size_t(len)));

  char name[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, name, sizeof name);
  EXPECT_EQ(std::string(name, n), expected);
  EXPECT_EQ(name[0], 'Z');
  ASSERT_NE(GetModuleHandleA(nullptr), nullptr);
  n = GetModuleFileNameA(GetModuleHandleA(nullptr), name, sizeof name);
  EXPECT_EQ(std::string(name, n), expected);

  // Too small: truncated, terminated, the size returned, ERROR_INSUFFICIENT_BUFFER.
  char small[8];
  std::memset(small, 'x', sizeof small);
  SetLastError(0xDEADBEEF);
  EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof small), sizeof small);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(std::string(small), expected.substr(0, sizeof small - 1));
}

TEST_F(ModuleTest, UnknownModules) {
  SetLastError(0xDEADBEEF);
  EXPECT_EQ(GetModuleHandleA("no_such_module.dll"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  char name[MAX_PATH];
  int local = 0;
  EXPECT_EQ(GetModuleFileNameA(reinterpret_cast<HMODULE>(&local), name, sizeof name), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

}  // namespace
