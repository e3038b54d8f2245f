#include "foxhost/language/builtins.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "foxhost/language/display.h"
#include "foxhost/language/interpreter.h"
#include "foxhost/language/program_error.h"

namespace foxhost::language {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void Invalid() { throw ProgramError(kErrorInvalidArgument, ErrorText(kErrorInvalidArgument), 0); }

// Argument access with FoxPro's checks.
struct Args {
  BuiltinCall& call;
  size_t count() const { return call.arguments.size(); }
  void Count(size_t low, size_t high) const {
    if (count() < low || count() > high) Invalid();
  }
  const FoxValue& Any(size_t i) const { return call.arguments.at(i); }
  bool Has(size_t i) const { return i < count(); }
  const std::string& Text(size_t i) const {
    if (Any(i).type != 'C') Invalid();
    return Any(i).text;
  }
  double Number(size_t i) const {
    if (!Any(i).IsNumber()) Invalid();
    return Any(i).AsDouble();
  }
  int64_t Whole(size_t i) const {
    double number = Number(i);
    if (number > 2147483647.0 || number < -2147483648.0) Invalid();
    return static_cast<int64_t>(number);
  }
  bool Flag(size_t i) const {
    if (Any(i).type != 'L') Invalid();
    return Any(i).logical;
  }
  Variable& Array(size_t i) const {
    if (i >= call.arrays.size() || !call.arrays[i]) Invalid();
    return *call.arrays[i];
  }
};

FoxValue Text(std::string text) { return FoxValue::Character(std::move(text)); }
FoxValue Int(int64_t value) { return FoxValue::Integer(static_cast<int32_t>(value)); }
int Decimals(const FoxValue& value) { return value.type == 'N' ? value.decimals : 0; }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}
std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// TRANSFORM without a picture: values as text, numbers without padding.
std::string AsText(const FoxValue& value) {
  switch (value.type) {
    case 'C': return value.text;
    case 'N': return FormatNumber(value.number, value.decimals);
    case 'I': return std::to_string(value.integer);
    default: return Display(value);
  }
}

// -1, 0, 1; values of different types are a type mismatch.
int Compare(const FoxValue& a, const FoxValue& b, bool exact) {
  if (a.type == 'C' && b.type == 'C') {
    std::string x = a.text, y = b.text;
    if (exact || x.size() < y.size()) x.resize(std::max(x.size(), y.size()), ' ');
    else x.resize(y.size());
    y.resize(x.size(), ' ');
    int order = x.compare(y);
    return order < 0 ? -1 : order > 0 ? 1 : 0;
  }
  if (a.IsNumber() && b.IsNumber()) return a.AsDouble() < b.AsDouble() ? -1 : a.AsDouble() > b.AsDouble();
  if (a.type == 'L' && b.type == 'L') return static_cast<int>(a.logical) - static_cast<int>(b.logical);
  throw ProgramError(kErrorDataTypeMismatch, ErrorText(kErrorDataTypeMismatch), 0);
}

// Same type and equal under the comparison rules; never an error.
bool Matches(const FoxValue& a, const FoxValue& b, bool exact) {
  bool same = a.type == b.type || (a.IsNumber() && b.IsNumber());
  return same && a.type != '0' && Compare(a, b, exact) == 0;
}

char TypeLetter(const FoxValue& value) {
  switch (value.type) {
    case 'I': return 'N';
    case '0': return 'X';
    default: return value.type;
  }
}

size_t LastSeparator(const std::string& path) {
  size_t at = path.find_last_of("\\/:");
  return at == std::string::npos ? 0 : at + 1;
}

std::string FileName(const std::string& path) { return path.substr(LastSeparator(path)); }

// The position of the extension's dot in `path`, npos when it has none.
size_t ExtensionDot(const std::string& path) {
  size_t dot = path.rfind('.');
  return dot == std::string::npos || dot < LastSeparator(path) ? std::string::npos : dot;
}

// ----- text

FoxValue Len(BuiltinCall& c) {
  Args a{c};
  a.Count(1, 1);
  return Int(static_cast<int64_t>(a.Text(0).size()));
}

FoxValue Substr(BuiltinCall& c) {
  Args a{c};
  a.Count(2, 3);
  const std::string& text = a.Text(0);
  int64_t start = a.Whole(1);
  int64_t length = a.Has(2) ? a.Whole(2) : static_cast<int64_t>(text.size());
  if (start < 1 || length < 0 || start > static_cast<int64_t>(text.size())) return Text("");
  return Text(text.substr(static_cast<size_t>(start - 1), static_cast<size_t>(length)));
}

FoxValue Left(BuiltinCall& c) {
  Args a{c};
  a.Count(2, 2);
  int64_t n = a.Whole(1);
  return Text(n <= 0 ? "" : a.Text(0).substr(0, static_cast<size_t>(n)));
}

FoxValue Right(BuiltinCall& c) {
  Args a{c};
  a.Count(2, 2);
  const std::string& text = a.Text(0);
  int64_t n = std::min<int64_t>(a.Whole(1), static_cast<int64_t>(text.size()));
  return Text(n <= 0 ? "" : text.substr(text.size() - static_cast<size_t>(n)));
}

FoxValue FindAt(BuiltinCall& c, bool from_right) {
  Args a{c};
  a.Count(2, 3);
  const std::string& wanted = a.Text(0);
  const std::string& text = a.Text(1);
  int64_t occurrence = a.Has(2) ? a.Whole(2) : 1;
  if (occurrence < 1) Invalid();
  if (wanted.empty() || wanted.size() > text.size()) return Int(0);
  if (!from_right) {
    size_t at = 0;
    for (int64_t n = 0;; ++n, ++at) {
      at = text.find(wanted, at);
      if (at == std::string::npos) return Int(0);
      if (n + 1 == occurrence) return Int(static_cast<int64_t>(at) + 1);
    }
  }
  size_t at = text.size() - wanted.size();
  for (int64_t n = 0;; ++n) {
    at = text.rfind(wanted, at);
    if (at == std::string::npos) return Int(0);
    if (n + 1 == occurrence) return Int(static_cast<int64_t>(at) + 1);
    if (at == 0) return Int(0);
    --at;
  }
}
FoxValue At(BuiltinCall& c) { return FindAt(c, false); }
FoxValue Rat(BuiltinCall& c) { return FindAt(c, true); }

FoxValue Occurs(BuiltinCall& c) {
  Args a{c};
  a.Count(2, 2);
  const std::string& wanted = a.Text(0);
  const std::string& text = a.Text(1);
  int64_t count = 0;
  if (!wanted.empty())
    for (size_t at = text.find(wanted); at != std::string::npos; at = text.find(wanted, at + 1)) ++count;
  return Int(count);
}

// A function of one character argument answering text.
template <typename Function>
FoxValue OfText(BuiltinCall& c, Function function) {
  Args a{c};
  a.Count(1, 1);
  return Text(function(a.Text(0)));
}

FoxValue UpperFn(BuiltinCall& c) { return OfText(c, Upper); }
FoxValue LowerFn(BuiltinCall& c) { return OfText(c, Lower); }

FoxValue Proper(BuiltinCall& c) {
  Args a{c};
  a.Count(1, 1);
  std::string text = Lower(a.Text(0));
  bool start = true;
  for (char& ch : text) {
    if (start) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    start = ch == ' ';
  }
  return Text(text);
}

FoxValue Trim(BuiltinCall& c, bool left, bool right) {
  Args a{c};
  a.Count(1, 1);
  std::string text = a.Text(0);
  size_t begin = 0, end = text.size();
  if (left) while (begin < end && IsBlank(text[begin])) ++begin;
  if (right) while (end > begin && text[end - 1] == ' ') --end;
  if (left && right) while (end > begin && IsBlank(text[end - 1])) --end;
  return Text(text.substr(begin, end - begin));
}
FoxValue Alltrim(BuiltinCall& c) { return Trim(c, true, true); }
FoxValue Ltrim(BuiltinCall& c) { return Trim(c, true, false); }
FoxValue Rtrim(BuiltinCall& c) { return Trim(c, false, true); }

FoxValue Pad(BuiltinCall& c, char where) {
  Args a{c};
  a.Count(2, 3);
  std::string text = AsText(a.Any(0));
  int64_t width = a.Whole(1);
  std::string fill = a.Has(2) ? a.Text(2) : " ";
  char f = fill.empty() ? ' ' : fill[0];
  if (width <= 0) return Text("");
  size_t n = static_cast<size_t>(width);
  if (text.size() >= n) return Text(text.substr(0, n));
  size_t missing = n - text.size();
  if (where == 'L') return Text(std::string(missing, f) + text);
  if (where == 'R') return Text(text + std::string(missing, f));
  return Text(std::string(missing / 2, f) + text + std::string(missing - missing / 2, f));
}
FoxValue Padl(BuiltinCall& c) { return Pad(c, 'L'); }
FoxValue Padr(BuiltinCall& c) { return Pad(c, 'R'); }
FoxValue Padc(BuiltinCall& c) { return Pad(c, 'C'); }

FoxValue Space(BuiltinCall& c) {
  Args a{c};
  a.Count(1, 1);
  int64_t n = a.Whole(0);
  if (n < 0 || n > 16777184) Invalid();
  return Text(std::string(static_cast<size_t>(n), ' '));
}

FoxValue Replicate(BuiltinCall& c) {
  Args a{c};
  a.Count(2, 2);
  const std::string& text = a.Text(0);
  int64_t n = a.Whole(1);
  if (n < 0 || static_cast<double>(n) * static_cast<double>(text.size()) > 16777184) Invalid();
  std::string out;
  for (int64_t i = 0; i < n; ++i) out += text;
  return Text(out);
}

FoxValue Strtran(BuiltinCall& c) {
  Args a{c};
  a.Count(2, 5);
  const std::string& text = a.Text(0);
  const std::string& wanted = a.Text(1);
  std::string replacement = a.Has(2) ? a.Text(2) : "";
  int64_t first = a.Has(3) ? a.Whole(3) : 1;
  int64_t count = a.Has(4) ? a.Whole(4) : -1;
  if (wanted.empty()) return Text(text);
  std::string out;
  size_t at = 0;
  int64_t seen = 0, replaced = 0;
  for (size_t found = text.find(wanted); found != std::string::npos; found = text.find(wanted, at)) {
    out += text.substr(at, found - at);
    ++seen;
    if (seen >= first && (count < 0 || replaced < count)) {
      out += replacement;
      ++replaced;
    } else {
      out += wanted;
    }
    at = found + wanted.size();
  }
  return Text(out + text.substr(at));
}

FoxValue Chrtran(BuiltinCall& c) {
  Args a{c};
  a.Count(3, 3);
  const std::string& from = a.Text(1);
  const std::string& to = a.Text(2);
  std::string out;
  for (char ch : a.Text(0)) {
    size_t at = from.find(ch);
    if (at == std::string::npos) out += ch;
    else if (at < to.size()) out += to[at];
  }
  return Text(out);
}

FoxValue Stuff(BuiltinCall& c) {
  Args a{c};
  a.Count(4, 4);
  std::string text = a.Text(0);
  int64_t start = a.Whole(1), count = a.Whole(2);
  if (start < 1 || count < 0) Invalid();
  size_t from = std::min(static_cast<size_t>(start - 1), text.size());
  return Text(text.replace(from, static_cast<size_t>(count), a.Text(3)));
}

FoxValue Chr(BuiltinCall& c) {
  Args a{c};
  a.Count(1, 1);
  int64_t code = a.Whole(0);
  if (code < 0 || code > 255) Invalid();
  return Text(std::string(1, static_cast<char>(code)));
}

FoxValue Asc(BuiltinCall& c) {
  Args a{c};
  a.Count(1, 1);
  const std::string& text = a.Text(0);
  return Int(text.empty() ? 0 : static_cast<unsigned char>(text[0]));
}

// ----- numbers

FoxValue Str(BuiltinCall& c) {
  Args a{c};
  a.Count(1, 3);
  double number = a.Number(0);
  int64_t width = a.Has(1) ? a.Whole(1) : 10;
  int64_t decimals = a.Has(2) ? a.Whole(2) : 0;
  if (width < 1 || width > 255 || decimals < 0) Invalid();
  // Decimals give way first when the number does not fit.
  for (int64_t d = std::min<int64_t>(decimals, width - 2); d >= 0; --d) {
    std::string text = FormatNumber(number, static_cast<int>(d));
    if (static_cast<int64_t>(text.size()) <= width)
      return Text(std::string(static_cast<size_t>(width) - text.size(), ' ') + text);
  }
  std::string text = FormatNumber(number, 0);
  if (static_cast<int64_t>(text.size()) <= width)
    return Text(std::string(static_cast<size_t>(width) - text.size(), ' ') + text);
  return Text(std::string(static_cast<size_t>(width), '*'));
}

FoxValue Val(BuiltinCall& c) {
  Args a{c};
  a.Count(1, 1);
  const std::string& text = a.Text(0);
  size_t at = 0;
  while (at < text.size() && IsBlank(text[at])) ++at;
  const char* begin = text.c_str() + at;
  char* end = nullptr;
  double number = std::strtod(begin, &end);
  std::string written(begin, static_cast<size_t>(end - begin));
  size_t dot = written.find('.');
  int decimals = dot == std::string::npos ? 0 : static_cast<int>(written.size() - dot - 1);
  return FoxValue::Numeric(number, 10, std::max(2, decimals));
}

FoxValue IntFn(BuiltinCall& c) {
  Args a{c};
  a.Count(1, 1);
  if (a.Any(0).type == 'I') return a.Any(0);
  return FoxValue::Numeric(std::trunc(a.Number(0)), 10, 0);
}

FoxValue Round(BuiltinCall& c) {
  Args a{c};
  a.Count(2, 2);
  double number = a.Number(0);
  int64_t places = a.Whole(1);
  double scale = std::pow(10.0, static_cast<double>(places));
  double rounded = std::round(number * scale) / scale;
  if (a.Any(0).type == 'I' && places >= 0) return a.Any(0);
  return FoxValue::Numeric(rounded, 10, static_cast<int>(std::max<int64_t>(0, places)));
}

FoxValue Mod(BuiltinCall& c) {
  Args a{c};
  a.Count(2, 2);
  double x = a.Number(0), y = a.Number(1);
  if (y == 0) throw ProgramError(1307, "Division by zero.", 0);
  double r = std::fmod(x, y);
  if (r != 0 && ((r < 0) != (y < 0))) r += y;
  if (a.Any(0).type == 'I' && a.Any(1).type == 'I') return Int(static_cast<int64_t>(r));
  return FoxValue::Numeric(r, 10, std::max(Decimals(a.Any(0)), Decimals(a.Any(1))));
}

FoxValue Abs(BuiltinCall& c) {
  Args a{c};
  a.Count(1, 1);
  FoxValue value = a.Any(0);
  a.Number(0);
  if (value.type == 'I' && value.integer != INT32_MIN) value.integer = std::abs(value.integer);
  else if (value.type == 'I') return FoxValue::Numeric(2147483648.0);
  else value.number = std::fabs(value.number);
  return value;
}

FoxValue Sign(BuiltinCall& c) {
  Args a{c};
  a.Count(1, 1);
  double number = a.Number(0);
  return Int(number > 0 ? 1 : number < 0 ? -1 : 0);
}

FoxValue Extreme(BuiltinCall& c, int wanted) {
  Args a{c};
  if (a.count() < 2) Invalid();
  FoxValue best = a.Any(0);
  for (size_t i = 1; i < a.count(); ++i) {
    if (a.Any(i).type == '0' || best.type == '0') return FoxValue::Null();
    if (Compare(a.Any(i), best, true) == wanted) best = a.Any(i);
  }
  return best;
}
FoxValue Max(BuiltinCall& c) { return Extreme(c, 1); }
FoxValue Min(BuiltinCall& c) { return Extreme(c, -1); }

// ----- values and types

FoxValue Transform(BuiltinCall& c) {
  Args a{c};
  a.Count(1, 2);
  std::string text = AsText(a.Any(0));
  if (a.Has(1) && a.Text(1).find("@!") != std::string::npos) text = Upper(text);
  return Text(text);
}

FoxValue Type(BuiltinCall& c) {
  Args a{c};
  a.Count(1, 2);
  const std::string& expression = a.Text(0);
  try {
    return Text(std::string(1, TypeLetter(c.interpreter.EvaluateText(expression))));
  } catch (const FoxError&) {
    return Text("U");
  }
}

FoxValue Vartype(BuiltinCall& c) {
  Args a{c};
  a.Count(1, 2);
  if (a.Any(0).type == '0' && !(a.Has(1) && a.Flag(1))) return Text("X");
  if (a.Any(0).type == '0') return Text("L");
  return Text(std::string(1, TypeLetter(a.Any(0))));
}

FoxValue Empty(BuiltinCall& c) {
  Args a{c};
  a.Count(1, 1);
  const FoxValue& value = a.Any(0);
  switch (value.type) {
    case 'C': return FoxValue::Logical(std::all_of(value.text.begin(), value.text.end(), IsBlank));
    case 'N': return FoxValue::Logical(value.number == 0);
    case 'I': return FoxValue::Logical(value.integer == 0);
    case 'L': return FoxValue::Logical(!value.logical);
    default: return FoxValue::Logical(false);
  }
}

FoxValue Isnull(BuiltinCall& c) {
  Args a{c};
  a.Count(1, 1);
  return FoxValue::Logical(a.Any(0).type == '0');
}

FoxValue Nvl(BuiltinCall& c) {
  Args a{c};
  a.Count(2, 2);
  return a.Any(0).type == '0' ? a.Any(1) : a.Any(0);
}

FoxValue Between(BuiltinCall& c) {
  Args a{c};
  a.Count(3, 3);
  for (size_t i = 0; i < 3; ++i)
    if (a.Any(i).type == '0') return FoxValue::Null();
  bool exact = c.interpreter.exact();
  return FoxValue::Logical(Compare(a.Any(0), a.Any(1), exact) >= 0 && Compare(a.Any(0), a.Any(2), exact) <= 0);
}

FoxValue Inlist(BuiltinCall& c) {
  Args a{c};
  if (a.count() < 2) Invalid();
  if (a.Any(0).type == '0') return FoxValue::Null();
  for (size_t i = 1; i < a.count(); ++i)
    if (Compare(a.Any(0), a.Any(i), c.interpreter.exact()) == 0) return FoxValue::Logical(true);
  return FoxValue::Logical(false);
}

FoxValue Evaluate(BuiltinCall& c) {
  Args a{c};
  a.Count(1, 1);
  return c.interpreter.EvaluateText(a.Text(0));
}

// ----- arrays

FoxValue Alen(BuiltinCall& c) {
  Args a{c};
  a.Count(1, 2);
  Variable& array = a.Array(0);
  int64_t which = a.Has(1) ? a.Whole(1) : 0;
  switch (which) {
    case 0: return Int(static_cast<int64_t>(array.elements.size()));
    case 1: return Int(array.rows);
    case 2: return Int(array.columns);
    default: Invalid();
  }
}

FoxValue Ascan(BuiltinCall& c) {
  Args a{c};
  a.Count(2, 4);
  Variable& array = a.Array(0);
  int64_t total = static_cast<int64_t>(array.elements.size());
  int64_t start = a.Has(2) ? a.Whole(2) : 1;
  int64_t count = a.Has(3) ? a.Whole(3) : total - start + 1;
  if (start < 1 || (total > 0 && start > total)) Invalid();
  for (int64_t i = start; i < start + count && i <= total; ++i)
    if (Matches(array.elements[static_cast<size_t>(i - 1)], a.Any(1), c.interpreter.exact())) return Int(i);
  return Int(0);
}

FoxValue Acopy(BuiltinCall& c) {
  Args a{c};
  a.Count(2, 5);
  Variable& source = a.Array(0);
  Variable& target = a.Array(1);
  int64_t total = static_cast<int64_t>(source.elements.size());
  int64_t start = a.Has(2) ? a.Whole(2) : 1;
  int64_t count = a.Has(3) && a.Whole(3) != -1 ? a.Whole(3) : total - start + 1;
  int64_t into = a.Has(4) ? a.Whole(4) : 1;
  if (start < 1 || start > std::max<int64_t>(total, 1) || count < 0 || start + count - 1 > total || into < 1)
    Invalid();
  size_t needed = static_cast<size_t>(into - 1 + count);
  if (target.elements.size() < needed) {
    if (target.columns != 0) Invalid();
    target.elements.resize(needed, FoxValue::Logical(false));
    target.rows = static_cast<int32_t>(needed);
  }
  for (int64_t i = 0; i < count; ++i)
    target.elements[static_cast<size_t>(into - 1 + i)] = source.elements[static_cast<size_t>(start - 1 + i)];
  return Int(count);
}

// ----- file names and files

FoxValue Addbs(BuiltinCall& c) {
  Args a{c};
  a.Count(1, 1);
  std::string path = a.Text(0);
  while (!path.empty() && path.back() == ' ') path.pop_back();
  if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
  return Text(path);
}

FoxValue Justfname(BuiltinCall& c) { return OfText(c, FileName); }

FoxValue Justpath(BuiltinCall& c) {
  Args a{c};
  a.Count(1, 1);
  const std::string& path = a.Text(0);
  size_t at = LastSeparator(path);
  if (at == 0) return Text("");
  std::string folder = path.substr(0, at);
  if (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/') && folder[folder.size() - 2] != ':')
    folder.pop_back();
  return Text(folder);
}

FoxValue Justext(BuiltinCall& c) {
  Args a{c};
  a.Count(1, 1);
  const std::string& path = a.Text(0);
  size_t dot = ExtensionDot(path);
  return Text(dot == std::string::npos ? "" : path.substr(dot + 1));
}

FoxValue Juststem(BuiltinCall& c) {
  Args a{c};
  a.Count(1, 1);
  std::string name = FileName(a.Text(0));
  size_t dot = name.rfind('.');
  return Text(dot == std::string::npos ? name : name.substr(0, dot));
}

FoxValue Forceext(BuiltinCall& c) {
  Args a{c};
  a.Count(2, 2);
  std::string path = a.Text(0);
  std::string extension = a.Text(1);
  if (!extension.empty() && extension[0] == '.') extension.erase(0, 1);
  size_t dot = ExtensionDot(path);
  if (dot != std::string::npos) path.resize(dot);
  return Text(extension.empty() ? path : path + "." + extension);
}

FoxValue File(BuiltinCall& c) {
  Args a{c};
  a.Count(1, 2);
  std::error_code ignored;
  return FoxValue::Logical(fs::is_regular_file(a.Text(0), ignored));
}

FoxValue Filetostr(BuiltinCall& c) {
  Args a{c};
  a.Count(1, 2);
  std::ifstream in(a.Text(0), std::ios::binary);
  if (!in) throw ProgramError(kErrorFileNotFound, "File '" + a.Text(0) + "' does not exist.", 0);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return Text(bytes.str());
}

FoxValue Strtofile(BuiltinCall& c) {
  Args a{c};
  a.Count(2, 3);
  const std::string& text = a.Text(0);
  bool append = false;
  if (a.Has(2)) append = a.Any(2).type == 'L' ? a.Flag(2) : (a.Whole(2) & 1) != 0;
  std::ofstream out(a.Text(1), std::ios::binary | (append ? std::ios::app : std::ios::trunc));
  if (!out) throw ProgramError(102, "Cannot create file '" + a.Text(1) + "'.", 0);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  return Int(out ? static_cast<int64_t>(text.size()) : 0);
}

FoxValue Getenv(BuiltinCall& c) {
  Args a{c};
  a.Count(1, 1);
  const char* value = std::getenv(a.Text(0).c_str());
  return Text(value ? value : "");
}

FoxValue Seconds(BuiltinCall& c) {
  Args a{c};
  a.Count(0, 0);
  auto now = std::chrono::system_clock::now();
  std::time_t whole = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&whole, &local);
  double millis = static_cast<double>(
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
  double seconds = local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec + millis / 1000;
  return FoxValue::Numeric(seconds, 10, 3);
}

// No dialog here: the text goes to the output and the answer is OK (1).
FoxValue Messagebox(BuiltinCall& c) {
  Args a{c};
  a.Count(1, 4);
  std::string title = a.Has(2) ? AsText(a.Any(2)) : "";
  c.interpreter.ShowLine((title.empty() ? "" : "[" + title + "] ") + AsText(a.Any(0)));
  return Int(1);
}

FoxValue Sys(BuiltinCall& c) {
  Args a{c};
  if (a.count() < 1) Invalid();
  if (a.Whole(0) == 16) return Text(c.interpreter.ProgramPath());
  return Text("");
}

FoxValue Pcount(BuiltinCall& c) {
  Args a{c};
  a.Count(0, 0);
  return Int(c.interpreter.ParameterCount());
}

const std::map<std::string, Builtin, std::less<>>& Table() {
  static const std::map<std::string, Builtin, std::less<>> table = {
      {"ABS", Abs},         {"ACOPY", Acopy},     {"ADDBS", Addbs},       {"ALEN", Alen},
      {"ALLTRIM", Alltrim}, {"ASC", Asc},         {"ASCAN", Ascan},       {"AT", At},
      {"BETWEEN", Between}, {"CHR", Chr},         {"CHRTRAN", Chrtran},   {"EMPTY", Empty},
      {"EVALUATE", Evaluate}, {"FILE", File},     {"FILETOSTR", Filetostr}, {"FORCEEXT", Forceext},
      {"GETENV", Getenv},   {"INLIST", Inlist},   {"INT", IntFn},         {"ISNULL", Isnull},
      {"JUSTEXT", Justext}, {"JUSTFNAME", Justfname}, {"JUSTPATH", Justpath}, {"JUSTSTEM", Juststem},
      {"LEFT", Left},       {"LEN", Len},         {"LOWER", LowerFn},     {"LTRIM", Ltrim},
      {"MAX", Max},         {"MESSAGEBOX", Messagebox}, {"MIN", Min},     {"MOD", Mod},
      {"NVL", Nvl},         {"OCCURS", Occurs},   {"PADC", Padc},         {"PADL", Padl},
      {"PADR", Padr},       {"PARAMETERS", Pcount}, {"PCOUNT", Pcount},   {"PROPER", Proper},
      {"RAT", Rat},         {"REPLICATE", Replicate}, {"RIGHT", Right},   {"ROUND", Round},
      {"RTRIM", Rtrim},     {"SECONDS", Seconds}, {"SIGN", Sign},         {"SPACE", Space},
      {"STR", Str},         {"STRTOFILE", Strtofile}, {"STRTRAN", Strtran}, {"STUFF", Stuff},
      {"SUBSTR", Substr},   {"SYS", Sys},         {"TRANSFORM", Transform}, {"TRIM", Rtrim},
      {"TYPE", Type},       {"UPPER", UpperFn},   {"VAL", Val},           {"VARTYPE", Vartype},
  };
  return table;
}

}  // namespace

const Builtin* FindBuiltin(std::string_view name) {
  const auto& table = Table();
  if (auto it = table.find(name); it != table.end()) return &it->second;
  if (name.size() < 4) return nullptr;
  const Builtin* found = nullptr;
  for (auto it = table.lower_bound(name); it != table.end() && it->first.compare(0, name.size(), name) == 0; ++it) {
    if (found) return nullptr;  // ambiguous
    found = &it->second;
  }
  return found;
}

}  // namespace foxhost::language
