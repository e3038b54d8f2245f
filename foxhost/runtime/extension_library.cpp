#include "foxhost/runtime/extension_library.h"

#include <dlfcn.h>

#include "foxhost/runtime/fox_error.h"
#include "foxhost/runtime/variables.h"

namespace foxhost {
namespace {

using DispatchProc = FoxTable* (*)(const HostServices*);

[[noreturn]] void Malformed(const std::string& what) {
  throw FoxError(kErrorInvalidArgument, "malformed library table: " + what);
}

LibraryRow ReadRow(const FoxInfo& info) {
  if (!info.funcName || !info.function || !info.parmTypes)
    Malformed("a row without name, function or descriptor");
  LibraryRow row{info.funcName, info.function, info.parmCount, info.parmTypes, {}};
  row.specs = ParseDescriptor(row.descriptor);
  bool hook = row.count == kLoadHookCount || row.count == kUnloadHookCount;
  if (hook ? !row.specs.empty() : row.count != static_cast<int>(row.specs.size()))
    Malformed(row.name + ": count " + std::to_string(row.count) + " does not match \"" +
              row.descriptor + "\"");
  if (row.specs.size() > kMaxParameters)
    Malformed(row.name + ": more than " + std::to_string(kMaxParameters) + " parameters");
  return row;
}

}  // namespace

std::vector<LibraryRow> ReadLibraryTable(const FoxTable& table) {
  if (table.infoCount > 0 && !table.infoPtr) Malformed("no rows");
  std::vector<LibraryRow> rows;
  for (int i = 0; i < table.infoCount; ++i) rows.push_back(ReadRow(table.infoPtr[i]));
  return rows;
}

ExtensionLibrary::ExtensionLibrary(const std::string& path, const HostServices& services)
    : path_(path) {
  module_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!module_) throw FoxError(kErrorFileNotFound, "'" + path + "': " + dlerror());
  try {
    auto dispatch = reinterpret_cast<DispatchProc>(dlsym(module_, "DispatchAPI"));
    if (!dispatch) throw FoxError(kErrorFileNotFound, "'" + path + "' is not a FoxPro library");
    const FoxTable* table = dispatch(&services);
    if (!table) throw FoxError(kErrorFileNotFound, "'" + path + "' gave no library table");
    rows_ = ReadLibraryTable(*table);
  } catch (...) {
    dlclose(module_);
    throw;
  }
  for (const LibraryRow& row : rows_)
    if (row.count >= 0) functions_.emplace(NormalName(row.name), &row);
}

ExtensionLibrary::~ExtensionLibrary() { dlclose(module_); }

const LibraryRow* ExtensionLibrary::Function(std::string_view name) const {
  auto found = functions_.find(NormalName(name));
  return found == functions_.end() ? nullptr : found->second;
}

const LibraryRow* ExtensionLibrary::Hook(int count) const {
  for (const LibraryRow& row : rows_)
    if (row.count == count) return &row;
  return nullptr;
}

}  // namespace foxhost
