// A fresh temporary folder for one test, with the Windows API stand-in's
// prefix (its drive C: and registry) inside it. Removed, and the previous
// MARLUNE_PREFIX restored, when the test ends.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>

namespace testing_support {

class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "marlune_test_XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
    if (const char* old = getenv("MARLUNE_PREFIX")) old_prefix_ = old;
    std::filesystem::create_directories(Prefix());
    setenv("MARLUNE_PREFIX", Prefix().c_str(), 1);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder() {
    if (old_prefix_) {
      setenv("MARLUNE_PREFIX", old_prefix_->c_str(), 1);
    } else {
      unsetenv("MARLUNE_PREFIX");
    }
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }

  const std::filesystem::path& Root() const { return root_; }
  std::filesystem::path Prefix() const { return root_ / "prefix"; }

  // Writes `content` to the file `name` in the folder; returns its full path.
  std::string Write(const std::string& name, const std::string& content) const {
    const std::filesystem::path path = root_ / name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
  }

 private:
  std::filesystem::path root_;
  std::optional<std::string> old_prefix_;
};

}  // namespace testing_support
