// FoxPro variables: the name table, public, private and local variables with
// scopes per routine, and one- and two-dimensional arrays.
//
// A name is visible from the current routine as its local, else as the
// private of the nearest routine on the call stack that declared it, else as
// a public. A routine's locals and privates go when it returns.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foxhost/runtime/fox_value.h"
#include "marlune/host/lck.h"

namespace foxhost {

enum class Scope { kPublic, kPrivate, kLocal };

struct Variable {
  std::string name;
  bool is_array = false;
  int32_t rows = 0;     // arrays: rows, or elements when columns is 0
  int32_t columns = 0;  // 0: one-dimensional
  std::vector<FoxValue> elements;
  FoxValue value;       // plain variables
};

using VariableId = int32_t;

class Variables {
 public:
  Variables();

  // The name's index in the name table, -1 when the name was never used.
  NTI NameIndex(std::string_view name) const;
  const std::string& Name(NTI index) const { return names_.at(index); }

  void EnterRoutine();
  void LeaveRoutine();

  // A new plain variable holding .F., or a new array whose elements hold .F.
  // (0 rows or elements allowed), replacing one of the same name in the
  // same scope.
  VariableId Create(std::string_view name, Scope scope);
  VariableId CreateArray(std::string_view name, Scope scope, int32_t rows, int32_t columns);

  std::optional<VariableId> Find(std::string_view name) const;
  Variable* Get(VariableId id);  // null when released
  bool Release(std::string_view name);  // false when no variable is visible

  // Reads a visible variable (an array gives its first element). Error 12
  // when there is none.
  FoxValue Read(std::string_view name) const;
  // Assigns to a visible variable, creating a private of the current
  // routine when there is none; assigning to an array fills every element.
  void Assign(std::string_view name, const FoxValue& value);

  // The element `subs` subscripts name (one subscript counts row by row
  // through a two-dimensional array). Error 31 when out of range.
  static FoxValue& Element(Variable& array, int subs, int32_t sub1, int32_t sub2);

 private:
  using Bindings = std::map<NTI, VariableId>;
  struct Routine {
    Bindings locals;
    Bindings privates;
  };

  NTI Intern(std::string_view name);
  Bindings& BindingsFor(Scope scope);
  VariableId Bind(std::string_view name, Scope scope, Variable variable);
  const Bindings* Holder(NTI index) const;
  void Unbind(Bindings& bindings);

  std::vector<std::string> names_;
  std::map<std::string, NTI> name_index_;
  std::map<VariableId, Variable> store_;
  VariableId next_id_ = 1;
  std::vector<Routine> routines_;
  Bindings publics_;
};

// FoxPro names are not case-sensitive; the table keeps them in upper case.
std::string NormalName(std::string_view name);

}  // namespace foxhost
