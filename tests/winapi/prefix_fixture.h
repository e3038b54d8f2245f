// A fresh temporary folder holding the stand-in's prefix (drive C:) for one
// test; removed, and MARLUNE_PREFIX restored, when the test ends.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "posix/prefix.h"

class PrefixTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "winapi_test_XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    if (const char* old = getenv("MARLUNE_PREFIX")) old_prefix_ = old;
    setenv("MARLUNE_PREFIX", (root_ / "prefix").c_str(), 1);
    drive_c_ = winapi::posix::drive_c_dir();
    old_cwd_ = std::filesystem::current_path();
  }
  void TearDown() override {
    std::filesystem::current_path(old_cwd_);
    if (old_prefix_.empty()) unsetenv("MARLUNE_PREFIX");
    else setenv("MARLUNE_PREFIX", old_prefix_.c_str(), 1);
    std::filesystem::remove_all(root_);
  }

  // Creates `relative` (below the test folder) holding `content`; a name
  // ending in '/' makes a folder. Returns the full POSIX path.
  std::string make(const std::string& relative, const std::string& content = "") {
    std::filesystem::path path = root_ / relative;
    if (relative.ends_with('/')) {
      std::filesystem::create_directories(path);
      return path.string();
    }
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
  }

  std::filesystem::path root_;
  std::string drive_c_;
  std::filesystem::path old_cwd_;
  std::string old_prefix_;
};
