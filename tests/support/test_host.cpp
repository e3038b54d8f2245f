#include "tests/support/test_host.h"

#include <gtest/gtest.h>
#include <stdlib.h>

namespace foxhost::testing {
namespace {

namespace fs = std::filesystem;

fs::path FreshFolder() {
  std::string pattern = (fs::temp_directory_path() / "foxhost_test.XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
  return pattern;
}

std::string Text(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += "  " + line + "\n";
  return text;
}

}  // namespace

TestHost::TestHost(const std::string& module, const std::function<void(Runtime&)>& before_load)
    : folder_(FreshFolder()),
      library_(folder_ / fs::path(module).filename()),
      host_(language::MakeHost(output_)),
      runtime_(*host_.runtime) {
  fs::copy_file(module, library_);
  fs::create_directories(folder_ / "prefix");
  setenv("MARLUNE_PREFIX", (folder_ / "prefix").c_str(), 1);
  if (before_load) before_load(runtime_);
  runtime_.SetLibrary(library_.string());
  CheckDiscipline("the load hook");
}

TestHost::~TestHost() {
  Unload();
  std::error_code ignored;
  fs::remove_all(folder_, ignored);
}

void TestHost::Unload() {
  if (runtime_.libraries().empty()) return;
  runtime_.ReleaseLibraries();
  CheckDiscipline("the unload hook");
}

void TestHost::CheckDiscipline(std::string_view call) {
  std::vector<std::string> faults = runtime_.TakeDisciplineFaults();
  EXPECT_TRUE(faults.empty()) << call << " broke the handle discipline:\n" << Text(faults);
  EXPECT_TRUE(runtime_.heap().LockedHandles().empty()) << call << " left blocks locked";
  EXPECT_EQ(runtime_.heap().LiveCount(), 0u) << call << " left blocks alive";
}

FoxValue TestHost::Call(std::string_view name, std::vector<Argument> arguments) {
  FoxValue result = FoxValue::Logical(false);
  try {
    result = runtime_.Call(name, std::move(arguments));
  } catch (const FoxError& error) {
    ADD_FAILURE() << name << "() failed: error " << error.number() << ": " << error.what();
  }
  CheckDiscipline(name);
  return result;
}

FoxError TestHost::CallFails(std::string_view name, std::vector<Argument> arguments) {
  FoxError failure(0);
  try {
    runtime_.Call(name, std::move(arguments));
    ADD_FAILURE() << name << "() succeeded where it should fail";
  } catch (const FoxError& error) {
    failure = error;
  }
  CheckDiscipline(name);
  return failure;
}

void TestHost::Execute(std::string_view statement) {
  try {
    runtime_.Execute(statement);
  } catch (const FoxError& error) {
    ADD_FAILURE() << "statement failed: " << statement << ": " << error.what();
  }
  CheckDiscipline(statement);
}

FoxValue TestHost::Evaluate(std::string_view expression) {
  FoxValue value = FoxValue::Logical(false);
  try {
    value = runtime_.Evaluate(expression);
  } catch (const FoxError& error) {
    ADD_FAILURE() << "expression failed: " << expression << ": " << error.what();
  }
  CheckDiscipline(expression);
  return value;
}

}  // namespace foxhost::testing
