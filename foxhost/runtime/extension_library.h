// A loaded extension library: the module, and its table as read through
// `DispatchAPI`, each row's descriptor checked at load.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "foxhost/runtime/descriptor.h"
#include "marlune/host/lck.h"

namespace foxhost {

struct LibraryRow {
  std::string name;
  FPFI function;
  int count;
  std::string descriptor;
  std::vector<ParameterSpec> specs;
};

// The rows of a library's table. Error 11 when a row has no name, function
// or descriptor, when its count does not match its descriptor, or when it
// declares more parameters than a parameter block holds.
std::vector<LibraryRow> ReadLibraryTable(const FoxTable& table);

class ExtensionLibrary {
 public:
  // Error 1 when the file cannot be loaded or has no `DispatchAPI`, 11 when
  // its table is malformed.
  ExtensionLibrary(const std::string& path, const HostServices& services);
  ~ExtensionLibrary();
  ExtensionLibrary(const ExtensionLibrary&) = delete;
  ExtensionLibrary& operator=(const ExtensionLibrary&) = delete;

  const std::string& path() const { return path_; }
  const std::vector<LibraryRow>& rows() const { return rows_; }
  // A registered function by name, case-insensitive; null when absent.
  const LibraryRow* Function(std::string_view name) const;
  // The load (-2) or unload (-3) hook; null when absent.
  const LibraryRow* Hook(int count) const;

 private:
  std::string path_;
  void* module_ = nullptr;
  std::vector<LibraryRow> rows_;
  // Registered functions by their normal (upper-case) name: the first row of
  // a name is the one called.
  std::unordered_map<std::string, const LibraryRow*> functions_;
};

}  // namespace foxhost
