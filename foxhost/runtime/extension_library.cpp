#include "foxhost/runtime/extension_library.h"

#include <dlfcn.h>

#include "foxhost/runtime/fox_error.h"
#include "foxhost/runtime/variables.h"

namespace foxhost {
namespace {

using DispatchProc = FoxTable* (*)(const HostServices*);

}  // namespace

ExtensionLibrary::ExtensionLibrary(const std::string& path, const HostServices& services)
    : path_(path) {
  module_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!module_) throw FoxError(kErrorFileNotFound, "'" + path + "': " + dlerror());
  try {
    auto dispatch = reinterpret_cast<DispatchProc>(dlsym(module_, "DispatchAPI"));
    if (!dispatch) throw FoxError(kErrorFileNotFound, "'" + path + "' is not a FoxPro library");
    const FoxTable* table = dispatch(&services);
    if (!table) throw FoxError(kErrorFileNotFound, "'" + path + "' gave no library table");
    ReadTable(*table);
  } catch (...) {
    dlclose(module_);
    throw;
  }
}

ExtensionLibrary::~ExtensionLibrary() { dlclose(module_); }

void ExtensionLibrary::ReadTable(const FoxTable& table) {
  for (int i = 0; i < table.infoCount; ++i) {
    const FoxInfo& info = table.infoPtr[i];
    LibraryRow row{info.funcName, info.function, info.parmCount, info.parmTypes, {}};
    row.specs = ParseDescriptor(row.descriptor);
    bool hook = row.count == kLoadHookCount || row.count == kUnloadHookCount;
    if (hook ? !row.specs.empty() : row.count != static_cast<int>(row.specs.size()))
      throw FoxError(kErrorInvalidArgument, "library row " + row.name + ": count " +
                                                std::to_string(row.count) +
                                                " does not match descriptor \"" +
                                                row.descriptor + "\"");
    rows_.push_back(std::move(row));
  }
}

const LibraryRow* ExtensionLibrary::Function(std::string_view name) const {
  std::string wanted = NormalName(name);
  for (const LibraryRow& row : rows_)
    if (row.count >= 0 && NormalName(row.name) == wanted) return &row;
  return nullptr;
}

const LibraryRow* ExtensionLibrary::Hook(int count) const {
  for (const LibraryRow& row : rows_)
    if (row.count == count) return &row;
  return nullptr;
}

}  // namespace foxhost
