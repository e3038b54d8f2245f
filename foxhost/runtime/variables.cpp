#include "foxhost/runtime/variables.h"

#include <cctype>

#include "foxhost/runtime/fox_error.h"

namespace foxhost {

std::string NormalName(std::string_view name) {
  std::string normal(name);
  for (char& c : normal) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return normal;
}

Variables::Variables() : routines_(1) {}

NTI Variables::NameIndex(std::string_view name) const {
  auto it = name_index_.find(NormalName(name));
  return it == name_index_.end() ? -1 : it->second;
}

NTI Variables::Intern(std::string_view name) {
  std::string normal = NormalName(name);
  auto [it, added] = name_index_.emplace(normal, static_cast<NTI>(names_.size()));
  if (added) names_.push_back(normal);
  return it->second;
}

void Variables::EnterRoutine() { routines_.emplace_back(); }

void Variables::Unbind(Bindings& bindings) {
  for (const auto& [index, id] : bindings) store_.erase(id);
  bindings.clear();
}

void Variables::LeaveRoutine() {
  if (routines_.size() == 1) return;  // the program level stays
  Unbind(routines_.back().locals);
  Unbind(routines_.back().privates);
  routines_.pop_back();
}

Variables::Bindings& Variables::BindingsFor(Scope scope) {
  switch (scope) {
    case Scope::kPublic: return publics_;
    case Scope::kLocal: return routines_.back().locals;
    default: return routines_.back().privates;
  }
}

VariableId Variables::Bind(std::string_view name, Scope scope, Variable variable) {
  NTI index = Intern(name);
  Bindings& bindings = BindingsFor(scope);
  if (auto old = bindings.find(index); old != bindings.end()) store_.erase(old->second);
  variable.name = names_[index];
  VariableId id = next_id_++;
  store_.emplace(id, std::move(variable));
  bindings[index] = id;
  return id;
}

VariableId Variables::Create(std::string_view name, Scope scope) {
  return Bind(name, scope, Variable{});
}

VariableId Variables::CreateArray(std::string_view name, Scope scope, int32_t rows,
                                  int32_t columns) {
  Variable array;
  array.is_array = true;
  array.rows = rows;
  array.columns = columns;
  array.elements.assign(static_cast<size_t>(rows) * static_cast<size_t>(columns == 0 ? 1 : columns),
                        FoxValue::Logical(false));
  return Bind(name, scope, std::move(array));
}

const Variables::Bindings* Variables::Holder(NTI index) const {
  if (routines_.back().locals.count(index)) return &routines_.back().locals;
  for (auto routine = routines_.rbegin(); routine != routines_.rend(); ++routine)
    if (routine->privates.count(index)) return &routine->privates;
  if (publics_.count(index)) return &publics_;
  return nullptr;
}

std::optional<VariableId> Variables::Find(std::string_view name) const {
  NTI index = NameIndex(name);
  if (index < 0) return std::nullopt;
  const Bindings* holder = Holder(index);
  if (!holder) return std::nullopt;
  return holder->at(index);
}

Variable* Variables::Get(VariableId id) {
  auto it = store_.find(id);
  return it == store_.end() ? nullptr : &it->second;
}

bool Variables::Release(std::string_view name) {
  NTI index = NameIndex(name);
  if (index < 0) return false;
  auto* holder = const_cast<Bindings*>(Holder(index));
  if (!holder) return false;
  store_.erase(holder->at(index));
  holder->erase(index);
  return true;
}

FoxValue Variables::Read(std::string_view name) const {
  std::optional<VariableId> id = Find(name);
  if (!id) throw FoxError(kErrorVariableNotFound, "'" + NormalName(name) + "'");
  const Variable& variable = store_.at(*id);
  if (!variable.is_array) return variable.value;
  if (variable.elements.empty()) throw FoxError(kErrorInvalidSubscript, "'" + variable.name + "'");
  return variable.elements.front();
}

void Variables::Assign(std::string_view name, const FoxValue& value) {
  std::optional<VariableId> id = Find(name);
  if (!id) id = Create(name, Scope::kPrivate);
  Variable& variable = store_.at(*id);
  if (!variable.is_array) {
    variable.value = value;
    return;
  }
  for (FoxValue& element : variable.elements) element = value;
}

FoxValue& Variables::Element(Variable& array, int subs, int32_t sub1, int32_t sub2) {
  auto out_of_range = [&] {
    return FoxError(kErrorInvalidSubscript, "'" + array.name + "'");
  };
  if (!array.is_array) throw out_of_range();
  int64_t index;
  int64_t count = static_cast<int64_t>(array.elements.size());
  if (subs == 1 || (array.columns == 0 && (sub2 == 0 || sub2 == 1))) {
    index = static_cast<int64_t>(sub1) - 1;
  } else {
    if (sub2 < 1 || sub2 > array.columns || sub1 < 1 || sub1 > array.rows) throw out_of_range();
    index = (static_cast<int64_t>(sub1) - 1) * array.columns + (sub2 - 1);
  }
  if (index < 0 || index >= count) throw out_of_range();
  return array.elements[static_cast<size_t>(index)];
}

}  // namespace foxhost
